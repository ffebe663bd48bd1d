#include "engine/RepricingTable.h"

#include <cstddef>
#include <vector>

#include "data/Items.h"
#include "engine/ProfileMath.h"
#include "platform/Numeric.h"

namespace qv {
namespace {

// Bands of the repricing table, by time to repricing.
enum Band { kUpTo3Months = 0, k3To12Months = 1, k1To5Years = 2, kOver5Years = 3 };

// One side of the table; every addition is rounded as it is stored.
class RepricingSide {
 public:
  RepricingSide(BankBooks& books, int first_item) : books_(books), first_item_(first_item) {}

  void Add(Band band, double amount) {
    std::int16_t& held = books_.BA(first_item_ + band);
    held = ToAmount(held + amount);
  }
  void AddBuckets(Band band, int first, int last) {
    double sum = 0.0;
    for (int k = first; k <= last; ++k) {
      sum += books_.PA(k);
    }
    Add(band, sum);
  }
  // Adds periods first..last (1-based) of a run-off schedule, one by one.
  void AddSchedule(Band band, const std::vector<double>& schedule, int first, int last) {
    for (int p = first; p <= last; ++p) {
      Add(band, schedule[static_cast<std::size_t>(p - 1)]);
    }
  }
  // A yearly schedule: the first year's run-off spreads over its four quarters.
  void AddYearlySchedule(const std::vector<double>& schedule) {
    Add(kUpTo3Months, schedule[0] / 4.0);
    Add(k3To12Months, 3.0 * schedule[0] / 4.0);
    AddSchedule(k1To5Years, schedule, 2, 5);
    AddSchedule(kOver5Years, schedule, 6, 20);
  }
  // The 1-5 year band holds what the other bands leave of total assets.
  void Close() {
    books_.BA(first_item_ + k1To5Years) =
        ToAmount(static_cast<double>(books_.BA(amount::kTotalAssets)) -
                 books_.BA(first_item_ + kUpTo3Months) - books_.BA(first_item_ + k3To12Months) -
                 books_.BA(first_item_ + kOver5Years));
  }

 private:
  BankBooks& books_;
  int first_item_;
};

std::vector<double> QuarterlyLadder(BankBooks& books, int first, int length) {
  std::vector<double> ladder;
  for (int k = first; k < first + length; ++k) {
    ladder.push_back(books.PA(k));
  }
  return ladder;
}

std::vector<double> YearlyLadder(BankBooks& books, int first) {
  std::vector<double> ladder;
  for (int k = first; k < first + 20; ++k) {
    ladder.push_back(books.LA(k));
  }
  return ladder;
}

void FillAssets(BankBooks& books) {
  RepricingSide assets(books, amount::kFirstRepricedAsset);
  assets.Add(kOver5Years, books.BA(amount::kCashAndReserves));
  assets.Add(kUpTo3Months, static_cast<double>(books.BA(amount::kOvernightInvestments)) +
                               books.PA(lot::kFirstSecurity));
  assets.AddBuckets(k3To12Months, 2, 4);
  assets.AddBuckets(k1To5Years, 5, 20);
  assets.AddBuckets(kOver5Years, 21, 25);
  assets.Add(kUpTo3Months, books.PA(lot::kFirstCommercialLoan));
  assets.AddBuckets(k3To12Months, 27, 29);

  const std::vector<double> instalments = RunOffSchedule(QuarterlyLadder(books, 30, 12));
  assets.Add(kUpTo3Months, instalments[0]);
  assets.AddSchedule(k3To12Months, instalments, 2, 4);
  assets.AddSchedule(k1To5Years, instalments, 5, 12);

  const std::vector<double> home_equity = RunOffSchedule(QuarterlyLadder(books, 64, 40));
  assets.Add(kUpTo3Months, home_equity[0]);
  assets.AddSchedule(k3To12Months, home_equity, 2, 4);
  assets.AddSchedule(k1To5Years, home_equity, 5, 20);
  assets.AddSchedule(kOver5Years, home_equity, 21, 40);

  assets.AddYearlySchedule(RunOffSchedule(YearlyLadder(books, 1)));
  // Floating loans reprice with the base rate within the year, whatever their maturity.
  assets.Add(k3To12Months, books.BA(amount::kFloatingRealEstateLoans));
  assets.Add(kOver5Years, books.BA(amount::kPremises));
  assets.Close();
}

void FillLiabilities(BankBooks& books) {
  RepricingSide liabilities(books, amount::kFirstRepricedLiability);
  liabilities.Add(k1To5Years, books.BA(amount::kCheckingDeposits));
  liabilities.Add(k3To12Months, books.BA(amount::kSavingsDeposits));
  liabilities.Add(kUpTo3Months, books.PA(lot::kFirstTimeDeposit));
  liabilities.AddBuckets(k3To12Months, 43, 45);
  liabilities.AddBuckets(k1To5Years, 46, 61);
  liabilities.Add(kUpTo3Months, books.PA(lot::kFirstCertificate));
  liabilities.Add(k3To12Months, books.PA(lot::kLastCertificate));
  liabilities.Add(kUpTo3Months, static_cast<double>(books.BA(amount::kPurchasedFunds)) +
                                    books.BA(amount::kCentralBankBorrowing));
  liabilities.AddYearlySchedule(RunOffSchedule(YearlyLadder(books, 41)));
  liabilities.Add(kOver5Years, books.BA(amount::kEquity));
  liabilities.Close();
}

}  // namespace

void FillRepricingTable(BankBooks& books) {
  for (int item = amount::kFirstRepricedAsset; item < amount::kFirstRepricingGap; ++item) {
    books.BA(item) = 0;
  }
  FillAssets(books);
  FillLiabilities(books);

  double cumulative = 0.0;
  for (int band = 0; band < 4; ++band) {
    books.BA(amount::kFirstRepricingGap + band) =
        ToAmount(static_cast<double>(books.BA(amount::kFirstRepricedAsset + band)) -
                 books.BA(amount::kFirstRepricedLiability + band));
    cumulative += books.BA(amount::kFirstRepricingGap + band);
    books.BA(amount::kFirstCumulativeGap + band) = ToAmount(cumulative);
  }
}

}  // namespace qv
