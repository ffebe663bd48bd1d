#include <string>

#include "data/Items.h"
#include "data/Messages.h"
#include "engine/CloseStages.h"
#include "engine/ConstantTables.h"
#include "engine/DecisionLimits.h"
#include "engine/Economy.h"
#include "engine/Engine.h"
#include "engine/MarketAllocation.h"
#include "engine/PlotHistory.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

namespace qv {

namespace {

// Season 1..4 of a quarter; the yearly ladders move in season 4.
int SeasonOf(int quarter) {
  const int season = quarter % 4;
  return season == 0 ? 4 : season;
}

// The bank whose part of the quarter is being worked out, so that a run-time error can say
// whose decisions led to it; bank 0 while the work is the whole market's.
struct BankAtWork {
  int bank = 0;
  const char* doing = "";
};

// Returns false when a bank's lots could not be had;
// run-time errors propagate.
bool Calculate(Session& session, EngineContext& context, PortfolioSource& portfolios,
               BankAtWork& at_work) {
  GameTables& t = session.tables;
  GameRecord& game = session.game;
  const int banks = game.NumBanks;

  game.ResultsQuarter = ToInteger(static_cast<double>(game.ResultsQuarter) + 1.0);
  FillConstantTables(context);

  const int quarter = game.ResultsQuarter;
  context.Season = SeasonOf(quarter);
  // Still last quarter's rates here: the economy below draws the new ones.
  context.FloatingBase = quarter % 4 == 0 ? t.MarketRates(market_rate::kOneYear)
                                          : t.PlotHistory(16 - context.Season, 2);
  t.TaxRate = ToSingle(t.Environment(environment::kTaxRate));
  context.TaxRate = static_cast<double>(t.TaxRate);

  SetEconomicEnvironment(context);
  for (int b = 1; b <= banks; ++b) {
    at_work = {b, "limiting the decisions of"};
    LimitDecisions(context, b);
    // The industry's sums are everyone's: an error there is not this bank's alone.
    at_work = {};
    AddToIndustrySums(context, b);
    at_work = {b, "preparing the quarter of"};
    PrepareBankQuarter(context, b);
  }
  at_work = {};
  ComputeIndustryAverages(context);
  AllocateMarkets(context);

  for (int b = 1; b <= banks; ++b) {
    at_work = {};
    session.ui.Progress("Calculating the results of bank " + std::to_string(b) + ": " +
                        session.game.BankName(b));
    Portfolio& lots = t.Portfolios(b);
    if (!portfolios.Load(b, &lots)) {
      return false;
    }
    at_work = {b, "closing"};
    RollForwardPortfolio(context, b, lots);
    CloseIncomeAndFunding(context, b, lots);
    ComputeYieldsAndProfiles(context, b, lots);
    ComputeSharePrice(context, b);
    t.BankSummary(b, 1) = t.BankValues(b, value::kEarningsPerShare);
    t.BankSummary(b, 2) = t.BankValues(b, value::kDividendPerShare);
    t.BankSummary(b, 3) = t.BankValues(b, value::kNetIncome);
    t.BankSummary(b, 4) = static_cast<double>(t.BankAmounts(b, amount::kTotalAssets));
  }

  at_work = {};
  ShiftPlotHistory(context);
  return true;
}

}  // namespace

Proceed CalculateResults(Session& session, PortfolioSource& portfolios, int* failed_bank) {
  EngineContext context(session);
  BankAtWork at_work;
  try {
    session.ProceedOk =
        Calculate(session, context, portfolios, at_work) ? Proceed::kGoOn : Proceed::kStop;
  } catch (const RuntimeError& error) {
    std::string during;
    if (at_work.bank != 0) {
      during = std::string(" while ") + at_work.doing + " Bank " + std::to_string(at_work.bank) +
               ": " + session.game.BankName(at_work.bank);
      if (failed_bank != nullptr) {
        *failed_bank = at_work.bank;
      }
    }
    Tell(session, "Quorvant Sub CalculateResults Error " + std::to_string(error.number()) + during,
         Icon::kExclamation);
    session.ProceedOk = Proceed::kStop;
  }
  return session.ProceedOk;
}

}  // namespace qv
