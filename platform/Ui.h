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
  // Shown below the text where there is room for it (the folder a disk prompt means); it is
  // not part of `MessageText`.
  std::string detail = {};
};

// The detail of a message about a disk: the folder it means.
inline std::string FolderDetail(const std::string& folder) {
  return "Folder: " + folder;
}

// The options of the fix-decisions dialog, for a bank whose decisions are not ready.
enum class FixChoice {
  kUseDisk = 0,      // "Use the Decisions on the Disk"
  kLastQuarter = 1,  // "Use the Decisions Made for this Bank Last Quarter"
  kWait = 2,         // "Wait for Decisions (Abort)"
  kComputer = 3,     // "Have the Computer Make the Decisions for this Bank"
  kClosed,           // closed from the window frame: no answer
};

// Every message box and modal choice the logic needs from the person at the keyboard.
class Ui {
 public:
  virtual ~Ui() = default;
  virtual Answer Show(const Message& message) = 0;
  // The fix-decisions dialog with `label` above its options; the first option is offered
  // only when `disk_readable`.
  virtual FixChoice ChooseFixDecisions(const std::string& label, bool disk_readable) = 0;
  // The same for bank `bank`, named `bank_name` (Windows-1252), so the dialog can say which
  // bank it is about.
  virtual FixChoice ChooseFixDecisionsFor(int bank, const std::string& bank_name,
                                          const std::string& label, bool disk_readable) {
    (void)bank;
    (void)bank_name;
    return ChooseFixDecisions(label, disk_readable);
  }
  // "Choose Computer Expertise Level": 1..3, or 0 when closed from the window frame.
  virtual int ChooseComputerLevel() = 0;
  // The open game's record changed (a quarter, the game itself): views of it refresh.
  virtual void GameChanged() {}
  // A long operation has reached `step` (Windows-1252: the bank being calculated or written):
  // a front end shows it and keeps its window responsive meanwhile.
  virtual void Progress(const std::string& step) { (void)step; }
};

}  // namespace qv
