#include "desktop/SplashWindow.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace qv {

namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& text, double scale, bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setPointSizeF(font.pointSizeF() * scale);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

}  // namespace

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("frmSplash");
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* frame = new QFrame(this);
  frame->setObjectName("fraMainFrame");
  frame->setFrameStyle(QFrame::Box | QFrame::Raised);
  frame->setLineWidth(2);
  outer->addWidget(frame);
  auto* row = new QHBoxLayout(frame);
  row->setContentsMargins(28, 24, 36, 24);
  row->setSpacing(24);
  auto* logo = new QLabel(frame);
  logo->setObjectName("imgLogo");
  logo->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
  row->addWidget(logo, 0, Qt::AlignTop);
  auto* texts = new QVBoxLayout;
  texts->addWidget(Label(frame, "lblProductName", "Quorvant", 2.4, true));
  texts->addWidget(Label(frame, "lblPlatform", "Instructor", 1.5, false));
  texts->addWidget(Label(frame, "lblVersion", "Version 3.0", 1.0, false));
  texts->addStretch();
  row->addLayout(texts);
}

}  // namespace qv
