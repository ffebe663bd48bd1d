#pragma once

#include "engine/BankBooks.h"

namespace qv {

// Closes the gap between liabilities plus equity and assets: a surplus is invested overnight,
// a shortfall is funded from purchased funds, central-bank borrowing, sales of the quarter's
// own security purchases and of its new commercial loans, and at last by central-bank
// borrowing beyond the limits (flagged in BA(108)). Every source carries its after-tax
// interest into the books. Whatever whole-unit rest remains lands in the required reserves,
// so that the balance sheet balances exactly.
void CloseFundingGap(BankBooks& b);

// Books a pre-tax income (negative for a cost) into the income statement, its tax included,
// and the after-tax amount into retained earnings and equity. Returns the after-tax amount.
double PostIncome(BankBooks& b, double pre_tax);

}  // namespace qv
