#include "reports/ResultsHistory.h"

#include "data/Items.h"
#include "platform/Cp1252.h"
#include "reports/ReportItems.h"

namespace qv {

namespace {

std::string Utf8(const std::string& cp1252) {
  return Cp1252ToUtf8(cp1252);
}

}  // namespace

bool ResultsHistory::Load(QuarterSource& source, std::string_view layout,
                          const ExportProgress& progress) {
  const std::vector<int> kept = source.Quarters();
  if (kept.empty()) {
    return false;
  }
  return CollectGameExport(source, layout, kept, progress, &quarters_);
}

ChartData ResultsHistory::RowChart(std::size_t row) const {
  const ResultsTable& latest = Latest();
  const ResultsRow& shown = latest.rows.at(row);
  ChartData chart;
  chart.title = Utf8(shown.label);
  chart.value_axis = Utf8(shown.label);
  if (!shown.section.empty()) {
    chart.title += " (" + Utf8(shown.section) + ")";
  }
  for (int b = 1; b <= latest.num_banks; ++b) {
    ChartLine& line = chart.lines.emplace_back();
    line.name = Utf8(latest.bank_names[static_cast<std::size_t>(b - 1)]);
    for (const ExportQuarter& quarter : quarters_.quarters) {
      const ResultsTable& table = quarter.table;
      if (b <= table.num_banks && row < table.rows.size()) {
        line.points.emplace_back(table.quarter, table.rows[row].figures(b));
      }
    }
  }
  return chart;
}

ChartData MarketChart(const std::vector<MarketPoint>& market) {
  ChartData chart;
  chart.title = "Market rates and indices";
  // The rates (series 1..6) run from 0 to 20, the indices from about 100: two axes.
  chart.value_axis = "Rate (% a year)";
  chart.second_axis = "Index";
  chart.first_on_second_axis = 6;
  for (int s = 1; s <= kMarketSeriesCount; ++s) {
    ChartLine& line = chart.lines.emplace_back();
    line.name = MarketSeriesNames()[static_cast<std::size_t>(s - 1)].name;
    for (const MarketPoint& point : market) {
      line.points.emplace_back(point.quarter, point.series(s));
    }
  }
  return chart;
}

ChartData ResultsHistory::MarketChart() const {
  return qv::MarketChart(quarters_.market);
}

ChartData ResultsHistory::BankChart(int bank) const {
  ChartData chart;
  chart.title = Utf8(Latest().bank_names.at(static_cast<std::size_t>(bank - 1)));
  chart.value_axis = "Share price";
  chart.second_axis = "Total assets";
  chart.first_on_second_axis = 1;
  int price_row = value::kSharePrice;
  FindValueRow(price_row);
  int assets_row = amount::kTotalAssets;
  FindAmountRow(assets_row);
  ChartLine price{"Share price", {}};
  ChartLine assets{"Total assets", {}};
  for (const ExportQuarter& quarter : quarters_.quarters) {
    if (bank > quarter.table.num_banks) {
      continue;
    }
    const int q = quarter.table.quarter;
    price.points.emplace_back(q, quarter.competitors.CompetitorValues(bank, price_row));
    assets.points.emplace_back(q, quarter.competitors.CompetitorAmounts(bank, assets_row));
  }
  chart.lines = {std::move(price), std::move(assets)};
  return chart;
}

}  // namespace qv
