#pragma once

// Names of the items of the game tables. Each constant's value is the item number the game
// files use, so `amounts(b, amount::TotalAssets)` is still "item 1" to a reader of the books.
// Items without a meaning of their own are used by number.

namespace qv {

// Decision(b, item): the bank's decisions for the quarter. Rates in percent per year.
namespace decision {
inline constexpr int kCheckingRate = 1;
inline constexpr int kSavingsRate = 2;
inline constexpr int kTimeDepositRate = 3;      // one-year (4-quarter) offer
inline constexpr int kLongTimeDepositRate = 4;  // five-year (20-quarter) offer
inline constexpr int kCdRate = 5;
inline constexpr int kCommercialLoanRate = 6;  // loan kind 3
inline constexpr int kConsumerLoanRate = 7;    // loan kind 4
inline constexpr int kFixedRealEstateRate = 8;
inline constexpr int kFloatingRealEstateRate = 9;
inline constexpr int kPremises = 13;
inline constexpr int kDividendPerShare = 14;
inline constexpr int kHomeEquityLoanRate = 15;  // loan kind 6
inline constexpr int kHomeEquityFee = 16;       // percent on new kind-6 loans
inline constexpr int kPurchasedFundsLimit = 20;
inline constexpr int kCentralBankLimit = 21;
inline constexpr int kFirstSecurityPurchase = 22;  // 22..26
inline constexpr int kFirstSecuritySale = 27;      // 27..32, by maturity band
inline constexpr int kFixedLoanSale = 33;
inline constexpr int kFloatingLoanSale = 34;
inline constexpr int kFirstNoteIssue = 35;  // 35..37: 5, 10 and 20 years
inline constexpr int kNotesRetired = 38;
inline constexpr int kSharesIssued = 41;
inline constexpr int kSharesRepurchased = 42;
inline constexpr int kFirstVolumeLimit = 43;  // 43..48
inline constexpr int kCount = 63;
// Not a decision: the value of a policy limit that is not set.
inline constexpr double kNoLimit = 999;
}  // namespace decision

// BankAmounts(b, item): balance-sheet amounts, flows and profile sums, whole numbers.
namespace amount {
inline constexpr int kTotalAssets = 1;
inline constexpr int kCashAndReserves = 2;
inline constexpr int kOvernightInvestments = 3;
inline constexpr int kSecurities = 4;
inline constexpr int kLoans = 5;
inline constexpr int kPremises = 6;
inline constexpr int kDeposits = 7;
inline constexpr int kPurchasedFunds = 8;
inline constexpr int kCentralBankBorrowing = 9;
inline constexpr int kCapitalNotes = 10;
inline constexpr int kEquity = 11;
inline constexpr int kPaidInCapital = 12;
inline constexpr int kRetainedEarnings = 13;
inline constexpr int kRequiredReserves = 25;
inline constexpr int kSecondaryReserves = 26;
inline constexpr int kFloat = 27;
inline constexpr int kCommercialLoans = 32;
inline constexpr int kConsumerLoans = 37;
inline constexpr int kRealEstateLoans = 43;
inline constexpr int kCheckingDeposits = 45;
inline constexpr int kSavingsDeposits = 47;
inline constexpr int kTimeDeposits = 52;
inline constexpr int kCertificates = 57;
inline constexpr int kDividends = 61;
inline constexpr int kMarketValueOfEquity = 94;
inline constexpr int kShortfallFlag = 108;
inline constexpr int kHomeEquityLoans = 129;
inline constexpr int kCount = 168;
}  // namespace amount

// BankValues(b, item): rates, yields, income statement, share price and ratios.
namespace value {
inline constexpr int kSharePrice = 1;
inline constexpr int kBookValuePerShare = 2;
inline constexpr int kEarningsPerShare = 3;
inline constexpr int kPriceEarningsRatio = 4;
inline constexpr int kReturnOnEquity = 5;
inline constexpr int kReturnOnAssets = 6;
inline constexpr int kDividendPerShare = 7;
inline constexpr int kCapitalRatio = 8;
inline constexpr int kSharesOutstanding = 42;
inline constexpr int kTotalInterestIncome = 46;
inline constexpr int kTotalInterestExpense = 47;
inline constexpr int kNonInterestExpense = 48;
inline constexpr int kIncomeTax = 49;
inline constexpr int kSecurityGains = 50;
inline constexpr int kNetIncome = 51;
inline constexpr int kSmoothedCapitalRatio = 80;
inline constexpr int kCount = 121;
}  // namespace value

// Environment(item): the regulation and the game's parameters.
namespace environment {
inline constexpr int kMaxCommercialLoanRate = 1;
inline constexpr int kMaxConsumerLoanRate = 2;
inline constexpr int kMaxRealEstateLoanRate = 3;
inline constexpr int kMaxCheckingRate = 4;
inline constexpr int kMaxSavingsRate = 5;
inline constexpr int kMaxTimeDepositRate = 6;
inline constexpr int kMaxCdRate = 7;
inline constexpr int kCheckingReserve = 8;
inline constexpr int kSavingsReserve = 9;
inline constexpr int kTimeDepositReserve = 10;
inline constexpr int kCdReserve = 11;
inline constexpr int kMinCapital = 12;
inline constexpr int kMaxCentralBankBorrowing = 13;
inline constexpr int kMaxCapitalNotes = 14;
inline constexpr int kMaxHomeEquityFee = 16;
inline constexpr int kMaxHomeEquityLoanRate = 17;
inline constexpr int kTaxRate = 18;
inline constexpr int kCount = 84;
}  // namespace environment

}  // namespace qv
