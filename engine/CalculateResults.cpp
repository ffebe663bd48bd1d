#include <string>

#include "advance/DiskIdentity.h"
#include "data/Items.h"
#include "data/PortfolioFile.h"
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

constexpr std::int16_t kProceed = -1;
constexpr std::int16_t kStop = 0;

// Season 1..4 of a quarter; the yearly ladders move in season 4.
int SeasonOf(int quarter) {
  const int season = quarter % 4;
  return season == 0 ? 4 : season;
}

// Returns false when the game disk was not supplied or a bank's lots could not be read;
// run-time errors propagate.
bool Calculate(Session& session, EngineContext& context) {
  GameTables& t = session.tables;
  GameRecord& game = session.game;
  const int banks = game.NumBanks;

  game.ResultsQuarter = ToInteger(static_cast<double>(game.ResultsQuarter) + 1.0);
  FillConstantTables(context);

  const int quarter = game.ResultsQuarter;
  context.Season = SeasonOf(quarter);
  // Still last quarter's rates here: the economy below draws the new ones.
  context.FloatingBase =
      quarter % 4 == 0 ? t.MarketRates(3) : t.PlotHistory(16 - context.Season, 2);
  t.TaxRate = ToSingle(t.Environment(environment::kTaxRate));
  context.TaxRate = static_cast<double>(t.TaxRate);

  SetEconomicEnvironment(context);
  for (int b = 1; b <= banks; ++b) {
    LimitDecisions(context, b);
    AddToIndustrySums(context, b);
    PrepareBankQuarter(context, b);
  }
  ComputeIndustryAverages(context);
  AllocateMarkets(context);

  for (int b = 1; b <= banks; ++b) {
    session.ui.Progress("Calculating the results of bank " + std::to_string(b) + ": " +
                        session.game.BankName(b));
    if (!WaitForGameDisk(session)) {
      return false;
    }
    Portfolio& lots = t.Portfolios(b);
    if (!ReadPortfolio(session, b, &lots)) {
      return false;
    }
    RollForwardPortfolio(context, b, lots);
    CloseIncomeAndFunding(context, b, lots);
    ComputeYieldsAndProfiles(context, b, lots);
    ComputeSharePrice(context, b);
    t.BankSummary(b, 1) = t.BankValues(b, value::kEarningsPerShare);
    t.BankSummary(b, 2) = t.BankValues(b, value::kDividendPerShare);
    t.BankSummary(b, 3) = t.BankValues(b, value::kNetIncome);
    t.BankSummary(b, 4) = static_cast<double>(t.BankAmounts(b, amount::kTotalAssets));
  }

  ShiftPlotHistory(context);
  return true;
}

}  // namespace

int CalculateResults(Session& session) {
  EngineContext context(session);
  try {
    session.ProceedOk = Calculate(session, context) ? kProceed : kStop;
  } catch (const RuntimeError& error) {
    session.MessageText = "Quorvant Sub CalculateResults Error " + std::to_string(error.number());
    session.ui.Show(Message{session.MessageText, kAppTitle, Buttons::kOk, Icon::kExclamation, 1});
    session.ProceedOk = kStop;
  }
  return session.ProceedOk;
}

}  // namespace qv
