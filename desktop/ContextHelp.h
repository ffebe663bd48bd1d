#pragma once

class QWidget;

namespace qv {

// The property that names a dialog's section of the guide.
inline constexpr const char* kHelpAnchorProperty = "helpAnchor";

// Lets F1 in `dialog` open the guide at the section `anchor` (see resources/help/): over the
// dialog, through the main window that owns it. A dialog without a main window above it (as in
// some tests) keeps the anchor but F1 does nothing.
void SetContextHelp(QWidget* dialog, const char* anchor);

// Opens the guide at the section of `dialog` (its anchor property), as F1 there does.
void ShowContextHelp(QWidget* dialog);

}  // namespace qv
