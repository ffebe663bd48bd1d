#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "platform/Ui.h"

class QRadioButton;

namespace qv {

// frmFixDecisions: how to settle a bank whose decisions did not come in. Closing it from its
// window frame is no answer; the caller asks again.
class FixDecisionsDialog final : public QDialog {
 public:
  // The first option, the disk's own decisions, is offered only when `disk_readable`.
  FixDecisionsDialog(const QString& label, bool disk_readable, QWidget* parent);
  FixChoice Choose();

 private:
  std::array<QRadioButton*, 4> options_{};
};

// frmComputerLevel: the computer's expertise level for a bank handed to it.
class ComputerLevelDialog final : public QDialog {
 public:
  explicit ComputerLevelDialog(QWidget* parent);
  // 1..3, or 0 when the dialog was closed from its window frame.
  int Choose();

 private:
  std::array<QRadioButton*, 3> options_{};
};

}  // namespace qv
