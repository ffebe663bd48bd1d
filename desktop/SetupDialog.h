#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "setup/SetupForms.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class Ui;

// How the last setup form was left and which of its fields last had the focus, shared by the
// forms of one wizard as the program's `SetupCode` and `SetupField`.
struct SetupState {
  int SetupCode = 0;  // 1 Previous, 2 Next or Finish, 3 Cancel; a frame close leaves it as it was
  int SetupField = 1;
};

inline constexpr int kSetupPrevious = 1;
inline constexpr int kSetupNext = 2;
inline constexpr int kSetupCancel = 3;

// What the three setup forms share: each numbered field is bound to its text or list index in
// `SetupForms`; a box that gets the focus becomes `SetupField`; leaving a box for another box of
// the form checks it with `ValidateSetup` and keeps the focus on it while it is invalid (the
// confirmation box excepted). Leaving for a button checks nothing: the caller checks the form
// after the button. The boxes show whatever the checks rewrote.
class SetupDialog : public QDialog {
 public:
  SetupDialog(Ui& ui, SetupForms& forms, SetupState& state, int form, QWidget* owner);
  ~SetupDialog() override;

  // Hides the form, puts the focus on field `focus_field` and shows it modally; afterwards the
  // form stays visible (without blocking) while the caller looks at its answer. Returns
  // `SetupCode`.
  int ShowModal(int focus_field);
  // Checks one field as the form holds it now; the boxes then show any rewritten text.
  bool Check(int field);

  // The form's boxes from what `SetupForms` holds, and back.
  void Load();
  void Store();

  QWidget* FieldWidget(int field) const;
  QPushButton* previous_button() const { return previous_; }

 protected:
  QLineEdit* AddTextField(int field, std::string* text, const char* name);
  QComboBox* AddListField(int field, int* index, const char* name,
                          const std::vector<const char*>& entries);
  QLabel* AddLabel(const char* name, const QString& text);
  QLabel* AddHeading(const char* text);
  // The Previous (optional), Next and Cancel buttons at the bottom of `layout`.
  void AddButtons(QGridLayout* layout, int row, int columns, bool with_previous,
                  const char* next_caption);

  Ui& ui_;
  SetupForms& forms_;
  SetupState& state_;

 private:
  struct Binding {
    QWidget* widget;
    std::string* text;  // a box
    int* index;         // a list
  };
  void OnFocusChanged(QWidget* old_widget, QWidget* new_widget);
  int FieldOf(const QWidget* widget) const;
  void Leave(int code);
  // Gives `box` the focus without checking the box that loses it.
  void Refocus(QWidget* box, int field);

  QMetaObject::Connection focus_watch_;
  int form_;
  std::map<int, Binding> fields_;
  QPushButton* previous_ = nullptr;
  // Set while a check runs, so the focus moves its message box makes are not checks.
  bool checking_ = false;
};

}  // namespace qv
