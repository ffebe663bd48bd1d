#pragma once

#include "engine/BankBooks.h"

namespace qv {

// Market values of the bank's securities by band (BankAmounts 83..88) and of its fixed and
// floating long loans (91, 92): each bucket grown at its own rate and discounted at the
// quarter's market rate for its term.
void ValueSecuritiesAndLoans(BankBooks& books);

}  // namespace qv
