#include "setup/EnvironmentFields.h"

#include <cstring>

#include "data/Items.h"
#include "platform/NumberFormat.h"
#include "platform/Numeric.h"
#include "platform/RuntimeError.h"
#include "setup/ValidateSetup.h"

namespace qv {

namespace env = environment;

const std::array<EnvironmentField, 16> kEnvironmentFields = {{
    {1, env::kMaxCommercialLoanRate, "Maximum commercial loan rate", "max_commercial_loan_rate",
     1.0F, 99.99F},
    {2, env::kMaxConsumerLoanRate, "Maximum consumer loan rate", "max_consumer_loan_rate", 1.0F,
     99.99F},
    {3, env::kMaxHomeEquityLoanRate, "Maximum home equity loan rate", "max_home_equity_loan_rate",
     1.0F, 99.99F},
    {4, env::kMaxRealEstateLoanRate, "Maximum real estate loan rate", "max_real_estate_loan_rate",
     1.0F, 99.99F},
    {5, env::kMaxCheckingRate, "Maximum checking account rate", "max_checking_rate", 0.0F, 99.99F},
    {6, env::kMaxSavingsRate, "Maximum savings account rate", "max_savings_rate", 0.0F, 99.99F},
    {7, env::kMaxTimeDepositRate, "Maximum time deposit rate", "max_time_deposit_rate", 0.0F,
     99.99F},
    {8, env::kMaxCdRate, "Maximum CD rate", "max_cd_rate", 0.0F, 99.99F},
    {9, env::kCheckingReserve, "Maximum checking reserve requirement", "checking_reserve", 0.0F,
     50.0F},
    {10, env::kSavingsReserve, "Maximum savings reserve requirement", "savings_reserve", 0.0F,
     50.0F},
    {11, env::kTimeDepositReserve, "Maximum time deposit reserve requirement",
     "time_deposit_reserve", 0.0F, 50.0F},
    {12, env::kCdReserve, "Maximum CD reserve requirement", "cd_reserve", 0.0F, 50.0F},
    {13, env::kMinCapital, "Minimum capital requirement", "min_capital", 1.0F, 50.0F},
    {14, env::kMaxCentralBankBorrowing, "Maximum FRB borrowing", "max_frb_borrowing", 0.0F, 100.0F},
    {15, env::kMaxCapitalNotes, "Maximum capital notes", "max_capital_notes", 0.0F, 200.0F},
    {16, env::kTaxRate, "Tax rate", "tax_rate", 0.01F, 0.99F},
}};

const EnvironmentField* FindEnvironmentField(const std::string& key) {
  for (const EnvironmentField& field : kEnvironmentFields) {
    if (key == field.key) {
      return &field;
    }
  }
  return nullptr;
}

std::string& EnvFieldText(EnvSetupForm& form, int field) {
  if (field >= 1 && field <= 8) {
    return form.txtCol2[static_cast<std::size_t>(field - 1)];
  }
  if (field >= 9 && field <= 12) {
    return form.txtCol4[static_cast<std::size_t>(field - 9)];
  }
  switch (field) {
    case 13:
      return form.txtCapAdeq;
    case 14:
      return form.txtFRB;
    case 15:
      return form.txtNotes;
    case 16:
      return form.txtTax;
    default:
      throw RuntimeError(error::kSubscriptOutOfRange);
  }
}

const std::string& EnvFieldText(const EnvSetupForm& form, int field) {
  return EnvFieldText(const_cast<EnvSetupForm&>(form), field);
}

void FillEnvSetupForm(const Table<double, 84>& environment, EnvSetupForm* form) {
  for (const EnvironmentField& field : kEnvironmentFields) {
    EnvFieldText(*form, field.field) = FormatShortest(ToSingle(environment(field.item)));
  }
}

void StoreEnvSetupForm(const EnvSetupForm& form, Table<double, 84>* environment) {
  for (const EnvironmentField& field : kEnvironmentFields) {
    const auto value = ParseSetupNumber(EnvFieldText(form, field.field));
    if (value) {
      (*environment)(field.item) = *value;
    }
  }
}

}  // namespace qv
