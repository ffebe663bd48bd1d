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
inline constexpr int kExpenseA = 10;  // 10, 11, 12 and 17: the four expense amounts
inline constexpr int kExpenseB = 11;
inline constexpr int kExpenseC = 12;
inline constexpr int kPremises = 13;
inline constexpr int kDividendPerShare = 14;
inline constexpr int kHomeEquityLoanRate = 15;  // loan kind 6
inline constexpr int kHomeEquityFee = 16;       // percent on new kind-6 loans
inline constexpr int kExpenseD = 17;
inline constexpr int kPurchasedFundsLimit = 20;
inline constexpr int kCentralBankLimit = 21;
inline constexpr int kFirstSecurityPurchase = 22;  // 22..26
inline constexpr int kFirstSecuritySale = 27;      // 27..32, by maturity band
inline constexpr int kFixedLoanSale = 33;
inline constexpr int kFloatingLoanSale = 34;
inline constexpr int kFirstNoteIssue = 35;  // 35..37: 5, 10 and 20 years
inline constexpr int kTwentyYearNoteIssue = 37;
inline constexpr int kNotesRetired = 38;
inline constexpr int kSharesIssued = 41;
inline constexpr int kSharesRepurchased = 42;
inline constexpr int kFirstVolumeLimit = 43;  // 43..48
inline constexpr int kCommercialLoanLimit = 43;
inline constexpr int kConsumerLoanLimit = 44;
inline constexpr int kRealEstateLoanLimit = 45;
inline constexpr int kTimeDepositLimit = 46;
inline constexpr int kCdLimit = 47;
inline constexpr int kHomeEquityLoanLimit = 48;
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
inline constexpr int kNewCommercialLoans = 31;
inline constexpr int kCommercialLoans = 32;
inline constexpr int kNewConsumerLoans = 36;
inline constexpr int kConsumerLoans = 37;
inline constexpr int kRealEstateLoans = 43;
inline constexpr int kPreviousCheckingDeposits = 44;
inline constexpr int kCheckingDeposits = 45;
inline constexpr int kPreviousSavingsDeposits = 46;
inline constexpr int kSavingsDeposits = 47;
inline constexpr int kNewTimeDeposits = 50;      // one-year offer
inline constexpr int kNewLongTimeDeposits = 51;  // five-year offer
inline constexpr int kTimeDeposits = 52;
inline constexpr int kNewCertificates = 56;
inline constexpr int kCertificates = 57;
inline constexpr int kSharesRepurchasedAmount = 62;
inline constexpr int kSharesIssuedAmount = 63;
// Next quarter's run-off per market; the market sizes count it as business to replace.
inline constexpr int kCommercialRunOff = 72;
inline constexpr int kConsumerRunOff = 73;
inline constexpr int kRealEstateRunOff = 74;
inline constexpr int kTimeDepositRunOff = 75;
inline constexpr int kCertificateRunOff = 76;
// Business turned away by a bank's volume limit, per market.
inline constexpr int kCommercialOverflow = 78;
inline constexpr int kConsumerOverflow = 79;
inline constexpr int kRealEstateOverflow = 80;
inline constexpr int kTimeDepositOverflow = 81;
inline constexpr int kCdOverflow = 82;
inline constexpr int kFixedRealEstateLoans = 89;
inline constexpr int kFloatingRealEstateLoans = 90;
inline constexpr int kNewFixedRealEstateLoans = 119;
inline constexpr int kNewFloatingRealEstateLoans = 120;
inline constexpr int kNewTimeDepositsCopy = 122;
inline constexpr int kNewLongTimeDepositsCopy = 123;
inline constexpr int kHomeEquityOverflow = 124;
inline constexpr int kNewHomeEquityLoans = 128;
inline constexpr int kDividends = 61;
inline constexpr int kMarketValueOfEquity = 94;
inline constexpr int kShortfallFlag = 108;
inline constexpr int kHomeEquityLoans = 129;
inline constexpr int kHomeEquityRunOff = 130;
// Last quarter's balances, carried forward at the start of the close.
inline constexpr int kPreviousTotalAssets = 14;
inline constexpr int kPreviousEquity = 24;
// Securities book values by maturity band.
inline constexpr int kSecurities2To4Quarters = 64;  // buckets 2..4
inline constexpr int kFirstSecurityBand = 65;       // 65..69: buckets 1-4, 5-8, .., 17-20
inline constexpr int kSecuritiesBeyond5Years = 70;  // buckets 21..25
inline constexpr int kSecuritiesRunOff = 71;        // bucket 1, maturing next quarter
inline constexpr int kCapitalNoteRunOff = 77;
// Market values: 83 buckets 2..4, 84..87 the bands of 66..69, 88 buckets 21..25.
inline constexpr int kFirstSecurityMarketValue = 83;
inline constexpr int kFixedLoanMarketValue = 91;
inline constexpr int kFloatingLoanMarketValue = 92;
// Maturity profile: bands of four quarters, band 5 everything longer.
inline constexpr int kFirstAssetBand = 109;      // 109..113
inline constexpr int kFirstLiabilityBand = 114;  // 114..118
inline constexpr int kLiquidAssets = 131;
inline constexpr int kLiquidityNeeds = 132;
inline constexpr int kNetLiquidity = 133;
inline constexpr int kFirstTimeDepositBand = 134;  // 134..138: buckets 43-45, 46-49, .., 58-61
// Repricing table by time to repricing: up to 3 months, 3-12 months, 1-5 years, over 5 years.
inline constexpr int kFirstRepricedAsset = 139;      // 139..142
inline constexpr int kFirstRepricedLiability = 143;  // 143..146, equity included
inline constexpr int kFirstRepricingGap = 147;       // 147..150
inline constexpr int kFirstCumulativeGap = 151;      // 151..154
// The quarter's movements of each book: last quarter's balance, losses, repayments or
// maturities, sales and new business (the new balances are named above).
inline constexpr int kPreviousCommercialLoans = 28;
inline constexpr int kCommercialLoanLosses = 29;
inline constexpr int kCommercialMaturities = 30;
inline constexpr int kPreviousConsumerLoans = 33;
inline constexpr int kConsumerLoanLosses = 34;
inline constexpr int kConsumerRepayments = 35;
inline constexpr int kPreviousRealEstateLoans = 38;
inline constexpr int kRealEstateLoanLosses = 39;
inline constexpr int kRealEstateRepayments = 40;
inline constexpr int kRealEstateLoansSold = 41;
inline constexpr int kNewRealEstateLoans = 42;
inline constexpr int kPreviousTimeDeposits = 48;
inline constexpr int kMaturedTimeDeposits = 49;
inline constexpr int kPreviousCertificates = 53;
inline constexpr int kMaturedCertificates = 54;
inline constexpr int kNoteRepayments = 58;
inline constexpr int kNotesRetiredAmount = 59;
inline constexpr int kNotesIssuedAmount = 60;
inline constexpr int kMaturedSecurities = 105;
inline constexpr int kSecuritiesSold = 106;
inline constexpr int kSecuritiesPurchased = 107;
inline constexpr int kPreviousHomeEquityLoans = 125;
inline constexpr int kHomeEquityLoanLosses = 126;
inline constexpr int kHomeEquityRepayments = 127;
// Sources and uses of funds: 95..99 the changes of items 2..6, then borrowed funds,
// deposits, capital notes, equity and the investments of items 3 and 4 (100..104).
inline constexpr int kFirstFundsChange = 95;
inline constexpr int kNetIncomeRounded = 121;
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
inline constexpr int kFirstNoteRate = 43;  // 43..45: rates of new 5, 10 and 20-year notes
inline constexpr int kTwentyYearNoteRate = 45;
inline constexpr int kTotalInterestIncome = 46;
inline constexpr int kTotalInterestExpense = 47;
inline constexpr int kNonInterestExpense = 48;
inline constexpr int kIncomeTax = 49;
inline constexpr int kSecurityGains = 50;
inline constexpr int kNetIncome = 51;
inline constexpr int kExpenseA = 72;  // 72, 73, 74, 88: the expense decisions carried
inline constexpr int kExpenseB = 73;
inline constexpr int kExpenseC = 74;
inline constexpr int kSmoothedCapitalRatio = 80;
inline constexpr int kExpenseD = 88;
inline constexpr int kHomeEquityFeeRate = 102;  // fee per unit of new kind-6 loans
// Rates of the maturity profile, annual percent, amount-weighted.
inline constexpr int kFirstAssetBandRate = 9;       // 9..13
inline constexpr int kFirstLiabilityBandRate = 14;  // 14..18
inline constexpr int kFirstSecurityBandRate = 19;   // 19..23, the bands of amount 65..69
inline constexpr int kSecuritiesBeyond5YearsRate = 24;
inline constexpr int kSecuritiesRunOffRate = 25;
inline constexpr int kSecurities2To4QuartersRate = 26;
// Average rates earned or paid on each balance over the quarter, annual percent.
inline constexpr int kSecuritiesYield = 27;
inline constexpr int kCommercialLoanYield = 28;
inline constexpr int kConsumerLoanYield = 29;
inline constexpr int kFixedRealEstateYield = 30;
inline constexpr int kFloatingRealEstateYield = 31;
inline constexpr int kRealEstateLoanYield = 32;
inline constexpr int kTimeDepositCost = 33;
inline constexpr int kCertificateCost = 34;
inline constexpr int kCheckingCost = 35;
inline constexpr int kSavingsCost = 36;
inline constexpr int kCapitalNoteCost = 37;
inline constexpr int kEarningAssetYield = 38;
inline constexpr int kCostOfFunds = 39;
inline constexpr int kHomeEquityLoanYield = 103;
// Quarterly interest by balance.
inline constexpr int kOvernightInterest = 60;
inline constexpr int kSecuritiesInterest = 61;
inline constexpr int kCommercialLoanInterest = 62;
inline constexpr int kConsumerLoanInterest = 63;
inline constexpr int kRealEstateLoanInterest = 64;
inline constexpr int kTimeDepositInterest = 69;
inline constexpr int kCertificateInterest = 70;
inline constexpr int kCapitalNoteInterest = 71;
inline constexpr int kFixedRealEstateInterest = 77;
inline constexpr int kFloatingRealEstateInterest = 78;
inline constexpr int kHomeEquityLoanInterest = 104;
// The reputation carried from quarter to quarter, and the bank's figures at the start.
inline constexpr int kSmoothedDividend = 40;
inline constexpr int kSmoothedCoreEarnings = 41;  // per share, net of most security gains
inline constexpr int kOpeningDividend = 81;
inline constexpr int kOpeningCoreEarnings = 82;
inline constexpr int kLiquidityRatio = 83;      // liquid assets in percent of deposits
inline constexpr int kNetLiquidityRatio = 106;  // net liquidity per unit of total assets
// The income statement beyond the totals above (expenses and taxes negative).
inline constexpr int kTaxesAndGains = 52;                // income tax plus security gains
inline constexpr int kPreviousTotalInterestIncome = 53;  // 53..59: last quarter's 46..52
inline constexpr int kPurchasedFundsInterest = 65;
inline constexpr int kCentralBankInterest = 66;
inline constexpr int kCheckingInterest = 67;
inline constexpr int kSavingsInterest = 68;
inline constexpr int kExpenseBC = 75;  // the sum of expenses B and C
inline constexpr int kPremisesExpense = 76;
inline constexpr int kLoanLossProvision = 79;
inline constexpr int kNonInterestIncome = 86;
inline constexpr int kPreviousNonInterestIncome = 87;
inline constexpr int kPreviousLoanLossProvision = 97;
inline constexpr int kNetInterestIncome = 98;
inline constexpr int kPreviousNetInterestIncome = 99;
inline constexpr int kHomeEquityFees = 105;
inline constexpr int kCheckingFees = 107;
inline constexpr int kCommercialLoanFees = 108;
inline constexpr int kConsumerLoanFees = 109;
inline constexpr int kRealEstateLoanFees = 110;
inline constexpr int kCommercialLoanLosses = 111;
inline constexpr int kConsumerLoanLosses = 112;
inline constexpr int kHomeEquityLoanLosses = 113;
inline constexpr int kRealEstateLoanLosses = 114;
// Unit rates of the bank: cost per unit of premises, quarterly loss rate per loan book, fee
// per unit of a balance.
inline constexpr int kPremisesCostRate = 89;
inline constexpr int kCommercialLossRate = 90;
inline constexpr int kConsumerLossRate = 91;
inline constexpr int kRealEstateLossRate = 92;
inline constexpr int kCheckingFeeRate = 93;
inline constexpr int kCommercialFeeRate = 94;
inline constexpr int kConsumerFeeRate = 95;
inline constexpr int kRealEstateFeeRate = 96;  // per unit of new real-estate loans
inline constexpr int kHomeEquityLossRate = 101;
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
// Spreads of the industry's spending measures, set at creation to the opening averages.
inline constexpr int kExpenseASpread = 19;
inline constexpr int kExpenseBCSpread = 20;  // expenses B and C share one spread
inline constexpr int kPremisesSpread = 21;
inline constexpr int kExpenseDSpread = 22;
inline constexpr int kHomeEquityFeeNorm = 27;
// Share of each funding source that may leave within the quarter, for the liquidity need.
inline constexpr int kTimeDepositOutflow = 32;
inline constexpr int kCertificateOutflow = 33;
inline constexpr int kDemandDepositOutflow = 34;
inline constexpr int kCount = 84;
}  // namespace environment

// IndustrySums(item): the industry's figures of the quarter, summed over the banks as their
// decisions are limited, then turned into averages where an average is meant. The attraction
// scores measure each bank against them, and the market sizes subtract the business the
// industry already holds.
namespace industry {
// 1..9: the average of each rate decision, numbered as the decision it averages; from the
// time-deposit rate on, blended half and half with what the market offers.
inline constexpr int kCheckingRate = 1;
inline constexpr int kSavingsRate = 2;
inline constexpr int kTimeDepositRate = 3;
inline constexpr int kLongTimeDepositRate = 4;
inline constexpr int kCdRate = 5;
inline constexpr int kCommercialLoanRate = 6;
inline constexpr int kConsumerLoanRate = 7;
inline constexpr int kFixedRealEstateRate = 8;
inline constexpr int kFloatingRealEstateRate = 9;
// 10..16: the industry's balances, one per market (sums, not averages).
inline constexpr int kCheckingDeposits = 10;
inline constexpr int kSavingsDeposits = 11;
inline constexpr int kTimeDeposits = 12;
inline constexpr int kCertificates = 13;
inline constexpr int kCommercialLoans = 14;
inline constexpr int kConsumerLoans = 15;
inline constexpr int kRealEstateLoans = 16;
// 17..20 and 25: the industry's spending (sums), each bank counted as the mean of its spending
// of last quarter and this one plus a spread scaled by the price level.
inline constexpr int kExpenseA = 17;
inline constexpr int kExpenseB = 18;
inline constexpr int kExpenseC = 19;
inline constexpr int kPremises = 20;
inline constexpr int kCapitalRatio = 21;        // average smoothed capital ratio
inline constexpr int kHomeEquityLoanRate = 22;  // average, blended with the market
inline constexpr int kHomeEquityFee = 23;       // average, blended with the market
inline constexpr int kHomeEquityLoans = 24;     // sum
inline constexpr int kExpenseD = 25;
// Items 1..25 are the ones the game forms; the rest are carried as stored.
inline constexpr int kLastFormed = 25;
inline constexpr int kCount = 42;
}  // namespace industry

// EconIndex(item): the economy's cumulative indices, carried from quarter to quarter and grown
// by the quarter's factors: the price level, the size of each market and the growth index.
namespace econ_index {
inline constexpr int kPriceLevel = 1;  // 100 in the quarter before the game starts
// 2..8: the size of each market, the industry's total balance at the start.
inline constexpr int kCommercialLoanMarket = 2;
inline constexpr int kConsumerLoanMarket = 3;
inline constexpr int kRealEstateLoanMarket = 4;
inline constexpr int kCheckingMarket = 5;
inline constexpr int kSavingsMarket = 6;
inline constexpr int kTimeDepositMarket = 7;
inline constexpr int kCertificateMarket = 8;
inline constexpr int kGrowthIndex = 9;  // the plotted growth index, four quarters back
inline constexpr int kHomeEquityLoanMarket = 10;
inline constexpr int kCount = 11;
}  // namespace econ_index

// MarketRates(item): the quarter's market rates, annual percent, by term.
namespace market_rate {
inline constexpr int kThreeMonth = 1;
inline constexpr int kSixMonth = 2;
inline constexpr int kOneYear = 3;
inline constexpr int kFiveYear = 4;
inline constexpr int kLongBond = 5;
inline constexpr int kOvernight = 6;    // purchased funds
inline constexpr int kCentralBank = 7;  // central-bank borrowing
inline constexpr int kPrime = 8;
inline constexpr int kMortgage = 9;
}  // namespace market_rate

// Portfolio(b): the quarterly lots (PortfolioAmount, PortfolioYield) and the yearly loan book
// (LoanAmount, LoanRate), by bucket; the lowest bucket of each ladder matures first.
namespace lot {
inline constexpr int kFirstSecurity = 1;  // 1..20 by quarter, 21..25 by year
inline constexpr int kLastQuarterlySecurity = 20;
inline constexpr int kFirstYearlySecurity = 21;
inline constexpr int kLastSecurity = 25;
inline constexpr int kFirstCommercialLoan = 26;  // loan kind 3
inline constexpr int kLastCommercialLoan = 29;
inline constexpr int kFirstConsumerLoan = 30;  // loan kind 4
inline constexpr int kLastConsumerLoan = 41;
inline constexpr int kFirstTimeDeposit = 42;
inline constexpr int kOneYearTimeDeposit = 45;  // where the one-year offer is booked
inline constexpr int kLastTimeDeposit = 61;
inline constexpr int kFirstCertificate = 62;
inline constexpr int kLastCertificate = 63;
inline constexpr int kFirstHomeEquityLoan = 64;  // loan kind 6
inline constexpr int kLastHomeEquityLoan = 103;
// The loan book, by year of maturity.
inline constexpr int kLoanYears = 20;
inline constexpr int kFirstFixedLoan = 1;
inline constexpr int kFirstFloatingLoan = 21;  // rates are margins over the floating base
inline constexpr int kFirstCapitalNote = 41;
}  // namespace lot

}  // namespace qv
