#include "newgame/PeriodZero.h"

#include <array>
#include <string>

#include "data/EconomicFiles.h"
#include "data/Items.h"
#include "data/Messages.h"
#include "newgame/TypeProfileBuild.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

struct TypeConstants {
  std::int16_t premises;
  std::int16_t checking;
  std::int16_t savings;
  std::int16_t purchased_funds;
  std::int16_t central_bank;
};

// Full Service, Consumer, Business, Turnaround.
constexpr std::array<TypeConstants, kBankTypes> kTypeConstants = {{
    {15, 400, 200, 50, 0},
    {20, 400, 300, 0, 0},
    {10, 400, 100, 100, 0},
    {10, 200, 75, 275, 0},
}};

// Sixteen quarters of market rates ending with the current period, each lightly perturbed; the
// price index stands at 100 and the economy's index near 3.5 in the latest quarter, and earlier
// values are deflated by the price and growth factors. Rows 13..16 of the economy's index are
// read as its forecast, so its growth comes from four periods further on.
void BuildMarketHistory(Session& session, const NewGameState& state) {
  auto& plot = session.tables.PlotHistory;
  const auto& window = state.economy.EconWindow;
  const auto& growth = state.economy.GrowthWindow;
  constexpr std::array<int, 6> kPlottedSeries = {1, 3, 4, 5, 6, 8};
  plot(16, 7) = 100;
  plot(16, 8) = Jitter(session.random, 3.5, 0.1);
  for (int q = 1; q <= 16; ++q) {
    for (int s = 1; s <= 6; ++s) {
      plot(q, s) =
          Jitter(session.random, window(kPlottedSeries[static_cast<std::size_t>(s - 1)], q), 0.05);
    }
  }
  for (int q = 15; q >= 1; --q) {
    plot(q, 7) = CheckedDivide(plot(q + 1, 7), window(11, q + 1));
    plot(q, 8) = CheckedDivide(plot(q + 1, 8), growth(q + 5));
  }
}

void BuildRateTable(Session& session, NewGameState& state) {
  auto& table = state.RateTable;
  for (int i = 0; i <= 2; ++i) {
    for (int j = 1; j <= 4; ++j) {
      table(4 * i + j) = Jitter(session.random, 6 + i, 1);
    }
  }
  for (int j = 1; j <= 4; ++j) {
    table(16 + j) = session.tables.PlotHistory(4 * j, 4);
    table(12 + j) = Jitter(session.random, (table(16 + j) + 9) / 2, 1);
  }
}

// The industry as the banks' types make it: sums of balances, averages of decisions and
// ratios, the spread parameters of the attraction averages and the market indices.
void BuildIndustryValues(Session& session, const NewGameState& state) {
  using namespace industry;
  GameTables& tables = session.tables;
  auto& sums = tables.IndustrySums;
  const int banks = session.game.NumBanks;
  constexpr std::array<int, 7> kBalances = {amount::kCheckingDeposits, amount::kSavingsDeposits,
                                            amount::kTimeDeposits,     amount::kCertificates,
                                            amount::kCommercialLoans,  amount::kConsumerLoans,
                                            amount::kRealEstateLoans};
  for (int b = 1; b <= banks; ++b) {
    const BankProfile& p = state.TypeProfile(state.BankType(b));
    // Each rate average is numbered as the decision it averages.
    for (int i = kCheckingRate; i <= kFloatingRealEstateRate; ++i) {
      sums(i) += p.Decision(i);
    }
    for (int i = 0; i < 7; ++i) {
      sums(kCheckingDeposits + i) += p.Amounts(kBalances[static_cast<std::size_t>(i)]);
    }
    sums(kExpenseA) += 2 * p.Results(value::kExpenseA);
    sums(kExpenseB) += 2 * p.Results(value::kExpenseB);
    sums(kExpenseC) += 2 * p.Results(value::kExpenseC);
    sums(kPremises) += 2 * p.Amounts(amount::kPremises);
    sums(kCapitalRatio) += p.Results(value::kSmoothedCapitalRatio);
    sums(kHomeEquityLoanRate) += p.Decision(decision::kHomeEquityLoanRate);
    sums(kHomeEquityFee) += p.Decision(decision::kHomeEquityFee);
    sums(kHomeEquityLoans) += p.Amounts(amount::kHomeEquityLoans);
    sums(kExpenseD) += 2 * p.Results(value::kExpenseD);
  }
  for (int i = kCheckingRate; i <= kFloatingRealEstateRate; ++i) {
    sums(i) = CheckedDivide(sums(i), banks);
  }
  for (int i : {kCapitalRatio, kHomeEquityLoanRate, kHomeEquityFee}) {
    sums(i) = CheckedDivide(sums(i), banks);
  }
  for (int i = 1; i <= kLastFormed; ++i) {
    sums(i) = Max(sums(i), 0.1);
  }
  auto& env = tables.Environment;
  env(environment::kExpenseASpread) = CheckedDivide(sums(kExpenseA), 2 * banks);
  env(environment::kExpenseBCSpread) = CheckedDivide(sums(kExpenseB) + sums(kExpenseC), 4 * banks);
  env(environment::kPremisesSpread) = CheckedDivide(sums(kPremises), 2 * banks);
  env(environment::kExpenseDSpread) = CheckedDivide(sums(kExpenseD), 2 * banks);

  // The markets start as large as the industry's balances in them.
  auto& index = tables.EconIndex;
  index(econ_index::kPriceLevel) = tables.PlotHistory(16, 7);
  index(econ_index::kCommercialLoanMarket) = sums(kCommercialLoans);
  index(econ_index::kConsumerLoanMarket) = sums(kConsumerLoans);
  index(econ_index::kRealEstateLoanMarket) = sums(kRealEstateLoans);
  index(econ_index::kCheckingMarket) = sums(kCheckingDeposits);
  index(econ_index::kSavingsMarket) = sums(kSavingsDeposits);
  index(econ_index::kTimeDepositMarket) = sums(kTimeDeposits);
  index(econ_index::kCertificateMarket) = sums(kCertificates);
  index(econ_index::kGrowthIndex) = tables.PlotHistory(12, 8);
  index(econ_index::kHomeEquityLoanMarket) = sums(kHomeEquityLoans);
  index(11) = 0;
}

// The calculation proper; false when a data file could not be read.
bool RunPeriodZero(Session& session, NewGameState& state) {
  GameTables& tables = session.tables;
  session.game.ResultsQuarter = -1;
  session.LastUpdatedQuarter = -1;
  for (int b = 1; b <= session.game.NumBanks; ++b) {
    tables.BankQuarter(b) = 0;
    tables.DecisionsReady(b) = 2;
  }
  for (BankProfile& profile : state.TypeProfile) {
    profile = BankProfile{};
  }
  tables.IndustrySums.Fill(0.0);
  tables.EconIndex.Fill(0.0);

  if (!ReadEconomicFile(session, &state.economy) || !ReadInitFile(session, &state.initial)) {
    return false;
  }
  for (int type = 1; type <= kBankTypes; ++type) {
    Portfolio& lots = state.TypeProfile(type).lots;
    for (int k = 1; k <= 60; ++k) {
      lots.LoanAmount(k) = state.initial.InitialLoanAmounts(type, k);
    }
    for (int k = 1; k <= 128; ++k) {
      lots.PortfolioAmount(k) = state.initial.InitialPortfolioAmounts(type, k);
    }
  }

  for (int k = 1; k <= 9; ++k) {
    tables.MarketRates(k) = state.economy.EconWindow(k, 16);
  }
  tables.MarketRates(10) = 0;
  BuildMarketHistory(session, state);
  TypeDefaults(state);
  BuildRateTable(session, state);
  for (int type = 1; type <= kBankTypes; ++type) {
    BuildTypeProfile(session, state, type);
  }
  BuildIndustryValues(session, state);
  return true;
}

}  // namespace

void EnvironmentDefaults(Session& session) {
  auto& env = session.tables.Environment;
  env.Fill(0.0);
  for (int item = 1; item <= 7; ++item) {
    env(item) = 50;
  }
  env(environment::kCheckingReserve) = 12.75;
  env(environment::kSavingsReserve) = 3;
  env(environment::kMinCapital) = 5;
  env(environment::kMaxCentralBankBorrowing) = 75;
  env(environment::kMaxCapitalNotes) = 50;
  env(environment::kMaxHomeEquityFee) = 5;
  env(environment::kMaxHomeEquityLoanRate) = 50;
  env(environment::kTaxRate) = 0.49;
  env(environment::kHomeEquityFeeNorm) = 0.01;
  env(environment::kTimeDepositOutflow) = 0.2;
  env(environment::kCertificateOutflow) = 1;
  env(environment::kDemandDepositOutflow) = 0.1;
}

void TypeDefaults(NewGameState& state) {
  for (int type = 1; type <= kBankTypes; ++type) {
    BankProfile& p = state.TypeProfile(type);
    const TypeConstants& constants = kTypeConstants[static_cast<std::size_t>(type - 1)];
    p.Amounts(amount::kPremises) = constants.premises;
    p.Amounts(amount::kCheckingDeposits) = constants.checking;
    p.Amounts(amount::kSavingsDeposits) = constants.savings;
    p.Amounts(amount::kPurchasedFunds) = constants.purchased_funds;
    p.Amounts(amount::kCentralBankBorrowing) = constants.central_bank;

    // Unit rates per quarter; home-equity loans lose half as much again as long loans and pay
    // half their fee.
    auto& r = p.Results;
    r(value::kPremisesCostRate) = 0.06;
    r(value::kCommercialLossRate) = 0.0015;
    r(value::kConsumerLossRate) = 0.0045;
    r(value::kRealEstateLossRate) = 0.0006;
    r(value::kCheckingFeeRate) = 0.0025;
    r(value::kCommercialFeeRate) = 0.00125;
    r(value::kConsumerFeeRate) = 0.005;
    r(value::kRealEstateFeeRate) = 0.02;
    r(value::kHomeEquityLossRate) = 1.5 * r(value::kRealEstateLossRate);
    r(value::kHomeEquityFeeRate) = 0.5 * r(value::kRealEstateFeeRate);
  }
}

std::int16_t CalcPeriod0(Session& session, NewGameState& state) {
  try {
    state.NewGameAbort = RunPeriodZero(session, state) ? 0 : -1;
  } catch (const RuntimeError& error) {
    ReportRuntimeError(session, "CalcPeriod0 Module", error.number());
    state.NewGameAbort = -1;
  }
  return state.NewGameAbort;
}

}  // namespace qv
