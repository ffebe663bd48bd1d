#include "desktop/SetupFormDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "data/GameRecord.h"
#include "setup/EnvironmentFields.h"

namespace qv {

namespace {

QByteArray Indexed(const char* name, int index) {
  return QByteArray(name) + "(" + QByteArray::number(index) + ")";
}

std::vector<const char*> Entries(const char* const* names, int count) {
  return {names, names + count};
}

}  // namespace

GameSetupDialog::GameSetupDialog(Ui& ui, SetupForms& forms, SetupState& state, QWidget* owner)
    : SetupDialog(ui, forms, state, kGameSetupForm, owner) {
  setObjectName("frmGameSetup");
  setWindowTitle("Game Setup");
  GameSetupForm& game = forms.game;
  auto* grid = new QGridLayout(this);
  grid->addWidget(AddHeading("Game Setup"), 0, 0, 1, 3);
  struct Row {
    const char* caption;
    QWidget* control;
  };
  const std::vector<Row> rows = {
      {"Game Title", AddTextField(1, &game.txtGname, "txtGname")},
      {"Number of Banks", AddTextField(2, &game.txtNoBanks, "txtNoBanks")},
      {"Instructor Name", AddTextField(3, &game.txtInstName, "txtInstName")},
      {"Instructor Password", AddTextField(4, &game.txtInstPW, "txtInstPW")},
      {"Confirm Password", AddTextField(5, &game.txtConfirm, "txtConfirm")},
      {"Beginning Economic Period", AddListField(6, &game.cboEnv, "cboEnv", {"Choose", "Random"})},
      {"Begin Game at Period", AddTextField(7, &game.txtBegin, "txtBegin")},
      {"Game Folder", folder_ = new QLineEdit(this)},
  };
  folder_->setObjectName("txtGamePath");
  for (const int secret : {4, 5}) {
    static_cast<QLineEdit*>(FieldWidget(secret))->setEchoMode(QLineEdit::Password);
  }
  int row = 1;
  for (const Row& entry : rows) {
    grid->addWidget(AddLabel(Indexed("lblLabel", row).constData(), entry.caption), row, 0);
    grid->addWidget(entry.control, row, 1);
    ++row;
  }
  auto* browse = new QPushButton("Browse...", this);
  browse->setObjectName("cmdBrowse");
  browse->setAutoDefault(false);
  grid->addWidget(browse, row - 1, 2);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, "Select the Folder for the New Game", folder_->text(),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!chosen.isEmpty()) {
      folder_->setText(QDir::toNativeSeparators(chosen) + QDir::separator());
    }
  });
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row, 1);
  AddButtons(grid, row + 1, 3, false, "Next");
}

std::string GameSetupDialog::folder() const {
  return folder_->text().trimmed().toStdString();
}

void GameSetupDialog::set_folder(const std::string& folder) {
  folder_->setText(QString::fromStdString(folder));
}

BankSetupDialog::BankSetupDialog(Ui& ui, SetupForms& forms, SetupState& state, QWidget* owner)
    : SetupDialog(ui, forms, state, kBankSetupForm, owner) {
  setObjectName("frmBankSetup");
  setWindowTitle("Bank Setup");
  auto* grid = new QGridLayout(this);
  grid->addWidget(AddHeading("Bank Setup"), 0, 0, 1, 7);
  const char* headings[] = {"No.",      "Bank Name", "Management", "Pres. Name",
                            "Password", "Type",      "Path"};
  for (int column = 0; column < 7; ++column) {
    grid->addWidget(AddLabel(Indexed("lblHeading", column + 1).constData(), headings[column]), 1,
                    column);
  }
  for (int r = 0; r < kMaxBanks; ++r) {
    BankSetupRow& bank = forms.banks.rows[static_cast<std::size_t>(r)];
    const int line = r + 2;
    grid->addWidget(AddLabel(Indexed("lblCol1", r).constData(), QString::number(r + 1)), line, 0);
    grid->addWidget(AddTextField(1 + r, &bank.txtCol2, Indexed("txtCol2", r).constData()), line, 1);
    grid->addWidget(AddListField(11 + r, &bank.cboCol3, Indexed("cboCol3", r).constData(),
                                 Entries(kManagementNames, 4)),
                    line, 2);
    grid->addWidget(AddTextField(21 + r, &bank.txtCol4, Indexed("txtCol4", r).constData()), line,
                    3);
    grid->addWidget(AddTextField(31 + r, &bank.txtCol5, Indexed("txtCol5", r).constData()), line,
                    4);
    grid->addWidget(AddListField(41 + r, &bank.cboCol6, Indexed("cboCol6", r).constData(),
                                 Entries(kBankTypeNames, 4)),
                    line, 5);
    grid->addWidget(AddTextField(51 + r, &bank.txtCol7, Indexed("txtCol7", r).constData()), line,
                    6);
  }
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(6, 3);
  grid->setRowStretch(kMaxBanks + 2, 1);
  AddButtons(grid, kMaxBanks + 3, 7, true, "Next");
}

void BankSetupDialog::EnableRows(int num_banks) {
  for (int r = 0; r < kMaxBanks; ++r) {
    const bool enabled = r < num_banks;
    findChild<QWidget*>(Indexed("lblCol1", r))->setEnabled(enabled);
    for (int column = 0; column < 6; ++column) {
      FieldWidget(column * 10 + r + 1)->setEnabled(enabled);
    }
  }
}

EnvSetupDialog::EnvSetupDialog(Ui& ui, SetupForms& forms, SetupState& state, QWidget* owner)
    : SetupDialog(ui, forms, state, kEnvSetupForm, owner) {
  setObjectName("frmEnvSetup");
  setWindowTitle("Environment Setup");
  EnvSetupForm& env = forms.environment;
  auto* grid = new QGridLayout(this);
  grid->addWidget(AddHeading("Environment Setup"), 0, 0, 1, 9);
  int label_number = 1;
  auto label = [&](const QString& text) {
    return AddLabel(Indexed("lblLabel", label_number++).constData(), text);
  };
  // Three blocks side by side: loan rates, deposit rates, reserve requirements.
  struct Block {
    const char* title;
    int first_field;
    const char* control;
    int first_index;
  };
  const Block blocks[] = {{"Maximum Loan Rates", 1, "txtCol2", 0},
                          {"Maximum Deposit Rates", 5, "txtCol2", 4},
                          {"Reserve Requirements", 9, "txtCol4", 0}};
  const char* loan_kinds[] = {"Commercial", "Consumer", "Home Equity", "Real Estate"};
  const char* deposit_kinds[] = {"Checking", "Savings", "Time Deposits", "CDs"};
  for (int b = 0; b < 3; ++b) {
    const Block& block = blocks[b];
    const int column = b * 3;
    QLabel* title = label(block.title);
    title->setAlignment(Qt::AlignCenter);
    grid->addWidget(title, 1, column, 1, 3);
    for (int i = 0; i < 4; ++i) {
      const int field = block.first_field + i;
      grid->addWidget(label(b == 0 ? loan_kinds[i] : deposit_kinds[i]), 2 + i, column);
      grid->addWidget(AddTextField(field, &EnvFieldText(env, field),
                                   Indexed(block.control, block.first_index + i).constData()),
                      2 + i, column + 1);
      grid->addWidget(label("Percent"), 2 + i, column + 2);
    }
  }
  struct Single {
    int field;
    const char* control;
    const char* caption;
    const char* unit;
  };
  const Single singles[] = {{13, "txtCapAdeq", "Minimum Capital (% Assets)", "Percent"},
                            {14, "txtFRB", "Max FRB Borrowing (% Equity)", "Percent"},
                            {15, "txtNotes", "Max Capital Notes (% Equity)", "Percent"},
                            {16, "txtTax", "Average Tax Rate", ""}};
  int row = 7;
  for (const Single& single : singles) {
    grid->addWidget(label(single.caption), row, 3, 1, 2);
    grid->addWidget(AddTextField(single.field, &EnvFieldText(env, single.field), single.control),
                    row, 5);
    if (*single.unit != '\0') {
      grid->addWidget(label(single.unit), row, 6);
    }
    ++row;
  }
  grid->setRowStretch(row, 1);
  AddButtons(grid, row + 1, 9, true, "Finish");
}

}  // namespace qv
