#include "desktop/TextFit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace qv {

namespace {

// The margin QLineEdit keeps on each side of its text inside the frame.
constexpr int kLineEditTextMargin = 2;

int Chrome(const QLineEdit* edit) {
  const int frame = edit->hasFrame()
                        ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit)
                        : 0;
  const QMargins margins = edit->textMargins();
  return 2 * frame + 2 * kLineEditTextMargin + margins.left() + margins.right();
}

}  // namespace

void FitLineEdit(QLineEdit* edit, const QString& sample) {
  // One character more than the sample, so the cursor after the last one stays in view.
  const int text = edit->fontMetrics().horizontalAdvance(sample + QChar('n'));
  edit->setMinimumWidth(text + Chrome(edit));
}

int TextRoom(const QLineEdit* edit) {
  return edit->width() - Chrome(edit);
}

}  // namespace qv
