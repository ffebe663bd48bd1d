#include <fstream>
#include <memory>

#include "cli/GameCommands.h"
#include "cli/PdfPrinter.h"
#include "platform/Cp1252.h"
#include "platform/NumberFormat.h"
#include "reports/QuarterlyReport.h"
#include "reports/TextPages.h"
#include "setup/ChangeEnvironment.h"
#include "setup/EnvironmentFields.h"
#include "setup/ValidateSetup.h"

namespace qv::cli {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         std::equal(tail.rbegin(), tail.rend(), text.rbegin(),
                    [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

}  // namespace

int PrintQuarterlyReport(Session& session, Streams& streams, const std::string& layout, int copies,
                         const std::string& output) {
  const std::string layout_path = layout.empty() ? ReportLayoutPath(session) : layout;
  if (EndsWith(output, ".pdf")) {
    PdfPrinter pdf(output);
    return PrintReport(session, layout_path, copies, pdf) == ReportOutcome::kPrinted ? kExitOk
                                                                                     : kExitFailed;
  }
  TextPages pages;
  if (PrintReport(session, layout_path, copies, pages) != ReportOutcome::kPrinted) {
    return kExitFailed;
  }
  return WriteOutput(streams, output, Cp1252ToUtf8(pages.Render()));
}

void AddReportCommand(CommandLine& command_line, Action* action) {
  auto layout = std::make_shared<std::string>();
  auto copies = std::make_shared<int>(1);
  auto output = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  Command command = AddOpenGameCommand(
      command_line, action, "report", "Print the quarterly report of every bank",
      [=](Session& session, Streams& streams) {
        if (*json) {
          return PrintReportJson(session, streams, *layout, *output);
        }
        return PrintQuarterlyReport(session, streams, *layout, *copies, *output);
      },
      GameAccess::kRead);
  command.AddFlag("--json", json.get(), "the report's rows and figures as JSON");
  command.AddOption("--layout", layout.get(),
                    "the report layout (default: the shipped report.qvs)");
  command.AddOption("--copies", copies.get(), "number of copies").Within(1, 99);
  command.AddOption("--output", output.get(), "write to FILE instead (PDF when it ends in .pdf)");
}

void AddEnvCommand(CommandLine& command_line, Action* action) {
  auto settings = std::make_shared<std::vector<std::string>>();
  Command command = AddOpenGameCommand(
      command_line, action, "env", "Show or change the regulatory environment of a running game",
      [settings](Session& session, Streams& streams) {
        Table<double, 84> environment;
        if (!ReadEnvironmentForChange(session, &environment)) {
          return kExitFailed;
        }
        SetupForms forms;
        FillEnvSetupForm(environment, &forms.environment);
        if (settings->empty()) {
          for (const EnvironmentField& field : kEnvironmentFields) {
            streams.out << field.key << " = " << EnvFieldText(forms.environment, field.field)
                        << "  (" << field.name << ")\n";
          }
          return kExitOk;
        }
        for (const std::string& setting : *settings) {
          const std::size_t equals = setting.find('=');
          const EnvironmentField* field = equals == std::string::npos
                                              ? nullptr
                                              : FindEnvironmentField(setting.substr(0, equals));
          if (field == nullptr) {
            streams.err << "qvctl env: '" << setting
                        << "' is not FIELD=VALUE with a field that `qvctl env DIR` lists\n";
            return kExitBadArguments;
          }
          EnvFieldText(forms.environment, field->field) = setting.substr(equals + 1);
        }
        for (const EnvironmentField& field : kEnvironmentFields) {
          if (!ValidateSetup(session.ui, forms, kEnvSetupForm, field.field, 0)) {
            streams.out << "Nothing was changed.\n";
            return kExitBadArguments;
          }
        }
        StoreEnvSetupForm(forms.environment, &environment);
        if (!SaveEnvironmentChanges(session, environment)) {
          return kExitFailed;
        }
        streams.out << "The new environment takes effect from the next quarter.\n";
        return kExitOk;
      });
  command.AddOption("--set", settings.get(), "FIELD=VALUE, with a field name shown by `qvctl env`");
}

}  // namespace qv::cli
