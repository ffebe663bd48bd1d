#include "desktop/StatusPanel.h"

#include <QPainter>
#include <QStyle>

namespace qv {

StatusPanel::StatusPanel(QWidget* parent, Qt::TextElideMode mode) : QLabel(parent), mode_(mode) {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusPanel::SetText(const QString& text, const QString& tooltip) {
  setText(text);
  setToolTip(tooltip.isEmpty() ? text.trimmed() : tooltip);
}

bool StatusPanel::elided() const {
  return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

QSize StatusPanel::minimumSizeHint() const {
  // Room for an ellipsis: the rest of the text can always be read in the tooltip.
  const QSize whole = QLabel::minimumSizeHint();
  return {fontMetrics().horizontalAdvance(QStringLiteral("...")) + 2 * frameWidth(),
          whole.height()};
}

void StatusPanel::paintEvent(QPaintEvent* event) {
  // The frame as a label draws it, then the text cut to fit.
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect area = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), mode_, area.width());
  style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                        shown, foregroundRole());
}

}  // namespace qv
