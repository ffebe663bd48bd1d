#pragma once

#include <string>

#include "setup/SetupForms.h"

namespace qv::cli {

// A new game's setup as qvctl reads it from a JSON file: the three setup forms filled as the
// instructor would fill them. Every value may be given as a JSON number or as the text typed
// into the form box; the setup rules then check the boxes exactly as the forms do.
struct SetupFile {
  SetupForms forms;
  int num_banks = 0;
};

// Parses `json_text` over the given environment defaults (keys left out keep them). On failure
// returns false and puts into `problem` a sentence that names the key that is wrong
// ("banks[2].management must be one of ...").
bool ParseSetupFile(const std::string& json_text, const EnvSetupForm& environment_defaults,
                    SetupFile* setup, std::string* problem);

}  // namespace qv::cli
