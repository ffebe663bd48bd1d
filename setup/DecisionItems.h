#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/Session.h"
#include "data/TeamDecisionsFile.h"

namespace qv {

// How the decision form groups the items, in the order it shows them.
enum class DecisionGroup {
  kRates,
  kExpenses,
  kDividends,
  kSecurities,  // bought and sold by maturity band
  kLoanSales,
  kNotesAndShares,
  kLimits,  // funding and market volume limits
};

enum class DecisionUnit {
  kPercentAYear,
  kPercent,
  kMoney,     // whole money units of the balance sheet
  kPerShare,  // money units per share
};

// One decision item with a meaning. Items without one (18, 19, 39, 40, 49..63) are carried as
// they are and never shown.
struct DecisionItem {
  int item;           // its number in Decision(b, 1..63)
  const char* key;    // for the command line: checking_rate, ...
  const char* label;  // as the report labels it, at most 17 characters
  DecisionGroup group;
  DecisionUnit unit;
  bool not_set_at_999;  // a policy limit: 999 means no limit is set
};

// The shown items in form order: grouped, and by item number within a group.
std::span<const DecisionItem> DecisionItems();

// The item of `key` (exact), or nullptr.
const DecisionItem* FindDecisionItem(std::string_view key);

std::string GroupName(DecisionGroup group);
std::string UnitName(DecisionUnit unit);

// What the results engine makes of `wanted` as bank `bank`'s decisions for the coming quarter
// (the session's game and tables as last written, ResultsQuarter not yet moved on): the engine's
// own limiting run on a scratch copy, so what is shown is what the advance will store.
BankDecisions EffectiveDecisions(const Session& session, int bank, const BankDecisions& wanted);

// The values the engine keeps as they are for one item, the others held as in `wanted`:
// anything below `low` becomes `low`, anything above `high` becomes `high`. `high` is empty
// when the engine sets no upper bound.
struct AcceptedRange {
  double low = 0.0;
  std::optional<double> high;
};
AcceptedRange AcceptedDecisionRange(const Session& session, int bank, int item,
                                    const BankDecisions& wanted);

// Parses "KEY=VALUE" of the command line. VALUE is a number; for a policy limit also "none"
// (999, not set). Returns the message for the user on failure, or an empty text.
std::string ParseDecisionSetting(std::string_view setting, int* item, float* value);

// Applies every "KEY=VALUE" of `settings` to `decisions`, in order; nothing is changed when
// one of them does not parse. Returns the first message, or an empty text.
std::string ApplyDecisionSettings(const std::vector<std::string>& settings,
                                  BankDecisions* decisions);

// `value` as the form and the command line show it: the shortest decimal form, "none" for an
// unset policy limit of `item`.
std::string FormatDecisionValue(const DecisionItem& item, double value);

// One line for a text front end: key, label, value, unit, the accepted range and the value
// the engine will use, e.g. "checking_rate  Checking Rate  3.5 % a year  [0 .. 50]  -> 3.5".
std::string DescribeDecision(const DecisionItem& item, double wanted, double effective,
                             const AcceptedRange& range);

}  // namespace qv
