#include "desktop/AboutDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "desktop/SystemRegistry.h"
#include "platform/FileSystem.h"
#include "platform/Ui.h"

namespace qv {

namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

AboutDialog::AboutDialog(const SettingsStore& settings, FileSystem& files, Ui& ui, QWidget* owner)
    : QDialog(owner),
      settings_(settings),
      files_(files),
      ui_(ui),
      launcher_([](const QString& program) { return QProcess::startDetached(program, {}); }) {
  setObjectName("frmAbout");
  setModal(true);
  setWindowTitle("About Quorvant");
  auto* grid = new QGridLayout(this);
  auto* icon = new QLabel(this);
  icon->setObjectName("picIcon");
  icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
  grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  QLabel* title = Label(this, "lblTitle", "Quorvant");
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  title->setFont(big);
  grid->addWidget(title, 0, 1);
  grid->addWidget(Label(this, "lblVersion", "Instructor Version 3.0"), 1, 1);
  grid->addWidget(Label(this, "lblDescription",
                        "The instructor's program of a classroom bank-management game: it "
                        "creates the game, collects the banks' decisions each quarter, "
                        "calculates their results and prints the quarterly report."),
                  2, 1);
  grid->addWidget(Label(this, "lblCompany", "Harrowell"), 3, 1);
  grid->addWidget(Label(this, "lblDisclaimer",
                        "For classroom use. The economy, the banks and their results are "
                        "simulated."),
                  4, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  QPushButton* ok = Button(this, "cmdOK", "OK");
  ok->setDefault(true);
  QPushButton* sys_info = Button(this, "cmdSysInfo", "&System Info...");
  QPushButton* company = Button(this, "cmdHarrowell", "Harrowell...");
  buttons->addWidget(ok);
  buttons->addWidget(sys_info);
  buttons->addWidget(company);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 5, 1);
  grid->setColumnMinimumWidth(1, 280);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(sys_info, &QPushButton::clicked, this, [this] { StartSysInfo(); });
  connect(company, &QPushButton::clicked, this, [this] {
    HarrowellDialog dialog(this);
    dialog.exec();
  });
}

void AboutDialog::StartSysInfo() {
  const std::string kTools = "SOFTWARE\\Microsoft\\Shared Tools";
  std::string program;
  if (!GetKeyValue(settings_, kHkeyLocalMachine, kTools + "\\MSINFO", "PATH", &program)) {
    std::string folder;
    if (GetKeyValue(settings_, kHkeyLocalMachine, kTools + " Location", "MSINFO", &folder) &&
        files_.Exists(folder + "\\MSINFO32.EXE")) {
      program = folder + "\\MSINFO32.EXE";
    } else {
      program.clear();
    }
  }
  if (program.empty() || !launcher_(QString::fromStdString(program))) {
    ui_.Show(Message{"System Information Is Unavailable At This Time", kAppTitle, Buttons::kOk,
                     Icon::kNone, 1});
  }
}

HarrowellDialog::HarrowellDialog(QWidget* owner) : QDialog(owner) {
  setObjectName("frmHarrowell");
  setModal(true);
  setWindowTitle("Harrowell");
  auto* layout = new QVBoxLayout(this);
  auto* text = new QPlainTextEdit(this);
  text->setObjectName("Text1");
  text->setReadOnly(true);
  text->setPlainText(
      "Harrowell\n\n"
      "Quorvant is a classroom simulation of bank management. Up to ten banks, run by student "
      "teams or by the computer, compete quarter by quarter for deposits and loans in a "
      "simulated economy.\n\n"
      "Quorvant Instructor, version 3.0.");
  layout->addWidget(text);
  resize(420, 240);
}

}  // namespace qv
