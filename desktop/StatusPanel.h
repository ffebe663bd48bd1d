#pragma once

#include <QLabel>

namespace qv {

// A status bar panel that fits any width: its text is cut with an ellipsis when the panel is
// narrower than the text, and the whole text is always in its tooltip. text() stays whole.
class StatusPanel final : public QLabel {
 public:
  explicit StatusPanel(QWidget* parent, Qt::TextElideMode mode = Qt::ElideRight);

  void SetText(const QString& text, const QString& tooltip = QString());
  // True when the panel is too narrow for its whole text.
  bool elided() const;

  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::TextElideMode mode_;
};

}  // namespace qv
