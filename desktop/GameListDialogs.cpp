#include "desktop/GameListDialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "data/Session.h"
#include "desktop/Twips.h"
#include "platform/Cp1252.h"
#include "setup/GameLists.h"

namespace qv {

namespace {

QString GameText(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

QLabel* Label(QWidget* parent, const QString& name, const QString& text, bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

// The column label of bank row `row` (0..9): a control array `lblColN(row)`.
QString CellName(int column, int row) {
  return QString("lblCol%1(%2)").arg(column).arg(row);
}

QPushButton* OkButton(QDialog* dialog, QVBoxLayout* layout) {
  auto* ok = new QPushButton("OK", dialog);
  ok->setObjectName("cmdOKButton");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  layout->addLayout(row);
  return ok;
}

constexpr int kTopTwips = 1125;

}  // namespace

GameInfoDialog::GameInfoDialog(const Session& session, QWidget* owner) : QDialog(owner) {
  setObjectName("frmGameInfo");
  setModal(true);
  setWindowTitle(GameText(GameInfoCaption(session.game)));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label(this, "lblTitle", "Banks Active In This Game", true));
  layout->addWidget(Label(this, "lblTitle2", "Banks Located On This File"));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(16);
  const std::array<const char*, 8> headings = {"",
                                               "Bank Name ",
                                               "Management",
                                               "Disk     ",
                                               "Student Disk Path",
                                               "Last Updated       ",
                                               "Quarter",
                                               "Ready"};
  for (int column = 1; column <= 8; ++column) {
    grid->addWidget(Label(this, QString("lblHeading%1").arg(column), headings[column - 1], true), 0,
                    column - 1);
  }
  std::array<std::array<QLabel*, 8>, kMaxBanks> cells{};
  for (int row = 0; row < kMaxBanks; ++row) {
    for (int column = 1; column <= 8; ++column) {
      cells[row][column - 1] = Label(this, CellName(column, row), QString());
      grid->addWidget(cells[row][column - 1], row + 1, column - 1);
    }
  }
  for (const GameInfoRow& row : GameInfoRows(session.game, session.tables)) {
    const std::array<QString, 8> texts = {QString::number(row.bank),
                                          GameText(row.name),
                                          GameText(row.management),
                                          QString::fromStdString(row.disk),
                                          GameText(row.path),
                                          GameText(row.last_updated),
                                          QString::fromStdString(row.quarter),
                                          QString::fromStdString(row.ready)};
    for (std::size_t column = 0; column < texts.size(); ++column) {
      cells[row.bank - 1][column]->setText(texts[column]);
    }
  }
  grid->setColumnStretch(4, 1);
  layout->addLayout(grid);
  layout->addStretch();
  OkButton(this, layout);
  if (owner != nullptr) {
    const double twips_per_pixel = TwipsPerPixel(owner);
    resize(static_cast<int>(0.985 * owner->width()), static_cast<int>(0.82 * owner->height()));
    move(0, static_cast<int>(kTopTwips / twips_per_pixel));
  }
}

PasswordsDialog::PasswordsDialog(const GameRecord& game, QWidget* owner) : QDialog(owner) {
  setObjectName("frmPasswords");
  setModal(true);
  setWindowTitle("Bank Passwords");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label(this, "lblTitle", "Bank Passwords", true));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(20);
  const std::array<const char*, 3> headings = {"Bank Name", "Management", "Password"};
  for (int column = 1; column <= 3; ++column) {
    grid->addWidget(Label(this, QString("lblHeading%1").arg(column), headings[column - 1], true), 0,
                    column - 1);
  }
  const std::vector<PasswordRow> rows = PasswordRows(game);
  for (int row = 0; row < kMaxBanks; ++row) {
    std::array<QString, 3> texts;
    if (row < static_cast<int>(rows.size())) {
      texts = {GameText(rows[row].name), GameText(rows[row].management),
               GameText(rows[row].password)};
    }
    for (int column = 1; column <= 3; ++column) {
      QLabel* cell = Label(this, CellName(column, row), texts[column - 1]);
      cell->setVisible(row < static_cast<int>(rows.size()));
      grid->addWidget(cell, row + 1, column - 1);
    }
  }
  layout->addLayout(grid);
  layout->addStretch();
  OkButton(this, layout);
}

}  // namespace qv
