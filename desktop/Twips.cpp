#include "desktop/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qv {

double TwipsPerPixel(const QWidget* widget) {
  constexpr double kDefaultDpi = 96.0;
  const QScreen* screen = widget != nullptr && widget->screen() != nullptr
                              ? widget->screen()
                              : QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : kDefaultDpi;
  return 1440.0 / (dpi > 0.0 ? dpi : kDefaultDpi);
}

}  // namespace qv
