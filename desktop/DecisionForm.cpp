#include "desktop/DecisionForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace qv {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

DecisionForm::DecisionForm(const Session& session, int bank, QWidget* parent)
    : QWidget(parent), session_(session), bank_(bank) {
  setObjectName("frmDecisionForm");
  auto* content = new QWidget;
  auto* column = new QVBoxLayout(content);
  std::map<DecisionGroup, QGridLayout*> grids;
  for (const DecisionItem& item : DecisionItems()) {
    QGridLayout*& grid = grids[item.group];
    if (grid == nullptr) {
      auto* box = new QGroupBox(Q(GroupName(item.group)));
      grid = new QGridLayout(box);
      grid->addWidget(new QLabel(tr("Decision")), 0, 0);
      grid->addWidget(new QLabel(tr("Value")), 0, 1);
      grid->addWidget(new QLabel(tr("Unit")), 0, 2);
      grid->addWidget(new QLabel(tr("Accepted")), 0, 3);
      grid->addWidget(new QLabel(tr("Engine uses")), 0, 4);
      column->addWidget(box);
    }
    const int line = grid->rowCount();
    Row row{&item, new QLineEdit, new QLabel, new QLabel};
    row.value->setObjectName(Q(std::string("txt_") + item.key));
    row.range->setObjectName(Q(std::string("lblRange_") + item.key));
    row.effective->setObjectName(Q(std::string("lblEffective_") + item.key));
    row.value->setToolTip(Q(item.key));
    grid->addWidget(new QLabel(Q(item.label)), line, 0);
    grid->addWidget(row.value, line, 1);
    grid->addWidget(new QLabel(Q(UnitName(item.unit))), line, 2);
    grid->addWidget(row.range, line, 3);
    grid->addWidget(row.effective, line, 4);
    connect(row.value, &QLineEdit::editingFinished, this, &DecisionForm::Refresh);
    rows_.emplace(item.item, row);
  }
  column->addStretch();
  auto* scroll = new QScrollArea;
  scroll->setWidget(content);
  scroll->setWidgetResizable(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
}

void DecisionForm::SetDecisions(const BankDecisions& decisions) {
  carried_ = decisions;
  for (auto& [number, row] : rows_) {
    row.value->setText(Q(FormatDecisionValue(*row.item, decisions(number))));
  }
  Refresh();
}

BankDecisions DecisionForm::Typed(const DecisionItem** refused) const {
  BankDecisions typed = carried_;
  *refused = nullptr;
  for (const auto& [number, row] : rows_) {
    int item = 0;
    float value = 0.0F;
    const std::string setting =
        std::string(row.item->key) + "=" + row.value->text().trimmed().toStdString();
    if (ParseDecisionSetting(setting, &item, &value).empty()) {
      typed(number) = value;
    } else if (*refused == nullptr) {
      *refused = row.item;
    }
  }
  return typed;
}

bool DecisionForm::Decisions(BankDecisions* decisions, std::string* message) const {
  const DecisionItem* refused = nullptr;
  const BankDecisions typed = Typed(&refused);
  if (refused != nullptr) {
    *message = std::string(refused->label) + ": enter a number" +
               (refused->not_set_at_999 ? " or none" : "");
    return false;
  }
  *decisions = typed;
  return true;
}

void DecisionForm::Refresh() {
  // A box that holds no number yet is shown against the value last set.
  const DecisionItem* refused = nullptr;
  const BankDecisions typed = Typed(&refused);
  const BankDecisions effective = EffectiveDecisions(session_, bank_, typed);
  for (const auto& [number, row] : rows_) {
    const AcceptedRange range = AcceptedDecisionRange(session_, bank_, number, typed);
    const std::string high = range.high ? FormatDecisionValue(*row.item, *range.high) : "no limit";
    row.range->setText(Q(FormatDecisionValue(*row.item, range.low) + " .. " + high));
    row.effective->setText(Q(FormatDecisionValue(*row.item, effective(number))));
  }
}

}  // namespace qv
