#include "setup/DecisionItems.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "data/Items.h"
#include "engine/DecisionLimits.h"
#include "engine/EngineContext.h"
#include "platform/NumberFormat.h"

namespace qv {

namespace {

using G = DecisionGroup;
using U = DecisionUnit;

// clang-format off
constexpr std::array<DecisionItem, 44> kItems = {{
    {1,  "checking_rate",            "Checking Rate",     G::kRates, U::kPercentAYear, false},
    {2,  "savings_rate",             "Savings Rate",      G::kRates, U::kPercentAYear, false},
    {3,  "time_deposit_rate",        "1-Year Time Dep.",  G::kRates, U::kPercentAYear, false},
    {4,  "long_time_deposit_rate",   "5-Year Time Dep.",  G::kRates, U::kPercentAYear, false},
    {5,  "cd_rate",                  "CD Rate",           G::kRates, U::kPercentAYear, false},
    {6,  "commercial_loan_rate",     "Commercial Loan",   G::kRates, U::kPercentAYear, false},
    {7,  "consumer_loan_rate",       "Consumer Loan",     G::kRates, U::kPercentAYear, false},
    {8,  "fixed_real_estate_rate",   "Fixed R.E. Loan",   G::kRates, U::kPercentAYear, false},
    {9,  "floating_real_estate_rate","Float R.E. Loan",   G::kRates, U::kPercentAYear, false},
    {15, "home_equity_rate",         "Home Equity Loan",  G::kRates, U::kPercentAYear, false},
    {16, "home_equity_fee",          "Home Equity Fee",   G::kRates, U::kPercent, false},
    {10, "expense_a",                "Expense A",         G::kExpenses, U::kMoney, false},
    {11, "expense_b",                "Expense B",         G::kExpenses, U::kMoney, false},
    {12, "expense_c",                "Expense C",         G::kExpenses, U::kMoney, false},
    {13, "premises",                 "Premises",          G::kExpenses, U::kMoney, false},
    {17, "expense_d",                "Expense D",         G::kExpenses, U::kMoney, false},
    {14, "dividend_per_share",       "Dividend/Share",    G::kDividends, U::kPerShare, false},
    {22, "buy_securities_1q",        "Buy Sec. 1 Qtr",    G::kSecurities, U::kMoney, false},
    {23, "buy_securities_2q",        "Buy Sec. 2 Qtr",    G::kSecurities, U::kMoney, false},
    {24, "buy_securities_1y",        "Buy Sec. 1 Year",   G::kSecurities, U::kMoney, false},
    {25, "buy_securities_5y",        "Buy Sec. 5 Years",  G::kSecurities, U::kMoney, false},
    {26, "buy_securities_25q",       "Buy Sec. 25 Qtr",   G::kSecurities, U::kMoney, false},
    {27, "sell_securities_2to4q",    "Sell Sec. 2-4 Qtr", G::kSecurities, U::kMoney, false},
    {28, "sell_securities_year2",    "Sell Sec. Year 2",  G::kSecurities, U::kMoney, false},
    {29, "sell_securities_year3",    "Sell Sec. Year 3",  G::kSecurities, U::kMoney, false},
    {30, "sell_securities_year4",    "Sell Sec. Year 4",  G::kSecurities, U::kMoney, false},
    {31, "sell_securities_year5",    "Sell Sec. Year 5",  G::kSecurities, U::kMoney, false},
    {32, "sell_securities_later",    "Sell Sec. Later",   G::kSecurities, U::kMoney, false},
    {33, "sell_fixed_loans",         "Sell Fixed R.E.",   G::kLoanSales, U::kMoney, false},
    {34, "sell_floating_loans",      "Sell Float R.E.",   G::kLoanSales, U::kMoney, false},
    {35, "notes_issued_5y",          "Notes Issued 5 Yr", G::kNotesAndShares, U::kMoney, false},
    {36, "notes_issued_10y",         "Notes Issued 10Yr", G::kNotesAndShares, U::kMoney, false},
    {37, "notes_issued_20y",         "Notes Issued 20Yr", G::kNotesAndShares, U::kMoney, false},
    {38, "notes_retired",            "Notes Retired",     G::kNotesAndShares, U::kMoney, false},
    {41, "shares_issued",            "Shares Issued",     G::kNotesAndShares, U::kMoney, false},
    {42, "shares_repurchased",       "Shares Repurch.",   G::kNotesAndShares, U::kMoney, false},
    {20, "purchased_funds_limit",    "Purch. Funds Lim.", G::kLimits, U::kMoney, true},
    {21, "central_bank_limit",       "Central Bank Lim.", G::kLimits, U::kMoney, true},
    {43, "commercial_loan_limit",    "Comm. Loan Limit",  G::kLimits, U::kMoney, true},
    {44, "consumer_loan_limit",      "Cons. Loan Limit",  G::kLimits, U::kMoney, true},
    {45, "real_estate_loan_limit",   "R.E. Loan Limit",   G::kLimits, U::kMoney, true},
    {46, "time_deposit_limit",       "Time Dep. Limit",   G::kLimits, U::kMoney, true},
    {47, "cd_limit",                 "CD Limit",          G::kLimits, U::kMoney, true},
    {48, "home_equity_loan_limit",   "H.E. Loan Limit",   G::kLimits, U::kMoney, true},
}};
// clang-format on

// A wanted value far beyond any bound the engine sets, to find the upper bound by.
constexpr float kProbe = 1.0e30F;

}  // namespace

std::span<const DecisionItem> DecisionItems() {
  return kItems;
}

const DecisionItem* FindDecisionItem(std::string_view key) {
  for (const DecisionItem& item : kItems) {
    if (key == item.key) {
      return &item;
    }
  }
  return nullptr;
}

std::string GroupName(DecisionGroup group) {
  switch (group) {
    case G::kRates:
      return "Rates";
    case G::kExpenses:
      return "Expenses";
    case G::kDividends:
      return "Dividends";
    case G::kSecurities:
      return "Securities Bought and Sold";
    case G::kLoanSales:
      return "Loan Sales";
    case G::kNotesAndShares:
      return "Capital Notes and Shares";
    case G::kLimits:
      return "Volume Limits";
  }
  return {};
}

std::string UnitName(DecisionUnit unit) {
  switch (unit) {
    case U::kPercentAYear:
      return "% a year";
    case U::kPercent:
      return "%";
    case U::kMoney:
      return "money units";
    case U::kPerShare:
      return "per share";
  }
  return {};
}

BankDecisions EffectiveDecisions(const Session& session, int bank, const BankDecisions& wanted) {
  // The engine limits the decisions after it has moved the quarter on; nothing it reads for
  // them changes before, so a copy of the stored game limited here is limited as it will be.
  Session scratch = session;
  scratch.game.ResultsQuarter = static_cast<std::int16_t>(scratch.game.ResultsQuarter + 1);
  for (int item = 1; item <= decision::kCount; ++item) {
    scratch.tables.Decision(bank, item) = wanted(item);
  }
  EngineContext context(scratch);
  LimitDecisions(context, bank);
  BankDecisions effective;
  for (int item = 1; item <= decision::kCount; ++item) {
    effective(item) = scratch.tables.Decision(bank, item);
  }
  return effective;
}

AcceptedRange AcceptedDecisionRange(const Session& session, int bank, int item,
                                    const BankDecisions& wanted) {
  BankDecisions probe = wanted;
  probe(item) = -kProbe;
  AcceptedRange range;
  range.low = EffectiveDecisions(session, bank, probe)(item);
  probe(item) = kProbe;
  const float high = EffectiveDecisions(session, bank, probe)(item);
  if (high < kProbe) {
    range.high = high;
  }
  return range;
}

std::string ParseDecisionSetting(std::string_view setting, int* item, float* value) {
  const std::size_t equals = setting.find('=');
  if (equals == std::string_view::npos) {
    return "Expected KEY=VALUE: " + std::string(setting);
  }
  const std::string_view key = setting.substr(0, equals);
  const std::string_view text = setting.substr(equals + 1);
  const DecisionItem* found = FindDecisionItem(key);
  if (found == nullptr) {
    return "Unknown decision: " + std::string(key);
  }
  if (found->not_set_at_999 && text == "none") {
    *item = found->item;
    *value = static_cast<float>(decision::kNoLimit);
    return {};
  }
  double number = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(number) || std::abs(number) > std::numeric_limits<float>::max()) {
    return "Not a number for " + std::string(key) + ": " + std::string(text);
  }
  *item = found->item;
  *value = static_cast<float>(number);
  return {};
}

std::string ApplyDecisionSettings(const std::vector<std::string>& settings,
                                  BankDecisions* decisions) {
  BankDecisions changed = *decisions;
  for (const std::string& setting : settings) {
    int item = 0;
    float value = 0.0F;
    if (std::string refused = ParseDecisionSetting(setting, &item, &value); !refused.empty()) {
      return refused;
    }
    changed(item) = value;
  }
  *decisions = changed;
  return {};
}

std::string FormatDecisionValue(const DecisionItem& item, double value) {
  if (item.not_set_at_999 && value == decision::kNoLimit) {
    return "none";
  }
  return FormatShortest(static_cast<float>(value));
}

std::string DescribeDecision(const DecisionItem& item, double wanted, double effective,
                             const AcceptedRange& range) {
  const std::string high = range.high ? FormatDecisionValue(item, *range.high) : "no limit";
  const std::string shown = FormatDecisionValue(item, wanted);
  const std::string unit = shown == "none" ? "" : " " + UnitName(item.unit);
  return std::string(item.key) + "  " + item.label + "  " + shown + unit + "  [" +
         FormatDecisionValue(item, range.low) + " .. " + high + "]  -> " +
         FormatDecisionValue(item, effective);
}

}  // namespace qv
