#include <algorithm>

#include "data/Items.h"
#include "engine/BankBooks.h"
#include "engine/CloseStages.h"
#include "engine/MarketValues.h"
#include "engine/ProfileMath.h"
#include "engine/RepricingTable.h"
#include "platform/Numeric.h"

namespace qv {
namespace {

constexpr int kBands = 5;  // four one-year bands and everything longer

constexpr int AssetBand(int band) {
  return amount::kFirstAssetBand + band - 1;
}
constexpr int AssetBandRate(int band) {
  return value::kFirstAssetBandRate + band - 1;
}
constexpr int LiabilityBand(int band) {
  return amount::kFirstLiabilityBand + band - 1;
}
constexpr int LiabilityBandRate(int band) {
  return value::kFirstLiabilityBandRate + band - 1;
}

double SumOfBuckets(BankBooks& books, int first, int last) {
  double sum = 0.0;
  for (int k = first; k <= last; ++k) {
    sum += books.PA(k);
  }
  return sum;
}

RateBand BandOfBuckets(BankBooks& books, int first, int last) {
  RateBand band;
  for (int k = first; k <= last; ++k) {
    band.Merge(books.PA(k), books.PY(k));
  }
  return band;
}

// What an amortising ladder pays back next quarter: its first bucket matures, and every later
// bucket k repays its annuity share over the k - first quarters it has left, rounded step by
// step as the roll-forward will round it.
double NextQuarterRepayment(BankBooks& books, int first, int last) {
  double repaid = books.PA(first);
  for (int k = first + 1; k <= last; ++k) {
    repaid = ToAmount(repaid + AnnuityRepayment(books.PA(k), books.PY(k) / 400.0, k - first));
  }
  return repaid;
}

// The maturity profile starts from the securities (assets) and time deposits (liabilities)
// maturing in each band of four quarters; the securities beyond five years join band 5.
void OpenMaturityBands(BankBooks& books) {
  for (int band = 1; band <= kBands; ++band) {
    const int first = 4 * band - 3;
    const RateBand securities = BandOfBuckets(books, first, first + 3);
    const RateBand deposits = BandOfBuckets(books, first + 41, first + 44);
    books.BA(amount::kFirstSecurityBand + band - 1) = ToAmount(securities.amount);
    books.BV(value::kFirstSecurityBandRate + band - 1) = securities.rate;
    books.BA(AssetBand(band)) = ToAmount(securities.amount);
    books.BV(AssetBandRate(band)) = securities.rate;
    books.BA(LiabilityBand(band)) = ToAmount(deposits.amount);
    books.BV(LiabilityBandRate(band)) = deposits.rate;
  }
  const RateBand beyond = BandOfBuckets(books, 21, 25);
  books.BA(amount::kSecuritiesBeyond5Years) = ToAmount(beyond.amount);
  books.BV(value::kSecuritiesBeyond5YearsRate) = beyond.rate;
  MergeIntoBand(books, AssetBand(kBands), AssetBandRate(kBands),
                books.BA(amount::kSecuritiesBeyond5Years),
                books.BV(value::kSecuritiesBeyond5YearsRate));
}

void ProfileSecuritiesAndTimeDeposits(BankBooks& books) {
  books.BV(value::kSecuritiesYield) =
      AnnualisedRate(books.BV(value::kSecuritiesInterest), books.BA(amount::kSecurities));
  books.BV(value::kTimeDepositCost) =
      AnnualisedRate(books.BV(value::kTimeDepositInterest), books.BA(amount::kTimeDeposits));

  // The first band less the bucket that matures next quarter.
  books.BA(amount::kSecuritiesRunOff) = books.PA(lot::kFirstSecurity);
  books.BV(value::kSecuritiesRunOffRate) = books.PY(1);
  const double first_band = books.BA(amount::kFirstSecurityBand);
  const double run_off = books.BA(amount::kSecuritiesRunOff);
  books.BA(amount::kSecurities2To4Quarters) = ToAmount(first_band - run_off);
  const double rest = books.BA(amount::kSecurities2To4Quarters);
  books.BV(value::kSecurities2To4QuartersRate) =
      rest == 0.0 ? 0.0
                  : (first_band * books.BV(value::kFirstSecurityBandRate) -
                     run_off * books.BV(value::kSecuritiesRunOffRate)) /
                        rest;

  books.BA(amount::kTimeDepositRunOff) = books.PA(lot::kFirstTimeDeposit);
  books.BA(amount::kFirstTimeDepositBand) = ToAmount(SumOfBuckets(books, 43, 45));
  for (int band = 2; band <= kBands; ++band) {
    const int first = 41 + 4 * band - 3;
    books.BA(amount::kFirstTimeDepositBand + band - 1) =
        ToAmount(SumOfBuckets(books, first, first + 3));
  }
}

void ProfileShortLoansAndCertificates(BankBooks& books) {
  for (int k = 26; k <= 29; ++k) {
    MergeIntoBand(books, AssetBand(1), AssetBandRate(1), books.PA(k), books.PY(k));
  }
  books.BA(amount::kCommercialRunOff) = books.PA(lot::kFirstCommercialLoan);
  books.BV(value::kCommercialLoanYield) =
      AnnualisedRate(books.BV(value::kCommercialLoanInterest), books.BA(amount::kCommercialLoans));

  const RateBand certificates = BandOfBuckets(books, 62, 63);
  MergeIntoBand(books, LiabilityBand(1), LiabilityBandRate(1), certificates.amount,
                certificates.rate);
  books.BA(amount::kCertificateRunOff) = books.PA(lot::kFirstCertificate);
  books.BV(value::kCertificateCost) =
      AnnualisedRate(books.BV(value::kCertificateInterest), books.BA(amount::kCertificates));
}

// Amortising loans: quarterly buckets in groups of four, one group per band; groups beyond
// the fifth stay in band 5.
void ProfileAmortisingLoans(BankBooks& books, int first, int groups) {
  for (int group = 1; group <= groups; ++group) {
    const int from = first + 4 * (group - 1);
    const RateBand loans = BandOfBuckets(books, from, from + 3);
    const int band = std::min(group, kBands);
    MergeIntoBand(books, AssetBand(band), AssetBandRate(band), loans.amount, loans.rate);
  }
}

void ProfileInstalmentLoans(BankBooks& books) {
  ProfileAmortisingLoans(books, 30, 3);
  books.BA(amount::kConsumerRunOff) = ToAmount(NextQuarterRepayment(books, 30, 41));
  books.BV(value::kConsumerLoanYield) =
      AnnualisedRate(books.BV(value::kConsumerLoanInterest), books.BA(amount::kConsumerLoans));

  ProfileAmortisingLoans(books, 64, 10);
  books.BA(amount::kHomeEquityRunOff) = ToAmount(NextQuarterRepayment(books, 64, 103));
  books.BV(value::kHomeEquityLoanYield) =
      AnnualisedRate(books.BV(value::kHomeEquityLoanInterest), books.BA(amount::kHomeEquityLoans));
}

// Long loans and capital notes by year of maturity. Floating loans reprice with the base rate,
// so all of them sit in band 1 at today's base plus their margin.
void ProfileLongLoansAndNotes(BankBooks& books) {
  const double floating_base = books.context.FloatingBase;
  for (int year = 1; year <= 20; ++year) {
    const int band = std::min(year, kBands);
    MergeIntoBand(books, AssetBand(band), AssetBandRate(band), books.LA(year), books.LR(year));
    MergeIntoBand(books, AssetBand(1), AssetBandRate(1), books.LA(year + 20),
                  floating_base + books.LR(year + 20));
    MergeIntoBand(books, LiabilityBand(band), LiabilityBandRate(band), books.LA(year + 40),
                  books.LR(year + 40));
  }

  // Next quarter's repayments, with the quarters each yearly bucket will then have left. What
  // the balance holds beyond its ladder runs off as well.
  int next_season = (books.context.session.game.ResultsQuarter + 1) % 4;
  if (next_season == 0) {
    next_season = 4;
  }
  double loans = 0.0;
  double loan_repayment = 0.0;
  double notes = 0.0;
  double note_repayment = 0.0;
  for (int year = 1; year <= 20; ++year) {
    const int quarters_left = 4 * year - next_season + 1;
    loans += books.LA(year) + books.LA(year + 20);
    loan_repayment +=
        AnnuityRepayment(books.LA(year), books.LR(year) / 400.0, quarters_left) +
        AnnuityRepayment(books.LA(year + 20), (books.LR(year + 20) + floating_base) / 400.0,
                         quarters_left);
    notes += books.LA(year + 40);
    note_repayment += books.LA(year + 40) / quarters_left;
  }
  books.BA(amount::kRealEstateRunOff) =
      ToAmount(Max(books.BA(amount::kRealEstateLoans) - loans + loan_repayment, 0.0));
  books.BA(amount::kCapitalNoteRunOff) =
      ToAmount(Max(books.BA(amount::kCapitalNotes) - notes + note_repayment, 0.0));
}

void AverageRates(BankBooks& books) {
  books.BV(value::kFixedRealEstateYield) = AnnualisedRate(books.BV(value::kFixedRealEstateInterest),
                                                          books.BA(amount::kFixedRealEstateLoans));
  books.BV(value::kFloatingRealEstateYield) = AnnualisedRate(
      books.BV(value::kFloatingRealEstateInterest), books.BA(amount::kFloatingRealEstateLoans));
  books.BV(value::kRealEstateLoanYield) =
      AnnualisedRate(books.BV(value::kRealEstateLoanInterest), books.BA(amount::kRealEstateLoans));
  books.BV(value::kCapitalNoteCost) =
      AnnualisedRate(books.BV(value::kCapitalNoteInterest), books.BA(amount::kCapitalNotes));
  const double checking_rate = books.D(decision::kCheckingRate);
  const double savings_rate = books.D(decision::kSavingsRate);
  books.BV(value::kCheckingCost) = books.BA(amount::kCheckingDeposits) != 0 ? checking_rate : 0.0;
  books.BV(value::kSavingsCost) = books.BA(amount::kSavingsDeposits) != 0 ? savings_rate : 0.0;

  // Demand deposits and borrowed money reprice at once: they join liability band 1.
  const Table<double, 10>& rates = books.tables.MarketRates;
  const double checking = books.BA(amount::kCheckingDeposits);
  const double savings = books.BA(amount::kSavingsDeposits);
  const double purchased = books.BA(amount::kPurchasedFunds);
  const double borrowed = books.BA(amount::kCentralBankBorrowing);
  const double short_funds = checking + savings + purchased + borrowed;
  if (short_funds > 0.0) {
    const double band = books.BA(LiabilityBand(1));
    double& band_rate = books.BV(LiabilityBandRate(1));
    band_rate = CheckedDivide(band * band_rate + checking * checking_rate + savings * savings_rate +
                                  purchased * rates(market_rate::kOvernight) +
                                  borrowed * rates(market_rate::kCentralBank),
                              band + short_funds);
    books.BA(LiabilityBand(1)) = ToAmount(band + short_funds);
  }
  MergeIntoBand(books, AssetBand(1), AssetBandRate(1), books.BA(amount::kOvernightInvestments),
                rates(market_rate::kOvernight));

  const double earning_assets = static_cast<double>(books.BA(amount::kOvernightInvestments)) +
                                books.BA(amount::kSecurities) + books.BA(amount::kLoans);
  books.BV(value::kEarningAssetYield) =
      AnnualisedRate(books.BV(value::kTotalInterestIncome), earning_assets);
  const double funding = static_cast<double>(books.BA(amount::kDeposits)) + purchased + borrowed +
                         books.BA(amount::kCapitalNotes);
  books.BV(value::kCostOfFunds) = -AnnualisedRate(books.BV(value::kTotalInterestExpense), funding);
}

// Cash at hand and what comes in next quarter against the funds that may leave within it.
void MeasureLiquidity(BankBooks& books) {
  const Table<double, 84>& environment = books.tables.Environment;
  books.BA(amount::kLiquidAssets) =
      ToAmount(static_cast<double>(books.BA(amount::kCashAndReserves)) +
               books.BA(amount::kOvernightInvestments) + books.BA(amount::kSecuritiesRunOff) +
               books.BA(amount::kRealEstateLoans));
  const double demand_deposits =
      static_cast<double>(books.BA(amount::kCheckingDeposits)) + books.BA(amount::kSavingsDeposits);
  books.BA(amount::kLiquidityNeeds) = ToAmount(
      static_cast<double>(books.BA(amount::kPurchasedFunds)) +
      books.BA(amount::kCentralBankBorrowing) +
      environment(environment::kTimeDepositOutflow) * books.BA(amount::kTimeDepositRunOff) +
      environment(environment::kCertificateOutflow) * books.BA(amount::kCertificateRunOff) +
      environment(environment::kDemandDepositOutflow) * demand_deposits +
      books.BA(amount::kCapitalNoteRunOff));
  books.BA(amount::kNetLiquidity) = ToAmount(static_cast<double>(books.BA(amount::kLiquidAssets)) -
                                             books.BA(amount::kLiquidityNeeds));
  books.BV(value::kNetLiquidityRatio) =
      CheckedDivide(books.BA(amount::kNetLiquidity), books.BA(amount::kTotalAssets));
}

}  // namespace

void ComputeYieldsAndProfiles(EngineContext& context, int bank, Portfolio& lots) {
  BankBooks books(context, bank, lots);
  OpenMaturityBands(books);
  ProfileSecuritiesAndTimeDeposits(books);
  ProfileShortLoansAndCertificates(books);
  ProfileInstalmentLoans(books);
  ProfileLongLoansAndNotes(books);
  AverageRates(books);
  FillRepricingTable(books);
  ValueSecuritiesAndLoans(books);
  MeasureLiquidity(books);
}

}  // namespace qv
