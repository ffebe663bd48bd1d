#pragma once

#include <optional>
#include <string_view>

#include "setup/SetupForms.h"

namespace qv {

class Ui;

// Checks one field of a setup form (form 1 Game Setup, 2 Bank Setup, 3 Environment Setup;
// fields numbered as the forms number them). An invalid field is reported to the user with
// its message (exclamation icon, OK) and, where the rule says so, emptied; the management
// list of a bank row adjusts that row's path. Returns true when the field is valid (the
// form's `cancel` = 0). `num_banks` is the number of banks the game has now: bank names are
// compared for uniqueness with rows 1..num_banks only.
bool ValidateSetup(Ui& ui, SetupForms& forms, int form, int field, int num_banks);

// A field of a setup form.
struct SetupFieldRef {
  int form;
  int field;
  bool operator==(const SetupFieldRef&) const = default;
};

// Checks every field of the three forms in the order the new-game flow checks them: the game
// form's fields 1..7, then bank by bank the six columns of rows 1..NumBanks, then the
// environment form's fields 1..16. Stops at the first invalid field, whose message has been
// shown, and returns it; returns nothing when all are valid.
std::optional<SetupFieldRef> FirstInvalidField(Ui& ui, SetupForms& forms);

// The number of banks the game form gives, converted as the flow stores it.
int SetupNumBanks(const GameSetupForm& form);

// The box text as a single-precision number, the way the forms convert it: blanks around it
// are allowed, anything else that is not a decimal number gives nothing.
std::optional<float> ParseSetupNumber(std::string_view text);

}  // namespace qv
