#include "reports/ReportItems.h"

#include <initializer_list>

namespace qv {

namespace {

ReportItemTable MakeTable(std::initializer_list<std::int16_t> items) {
  ReportItemTable table;
  int position = 1;
  for (const std::int16_t item : items) {
    table(position++) = item;
  }
  return table;
}

void FindRow(const ReportItemTable& table, int& item) {
  for (int position = 1; position <= kReportItemPositions; ++position) {
    if (table(position) == item) {
      item = position;
      return;
    }
  }
}

}  // namespace

const ReportItemTable& ReportValueItems() {
  static const ReportItemTable table = MakeTable(
      {1, 3, 4, 5, 6, 7, 8, 46, 47, 49, 50, 51, 72, 75, 76, 79, 83, 86, 87, 88, 103, 104});
  return table;
}

const ReportItemTable& ReportAmountItems() {
  // Item 129 stands at positions 20 and 25; a lookup finds position 20.
  static const ReportItemTable table =
      MakeTable({1,  2,  3,  4,  5,  6,   7,   8,   9,   10,  11,  32,  37,
                 43, 45, 47, 52, 57, 104, 129, 125, 126, 127, 128, 129, 130});
  return table;
}

void FindValueRow(int& item) {
  FindRow(ReportValueItems(), item);
}

void FindAmountRow(int& item) {
  FindRow(ReportAmountItems(), item);
}

}  // namespace qv
