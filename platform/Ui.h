#pragma once

#include <string>

namespace qv {

inline constexpr const char* kAppTitle = "Quorvant Instructor";

enum class Buttons { kOk, kOkCancel, kYesNo, kRetryCancel };
enum class Icon { kNone, kCritical, kQuestion, kExclamation, kInformation };
// kClosed: the box or dialog was closed from its window frame, which counts as no answer.
enum class Answer { kOk, kCancel, kYes, kNo, kRetry, kClosed };

struct Message {
  std::string text;  // Windows-1252, as composed by the logic
  std::string title = kAppTitle;
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;
  int default_button = 1;  // 1 = first button, 2 = second
};

// Every message box and modal choice the logic needs from the person at the keyboard.
class Ui {
 public:
  virtual ~Ui() = default;
  virtual Answer Show(const Message& message) = 0;
};

}  // namespace qv
