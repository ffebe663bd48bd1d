#pragma once

#include <QWidget>

namespace qv {

// frmSplash: the product's name and version while the program starts.
class SplashWindow final : public QWidget {
 public:
  SplashWindow();
};

}  // namespace qv
