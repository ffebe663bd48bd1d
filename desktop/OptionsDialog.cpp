#include "desktop/OptionsDialog.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "desktop/ContextHelp.h"
#include "desktop/SettingsStore.h"
#include "desktop/TextFit.h"

namespace qv {

namespace {

// A page of the options: one titled frame that fills it, its boxes on the grid returned.
QGridLayout* MakePage(const char* page_name, const char* title, const char* frame_name,
                      QWidget** page, QGroupBox** frame) {
  *page = new QWidget;
  (*page)->setObjectName(page_name);
  *frame = new QGroupBox(title, *page);
  (*frame)->setObjectName(frame_name);
  auto* layout = new QVBoxLayout(*page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(*frame);
  return new QGridLayout(*frame);
}

constexpr std::array<char, 2> kDriveLetters = {'A', 'B'};
// The report's own choice when the settings name no font: Courier at 12 points.
constexpr const char* kDefaultPrinterFont = "Courier";
constexpr double kDefaultPrinterSize = 12;
// Room for a folder name of this many characters in the drive boxes.
constexpr int kFolderChars = 36;
// More quarters than any game plays.
constexpr int kMostQuartersKept = 999;

}  // namespace

std::optional<PrinterFont> ReportPrinterFont(const SettingsStore& settings) {
  const QString name = settings.GetSetting(kPrinterSection, kPrinterFontKey, QString());
  if (name.isEmpty()) {
    return std::nullopt;
  }
  bool is_number = false;
  const double size =
      settings.GetSetting(kPrinterSection, kPrinterSizeKey, QString()).toDouble(&is_number);
  return PrinterFont{name.toStdString(), is_number && size > 0 ? size : kDefaultPrinterSize};
}

int ArchiveDepthSetting(const SettingsStore& settings) {
  bool is_number = false;
  const int keep =
      settings.GetSetting(kArchiveSection, kKeepQuartersKey, QString()).toInt(&is_number);
  return is_number && keep > 0 ? keep : 0;
}

OptionsDialog::OptionsDialog(SettingsStore& settings, QWidget* owner)
    : QDialog(owner), settings_(settings) {
  setObjectName("frmOptions");
  setModal(true);
  setWindowTitle("Quorvant Options");
  SetContextHelp(this, "options");

  tabs_ = new QTabBar(this);
  tabs_->setObjectName("tbsOptions");
  tabs_->setExpanding(false);
  pages_ = new QStackedWidget(this);
  tabs_->addTab("Drives");
  pages_->addWidget(DrivesPage());
  tabs_->addTab("Printer");
  pages_->addWidget(PrinterPage());
  tabs_->addTab("Undo");
  pages_->addWidget(UndoPage());

  auto* help = new QPushButton("&Help", this);
  help->setObjectName("cmdHelp");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cmdCancel");
  auto* apply = new QPushButton("&Apply", this);
  apply->setObjectName("cmdApply");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(apply);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(pages_, 1);
  layout->addLayout(buttons);

  connect(help, &QPushButton::clicked, this, [this] { ShowContextHelp(this); });
  connect(apply, &QPushButton::clicked, this, [this] { Store(); });
  connect(ok, &QPushButton::clicked, this, [this] {
    Store();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { ShowTab(index); });
  Load();
  ShowTab(0);
}

QWidget* OptionsDialog::DrivesPage() {
  QWidget* page = nullptr;
  QGroupBox* frame = nullptr;
  QGridLayout* grid = MakePage("picOptions(0)", "Diskette Drives", "fraDrives", &page, &frame);
  auto* note = new QLabel(
      "Bank paths written as a:\\ or b:\\ lead to these folders. A drive without a folder is "
      "a missing drive.",
      frame);
  note->setObjectName("lblDrivesNote");
  note->setWordWrap(true);
  grid->addWidget(note, 0, 0, 1, 3);
  for (std::size_t i = 0; i < kDriveLetters.size(); ++i) {
    const QString letter(QChar(kDriveLetters[i]));
    const int row = static_cast<int>(i) + 1;
    auto* label = new QLabel(QString("Drive &%1: folder").arg(letter), frame);
    auto* box = new QLineEdit(frame);
    box->setObjectName("txtDrive" + letter);
    box->setClearButtonEnabled(true);
    FitLineEdit(box, QString(kFolderChars, QChar('n')));
    label->setBuddy(box);
    auto* browse = new QPushButton("Browse...", frame);
    browse->setObjectName("cmdBrowse" + letter);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this, box, letter] {
      const QString chosen = QFileDialog::getExistingDirectory(
          this, QString("Select the Folder for Drive %1:").arg(letter), box->text(),
          QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
      if (!chosen.isEmpty()) {
        box->setText(QDir::toNativeSeparators(chosen) + QDir::separator());
      }
    });
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(browse, row, 2);
    drives_[i] = box;
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* OptionsDialog::PrinterPage() {
  QWidget* page = nullptr;
  QGroupBox* frame = nullptr;
  QGridLayout* grid = MakePage("picOptions(1)", "Quarterly Report", "fraPrinter", &page, &frame);
  auto* note = new QLabel("The report's columns line up only in a fixed-pitch font.", frame);
  note->setWordWrap(true);
  grid->addWidget(note, 0, 0, 1, 2);
  auto* font_label = new QLabel("Printer &font", frame);
  font_ = new QFontComboBox(frame);
  font_->setObjectName("cboPrinterFont");
  font_->setFontFilters(QFontComboBox::MonospacedFonts);
  font_label->setBuddy(font_);
  auto* size_label = new QLabel("Font &size (points)", frame);
  font_size_ = new QDoubleSpinBox(frame);
  font_size_->setObjectName("txtPrinterFontSize");
  font_size_->setRange(6, 24);
  font_size_->setDecimals(1);
  font_size_->setSingleStep(0.5);
  size_label->setBuddy(font_size_);
  grid->addWidget(font_label, 1, 0);
  grid->addWidget(font_, 1, 1);
  grid->addWidget(size_label, 2, 0);
  grid->addWidget(font_size_, 2, 1, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* OptionsDialog::UndoPage() {
  QWidget* page = nullptr;
  QGroupBox* frame = nullptr;
  QGridLayout* grid = MakePage("picOptions(2)", "Quarter Archive", "fraArchive", &page, &frame);
  auto* note = new QLabel(
      "Each advance keeps the game as it stood before, so that it can be undone. 0 keeps every "
      "quarter; a smaller archive lets fewer advances be undone.",
      frame);
  note->setObjectName("lblArchiveNote");
  note->setWordWrap(true);
  grid->addWidget(note, 0, 0, 1, 2);
  auto* label = new QLabel("&Quarters kept for undo", frame);
  keep_quarters_ = new QSpinBox(frame);
  keep_quarters_->setObjectName("txtKeepQuarters");
  keep_quarters_->setRange(0, kMostQuartersKept);
  label->setBuddy(keep_quarters_);
  grid->addWidget(label, 1, 0);
  grid->addWidget(keep_quarters_, 1, 1, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(2, 1);
  return page;
}

void OptionsDialog::Load() {
  for (std::size_t i = 0; i < kDriveLetters.size(); ++i) {
    drives_[i]->setText(settings_.GetSetting("Drives", QString(QChar(kDriveLetters[i])), {}));
  }
  const QString family =
      settings_.GetSetting(kPrinterSection, kPrinterFontKey, kDefaultPrinterFont);
  font_->setCurrentFont(QFont(family));
  bool is_number = false;
  const double size =
      settings_.GetSetting(kPrinterSection, kPrinterSizeKey, QString()).toDouble(&is_number);
  font_size_->setValue(is_number ? size : kDefaultPrinterSize);
  keep_quarters_->setValue(ArchiveDepthSetting(settings_));
}

void OptionsDialog::Store() {
  for (std::size_t i = 0; i < kDriveLetters.size(); ++i) {
    settings_.SaveSetting("Drives", QString(QChar(kDriveLetters[i])), drives_[i]->text().trimmed());
  }
  settings_.SaveSetting(kPrinterSection, kPrinterFontKey, font_->currentFont().family());
  settings_.SaveSetting(kPrinterSection, kPrinterSizeKey, QString::number(font_size_->value()));
  settings_.SaveSetting(kArchiveSection, kKeepQuartersKey,
                        QString::number(keep_quarters_->value()));
  settings_.Sync();
  if (on_applied_) {
    on_applied_();
  }
}

void OptionsDialog::ShowTab(int index) {
  pages_->setCurrentIndex(index);
  for (int i = 0; i < pages_->count(); ++i) {
    pages_->widget(i)->setEnabled(i == index);
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
