#include "desktop/SetupDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "desktop/ContextHelp.h"
#include "desktop/TextFit.h"
#include "desktop/Twips.h"
#include "setup/ValidateSetup.h"

namespace qv {

namespace {

constexpr double kHeightShare = 0.82;
constexpr double kWidthShare = 0.985;
constexpr double kTopTwips = 1125;
constexpr int kConfirmField = 5;
constexpr int kPasswordField = 4;

// How many characters a box shows whole at the form's default size: names and passwords
// their ten, a disk path a usual folder name, a number its widest limit ("99.99").
int FieldChars(int form, int field) {
  constexpr int kNameChars = 10;
  constexpr int kPathChars = 24;
  constexpr int kNumberChars = 6;
  if (form == kBankSetupForm) {
    return field >= 51 ? kPathChars : kNameChars;
  }
  if (form == kGameSetupForm) {
    return field == 2 || field == 7 ? kNumberChars : kNameChars;
  }
  return kNumberChars;
}

}  // namespace

SetupDialog::SetupDialog(Ui& ui, SetupForms& forms, SetupState& state, int form, QWidget* owner)
    : QDialog(owner), ui_(ui), forms_(forms), state_(state), form_(form) {
  // Modal only while ShowModal runs: the form left on screen afterwards must not block the
  // message boxes and forms that follow it, nor count as a modal window of its own.
  focus_watch_ = connect(
      qApp, &QApplication::focusChanged, this,
      [this](QWidget* old_widget, QWidget* new_widget) { OnFocusChanged(old_widget, new_widget); });
}

// The boxes lose their focus while the dialog is taken apart; that is no leaving to check.
SetupDialog::~SetupDialog() {
  disconnect(focus_watch_);
}

QLineEdit* SetupDialog::AddTextField(int field, std::string* text, const char* name) {
  auto* box = new QLineEdit(this);
  box->setObjectName(name);
  FitLineEdit(box, QString(FieldChars(form_, field), QChar('n')));
  fields_[field] = Binding{box, text, nullptr};
  return box;
}

QComboBox* SetupDialog::AddListField(int field, int* index, const char* name,
                                     const std::vector<const char*>& entries) {
  auto* list = new QComboBox(this);
  list->setObjectName(name);
  for (const char* entry : entries) {
    list->addItem(entry);
  }
  fields_[field] = Binding{list, nullptr, index};
  connect(list, &QComboBox::activated, this, [this, field] {
    Store();
    ValidateSetup(ui_, forms_, form_, field, SetupNumBanks(forms_.game));
    Load();
  });
  return list;
}

QLabel* SetupDialog::AddLabel(const char* name, const QString& text) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  return label;
}

QLabel* SetupDialog::AddHeading(const char* text) {
  QLabel* heading = AddLabel("lblHeading", text);
  QFont font = heading->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.5);
  heading->setFont(font);
  heading->setAlignment(Qt::AlignCenter);
  return heading;
}

void SetupDialog::AddButtons(QGridLayout* layout, int row, int columns, bool with_previous,
                             const char* next_caption) {
  auto* buttons = new QHBoxLayout;
  auto* help = new QPushButton("&Help", this);
  help->setObjectName("cmdHelp");
  help->setAutoDefault(false);
  connect(help, &QPushButton::clicked, this, [this] { ShowContextHelp(this); });
  buttons->addWidget(help);
  buttons->addStretch();
  auto add = [&](const char* name, const char* caption, int code) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, code] { Leave(code); });
    buttons->addWidget(button);
    return button;
  };
  if (with_previous) {
    previous_ = add("cmdPrevious", "Previous", kSetupPrevious);
  }
  add("cmdNext", next_caption, kSetupNext);
  add("cmdCancel", "Cancel", kSetupCancel);
  buttons->addStretch();
  layout->addLayout(buttons, row, 0, 1, columns);
}

void SetupDialog::Leave(int code) {
  Store();
  state_.SetupCode = code;
  done(code);
}

void SetupDialog::Load() {
  for (auto& [field, binding] : fields_) {
    if (binding.text != nullptr) {
      auto* box = static_cast<QLineEdit*>(binding.widget);
      const QString text = QString::fromStdString(*binding.text);
      if (box->text() != text) {
        box->setText(text);
      }
    } else {
      auto* list = static_cast<QComboBox*>(binding.widget);
      list->setCurrentIndex(*binding.index);
    }
  }
}

void SetupDialog::Store() {
  for (auto& [field, binding] : fields_) {
    if (binding.text != nullptr) {
      *binding.text = static_cast<QLineEdit*>(binding.widget)->text().toStdString();
    } else {
      *binding.index = static_cast<QComboBox*>(binding.widget)->currentIndex();
    }
  }
}

QWidget* SetupDialog::FieldWidget(int field) const {
  const auto found = fields_.find(field);
  return found == fields_.end() ? nullptr : found->second.widget;
}

int SetupDialog::FieldOf(const QWidget* widget) const {
  for (const auto& [field, binding] : fields_) {
    if (binding.widget == widget) {
      return field;
    }
  }
  return 0;
}

bool SetupDialog::Check(int field) {
  checking_ = true;
  Store();
  const bool valid = ValidateSetup(ui_, forms_, form_, field, SetupNumBanks(forms_.game));
  Load();
  checking_ = false;
  return valid;
}

void SetupDialog::OnFocusChanged(QWidget* old_widget, QWidget* new_widget) {
  if (checking_ || new_widget == nullptr || new_widget->window() != this) {
    return;
  }
  const int leaving = FieldOf(old_widget);
  // A button is not a box: the form is checked after the button instead.
  if (leaving != 0 && leaving != FieldOf(new_widget) &&
      qobject_cast<QAbstractButton*>(new_widget) == nullptr) {
    const bool valid = Check(leaving);
    if (!valid && !(form_ == kGameSetupForm && leaving == kConfirmField)) {
      // The message box took the focus and gives it back on its way out; take it back after.
      Refocus(old_widget, leaving);
      QTimer::singleShot(0, old_widget,
                         [this, old_widget, leaving] { Refocus(old_widget, leaving); });
      return;
    }
  }
  const int entering = FieldOf(new_widget);
  if (entering == 0) {
    return;
  }
  state_.SetupField = entering;
  if (form_ == kGameSetupForm && entering == kPasswordField) {
    forms_.game.txtConfirm.clear();
    static_cast<QLineEdit*>(FieldWidget(kConfirmField))->clear();
  }
}

void SetupDialog::Refocus(QWidget* box, int field) {
  checking_ = true;
  box->setFocus(Qt::OtherFocusReason);
  checking_ = false;
  state_.SetupField = field;
}

int SetupDialog::ShowModal(int focus_field) {
  if (QWidget* owner = parentWidget()) {
    const double twips_per_pixel = TwipsPerPixel(owner);
    const QRect frame = owner->window()->geometry();
    // The form's share of the main window, or more when its boxes need more to show their
    // values whole.
    const QSize share(static_cast<int>(kWidthShare * frame.width()),
                      static_cast<int>(kHeightShare * frame.height()));
    setGeometry(QRect(
        QPoint(frame.x(), frame.y() + static_cast<int>(std::lround(kTopTwips / twips_per_pixel))),
        share.expandedTo(sizeHint())));
  }
  hide();
  Load();
  if (QWidget* box = FieldWidget(focus_field)) {
    Refocus(box, focus_field);
  }
  exec();
  show();
  return state_.SetupCode;
}

}  // namespace qv
