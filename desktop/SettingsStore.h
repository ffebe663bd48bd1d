#pragma once

#include <QString>
#include <QVariant>
#include <memory>

#include "platform/FileSystem.h"

class QSettings;

namespace qv {

inline constexpr const char* kSettingsSection = "Settings";

// The per-user settings store of the desktop program, in the manner of GetSetting and
// SaveSetting: values live under the application title, by section and key. It also holds
// the drive map (section "Drives", keys "A" and "B": the host folders that stand for the
// diskette drives) and the values the system-information lookup reads (section "Registry").
class SettingsStore {
 public:
  // The program's own per-user store.
  SettingsStore();
  // A store kept in one INI file, for tests and portable installations.
  explicit SettingsStore(const QString& ini_file);
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  QString GetSetting(const QString& section, const QString& key,
                     const QString& default_value) const;
  void SaveSetting(const QString& section, const QString& key, const QString& value);
  bool Contains(const QString& section, const QString& key) const;
  // Writes pending changes to permanent storage.
  void Sync();

  // Drive letters mapped to host folders; a drive without an entry is a missing drive.
  DriveMap Drives() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace qv
