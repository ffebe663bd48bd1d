#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <ostream>

// Failure messages show Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace qv::test {

// Answers the modal windows a test expects, in the order expected, from a timer that runs
// inside their event loops. A window nobody expected, or one still open past the deadline,
// fails the test and is closed, so no test can hang on a modal window.
class ModalDriver final : public QObject {
 public:
  using Act = std::function<void(QWidget*)>;

  explicit ModalDriver(int deadline_ms = 15000);
  ~ModalDriver() override;

  // Expects the modal window named `object_name` and runs `act` on it (after the timer's
  // turn, so an act that opens another modal window does not block the driver).
  ModalDriver& Then(const QString& object_name, Act act);
  // Expects a message box showing `text` under `title` and presses `button`.
  ModalDriver& Box(const QString& text, QMessageBox::StandardButton button,
                   const QString& title = "Quorvant Instructor");
  // Expects `dialog_name` and clicks its button `button_name`.
  ModalDriver& Click(const QString& dialog_name, const QString& button_name);
  // Expects `dialog_name` with the option `option_name` and chooses it, then clicks cmdOK.
  ModalDriver& Choose(const QString& dialog_name, const QString& option_name);
  // Expects `dialog_name` and closes it from its window frame.
  ModalDriver& CloseFrame(const QString& dialog_name);

  // Every expected window was shown.
  bool finished() const { return steps_.empty(); }
  // The texts of the message boxes and the names of the other modal windows, in order.
  const QStringList& seen() const { return seen_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Step {
    QString name;
    Act act;
  };
  void Tick();
  void Dismiss(QWidget* window);

  std::deque<Step> steps_;
  QStringList seen_;
  QTimer timer_;
  QElapsedTimer since_answer_;
  int deadline_ms_;
  int shows_ = 0;
  int handled_show_ = 0;
  int unexpected_ = 0;
};

// The text of the widget named `name` below `root` (a label, button or line edit).
QString TextOf(QWidget* root, const QString& name);

}  // namespace qv::test
