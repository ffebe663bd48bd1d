#include "desktop/SettingsStore.h"

#include <QSettings>

#include "platform/Ui.h"

namespace qv {

namespace {

QString Path(const QString& section, const QString& key) {
  return section + "/" + key;
}

}  // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            "Quorvant", kAppTitle)) {}

SettingsStore::SettingsStore(const QString& ini_file)
    : settings_(std::make_unique<QSettings>(ini_file, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::GetSetting(const QString& section, const QString& key,
                                  const QString& default_value) const {
  return settings_->value(Path(section, key), default_value).toString();
}

void SettingsStore::SaveSetting(const QString& section, const QString& key, const QString& value) {
  settings_->setValue(Path(section, key), value);
}

bool SettingsStore::Contains(const QString& section, const QString& key) const {
  return settings_->contains(Path(section, key));
}

void SettingsStore::Sync() {
  settings_->sync();
}

DriveMap SettingsStore::Drives() const {
  DriveMap drives;
  for (const char letter : {'A', 'B'}) {
    const QString folder = GetSetting("Drives", QString(QChar(letter)), QString());
    if (!folder.isEmpty()) {
      drives[letter] = folder.toStdString();
    }
  }
  return drives;
}

}  // namespace qv
