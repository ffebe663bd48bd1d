#pragma once

#include "engine/BankBooks.h"

namespace qv {

// Fills the bank's repricing table (BankAmounts 139..154): assets and liabilities plus
// equity by time to repricing (up to 3 months, 3-12 months, 1-5 years, over 5 years), the gap
// of each band and the cumulative gaps. On each side the 1-5 year band holds what the other
// three leave of total assets, so both sides add up to it. Needs the balance sheet and the
// lots as the close leaves them.
void FillRepricingTable(BankBooks& books);

}  // namespace qv
