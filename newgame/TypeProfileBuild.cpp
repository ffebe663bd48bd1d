#include "newgame/TypeProfileBuild.h"

#include "data/Items.h"
#include "platform/Numeric.h"

namespace qv {

namespace {

// One type's build: its profile, the market it opens in, and its Turnaround flag t_, -1 for a
// Turnaround bank and 0 otherwise. Rules add multiples of it, so a Turnaround bank pays more for
// its funds and earns less on its loans.
class Build {
 public:
  Build(Session& session, NewGameState& state, int type)
      : random_(session.random),
        market_(session.tables),
        tax_rate_(static_cast<double>(session.tables.TaxRate)),
        rate_table_(state.RateTable),
        growth_(state.economy.GrowthWindow),
        p_(state.TypeProfile(type)),
        t_(type == bank_type::kTurnaround ? -1.0 : 0.0) {}

  void Run() {
    LotTotals();
    Balance();
    Capital();
    CashAndReserves();
    CapitalNoteLots();
    NewVolumes();
    PortfolioYields();
    LoanRates();
    DepositRateDecisions();
    QuarterOfIncome();
    OtherDecisions();
    History();
  }

 private:
  double Jitter(double center, double spread) { return qv::Jitter(random_, center, spread); }
  double Env(int item) const { return market_.Environment(item); }
  double Rate(int item) const { return market_.MarketRates(item); }
  double Plot(int quarter, int series) const { return market_.PlotHistory(quarter, series); }
  std::int16_t& A(int item) { return p_.Amounts(item); }
  double& R(int item) { return p_.Results(item); }
  double D(int item) const { return p_.Decision(item); }
  void SetD(int item, double value) { p_.Decision(item) = ToSingle(value); }
  std::int16_t& PA(int bucket) { return p_.lots.PortfolioAmount(bucket); }
  double& PY(int bucket) { return p_.lots.PortfolioYield(bucket); }
  double& LA(int bucket) { return p_.lots.LoanAmount(bucket); }
  double& LR(int bucket) { return p_.lots.LoanRate(bucket); }

  double SumAmounts(int first, int last) {
    double sum = 0.0;
    for (int k = first; k <= last; ++k) {
      sum += PA(k);
    }
    return sum;
  }
  // A quarter's interest on portfolio buckets first..last.
  double Interest(int first, int last) {
    double sum = 0.0;
    for (int k = first; k <= last; ++k) {
      sum += PY(k) * PA(k);
    }
    return sum / 400;
  }

  // The balances are the sums of their lots.
  void LotTotals() {
    A(amount::kSecurities) = ToAmount(SumAmounts(1, 25));
    A(amount::kCommercialLoans) = ToAmount(SumAmounts(26, 29));
    A(amount::kConsumerLoans) = ToAmount(SumAmounts(30, 41));
    A(amount::kTimeDeposits) = ToAmount(SumAmounts(42, 61));
    A(amount::kCertificates) = ToAmount(PA(62) + PA(63));
    A(amount::kHomeEquityLoans) = ToAmount(SumAmounts(64, 103));
    double long_loans = 0.0;
    for (int i = 1; i <= 20; ++i) {
      long_loans += LA(i) + LA(i + 20);
    }
    A(amount::kRealEstateLoans) = ToAmount(long_loans);
    A(amount::kLoans) = ToAmount(A(amount::kConsumerLoans) + A(amount::kCommercialLoans) +
                                 A(amount::kRealEstateLoans) + A(amount::kHomeEquityLoans));
    A(amount::kDeposits) = ToAmount(A(amount::kSavingsDeposits) + A(amount::kCheckingDeposits) +
                                    A(amount::kTimeDeposits) + A(amount::kCertificates));
  }

  // Closes the gap between assets and funding: a shortfall is borrowed from the central bank,
  // a surplus invested overnight.
  void Balance() {
    const double assets = A(amount::kCashAndReserves) + A(amount::kOvernightInvestments) +
                          A(amount::kSecurities) + A(amount::kLoans) + A(amount::kPremises);
    const double gap = assets - A(amount::kDeposits) - A(amount::kPurchasedFunds) -
                       A(amount::kCentralBankBorrowing);
    if (gap > 0) {
      A(amount::kCentralBankBorrowing) = ToAmount(A(amount::kCentralBankBorrowing) + gap);
      A(amount::kTotalAssets) = ToAmount(assets);
    } else {
      A(amount::kOvernightInvestments) = ToAmount(A(amount::kOvernightInvestments) - gap);
      A(amount::kTotalAssets) = ToAmount(assets - gap);
    }
  }

  // Capital k times the minimum, split into equity and notes so that the notes use n of the
  // room the regulation gives them; it replaces checking deposits.
  void Capital() {
    const double k = 1.2 + 0.4 * t_;
    const double n = 0.5 - 0.5 * t_;
    const double minimum = A(amount::kTotalAssets) * Env(environment::kMinCapital) / 100;
    A(amount::kEquity) =
        ToAmount(CheckedDivide(k * minimum, 1 + n * Env(environment::kMaxCapitalNotes) / 100));
    A(amount::kCapitalNotes) = ToAmount(k * minimum - A(amount::kEquity));
    A(amount::kPaidInCapital) = ToAmount(A(amount::kEquity) / 2.0);
    A(amount::kRetainedEarnings) = ToAmount(A(amount::kEquity) - A(amount::kPaidInCapital));
    const int capital = A(amount::kEquity) + A(amount::kCapitalNotes);
    A(amount::kCheckingDeposits) = ToAmount(A(amount::kCheckingDeposits) - capital);
    A(amount::kDeposits) = ToAmount(A(amount::kDeposits) - capital);
  }

  // Float and required reserves, held in cash taken out of commercial loans.
  void CashAndReserves() {
    A(amount::kFloat) = ToAmount(9.0 * A(amount::kCheckingDeposits) / 100);
    const double required =
        (Env(environment::kCheckingReserve) * (A(amount::kCheckingDeposits) - A(amount::kFloat)) +
         Env(environment::kSavingsReserve) * A(amount::kSavingsDeposits) +
         Env(environment::kTimeDepositReserve) * A(amount::kTimeDeposits) +
         Env(environment::kCdReserve) * A(amount::kCertificates)) /
        100;
    A(amount::kRequiredReserves) = ToAmount(Max(10, required / 3));
    A(amount::kSecondaryReserves) = ToAmount(Max(required - A(amount::kRequiredReserves), 0));
    A(amount::kCashAndReserves) =
        ToAmount(A(amount::kRequiredReserves) + A(amount::kSecondaryReserves) + A(amount::kFloat));
    A(amount::kLoans) = ToAmount(A(amount::kLoans) - A(amount::kCashAndReserves));
    A(amount::kCommercialLoans) =
        ToAmount(A(amount::kCommercialLoans) - A(amount::kCashAndReserves));
    for (int k = 26; k <= 28; ++k) {
      PA(k) = ToAmount(PA(k) - A(amount::kCashAndReserves) / 4.0);
    }
    PA(29) = ToAmount(A(amount::kCommercialLoans) - PA(26) - PA(27) - PA(28));
  }

  // The notes mature in years 4, 8, 12 and 16, a tenth, two, three and four tenths of them.
  void CapitalNoteLots() {
    const double notes = A(amount::kCapitalNotes);
    LA(44) = notes * 1 / 10;
    LA(48) = notes * 2 / 10;
    LA(52) = notes * 3 / 10;
    LA(56) = notes - LA(44) - LA(48) - LA(52);
  }

  // Last quarter's run-off, which sizes the first quarter's new business.
  void NewVolumes() {
    A(amount::kCommercialRunOff) = PA(26);
    A(amount::kConsumerRunOff) = ToAmount(Max(4 * PA(30), 0.2 * A(amount::kConsumerLoans)));
    A(amount::kRealEstateRunOff) = ToAmount(2 * (LA(1) + LA(21)));
    A(amount::kTimeDepositRunOff) = PA(42);
    A(amount::kCertificateRunOff) = PA(62);
    A(amount::kHomeEquityRunOff) = PA(64);
  }

  // Each lot carries the market rate of the quarter it was booked in, from the market history.
  void PortfolioYields() {
    const double max_time_deposit = Env(environment::kMaxTimeDepositRate);
    for (int q = 1; q <= 16; ++q) {
      PY(45 + q) = Min(Jitter(Plot(q, 3), 0.1) - 0.75 * t_, max_time_deposit);
      PY(4 + q) = Plot(q, 3) + 0.1;
    }
    for (int r = 1; r <= 4; ++r) {
      PY(r) = (Plot(12 + r, 2) + PY(r + 4)) / 2 + 0.1 * t_;
      PY(21 + r) = Plot(4 * r - 2, 4) + 0.1 * t_;
      PY(41 + r) =
          Min(Jitter((Plot(12 + r, 2) + PY(45 + r)) / 2 - 0.5, 0.25) - 0.75 * t_, max_time_deposit);
      PY(25 + r) =
          Min(Jitter(Plot(12 + r, 6), 0.05) + 0.2 * t_, Env(environment::kMaxCommercialLoanRate));
    }
    // The first yearly bucket sits between the last quarterly one and the second yearly one.
    PY(21) = (PY(20) + PY(22)) / 2;
    const double max_cd = Env(environment::kMaxCdRate);
    PY(62) = Min((Plot(15, 1) + Plot(15, 2)) / 2 * 1.1 - 0.1 * t_, max_cd);
    PY(63) = Min(Rate(market_rate::kSixMonth) * 1.1 - 0.1 * t_, max_cd);
    for (int r = 1; r <= 12; ++r) {
      PY(29 + r) =
          Min(Jitter(Plot(r + 4, 6) + 5, 0.5) + t_, Env(environment::kMaxConsumerLoanRate));
    }
  }

  // Long loans and capital notes by year of maturity; home-equity loans follow the fixed rates.
  void LoanRates() {
    for (int i = 1; i <= 20; ++i) {
      LR(i) = Min(Jitter(rate_table_(i) + 1.5 + 1.25 * t_, 0.25),
                  Env(environment::kMaxRealEstateLoanRate));
      LR(20 + i) = Jitter(0.5 + 0.75 * t_, 0.25);  // a margin over the one-year rate
      LR(40 + i) = Jitter(rate_table_(i) + 1.25 - 1.5 * t_, 0.25);
    }
    for (int i = 1; i <= 10; ++i) {
      for (int j = 1; j <= 4; ++j) {
        PY(63 + 4 * (i - 1) + j) = Jitter(LR(i) + 1, 0.25);
      }
    }
  }

  void DepositRateDecisions() {
    SetD(decision::kSavingsRate, Min(Min(0.6 * Rate(market_rate::kThreeMonth), 5.25) + 0.25 * t_,
                                     Env(environment::kMaxSavingsRate)));
    SetD(decision::kCheckingRate,
         Min(Max(Min(1.05, D(decision::kSavingsRate) - 0.25) + 0.1 * t_, 0),
             Env(environment::kMaxCheckingRate)));
  }

  // The quarter before the game: income from the lots at their rates, expenses from the unit
  // rates, tax and net income.
  void QuarterOfIncome() {
    R(value::kOvernightInterest) =
        A(amount::kOvernightInvestments) * Rate(market_rate::kOvernight) / 400;
    R(value::kSecuritiesInterest) = Interest(1, 25);
    R(value::kCommercialLoanInterest) = Interest(26, 29);
    R(value::kConsumerLoanInterest) = Interest(30, 41);
    R(value::kHomeEquityLoanInterest) = Interest(64, 103);
    double fixed = 0.0;
    double floating = 0.0;
    for (int i = 1; i <= 20; ++i) {
      fixed += LR(i) * LA(i);
      floating += (Rate(market_rate::kOneYear) + LR(20 + i)) * LA(20 + i);
    }
    R(value::kFixedRealEstateInterest) = fixed / 400;
    R(value::kFloatingRealEstateInterest) = floating / 400;
    R(value::kRealEstateLoanInterest) =
        R(value::kFixedRealEstateInterest) + R(value::kFloatingRealEstateInterest);
    R(value::kTotalInterestIncome) =
        R(value::kOvernightInterest) + R(value::kSecuritiesInterest) +
        R(value::kCommercialLoanInterest) + R(value::kConsumerLoanInterest) +
        R(value::kRealEstateLoanInterest) + R(value::kHomeEquityLoanInterest);

    R(value::kPurchasedFundsInterest) =
        A(amount::kPurchasedFunds) * Rate(market_rate::kOvernight) / 400;
    R(value::kCentralBankInterest) =
        A(amount::kCentralBankBorrowing) * Rate(market_rate::kCentralBank) / 400;
    R(value::kCheckingInterest) = A(amount::kCheckingDeposits) * D(decision::kCheckingRate) / 400;
    R(value::kSavingsInterest) = A(amount::kSavingsDeposits) * D(decision::kSavingsRate) / 400;
    R(value::kTimeDepositInterest) = Interest(42, 61);
    R(value::kCertificateInterest) = Interest(62, 63);
    double notes = 0.0;
    for (int k = 41; k <= 60; ++k) {
      notes += LR(k) * LA(k);
    }
    R(value::kCapitalNoteInterest) = notes / 400;
    R(value::kTotalInterestExpense) = -(
        R(value::kPurchasedFundsInterest) + R(value::kCentralBankInterest) +
        R(value::kCheckingInterest) + R(value::kSavingsInterest) + R(value::kTimeDepositInterest) +
        R(value::kCertificateInterest) + R(value::kCapitalNoteInterest));

    R(value::kNonInterestIncome) = R(value::kCheckingFeeRate) * A(amount::kCheckingDeposits) +
                                   R(value::kCommercialFeeRate) * A(amount::kCommercialLoans) +
                                   R(value::kConsumerFeeRate) * A(amount::kConsumerLoans) +
                                   R(value::kRealEstateFeeRate) * (LA(20) + LA(40)) / 4 +
                                   R(value::kHomeEquityFeeRate) * PA(64);
    const double gross = R(value::kTotalInterestIncome) + R(value::kTotalInterestExpense) +
                         R(value::kNonInterestIncome);
    R(value::kExpenseA) = 0.375 * gross;
    R(value::kExpenseB) = 0.0625 * gross;
    R(value::kExpenseC) = R(value::kExpenseB);
    R(value::kExpenseBC) = R(value::kExpenseB) + R(value::kExpenseC);
    R(value::kLoanLossProvision) = R(value::kCommercialLossRate) * A(amount::kCommercialLoans) +
                                   R(value::kConsumerLossRate) * A(amount::kConsumerLoans) +
                                   R(value::kRealEstateLossRate) * A(amount::kRealEstateLoans) +
                                   R(value::kHomeEquityLossRate) * A(amount::kHomeEquityLoans);
    R(value::kPremisesExpense) = R(value::kPremisesCostRate) * A(amount::kPremises);
    R(value::kExpenseD) = R(value::kPremisesExpense) / 0.5;

    R(value::kNonInterestExpense) =
        -(R(value::kExpenseA) + R(value::kExpenseBC) + R(value::kPremisesExpense) +
          R(value::kLoanLossProvision) + R(value::kExpenseD));
    R(value::kIncomeTax) =
        -tax_rate_ * (R(value::kTotalInterestIncome) + R(value::kTotalInterestExpense) +
                      R(value::kNonInterestIncome) + R(value::kNonInterestExpense));
    R(value::kSecurityGains) = 0;
    R(value::kNetIncome) = R(value::kTotalInterestIncome) + R(value::kTotalInterestExpense) +
                           R(value::kNonInterestIncome) + R(value::kNonInterestExpense) +
                           R(value::kIncomeTax) + R(value::kSecurityGains);
    R(value::kTaxesAndGains) = R(value::kSecurityGains) + R(value::kIncomeTax);
    R(value::kNetInterestIncome) = R(value::kTotalInterestIncome) + R(value::kTotalInterestExpense);
    R(value::kSharesOutstanding) = 3;
    R(value::kCapitalRatio) =
        CheckedDivide(100, A(amount::kTotalAssets) * Env(environment::kMinCapital)) *
        (A(amount::kEquity) + A(amount::kCapitalNotes));
    R(value::kSmoothedCapitalRatio) = R(value::kCapitalRatio);
  }

  // Last quarter's decisions, as if the bank had made them: its rates, its spending and a
  // dividend of 30 % of earnings; policy limits not set.
  void OtherDecisions() {
    SetD(decision::kTimeDepositRate,
         Min(Rate(market_rate::kOneYear) + 0.25, Env(environment::kMaxTimeDepositRate)));
    SetD(decision::kLongTimeDepositRate, PY(61));
    SetD(decision::kCdRate, PY(63));
    SetD(decision::kCommercialLoanRate, PY(29) - 0.2 * t_);
    SetD(decision::kConsumerLoanRate, PY(41));
    SetD(decision::kFixedRealEstateRate,
         Min(Rate(market_rate::kMortgage), Env(environment::kMaxRealEstateLoanRate)));
    SetD(decision::kFloatingRealEstateRate,
         Min(Rate(market_rate::kOneYear) + 0.5, Env(environment::kMaxRealEstateLoanRate)));
    SetD(decision::kExpenseA, R(value::kExpenseA));
    SetD(decision::kExpenseB, R(value::kExpenseB));
    SetD(decision::kExpenseC, R(value::kExpenseC));
    SetD(decision::kPremises, A(amount::kPremises));
    SetD(decision::kDividendPerShare,
         Max(0.3 * R(value::kNetIncome) / R(value::kSharesOutstanding), 0.04));
    SetD(decision::kHomeEquityLoanRate, PY(103));
    SetD(decision::kHomeEquityFee, 100 * R(value::kHomeEquityFeeRate));
    SetD(decision::kExpenseD, R(value::kExpenseD));
    SetD(decision::kPurchasedFundsLimit, decision::kNoLimit);
    SetD(decision::kCentralBankLimit, decision::kNoLimit);
    for (int item = decision::kFirstVolumeLimit; item <= decision::kHomeEquityLoanLimit; ++item) {
      SetD(item, decision::kNoLimit);
    }
  }

  // Per-share earnings, dividend, earnings and assets of the last quarter; the fifteen before
  // it are deflated by the economy's growth.
  void History() {
    auto& history = p_.History;
    history(1, 16) = R(value::kNetIncome) / R(value::kSharesOutstanding);
    history(2, 16) = D(decision::kDividendPerShare);
    history(3, 16) = R(value::kNetIncome);
    history(4, 16) = A(amount::kTotalAssets);
    for (int series = 1; series <= 4; ++series) {
      for (int q = 15; q >= 1; --q) {
        history(series, q) = CheckedDivide(history(series, q + 1), growth_(q + 5));
      }
    }
  }

  Random& random_;
  const GameTables& market_;
  double tax_rate_;
  const Table<double, 20>& rate_table_;
  const Table<double, 20>& growth_;
  BankProfile& p_;
  const double t_;
};

}  // namespace

void BuildTypeProfile(Session& session, NewGameState& state, int type) {
  Build(session, state, type).Run();
}

}  // namespace qv
