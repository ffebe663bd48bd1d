#include "advance/ComputerDecisions.h"

#include <string>

#include "advance/ComputerDecisionSteps.h"
#include "data/Items.h"
#include "data/Messages.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace qv {

namespace {

// DecisionSource 3, 4 and 5 hand a bank to the computer at levels 1, 2 and 3.
constexpr int kFirstComputerSource = 3;

// The plot series whose last two quarters give the growth that spending follows.
constexpr int kGrowthSeries = 4;

// Never set by the computer, so it reads 0; the formula keeps its place for it.
constexpr int kUnsetItem = 19;

// A truth value as the formulas count it: -1 when true, 0 when false.
double Truth(bool condition) {
  return condition ? -1.0 : 0.0;
}

// The decisions of one bank at one expertise level. Level 1 follows the market, levels 2
// and 3 steer by the industry averages, level 3 also returns surplus capital.
class ComputerBank {
 public:
  ComputerBank(Session& session, int bank, int level)
      : session_(session), bank_(bank), level_(level), b_(session.tables, bank) {}

  void Decide();

 private:
  double Jitter(double center, double spread) {
    return DecisionJitter(session_.random, center, spread);
  }
  void Buy(double buy, double sell) { SetPortfolioDecisions(session_, bank_, level_, buy, sell); }
  void Sales(double amount) { SetLoanSales(session_, bank_, amount); }
  void Shift(double delta) { ShiftRates(session_, bank_, delta); }

  void ClearWithFundingLimits();
  void SetDepositRates();
  void SetTermRates();
  void FollowMarket();
  void SteerByIndustry();
  void ReturnSurplusCapital(double capital_multiple);
  void LimitLoanVolumes();
  void ShiftAndCapCertificates(double shift, double certificate_cut);
  void CoverShortfall(double loan_ratio, double certificate_ratio);
  void PlaceSurplus(double loan_ratio, double certificate_ratio);

  Session& session_;
  int bank_;
  int level_;
  DecisionBooks b_;
  double growth_ = 0.0;
  std::int16_t funds_position_ = 0;
};

void ComputerBank::Decide() {
  ClearWithFundingLimits();
  SetDepositRates();

  const double assets = b_.A(amount::kTotalAssets);
  const double capital_multiple =
      assets == 0.0
          ? 0.01
          : Max(CheckedDivide(100.0 * (b_.A(amount::kCapitalNotes) + b_.A(amount::kEquity)),
                              assets * b_.E(environment::kMinCapital)),
                0.01);

  const auto& history = session_.tables.PlotHistory;
  growth_ = Jitter(CheckedDivide(history(16, kGrowthSeries), history(15, kGrowthSeries)), 0.0005);

  SetTermRates();
  if (level_ == 1) {
    FollowMarket();
  } else {
    SteerByIndustry();
  }

  SetCapitalDecisions(session_, bank_, level_);
  funds_position_ = MeasureFunds(session_, bank_);
  if (level_ == 3) {
    ReturnSurplusCapital(capital_multiple);
  }

  const double loan_ratio = CheckedDivide(b_.A(amount::kLoans), assets);
  const double deposits = b_.A(amount::kDeposits);
  const double certificate_ratio = deposits > 0.0 ? b_.A(amount::kCertificates) / deposits : 0.0;
  if (funds_position_ < 0) {
    CoverShortfall(loan_ratio, certificate_ratio);
  } else {
    PlaceSurplus(loan_ratio, certificate_ratio);
  }
}

void ComputerBank::ClearWithFundingLimits() {
  for (int item = 1; item <= decision::kCount; ++item) {
    b_.SetD(item, 0.0);
  }
  const double limit = Max(200.0, b_.A(amount::kTotalAssets) * 0.35);
  b_.SetD(decision::kPurchasedFundsLimit, limit);
  b_.SetD(decision::kCentralBankLimit, limit);
  for (int item = decision::kCommercialLoanLimit; item <= decision::kHomeEquityLoanLimit; ++item) {
    b_.SetD(item, limit);
  }
}

// The deposit rates follow the industry, at most what a deposit earns once its reserves are
// set aside (a share of the best market rate); with the industry well above that, the bank
// pays its own last cost instead.
void ComputerBank::SetDepositRates() {
  using namespace decision;
  const double best_rate = Max(Max(b_.M(market_rate::kThreeMonth), b_.M(market_rate::kOneYear)),
                               Max(b_.M(market_rate::kOvernight), b_.M(market_rate::kPrime)));
  const double intermediate = Truth(level_ == 2);
  const double expert = Truth(level_ == 3);

  const double checking_ceiling =
      0.91 * (1.0 - b_.E(environment::kCheckingReserve) / 100.0) * best_rate;
  b_.SetD(
      kCheckingRate,
      Max(Jitter(Min(b_.I(industry::kCheckingRate) + intermediate * 0.05, checking_ceiling), 0.05),
          0.0));
  if (b_.I(industry::kCheckingRate) - checking_ceiling > 0.5) {
    b_.SetD(kCheckingRate, b_.V(value::kCheckingCost) + expert * 0.25);
  }

  const double savings_ceiling = (1.0 - b_.E(environment::kSavingsReserve) / 100.0) * best_rate;
  b_.SetD(
      kSavingsRate,
      Max(Jitter(Min(b_.I(industry::kSavingsRate) + intermediate * 0.05, savings_ceiling), 0.05),
          1.0));
  if (b_.I(industry::kSavingsRate) - savings_ceiling > 0.5) {
    b_.SetD(kSavingsRate, b_.V(value::kSavingsCost) + expert * 0.25);
  }
}

// Term deposits a quarter point over the market; the less expert, the wider the scatter.
void ComputerBank::SetTermRates() {
  const double spread = (4 - level_) * 0.1;
  b_.SetD(decision::kTimeDepositRate, Jitter(b_.M(market_rate::kOneYear) + 0.25, spread));
  b_.SetD(decision::kLongTimeDepositRate, Jitter(b_.M(market_rate::kFiveYear) + 0.25, spread));
  b_.SetD(decision::kCdRate, Jitter(session_.tables.EconSeries(market_rate::kSixMonth), spread));
}

void ComputerBank::FollowMarket() {
  using namespace decision;
  b_.SetD(kCommercialLoanRate, Jitter(b_.M(market_rate::kPrime), 0.25));
  b_.SetD(kConsumerLoanRate, Jitter(b_.M(market_rate::kPrime) + 5.0, 1.0));
  b_.SetD(kFixedRealEstateRate, Jitter(b_.M(market_rate::kMortgage) + 0.25, 0.25));
  b_.SetD(kFloatingRealEstateRate, Jitter(b_.M(market_rate::kOneYear) + 0.75, 0.25));

  b_.SetD(kExpenseA, growth_ * b_.V(value::kExpenseA));
  b_.SetD(kExpenseB, growth_ * b_.V(value::kExpenseB));
  b_.SetD(kExpenseC, growth_ * b_.V(value::kExpenseC));
  const double net_interest =
      b_.V(value::kTotalInterestIncome) + b_.V(value::kTotalInterestExpense);
  b_.SetD(kExpenseB, Max(Min(b_.D(kExpenseB), 0.075 * net_interest), 0.2));
  b_.SetD(kExpenseC, Max(Min(b_.D(kExpenseC), 0.075 * net_interest), 0.2));

  const double premises = b_.A(amount::kPremises);
  b_.SetD(kPremises, Min(Max(growth_ * premises, premises), b_.A(amount::kTotalAssets) * 0.04));
  b_.SetD(kDividendPerShare,
          Jitter(Max(CheckedDivide(0.4 * b_.V(value::kNetIncome), b_.V(value::kSharesOutstanding)),
                     0.5 * b_.V(value::kDividendPerShare)),
                 0.01));
  b_.SetD(kHomeEquityLoanRate, Jitter(b_.M(market_rate::kMortgage) + 1.0, 0.25));
  b_.SetD(kHomeEquityFee, Jitter(100.0 * b_.V(value::kHomeEquityFeeRate), 0.1));
  b_.SetD(kExpenseD, growth_ * b_.V(value::kExpenseD));
}

void ComputerBank::SteerByIndustry() {
  using namespace decision;
  const double expert = Truth(level_ == 3);
  const double prime = b_.M(market_rate::kPrime);
  b_.SetD(kCommercialLoanRate,
          Jitter(Max(b_.I(industry::kCommercialLoanRate) + expert * 0.05, prime), 0.05));
  b_.SetD(kConsumerLoanRate,
          Jitter(Max(b_.I(industry::kConsumerLoanRate) - expert * 0.5, prime + 3.0), 0.25));
  b_.SetD(kFixedRealEstateRate, Jitter(Max(b_.I(industry::kFixedRealEstateRate) + level_ * 0.1,
                                           b_.V(value::kTwentyYearNoteRate)),
                                       0.25));
  b_.SetD(kFloatingRealEstateRate,
          Jitter(Max(b_.I(industry::kFloatingRealEstateRate) + level_ * 0.1,
                     b_.M(market_rate::kOneYear) + (level_ + 1) * 0.25),
                 0.25));

  // Spending follows growth, within shares of the net interest.
  const double net_interest =
      b_.V(value::kTotalInterestIncome) + b_.V(value::kTotalInterestExpense);
  b_.SetD(kExpenseA, Max(Jitter(Min(Max(b_.V(value::kExpenseA) * growth_, 0.3 * net_interest),
                                    0.45 * net_interest),
                                0.05),
                         1.0));
  for (const int item : {kExpenseB, kExpenseC}) {
    const int last = item == kExpenseB ? value::kExpenseB : value::kExpenseC;
    b_.SetD(
        item,
        Max(Jitter(Min(Max(b_.V(last) * growth_, 0.05 * net_interest), 0.075 * net_interest), 0.05),
            0.2));
  }

  const double assets = b_.A(amount::kTotalAssets);
  b_.SetD(kPremises,
          Jitter(Min(Max(b_.A(amount::kPremises) * growth_ + 0.25, assets * 0.01), assets * 0.04),
                 0.25));

  const double shares = b_.V(value::kSharesOutstanding);
  const double net_income = b_.V(value::kNetIncome);
  const double last_dividend = b_.V(value::kDividendPerShare);
  const double payout = Min(Max(CheckedDivide(0.4 * net_income, shares), last_dividend),
                            CheckedDivide(0.6 * net_income, shares));
  b_.SetD(kDividendPerShare, Jitter(Max(payout, 0.6 * last_dividend), 0.01));

  b_.SetD(kHomeEquityLoanRate, Jitter(Max(b_.I(industry::kHomeEquityLoanRate) + level_ * 0.1,
                                          b_.M(market_rate::kMortgage) + 1.0),
                                      0.25));
  b_.SetD(
      kHomeEquityFee,
      Jitter(Max(100.0 * b_.V(value::kHomeEquityFeeRate), b_.I(industry::kHomeEquityFee)), 0.05));
  b_.SetD(
      kExpenseD,
      Max(Jitter(Min(Max(b_.V(value::kExpenseD) * growth_, b_.D(kPremises) / 0.5), 0.5 * payout),
                 0.05),
          0.5));
}

// Capital well above the requirement and spare cash: buy back shares, then bring the notes to
// the ceiling of the smaller equity, retiring the excess or issuing into the room left.
void ComputerBank::ReturnSurplusCapital(double capital_multiple) {
  if (!(funds_position_ > 0 && capital_multiple > 1.6)) {
    return;
  }
  const double required = 1.2 * b_.E(environment::kMinCapital) / 100.0;
  const double note_share = b_.E(environment::kMaxCapitalNotes) / 100.0;
  const double equity = b_.A(amount::kEquity);
  const double notes = b_.A(amount::kCapitalNotes);
  const double base = b_.A(amount::kTotalAssets) - notes + note_share * equity;
  const double repurchase =
      CheckedDivide(b_.A(amount::kPaidInCapital) - required * base + note_share * equity,
                    1.0 - required * (1.0 + note_share) + note_share);
  if (!(repurchase > 0.0)) {
    return;
  }
  b_.SetD(decision::kSharesRepurchased, repurchase);
  const double excess_notes = notes - note_share * (equity - repurchase);
  if (excess_notes > 0.0) {
    b_.SetD(decision::kNotesRetired, excess_notes);
  } else {
    b_.SetD(decision::kTwentyYearNoteIssue, -excess_notes);
  }
  funds_position_ = ToAmount(funds_position_ - repurchase - excess_notes);
}

// Volume limits that take on no more than 110 % of each loan book's run-off.
void ComputerBank::LimitLoanVolumes() {
  const auto replace = [&](int item, int run_off) {
    b_.SetD(item, Max(10.0, 1.1 * b_.A(run_off)));
  };
  replace(decision::kCommercialLoanLimit, amount::kCommercialRunOff);
  replace(decision::kConsumerLoanLimit, amount::kConsumerRunOff);
  replace(decision::kRealEstateLoanLimit, amount::kRealEstateRunOff);
  replace(decision::kHomeEquityLoanLimit, amount::kHomeEquityRunOff);
}

// Moves the rates by `shift`, cuts the certificate rate and takes no more certificates than
// mature.
void ComputerBank::ShiftAndCapCertificates(double shift, double certificate_cut) {
  Shift(shift);
  b_.AddD(decision::kCdRate, -certificate_cut);
  b_.SetD(decision::kCdLimit, b_.A(amount::kCertificateRunOff));
}

void ComputerBank::CoverShortfall(double loan_ratio, double certificate_ratio) {
  using namespace decision;
  const double run_off = b_.A(amount::kSecuritiesRunOff);
  const double saleable_securities = b_.A(amount::kSecurities) - run_off;
  const double saleable_loans = b_.A(amount::kRealEstateLoans) - b_.A(amount::kRealEstateRunOff);
  const bool certificate_heavy = certificate_ratio > 0.4;
  const double position = funds_position_;

  if (loan_ratio > 0.9) {
    b_.ScaleD(kExpenseB, 1.3);
    b_.ScaleD(kExpenseC, 0.7);
    LimitLoanVolumes();
    Sales(Max(Min(-run_off - position, saleable_loans), 0.0));
    b_.ScaleD(kPremises, 1.1);
    if (certificate_heavy) {
      ShiftAndCapCertificates(0.75, 0.25);
    } else {
      Shift(0.5);
    }
  } else if (loan_ratio < 0.65) {
    Buy(Max(run_off + position, 0.0), Max(Min(-run_off - position, saleable_securities), 0.0));
    if (certificate_heavy) {
      ShiftAndCapCertificates(0.25, 0.25);
    }
  } else {
    b_.ScaleD(kExpenseB, 1.2);
    b_.ScaleD(kExpenseC, 0.8);
    LimitLoanVolumes();
    const double sell = Max(Min(-run_off - position, saleable_securities), 0.0);
    Buy(Max(run_off + position, 0.0), sell);
    funds_position_ = ToAmount(position + sell);
    Sales(Max(Min(-run_off - funds_position_, saleable_loans), 0.0));
    if (certificate_heavy) {
      ShiftAndCapCertificates(0.5, 0.25);
    } else {
      Shift(0.25);
    }
  }
}

void ComputerBank::PlaceSurplus(double loan_ratio, double certificate_ratio) {
  using namespace decision;
  const double run_off = b_.A(amount::kSecuritiesRunOff);
  const double maturing_certificates = b_.A(amount::kCertificateRunOff);
  const bool certificate_heavy = certificate_ratio > 0.4;
  const double position = funds_position_;

  if (loan_ratio > 0.9) {
    b_.ScaleD(kExpenseB, 1.2);
    b_.ScaleD(kExpenseC, 0.8);
    Buy(run_off + position, 0.0);
    if (certificate_heavy) {
      ShiftAndCapCertificates(0.5, 0.5);
    } else {
      Shift(0.5);
    }
  } else if (loan_ratio < 0.65) {
    b_.ScaleD(kExpenseB, 0.8);
    b_.ScaleD(kExpenseC, 1.2);
    if (certificate_heavy) {
      // Let certificates run off, replaced only by what the cash cannot cover.
      b_.AddD(kCdRate, -0.75);
      b_.SetD(kCdLimit, Max(maturing_certificates - position - run_off, 0.0));
      Buy(Max(run_off + position - maturing_certificates + b_.D(kUnsetItem), 0.0), 0.0);
    } else {
      ShiftAndCapCertificates(-0.25, 0.25);
      Buy(run_off + position, 0.0);
    }
  } else {
    Buy(run_off + position, 0.0);
    if (certificate_heavy) {
      ShiftAndCapCertificates(0.25, 0.5);
    }
  }
}

}  // namespace

Proceed ComputerDecisions(Session& session) {
  session.game.BankDiskFlag = 0;
  try {
    for (int bank = 1; bank <= session.game.NumBanks; ++bank) {
      const int source = session.DecisionSource(bank);
      if (source >= kFirstComputerSource) {
        ComputerBank(session, bank, source - kFirstComputerSource + 1).Decide();
      }
    }
    session.ProceedOk = Proceed::kGoOn;
  } catch (const RuntimeError& error) {
    ReportRuntimeError(session, "Sub ComputerDecisions", error.number());
    session.ProceedOk = Proceed::kStop;
  }
  return session.ProceedOk;
}

}  // namespace qv
