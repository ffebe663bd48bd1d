#pragma once

#include <QDialog>
#include <QString>
#include <functional>

namespace qv {

class FileSystem;
class SettingsStore;
class Ui;

// frmAbout, with its buttons to the system-information tool and to the company form.
class AboutDialog final : public QDialog {
 public:
  // Starts a program with normal focus; true when it started.
  using Launcher = std::function<bool(const QString& program)>;

  AboutDialog(const SettingsStore& settings, FileSystem& files, Ui& ui, QWidget* owner);

  // Starts the system-information tool named in the registry, or tells that there is none.
  void StartSysInfo();
  void set_launcher(Launcher launcher) { launcher_ = std::move(launcher); }

 private:
  const SettingsStore& settings_;
  FileSystem& files_;
  Ui& ui_;
  Launcher launcher_;
};

// frmHarrowell: the maker's company information.
class HarrowellDialog final : public QDialog {
 public:
  explicit HarrowellDialog(QWidget* owner);
};

}  // namespace qv
