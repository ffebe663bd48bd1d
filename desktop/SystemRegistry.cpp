#include "desktop/SystemRegistry.h"

#include <QSettings>
#include <QString>

#include "desktop/SettingsStore.h"

namespace qv {

namespace {

constexpr const char* kNumberPrefix = "dword:";

const char* RootName(std::uint32_t key_root) {
  switch (key_root) {
    case kHkeyClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case kHkeyCurrentUser:
      return "HKEY_CURRENT_USER";
    case kHkeyLocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case kHkeyUsers:
      return "HKEY_USERS";
    default:
      return nullptr;
  }
}

}  // namespace

std::string NumberValueText(std::uint32_t value) {
  std::string text = "&h";
  for (int byte = 3; byte >= 0; --byte) {
    const unsigned part = (value >> (8 * byte)) & 0xFFU;
    text += QString::number(part, 16).toUpper().toStdString();
  }
  return text;
}

bool GetKeyValue(const SettingsStore& store, std::uint32_t key_root, const std::string& key_name,
                 const std::string& sub_key_ref, std::string* key_val) {
  key_val->clear();
  const char* root = RootName(key_root);
  if (root == nullptr) {
    return false;
  }
  QString section = QString("Registry/") + root + "/" + QString::fromStdString(key_name);
  section.replace('\\', '/');
  const QString name = QString::fromStdString(sub_key_ref);
  if (!store.Contains(section, name)) {
    return false;
  }
  const QString raw = store.GetSetting(section, name, QString());
  if (raw.startsWith(kNumberPrefix)) {
    bool ok = false;
    const std::uint32_t number = raw.mid(6).toUInt(&ok, 16);
    if (!ok) {
      return false;
    }
    *key_val = NumberValueText(number);
    return true;
  }
  const qsizetype zero = raw.indexOf(QChar(0));
  *key_val = (zero < 0 ? raw : raw.left(zero)).toStdString();
  return true;
}

}  // namespace qv
