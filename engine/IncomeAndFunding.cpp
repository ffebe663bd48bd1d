#include "data/Items.h"
#include "engine/BankBooks.h"
#include "engine/CloseStages.h"
#include "engine/Funding.h"
#include "platform/Numeric.h"

namespace qv {
namespace {

// Last quarter's value of a balance-sheet item 1..11.
int Previous(int item) {
  return item + amount::kPreviousTotalAssets - amount::kTotalAssets;
}

// A quarter's interest on quarterly lots first..last at their own yields.
double LotInterest(BankBooks& b, int first, int last) {
  double sum = 0.0;
  for (int k = first; k <= last; ++k) {
    sum += b.PY(k) * b.PA(k) / 400.0;
  }
  return sum;
}

// A quarter's interest on the twenty yearly buckets from `first`, at base + their rates.
double LoanBookInterest(BankBooks& b, int first, double base) {
  double sum = 0.0;
  for (int k = first; k < first + lot::kLoanYears; ++k) {
    sum += (base + b.LR(k)) * b.LA(k) / 400.0;
  }
  return sum;
}

double LoanBookTotal(BankBooks& b, int first) {
  double sum = 0.0;
  for (int k = first; k < first + lot::kLoanYears; ++k) {
    sum += b.LA(k);
  }
  return sum;
}

void BookIncomeStatement(BankBooks& b) {
  // Overnight investments exist only once this quarter's surplus is known; until then they
  // earn nothing, and last quarter's interest must not count again.
  b.BV(value::kOvernightInterest) = 0.0;
  b.BV(value::kSecuritiesInterest) = LotInterest(b, lot::kFirstSecurity, lot::kLastSecurity);
  b.BV(value::kCommercialLoanInterest) =
      LotInterest(b, lot::kFirstCommercialLoan, lot::kLastCommercialLoan);
  b.BV(value::kConsumerLoanInterest) =
      LotInterest(b, lot::kFirstConsumerLoan, lot::kLastConsumerLoan);
  b.BV(value::kFixedRealEstateInterest) = LoanBookInterest(b, lot::kFirstFixedLoan, 0.0);
  b.BV(value::kFloatingRealEstateInterest) =
      LoanBookInterest(b, lot::kFirstFloatingLoan, b.context.FloatingBase);
  b.BV(value::kRealEstateLoanInterest) =
      b.BV(value::kFixedRealEstateInterest) + b.BV(value::kFloatingRealEstateInterest);
  b.BV(value::kHomeEquityLoanInterest) =
      LotInterest(b, lot::kFirstHomeEquityLoan, lot::kLastHomeEquityLoan);
  b.BV(value::kTotalInterestIncome) =
      b.BV(value::kOvernightInterest) + b.BV(value::kSecuritiesInterest) +
      b.BV(value::kCommercialLoanInterest) + b.BV(value::kConsumerLoanInterest) +
      b.BV(value::kRealEstateLoanInterest) + b.BV(value::kHomeEquityLoanInterest);

  b.BV(value::kPurchasedFundsInterest) = 0.0;
  b.BV(value::kCentralBankInterest) = 0.0;
  b.BV(value::kCheckingInterest) =
      b.BA(amount::kCheckingDeposits) * static_cast<double>(b.D(decision::kCheckingRate)) / 400.0;
  b.BV(value::kSavingsInterest) =
      b.BA(amount::kSavingsDeposits) * static_cast<double>(b.D(decision::kSavingsRate)) / 400.0;
  b.BV(value::kTimeDepositInterest) = LotInterest(b, lot::kFirstTimeDeposit, lot::kLastTimeDeposit);
  b.BV(value::kCertificateInterest) = LotInterest(b, lot::kFirstCertificate, lot::kLastCertificate);
  b.BV(value::kCapitalNoteInterest) = LoanBookInterest(b, lot::kFirstCapitalNote, 0.0);
  b.BV(value::kTotalInterestExpense) =
      -(b.BV(value::kPurchasedFundsInterest) + b.BV(value::kCentralBankInterest) +
        b.BV(value::kCheckingInterest) + b.BV(value::kSavingsInterest) +
        b.BV(value::kTimeDepositInterest) + b.BV(value::kCertificateInterest) +
        b.BV(value::kCapitalNoteInterest));

  b.BV(value::kCheckingFees) = b.BV(value::kCheckingFeeRate) * b.BA(amount::kCheckingDeposits);
  b.BV(value::kCommercialLoanFees) =
      b.BV(value::kCommercialFeeRate) * b.BA(amount::kCommercialLoans);
  b.BV(value::kConsumerLoanFees) = b.BV(value::kConsumerFeeRate) * b.BA(amount::kConsumerLoans);
  b.BV(value::kRealEstateLoanFees) =
      b.BV(value::kRealEstateFeeRate) * b.BA(amount::kNewRealEstateLoans);
  b.BV(value::kHomeEquityFees) = static_cast<double>(b.D(decision::kHomeEquityFee)) / 100.0 *
                                 b.BA(amount::kNewHomeEquityLoans);
  b.BV(value::kNonInterestIncome) = b.BV(value::kCheckingFees) + b.BV(value::kCommercialLoanFees) +
                                    b.BV(value::kConsumerLoanFees) +
                                    b.BV(value::kRealEstateLoanFees) + b.BV(value::kHomeEquityFees);

  b.BV(value::kPremisesExpense) = b.BV(value::kPremisesCostRate) * b.BA(amount::kPremises);
  b.BV(value::kNonInterestExpense) =
      -(b.BV(value::kExpenseA) + b.BV(value::kExpenseBC) + b.BV(value::kPremisesExpense) +
        b.BV(value::kLoanLossProvision) + b.BV(value::kExpenseD));

  const double tax_rate = b.context.TaxRate;
  const double pre_tax = b.BV(value::kTotalInterestIncome) + b.BV(value::kTotalInterestExpense) +
                         b.BV(value::kNonInterestIncome) + b.BV(value::kNonInterestExpense);
  b.BV(value::kIncomeTax) = -tax_rate * pre_tax;
  b.BV(value::kSecurityGains) *= 1.0 - tax_rate;
  b.BV(value::kNetIncome) = pre_tax + b.BV(value::kIncomeTax) + b.BV(value::kSecurityGains);

  b.BA(amount::kFixedRealEstateLoans) = ToAmount(LoanBookTotal(b, lot::kFirstFixedLoan));
  b.BA(amount::kFloatingRealEstateLoans) = ToAmount(LoanBookTotal(b, lot::kFirstFloatingLoan));
}

// Required reserves against the deposits, the float counted on checking deposits; at least
// 10 units are kept in the required reserves.
void BookReserves(BankBooks& b) {
  const GameTables& t = b.tables;
  const double checking = b.BA(amount::kCheckingDeposits);
  b.BA(amount::kFloat) = ToAmount(9.0 * checking / 100.0);
  const double required =
      (t.Environment(environment::kCheckingReserve) * (checking - b.BA(amount::kFloat)) +
       t.Environment(environment::kSavingsReserve) * b.BA(amount::kSavingsDeposits) +
       t.Environment(environment::kTimeDepositReserve) * b.BA(amount::kTimeDeposits) +
       t.Environment(environment::kCdReserve) * b.BA(amount::kCertificates)) /
      100.0;
  b.BA(amount::kRequiredReserves) = ToAmount(Max(10.0, required / 3.0));
  b.BA(amount::kSecondaryReserves) = ToAmount(Max(required - b.BA(amount::kRequiredReserves), 0.0));
  b.BA(amount::kCashAndReserves) = ToAmount(
      b.BA(amount::kRequiredReserves) + b.BA(amount::kSecondaryReserves) + b.BA(amount::kFloat));
}

// Assets and liabilities before funding. Securities are carried on from last quarter's book
// figure, not summed from the lots.
void BookBalanceSheet(BankBooks& b) {
  b.BA(amount::kOvernightInvestments) = 0;
  b.BA(amount::kSecurities) = ToAmount(Max(
      static_cast<double>(b.BA(Previous(amount::kSecurities))) - b.BA(amount::kMaturedSecurities) -
          b.BA(amount::kSecuritiesSold) + b.BA(amount::kSecuritiesPurchased),
      0.0));
  b.BA(amount::kLoans) = ToAmount(b.BA(amount::kCommercialLoans) + b.BA(amount::kConsumerLoans) +
                                  b.BA(amount::kRealEstateLoans) + b.BA(amount::kHomeEquityLoans));
  b.BA(amount::kTotalAssets) =
      ToAmount(b.BA(amount::kCashAndReserves) + b.BA(amount::kOvernightInvestments) +
               b.BA(amount::kSecurities) + b.BA(amount::kLoans) + b.BA(amount::kPremises));
  b.BA(amount::kDeposits) =
      ToAmount(b.BA(amount::kCheckingDeposits) + b.BA(amount::kSavingsDeposits) +
               b.BA(amount::kTimeDeposits) + b.BA(amount::kCertificates));
  b.BA(amount::kPurchasedFunds) = 0;
  b.BA(amount::kCentralBankBorrowing) = 0;

  b.BA(amount::kDividends) =
      ToAmount(b.D(decision::kDividendPerShare) * b.BV(value::kSharesOutstanding));
  b.BA(amount::kRetainedEarnings) = ToAmount(b.BA(amount::kRetainedEarnings) +
                                             b.BV(value::kNetIncome) - b.BA(amount::kDividends));
  b.BA(amount::kEquity) = ToAmount(b.BA(amount::kPaidInCapital) + b.BA(amount::kRetainedEarnings));
  b.BA(amount::kShortfallFlag) = 0;
}

void BookSummary(BankBooks& b) {
  b.BV(value::kTaxesAndGains) = b.BV(value::kIncomeTax) + b.BV(value::kSecurityGains);
  b.BV(value::kNetInterestIncome) =
      b.BV(value::kTotalInterestIncome) + b.BV(value::kTotalInterestExpense);
  b.BA(amount::kNetIncomeRounded) = ToAmount(b.BV(value::kNetIncome));
}

// Sources and uses of funds: the quarter's change of each asset, of borrowed funds, deposits,
// capital notes and equity, and the money invested in overnight funds and securities.
void BookSourcesAndUses(BankBooks& b) {
  auto change = [&b](int item) { return static_cast<double>(b.BA(item)) - b.BA(Previous(item)); };
  for (int item = amount::kCashAndReserves; item <= amount::kPremises; ++item) {
    b.BA(amount::kFirstFundsChange + item - amount::kCashAndReserves) = ToAmount(change(item));
  }
  const int first = amount::kFirstFundsChange + 5;
  b.BA(first) = ToAmount(change(amount::kPurchasedFunds) + change(amount::kCentralBankBorrowing));
  b.BA(first + 1) = ToAmount(change(amount::kDeposits));
  b.BA(first + 2) = ToAmount(change(amount::kCapitalNotes));
  b.BA(first + 3) = ToAmount(change(amount::kEquity));
  b.BA(first + 4) = ToAmount(b.BA(amount::kOvernightInvestments) + b.BA(amount::kSecurities));
}

}  // namespace

void CloseIncomeAndFunding(EngineContext& context, int bank, Portfolio& lots) {
  BankBooks b(context, bank, lots);
  BookIncomeStatement(b);
  BookReserves(b);
  BookBalanceSheet(b);
  CloseFundingGap(b);
  BookSummary(b);
  BookSourcesAndUses(b);
}

}  // namespace qv
