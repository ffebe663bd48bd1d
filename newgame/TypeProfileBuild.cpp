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
    A(32) = ToAmount(SumAmounts(26, 29));
    A(37) = ToAmount(SumAmounts(30, 41));
    A(52) = ToAmount(SumAmounts(42, 61));
    A(57) = ToAmount(PA(62) + PA(63));
    A(129) = ToAmount(SumAmounts(64, 103));
    double long_loans = 0.0;
    for (int i = 1; i <= 20; ++i) {
      long_loans += LA(i) + LA(i + 20);
    }
    A(43) = ToAmount(long_loans);
    A(amount::kLoans) = ToAmount(A(37) + A(32) + A(43) + A(129));
    A(amount::kDeposits) = ToAmount(A(47) + A(45) + A(52) + A(57));
  }

  // Closes the gap between assets and funding: a shortfall is borrowed from the central bank,
  // a surplus invested overnight.
  void Balance() {
    const double assets = A(2) + A(3) + A(4) + A(5) + A(6);
    const double gap = assets - A(7) - A(8) - A(9);
    if (gap > 0) {
      A(amount::kCentralBankBorrowing) = ToAmount(A(9) + gap);
      A(amount::kTotalAssets) = ToAmount(assets);
    } else {
      A(amount::kOvernightInvestments) = ToAmount(A(3) - gap);
      A(amount::kTotalAssets) = ToAmount(assets - gap);
    }
  }

  // Capital k times the minimum, split into equity and notes so that the notes use n of the
  // room the regulation gives them; it replaces checking deposits.
  void Capital() {
    const double k = 1.2 + 0.4 * t_;
    const double n = 0.5 - 0.5 * t_;
    const double minimum = A(1) * Env(environment::kMinCapital) / 100;
    A(amount::kEquity) =
        ToAmount(CheckedDivide(k * minimum, 1 + n * Env(environment::kMaxCapitalNotes) / 100));
    A(amount::kCapitalNotes) = ToAmount(k * minimum - A(11));
    A(amount::kPaidInCapital) = ToAmount(A(11) / 2.0);
    A(amount::kRetainedEarnings) = ToAmount(A(11) - A(12));
    const int capital = A(11) + A(10);
    A(amount::kCheckingDeposits) = ToAmount(A(45) - capital);
    A(amount::kDeposits) = ToAmount(A(7) - capital);
  }

  // Float and required reserves, held in cash taken out of commercial loans.
  void CashAndReserves() {
    A(amount::kFloat) = ToAmount(9.0 * A(45) / 100);
    const double required =
        (Env(environment::kCheckingReserve) * (A(45) - A(27)) +
         Env(environment::kSavingsReserve) * A(47) + Env(environment::kTimeDepositReserve) * A(52) +
         Env(environment::kCdReserve) * A(57)) /
        100;
    A(amount::kRequiredReserves) = ToAmount(Max(10, required / 3));
    A(amount::kSecondaryReserves) = ToAmount(Max(required - A(25), 0));
    A(amount::kCashAndReserves) = ToAmount(A(25) + A(26) + A(27));
    A(amount::kLoans) = ToAmount(A(5) - A(2));
    A(amount::kCommercialLoans) = ToAmount(A(32) - A(2));
    for (int k = 26; k <= 28; ++k) {
      PA(k) = ToAmount(PA(k) - A(2) / 4.0);
    }
    PA(29) = ToAmount(A(32) - PA(26) - PA(27) - PA(28));
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
    A(72) = PA(26);
    A(73) = ToAmount(Max(4 * PA(30), 0.2 * A(37)));
    A(74) = ToAmount(2 * (LA(1) + LA(21)));
    A(75) = PA(42);
    A(76) = PA(62);
    A(130) = PA(64);
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
    PY(63) = Min(Rate(2) * 1.1 - 0.1 * t_, max_cd);
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
    SetD(decision::kSavingsRate,
         Min(Min(0.6 * Rate(1), 5.25) + 0.25 * t_, Env(environment::kMaxSavingsRate)));
    SetD(decision::kCheckingRate,
         Min(Max(Min(1.05, D(2) - 0.25) + 0.1 * t_, 0), Env(environment::kMaxCheckingRate)));
  }

  // The quarter before the game: income from the lots at their rates, expenses from the unit
  // rates, tax and net income.
  void QuarterOfIncome() {
    R(60) = A(3) * Rate(6) / 400;
    R(61) = Interest(1, 25);
    R(62) = Interest(26, 29);
    R(63) = Interest(30, 41);
    R(104) = Interest(64, 103);
    double fixed = 0.0;
    double floating = 0.0;
    for (int i = 1; i <= 20; ++i) {
      fixed += LR(i) * LA(i);
      floating += (Rate(3) + LR(20 + i)) * LA(20 + i);
    }
    R(77) = fixed / 400;
    R(78) = floating / 400;
    R(64) = R(77) + R(78);
    R(46) = R(60) + R(61) + R(62) + R(63) + R(64) + R(104);

    R(65) = A(8) * Rate(6) / 400;
    R(66) = A(9) * Rate(7) / 400;
    R(67) = A(45) * D(1) / 400;
    R(68) = A(47) * D(2) / 400;
    R(69) = Interest(42, 61);
    R(70) = Interest(62, 63);
    double notes = 0.0;
    for (int k = 41; k <= 60; ++k) {
      notes += LR(k) * LA(k);
    }
    R(71) = notes / 400;
    R(47) = -(R(65) + R(66) + R(67) + R(68) + R(69) + R(70) + R(71));

    R(86) = R(93) * A(45) + R(94) * A(32) + R(95) * A(37) + R(96) * (LA(20) + LA(40)) / 4 +
            R(102) * PA(64);
    const double gross = R(46) + R(47) + R(86);
    R(72) = 0.375 * gross;
    R(73) = 0.0625 * gross;
    R(74) = R(73);
    R(75) = R(73) + R(74);
    R(79) = R(90) * A(32) + R(91) * A(37) + R(92) * A(43) + R(101) * A(129);
    R(76) = R(89) * A(6);
    R(88) = R(76) / 0.5;

    R(48) = -(R(72) + R(75) + R(76) + R(79) + R(88));
    R(49) = -tax_rate_ * (R(46) + R(47) + R(86) + R(48));
    R(50) = 0;
    R(51) = R(46) + R(47) + R(86) + R(48) + R(49) + R(50);
    R(52) = R(50) + R(49);
    R(98) = R(46) + R(47);
    R(value::kSharesOutstanding) = 3;
    R(value::kCapitalRatio) =
        CheckedDivide(100, A(1) * Env(environment::kMinCapital)) * (A(11) + A(10));
    R(value::kSmoothedCapitalRatio) = R(8);
  }

  // Last quarter's decisions, as if the bank had made them: its rates, its spending and a
  // dividend of 30 % of earnings; policy limits not set.
  void OtherDecisions() {
    SetD(decision::kTimeDepositRate, Min(Rate(3) + 0.25, Env(environment::kMaxTimeDepositRate)));
    SetD(decision::kLongTimeDepositRate, PY(61));
    SetD(decision::kCdRate, PY(63));
    SetD(decision::kCommercialLoanRate, PY(29) - 0.2 * t_);
    SetD(decision::kConsumerLoanRate, PY(41));
    SetD(decision::kFixedRealEstateRate, Min(Rate(9), Env(environment::kMaxRealEstateLoanRate)));
    SetD(decision::kFloatingRealEstateRate,
         Min(Rate(3) + 0.5, Env(environment::kMaxRealEstateLoanRate)));
    SetD(10, R(72));
    SetD(11, R(73));
    SetD(12, R(74));
    SetD(decision::kPremises, A(amount::kPremises));
    SetD(decision::kDividendPerShare, Max(0.3 * R(51) / R(42), 0.04));
    SetD(decision::kHomeEquityLoanRate, PY(103));
    SetD(decision::kHomeEquityFee, 100 * R(102));
    SetD(17, R(88));
    SetD(decision::kPurchasedFundsLimit, decision::kNoLimit);
    SetD(decision::kCentralBankLimit, decision::kNoLimit);
    for (int item = decision::kFirstVolumeLimit; item <= 48; ++item) {
      SetD(item, decision::kNoLimit);
    }
  }

  // Per-share earnings, dividend, earnings and assets of the last quarter; the fifteen before
  // it are deflated by the economy's growth.
  void History() {
    auto& history = p_.History;
    history(1, 16) = R(51) / R(42);
    history(2, 16) = D(decision::kDividendPerShare);
    history(3, 16) = R(51);
    history(4, 16) = A(1);
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
