#include "reports/TroubleRules.h"

#include "data/Items.h"
#include "reports/ReportItems.h"

namespace qv {

namespace {

constexpr int kValueRow = 1;
constexpr int kAmountRow = 3;

RowSource ValueSource(int item) {
  FindValueRow(item);
  return {kValueRow, item};
}

RowSource AmountSource(int item) {
  FindAmountRow(item);
  return {kAmountRow, item};
}

}  // namespace

const std::vector<TroubleRule>& TroubleRules() {
  static const std::vector<TroubleRule> rules = {
      {ValueSource(value::kCapitalRatio), "Capital below the required minimum",
       [](double ratio) { return ratio < 1.0; }},
      {AmountSource(amount::kEquity), "Negative equity", [](double equity) { return equity < 0; }},
      {ValueSource(value::kNetIncome), "Negative net income",
       [](double income) { return income < 0; }},
      {ValueSource(value::kLiquidityRatio), "Liquidity below 10 % of deposits",
       [](double percent) { return percent < kLowLiquidityPercent; }},
      {AmountSource(amount::kCentralBankBorrowing), "Borrowing from the central bank",
       [](double debt) { return debt > 0; }},
  };
  return rules;
}

double TroubleFigure(const TroubleRule& rule, const ReportFigures& figures, int bank) {
  if (rule.source.kind == kValueRow) {
    return figures.competitors.CompetitorValues(bank, rule.source.row);
  }
  return figures.competitors.CompetitorAmounts(bank, rule.source.row);
}

std::vector<std::string> BankTroubles(const ReportFigures& figures, int bank) {
  std::vector<std::string> broken;
  for (const TroubleRule& rule : TroubleRules()) {
    if (rule.breaks(TroubleFigure(rule, figures, bank))) {
      broken.emplace_back(rule.text);
    }
  }
  return broken;
}

std::string RowTrouble(const RowSource& source, const ReportFigures& figures, int bank) {
  for (const TroubleRule& rule : TroubleRules()) {
    if (rule.source == source && rule.breaks(TroubleFigure(rule, figures, bank))) {
      return rule.text;
    }
  }
  return {};
}

}  // namespace qv
