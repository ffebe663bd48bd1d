#pragma once

class QWidget;

namespace qv {

// Twips (1/1440 inch) per pixel on the screen of `widget`: window placements are kept in
// twips, so a stored placement means the same size on any screen.
double TwipsPerPixel(const QWidget* widget);

}  // namespace qv
