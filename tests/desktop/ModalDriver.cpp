#include "tests/desktop/ModalDriver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <cstdio>
#include <cstdlib>

namespace qv::test {

namespace {

constexpr int kTickMs = 15;
constexpr int kMaxUnexpected = 20;
constexpr const char* kShowProperty = "modalDriverShow";

QString Describe(QWidget* window) {
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    return box->text();
  }
  return window->objectName();
}

}  // namespace

ModalDriver::ModalDriver(int deadline_ms) : deadline_ms_(deadline_ms) {
  qApp->installEventFilter(this);
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
  timer_.start(kTickMs);
  since_answer_.start();
}

ModalDriver::~ModalDriver() {
  qApp->removeEventFilter(this);
}

ModalDriver& ModalDriver::Then(const QString& object_name, Act act) {
  steps_.push_back({object_name, std::move(act)});
  return *this;
}

ModalDriver& ModalDriver::Box(const QString& text, QMessageBox::StandardButton button,
                              const QString& title) {
  return Then("msgBox", [text, button, title](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(box->windowTitle(), title) << box->text().toStdString();
    QAbstractButton* answer = box->button(button);
    ASSERT_NE(answer, nullptr) << "no such button on \"" << box->text().toStdString() << "\"";
    answer->click();
  });
}

ModalDriver& ModalDriver::Click(const QString& dialog_name, const QString& button_name) {
  return Then(dialog_name, [button_name](QWidget* window) {
    auto* button = window->findChild<QAbstractButton*>(button_name);
    ASSERT_NE(button, nullptr) << button_name.toStdString();
    button->click();
  });
}

ModalDriver& ModalDriver::Choose(const QString& dialog_name, const QString& option_name) {
  return Then(dialog_name, [option_name](QWidget* window) {
    auto* option = window->findChild<QAbstractButton*>(option_name);
    ASSERT_NE(option, nullptr) << option_name.toStdString();
    EXPECT_FALSE(option->isHidden()) << option_name.toStdString();
    option->setChecked(true);
    window->findChild<QAbstractButton*>("cmdOK")->click();
  });
}

ModalDriver& ModalDriver::CloseFrame(const QString& dialog_name) {
  return Then(dialog_name, [](QWidget* window) { window->close(); });
}

bool ModalDriver::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && widget->isModal()) {
      widget->setProperty(kShowProperty, ++shows_);
    }
  }
  return false;
}

void ModalDriver::Dismiss(QWidget* window) {
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    QAbstractButton* out = box->escapeButton();
    if (out == nullptr && !box->buttons().isEmpty()) {
      out = box->buttons().front();
    }
    if (out != nullptr) {
      out->click();
      return;
    }
  }
  if (auto* dialog = qobject_cast<QDialog*>(window)) {
    dialog->reject();
  } else {
    window->close();
  }
}

void ModalDriver::Tick() {
  QWidget* window = QApplication::activeModalWidget();
  if (window == nullptr || !window->isVisible()) {
    return;
  }
  const int show = window->property(kShowProperty).toInt();
  if (show == handled_show_) {
    if (since_answer_.elapsed() > deadline_ms_) {
      ADD_FAILURE() << "still open after the deadline: " << Describe(window).toStdString();
      since_answer_.restart();
      Dismiss(window);
    }
    return;
  }
  handled_show_ = show;
  since_answer_.restart();
  seen_ << Describe(window);
  if (steps_.empty() || steps_.front().name != window->objectName()) {
    ADD_FAILURE() << "unexpected modal window " << window->objectName().toStdString() << ": "
                  << Describe(window).toStdString() << " (expected "
                  << (steps_.empty() ? std::string("none") : steps_.front().name.toStdString())
                  << ")";
    if (++unexpected_ > kMaxUnexpected) {
      std::fprintf(stderr, "too many unexpected modal windows; giving up\n");
      std::_Exit(1);
    }
    QTimer::singleShot(0, window, [this, window] { Dismiss(window); });
    return;
  }
  Act act = std::move(steps_.front().act);
  steps_.pop_front();
  QTimer::singleShot(0, window, [act = std::move(act), window] { act(window); });
}

QString TextOf(QWidget* root, const QString& name) {
  QObject* child = root->findChild<QObject*>(name);
  if (auto* label = qobject_cast<QLabel*>(child)) {
    return label->text();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(child)) {
    return button->text();
  }
  if (auto* edit = qobject_cast<QLineEdit*>(child)) {
    return edit->text();
  }
  ADD_FAILURE() << "no text widget named " << name.toStdString();
  return {};
}

}  // namespace qv::test
