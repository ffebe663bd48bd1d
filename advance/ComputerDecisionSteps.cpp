#include "advance/ComputerDecisionSteps.h"

#include "data/Items.h"
#include "platform/Random.h"

namespace qv {

namespace {

// Security bands 1..6 as sales decisions 27..32 number them: the book value of band k is
// amount 64 for k = 1 (buckets 2..4; bucket 1 matures by itself) and 64 + k above it, its
// market value amount 82 + k.
constexpr int kSaleBands = 6;

int BandBook(int band) {
  return band == 1 ? amount::kSecurities2To4Quarters : amount::kSecurities2To4Quarters + band;
}
int BandMarketValue(int band) {
  return amount::kFirstSecurityMarketValue - 1 + band;
}
int BandSale(int band) {
  return decision::kFirstSecuritySale - 1 + band;
}

constexpr int kPurchaseMaturities = 4;  // items 22..25; item 26 stays 0

}  // namespace

void SetCapitalDecisions(Session& session, int bank, int level) {
  const DecisionBooks b(session.tables, bank);
  const double factor = 1.0 + (level + 1) / 10.0;
  const double note_share = b.E(environment::kMaxCapitalNotes) / 100.0;
  const double shortfall =
      factor * b.A(amount::kTotalAssets) * b.E(environment::kMinCapital) / 100.0 -
      b.A(amount::kEquity) - b.A(amount::kCapitalNotes);
  const double note_room = b.A(amount::kEquity) * note_share - b.A(amount::kCapitalNotes);

  // Notes first, up to their ceiling; the rest as new shares, each of which also raises the
  // ceiling by note_share, so the notes grow with them.
  b.SetD(decision::kTwentyYearNoteIssue, Max(0.0, Min(shortfall, note_room)));
  b.SetD(decision::kSharesIssued,
         CheckedDivide(shortfall - b.D(decision::kTwentyYearNoteIssue), 1.0 + note_share));
  b.AddD(decision::kTwentyYearNoteIssue, note_share * b.D(decision::kSharesIssued));
}

std::int16_t MeasureFunds(Session& session, int bank) {
  const DecisionBooks b(session.tables, bank);
  const double assets = b.A(amount::kTotalAssets);
  const double net_overnight = b.A(amount::kOvernightInvestments) - b.A(amount::kPurchasedFunds) -
                               b.A(amount::kCentralBankBorrowing);
  const double surplus_cushion = ToAmount(Min(20.0, assets * 0.02));
  const double band_floor = ToAmount(Min(150.0, assets * 0.15));
  const double shortfall_cushion = ToAmount(Min(200.0, assets * 0.2));

  if (net_overnight > surplus_cushion) {
    return ToAmount(net_overnight - surplus_cushion);
  }
  if (net_overnight < -shortfall_cushion) {
    return ToAmount(net_overnight + shortfall_cushion);
  }
  return net_overnight >= -band_floor ? 0 : -1;
}

void SetPortfolioDecisions(Session& session, int bank, int level, double buy, double sell) {
  const DecisionBooks b(session.tables, bank);
  const double purchase = ToAmount(buy);
  for (int k = 0; k < kPurchaseMaturities; ++k) {
    b.SetD(decision::kFirstSecurityPurchase + k, purchase / 4.0);
  }

  if (level == 3) {
    double to_sell = ToAmount(sell);
    for (int band = kSaleBands; band >= 1; --band) {
      const double market_value = b.A(BandMarketValue(band));
      const double share = market_value > 0.0 ? Min(1.0, to_sell / market_value) : 0.0;
      b.SetD(BandSale(band), share * b.A(BandBook(band)));
      to_sell = ToAmount(Max(0.0, to_sell - share * market_value));
    }
    return;
  }

  const double saleable = Max(1.0, b.A(amount::kSecurities) - b.A(amount::kSecuritiesRunOff));
  const double share = Min(1.0, sell / saleable);
  for (int band = 1; band <= kSaleBands; ++band) {
    b.SetD(BandSale(band), share * b.A(BandBook(band)));
  }
}

void SetLoanSales(Session& session, int bank, double amount) {
  const DecisionBooks b(session.tables, bank);
  b.SetD(decision::kFixedLoanSale, Min(amount, b.A(amount::kFixedRealEstateLoans)));
  b.SetD(decision::kFloatingLoanSale,
         Min(amount - b.D(decision::kFixedLoanSale), b.A(amount::kFloatingRealEstateLoans)));
}

void ShiftRates(Session& session, int bank, double delta) {
  const DecisionBooks b(session.tables, bank);
  using namespace decision;
  for (const int item :
       {kCheckingRate, kSavingsRate, kTimeDepositRate, kLongTimeDepositRate, kCommercialLoanRate,
        kConsumerLoanRate, kFixedRealEstateRate, kFloatingRealEstateRate, kHomeEquityLoanRate}) {
    b.AddD(item, delta);
  }
  b.SetD(kHomeEquityFee, Max(b.D(kHomeEquityFee) + delta / 5.0, 0.0));
}

double DecisionJitter(Random& random, double center, double spread) {
  const float factor = 1.0F - 2.0F * random.Next();
  return center + spread * static_cast<double>(factor);
}

}  // namespace qv
