#pragma once

#include <cstdint>

#include "platform/Table.h"

namespace qv {

inline constexpr int kReportItemPositions = 40;
using ReportItemTable = Table<std::int16_t, kReportItemPositions>;

// The BankValues items whose values COMP.QV carries, in row order, then zeros.
const ReportItemTable& ReportValueItems();
// The BankAmounts items whose amounts COMP.QV carries, in row order, then zeros.
const ReportItemTable& ReportAmountItems();

// Turns a bank-result item number into its row of the competitor values: when `item` equals
// an entry of ReportValueItems it becomes the position of the first such entry; any other
// number is left as it is and so is taken as the row itself. Since the unused positions hold
// 0, item 0 becomes the first unused position.
void FindValueRow(int& item);
// The same for a bank-amount item number and the rows of the competitor amounts.
void FindAmountRow(int& item);

}  // namespace qv
