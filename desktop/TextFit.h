#pragma once

#include <QString>

class QLineEdit;

namespace qv {

// Gives `edit` the least width that shows `sample` whole in its font, frame and margins
// included; the box may grow from there with its layout.
void FitLineEdit(QLineEdit* edit, const QString& sample);

// The width `edit` has for text: its width less its frame and margins. A text fits when its
// horizontal advance is no more than this.
int TextRoom(const QLineEdit* edit);

}  // namespace qv
