#include "setup/ValidateSetup.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "platform/Cp1252.h"
#include "platform/NumberFormat.h"
#include "platform/Ui.h"
#include "setup/EnvironmentFields.h"

namespace qv {

namespace {

// Characters, not bytes: the boxes hold UTF-8 and the game stores one byte per character.
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

class FieldCheck {
 public:
  explicit FieldCheck(Ui& ui) : ui_(ui) {}

  bool Fail(const std::string& text) {
    ui_.Show(Message{text, kAppTitle, Buttons::kOk, Icon::kExclamation, 1});
    return false;
  }

  bool Number(const std::string& text, const char* name, float min, float max) {
    const auto value = ParseSetupNumber(text);
    if (value && min <= *value && *value <= max) {
      return true;
    }
    return Fail(std::string(name) + " must be a number between " + FormatShortest(min) + " and " +
                FormatShortest(max));
  }

  // A text the game stores: its length in range, and storable. Global.qv has no escape for a
  // double quote, and the game files hold Windows-1252 text only.
  bool Text(const std::string& text, const char* name, std::size_t min, std::size_t max) {
    const std::size_t length = CharacterCount(text);
    if (length < min || length > max) {
      return Fail(std::string(name) + " must be a string between " + std::to_string(min) + " and " +
                  std::to_string(max) + " characters long");
    }
    if (text.find('"') != std::string::npos) {
      return Fail(std::string(name) + " must not contain a double quote");
    }
    std::string stored;
    if (!Utf8ToCp1252(text, &stored)) {
      return Fail(std::string(name) + " must use only Western European letters and signs");
    }
    return true;
  }

 private:
  Ui& ui_;
};

bool ValidateGameSetup(FieldCheck& check, GameSetupForm& form, int field) {
  switch (field) {
    case 1:
      return check.Text(form.txtGname, "Game title", 1, 10);
    case 2:
      return check.Number(form.txtNoBanks, "Number of banks", 1, 10);
    case 3:
      return check.Text(form.txtInstName, "Instructor name", 0, 10);
    case 4:
      return check.Text(form.txtInstPW, "Instructor password", 0, 10);
    case 5:
      if (form.txtConfirm == form.txtInstPW) {
        return true;
      }
      form.txtConfirm.clear();
      return check.Fail("Password not confirmed, please re-enter password");
    case 6:
      return true;
    case 7:
      if (form.cboEnv == 1) {
        if (form.txtBegin.empty()) {
          return true;
        }
        form.txtBegin.clear();
        return check.Fail("You cannot select the beginning period if Random is selected");
      }
      return check.Number(form.txtBegin, "Beginning economic period", 1, 100);
    default:
      return check.Fail("Error in Sub ValidateSetup");
  }
}

// A box that a computer-managed row must leave empty.
bool EmptyForComputer(FieldCheck& check, std::string& box, const char* message) {
  if (box.empty()) {
    return true;
  }
  box.clear();
  return check.Fail(message);
}

bool ValidateBankSetup(FieldCheck& check, BankSetupForm& form, int field, int num_banks) {
  if (field < 1 || field > 60) {
    return check.Fail("Error in Sub ValidateSetup");
  }
  const int column = (field - 1) / 10 + 2;
  const auto row_index = static_cast<std::size_t>((field - 1) % 10);
  BankSetupRow& row = form.rows[row_index];
  const bool human = row.cboCol3 == kManagementHuman;
  switch (column) {
    case 2: {
      if (!check.Text(row.txtCol2, "Bank name", 1, 10)) {
        return false;
      }
      const std::string name = Upper(row.txtCol2);
      for (std::size_t other = 0; other < static_cast<std::size_t>(std::min(num_banks, 10));
           ++other) {
        if (other != row_index && Upper(form.rows[other].txtCol2) == name) {
          return check.Fail("Bank name must be unique");
        }
      }
      return true;
    }
    case 3:
      if (human && row.txtCol7.empty()) {
        row.txtCol7 = "a:\\";
      } else if (!human && Upper(row.txtCol7) == "A:\\") {
        row.txtCol7.clear();
      }
      return true;
    case 4:
      return human ? check.Text(row.txtCol4, "President's name", 1, 10)
                   : EmptyForComputer(
                         check, row.txtCol4,
                         "You cannot select the president's name if computer management is "
                         "selected");
    case 5:
      return human ? check.Text(row.txtCol5, "Bank password", 0, 10)
                   : EmptyForComputer(
                         check, row.txtCol5,
                         "You cannot select a bank password if computer management is selected");
    case 6:
      return true;
    default:
      if (!human) {
        return EmptyForComputer(check, row.txtCol7,
                                "You cannot select a path if computer management is selected");
      }
      // Files are named by appending to the path, so it must end in a separator.
      if (row.txtCol7.empty() || (row.txtCol7.back() != '\\' && row.txtCol7.back() != '/')) {
        const bool host_style = row.txtCol7.find('/') != std::string::npos &&
                                row.txtCol7.find('\\') == std::string::npos;
        row.txtCol7 += host_style ? '/' : '\\';
      }
      return check.Text(row.txtCol7, "Path", 2, 100);
  }
}

bool ValidateEnvSetup(FieldCheck& check, EnvSetupForm& form, int field) {
  if (field < 1 || field > 16) {
    return check.Fail("Error in Sub ValidateSetup");
  }
  const EnvironmentField& rule = kEnvironmentFields[static_cast<std::size_t>(field - 1)];
  return check.Number(EnvFieldText(form, field), rule.name, rule.min, rule.max);
}

}  // namespace

std::optional<float> ParseSetupNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') {
    text.remove_prefix(1);
  }
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
  }
  float value = 0.0F;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

int SetupNumBanks(const GameSetupForm& form) {
  const auto value = ParseSetupNumber(form.txtNoBanks);
  return value && *value >= 1.0F && *value <= 10.0F ? static_cast<int>(std::nearbyint(*value)) : 0;
}

std::optional<SetupFieldRef> FirstInvalidField(Ui& ui, SetupForms& forms) {
  for (int field = 1; field <= 7; ++field) {
    if (!ValidateSetup(ui, forms, kGameSetupForm, field, 0)) {
      return SetupFieldRef{kGameSetupForm, field};
    }
  }
  const int num_banks = SetupNumBanks(forms.game);
  for (int bank = 1; bank <= num_banks; ++bank) {
    for (int column = 1; column <= 6; ++column) {
      const int field = (column - 1) * 10 + bank;
      if (!ValidateSetup(ui, forms, kBankSetupForm, field, num_banks)) {
        return SetupFieldRef{kBankSetupForm, field};
      }
    }
  }
  for (int field = 1; field <= 16; ++field) {
    if (!ValidateSetup(ui, forms, kEnvSetupForm, field, num_banks)) {
      return SetupFieldRef{kEnvSetupForm, field};
    }
  }
  return std::nullopt;
}

bool ValidateSetup(Ui& ui, SetupForms& forms, int form, int field, int num_banks) {
  FieldCheck check(ui);
  switch (form) {
    case kGameSetupForm:
      return ValidateGameSetup(check, forms.game, field);
    case kBankSetupForm:
      return ValidateBankSetup(check, forms.banks, field, num_banks);
    case kEnvSetupForm:
      return ValidateEnvSetup(check, forms.environment, field);
    default:
      return check.Fail("Error in Sub ValidateSetup");
  }
}

}  // namespace qv
