#pragma once

#include <array>
#include <string>

#include "platform/Table.h"
#include "setup/SetupForms.h"

namespace qv {

// One of the sixteen regulatory limits the instructor edits: its field number on the
// environment form, the `Environment` item it sets, its name in messages, its key in setup
// files and on qvctl's command line, and the range the form accepts.
struct EnvironmentField {
  int field;
  int item;
  const char* name;
  const char* key;
  float min;
  float max;
};

extern const std::array<EnvironmentField, 16> kEnvironmentFields;

// The field whose key is `key`, or nullptr.
const EnvironmentField* FindEnvironmentField(const std::string& key);

// The box of field 1..16 on the environment form.
std::string& EnvFieldText(EnvSetupForm& form, int field);
const std::string& EnvFieldText(const EnvSetupForm& form, int field);

// Puts each of the sixteen items into its box in its shortest decimal form (rates in percent,
// the tax rate as a fraction).
void FillEnvSetupForm(const Table<double, 84>& environment, EnvSetupForm* form);

// Copies each box into its item as a single-precision number. The boxes must have passed
// the form's checks.
void StoreEnvSetupForm(const EnvSetupForm& form, Table<double, 84>* environment);

}  // namespace qv
