#include "desktop/OptionsDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "desktop/Twips.h"
#include "platform/Ui.h"

namespace qv {

namespace {

constexpr int kPageLeftTwips = 210;
constexpr int kHiddenLeftTwips = -20000;
constexpr int kPageTop = 40;

void Tell(Ui& ui, const char* text) {
  ui.Show(Message{text, kAppTitle, Buttons::kOk, Icon::kNone, 1});
}

}  // namespace

OptionsDialog::OptionsDialog(Ui& ui, QWidget* owner) : QDialog(owner), ui_(ui) {
  setObjectName("frmOptions");
  setModal(true);
  setWindowTitle("Quorvant Options");
  resize(420, 300);
  tabs_ = new QTabBar(this);
  tabs_->setObjectName("tbsOptions");
  tabs_->setGeometry(8, 8, 404, 28);
  for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
    tabs_->addTab(QString("Group %1").arg(i + 1));
    auto* page = new QWidget(this);
    page->setObjectName(QString("picOptions(%1)").arg(i));
    page->resize(390, 200);
    auto* frame = new QGroupBox(QString("Sample %1").arg(i + 1), page);
    frame->setObjectName(QString("fraSample%1").arg(i + 1));
    frame->setGeometry(0, 0, 390, 200);
    pages_[i] = page;
  }
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cmdCancel");
  auto* apply = new QPushButton("&Apply", this);
  apply->setObjectName("cmdApply");
  ok->setGeometry(168, 258, 76, 28);
  cancel->setGeometry(252, 258, 76, 28);
  apply->setGeometry(336, 258, 76, 28);

  connect(apply, &QPushButton::clicked, this,
          [this] { Tell(ui_, "Apply Code goes here to set options w/o closing dialog!"); });
  connect(ok, &QPushButton::clicked, this, [this] {
    Tell(ui_, "Code goes here to set options and close dialog!");
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { ShowTab(index); });
  ShowTab(0);
}

void OptionsDialog::ShowTab(int index) {
  const double twips_per_pixel = TwipsPerPixel(this);
  for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
    const int left =
        static_cast<int>((i == index ? kPageLeftTwips : kHiddenLeftTwips) / twips_per_pixel);
    pages_[i]->move(left, kPageTop + 8);
    pages_[i]->setEnabled(i == index);
  }
}

bool OptionsDialog::event(QEvent* event) {
  // Tab and Backtab with Ctrl reach the dialog as a shortcut override before any child sees
  // them; taking them here keeps the focus chain from moving instead.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        (key->modifiers() & Qt::ControlModifier) != 0) {
      event->accept();
      return true;
    }
  }
  return QDialog::event(event);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
  const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
  const bool backwards =
      event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier) != 0;
  if (!control || (event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab)) {
    QDialog::keyPressEvent(event);
    return;
  }
  const int count = tabs_->count();
  tabs_->setCurrentIndex((tabs_->currentIndex() + (backwards ? count - 1 : 1)) % count);
}

}  // namespace qv
