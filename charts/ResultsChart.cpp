#include "charts/ResultsChart.h"

#include <QChart>
#include <QCursor>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// A quarter axis with a tick at whole quarters only, and at most this many of them.
constexpr int kMaxQuarterTicks = 11;

QString Text(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The smallest and largest value an axis must show; an axis with one value or none still
// gets a span of one on each side, so that its range is never empty.
struct AxisSpan {
  double low = 0;
  double high = 0;
  bool any = false;

  void Add(double value) {
    low = any ? std::min(low, value) : value;
    high = any ? std::max(high, value) : value;
    any = true;
  }
  void ApplyTo(QValueAxis* axis) const {
    if (!any || low == high) {
      axis->setRange(low - 1, high + 1);
    } else {
      axis->setRange(low, high);
    }
  }
};

}  // namespace

ResultsChart::ResultsChart(QWidget* parent) : QChartView(new QChart(), parent) {
  setObjectName("chtResults");
  setRenderHint(QPainter::Antialiasing);
  setMinimumSize(480, 320);
}

QString ResultsChart::HoverText(const QString& line, int quarter, double value) {
  return QStringLiteral("%1, quarter %2: %3").arg(line).arg(quarter).arg(value, 0, 'f', 2);
}

void ResultsChart::Show(const ChartData& content) {
  // A fresh chart each time: axes taken off a chart can linger in its drawing.
  QChart* previous = chart();
  auto* shown = new QChart();
  shown->legend()->setAlignment(Qt::AlignBottom);
  shown->legend()->setVisible(true);
  setChart(shown);
  delete previous;
  shown->setTitle(Text(content.title));

  auto* quarters = new QValueAxis(shown);
  quarters->setTitleText(tr("Results quarter"));
  quarters->setLabelFormat("%d");
  auto* values = new QValueAxis(shown);
  values->setTitleText(Text(content.value_axis));
  shown->addAxis(quarters, Qt::AlignBottom);
  shown->addAxis(values, Qt::AlignLeft);
  QValueAxis* second = nullptr;
  if (!content.second_axis.empty()) {
    second = new QValueAxis(shown);
    second->setTitleText(Text(content.second_axis));
    shown->addAxis(second, Qt::AlignRight);
  }

  AxisSpan quarter_span;
  AxisSpan value_span;
  AxisSpan second_span;
  for (std::size_t i = 0; i < content.lines.size(); ++i) {
    const ChartLine& line = content.lines[i];
    const bool on_second = second != nullptr && i >= content.first_on_second_axis;
    auto* series = new QLineSeries(shown);
    series->setName(Text(line.name));
    series->setPointsVisible(line.points.size() < 2);
    for (const auto& [quarter, value] : line.points) {
      if (!std::isfinite(value)) {
        continue;
      }
      series->append(quarter, value);
      quarter_span.Add(quarter);
      (on_second ? second_span : value_span).Add(value);
    }
    shown->addSeries(series);
    series->attachAxis(quarters);
    series->attachAxis(on_second ? second : values);
    const QString name = series->name();
    connect(series, &QLineSeries::hovered, this, [name](const QPointF& point, bool state) {
      if (state) {
        QToolTip::showText(QCursor::pos(),
                           HoverText(name, static_cast<int>(std::lround(point.x())), point.y()));
      } else {
        QToolTip::hideText();
      }
    });
  }
  quarter_span.ApplyTo(quarters);
  // Ticks on whole quarters only: as many as divide the span evenly, at most kMaxQuarterTicks.
  const int span = static_cast<int>(std::lround(quarters->max() - quarters->min()));
  int ticks = std::min(span + 1, kMaxQuarterTicks);
  while (ticks > 2 && span % (ticks - 1) != 0) {
    --ticks;
  }
  quarters->setTickCount(std::max(ticks, 2));
  value_span.ApplyTo(values);
  values->applyNiceNumbers();
  if (second != nullptr) {
    second_span.ApplyTo(second);
    second->applyNiceNumbers();
  }
}

bool ResultsChart::SaveTo(const QString& path) {
  if (path.endsWith(".pdf", Qt::CaseInsensitive)) {
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setTitle(chart()->title());
    QPainter painter;
    if (!painter.begin(&pdf)) {
      return false;
    }
    render(&painter);
    return painter.end();
  }
  return grab().save(path);
}

}  // namespace qv
