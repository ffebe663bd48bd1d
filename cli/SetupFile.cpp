#include "cli/SetupFile.h"

#include <nlohmann/json.hpp>
#include <set>

#include "setup/EnvironmentFields.h"

namespace qv::cli {

namespace {

using nlohmann::json;

class SetupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text a box would hold for `value`: strings as they are, numbers in their shortest form.
std::string BoxText(const json& value, const std::string& key) {
  if (value.is_string()) {
    return value.get<std::string>();
  }
  if (value.is_number_integer()) {
    return std::to_string(value.get<long long>());
  }
  if (value.is_number()) {
    std::string text = value.dump();
    return text;
  }
  throw SetupError(key + " must be a string or a number");
}

void RefuseUnknownKeys(const json& object, const std::set<std::string>& known,
                       const std::string& where) {
  for (const auto& [key, value] : object.items()) {
    if (known.count(key) == 0) {
      throw SetupError("unknown key " + (where + key));
    }
  }
}

int ListIndex(const json& value, const std::string& key, const char* const* names, int count) {
  if (value.is_string()) {
    for (int i = 0; i < count; ++i) {
      if (value.get<std::string>() == names[i]) {
        return i;
      }
    }
  }
  std::string allowed;
  for (int i = 0; i < count; ++i) {
    allowed += (i == 0 ? "\"" : ", \"") + std::string(names[i]) + "\"";
  }
  throw SetupError(key + " must be one of " + allowed);
}

void ReadBank(const json& bank, int index, BankSetupRow* row) {
  const std::string where = "banks[" + std::to_string(index + 1) + "].";
  if (!bank.is_object()) {
    throw SetupError("banks[" + std::to_string(index + 1) + "] must be an object");
  }
  RefuseUnknownKeys(bank, {"name", "management", "president", "password", "type", "path"}, where);
  if (!bank.contains("name")) {
    throw SetupError(where + "name is missing");
  }
  row->txtCol2 = BoxText(bank["name"], where + "name");
  row->cboCol3 = bank.contains("management")
                     ? ListIndex(bank["management"], where + "management", kManagementNames, 4)
                     : kManagementHuman;
  row->cboCol6 =
      bank.contains("type") ? ListIndex(bank["type"], where + "type", kBankTypeNames, 4) : 0;
  if (bank.contains("president"))
    row->txtCol4 = BoxText(bank["president"], where + "president");
  if (bank.contains("password"))
    row->txtCol5 = BoxText(bank["password"], where + "password");
  row->txtCol7 = bank.contains("path") ? BoxText(bank["path"], where + "path") : std::string();
}

void ReadEnvironment(const json& environment, EnvSetupForm* form) {
  if (!environment.is_object()) {
    throw SetupError("environment must be an object");
  }
  for (const auto& [key, value] : environment.items()) {
    const EnvironmentField* field = FindEnvironmentField(key);
    if (field == nullptr) {
      throw SetupError("unknown key environment." + key);
    }
    EnvFieldText(*form, field->field) = BoxText(value, "environment." + key);
  }
}

}  // namespace

bool ParseSetupFile(const std::string& json_text, const EnvSetupForm& environment_defaults,
                    SetupFile* setup, std::string* problem) {
  try {
    const json root = json::parse(json_text);
    if (!root.is_object()) {
      throw SetupError("the setup must be a JSON object");
    }
    RefuseUnknownKeys(root,
                      {"game_title", "instructor_name", "instructor_password", "beginning_period",
                       "banks", "environment"},
                      "");
    SetupFile result;
    result.forms.environment = environment_defaults;
    GameSetupForm& game = result.forms.game;
    if (!root.contains("game_title")) {
      throw SetupError("game_title is missing");
    }
    game.txtGname = BoxText(root["game_title"], "game_title");
    if (root.contains("instructor_name")) {
      game.txtInstName = BoxText(root["instructor_name"], "instructor_name");
    }
    if (root.contains("instructor_password")) {
      game.txtInstPW = BoxText(root["instructor_password"], "instructor_password");
    }
    game.txtConfirm = game.txtInstPW;
    const json period = root.value("beginning_period", json("random"));
    if (period.is_string() && period.get<std::string>() == "random") {
      game.cboEnv = 1;
    } else {
      game.cboEnv = 0;
      game.txtBegin = BoxText(period, "beginning_period");
    }
    if (!root.contains("banks") || !root["banks"].is_array() || root["banks"].empty()) {
      throw SetupError("banks must be a list of 1 to 10 banks");
    }
    const json& banks = root["banks"];
    if (banks.size() > 10) {
      throw SetupError("banks must be a list of 1 to 10 banks");
    }
    for (std::size_t i = 0; i < banks.size(); ++i) {
      ReadBank(banks[i], static_cast<int>(i), &result.forms.banks.rows[i]);
    }
    result.num_banks = static_cast<int>(banks.size());
    game.txtNoBanks = std::to_string(result.num_banks);
    if (root.contains("environment")) {
      ReadEnvironment(root["environment"], &result.forms.environment);
    }
    // The form takes the diskette drive for an empty box; in a setup file a team's folder left
    // out is a mistake, caught before anything is written.
    for (int i = 0; i < result.num_banks; ++i) {
      const BankSetupRow& row = result.forms.banks.rows[static_cast<std::size_t>(i)];
      if (row.cboCol3 == kManagementHuman &&
          row.txtCol7.empty()) {  // the diskette drive is no default here
        throw SetupError("banks[" + std::to_string(i + 1) +
                         "].path is missing: a bank managed by a team needs the folder of its "
                         "bank disk");
      }
    }
    *setup = std::move(result);
    return true;
  } catch (const json::exception& failure) {
    *problem = std::string("the setup file is not valid JSON: ") + failure.what();
  } catch (const SetupError& failure) {
    *problem = failure.what();
  }
  return false;
}

}  // namespace qv::cli
