#pragma once

#include <string>
#include <vector>

#include "reports/ReportFigures.h"
#include "reports/ReportLayout.h"

namespace qv {

// Liquid assets in percent of deposits below which a bank is marked as short of liquidity.
// The opening books of every bank type hold about 20 to 30 %; below 10 % one quarter's usual
// run-off of deposits can no longer be met from liquid assets without borrowing.
inline constexpr double kLowLiquidityPercent = 10.0;

// A sign of a bank in trouble, read from the report's figures of one quarter.
struct TroubleRule {
  RowSource source;  // the figure it reads: a competitor value or amount row
  const char* text;  // the rule, as a tooltip states it
  bool (*breaks)(double figure);
};

// The rules, in the order they are listed:
//   capital below the required minimum   capital / minimum (bank result 8) under 1
//   negative equity                      equity (amount 11) under 0
//   negative net income                  net income (bank result 51) under 0
//   low liquidity                        liquidity % of deposits (bank result 83) under
//                                        kLowLiquidityPercent
//   central bank borrowing               central bank debt (amount 9) above 0
const std::vector<TroubleRule>& TroubleRules();

// The figure of rule `rule` for bank `bank` in `figures`.
double TroubleFigure(const TroubleRule& rule, const ReportFigures& figures, int bank);

// The texts of the rules bank `bank` breaks, in rule order.
std::vector<std::string> BankTroubles(const ReportFigures& figures, int bank);

// The text of the rule that a report row reading `source` shows broken for bank `bank`;
// empty when the row reads no rule's figure or the figure keeps the rule.
std::string RowTrouble(const RowSource& source, const ReportFigures& figures, int bank);

}  // namespace qv
