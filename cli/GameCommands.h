#pragma once

#include "cli/CommandSupport.h"
#include "setup/SetupForms.h"

namespace qv::cli {

// The commands on a game: new, info, passwords, advance, demo, report, env.
void AddNewCommand(CommandLine& command_line, Action* action);
void AddInfoCommand(CommandLine& command_line, Action* action);
void AddPasswordsCommand(CommandLine& command_line, Action* action);
void AddAdvanceCommand(CommandLine& command_line, Action* action);
void AddDemoCommand(CommandLine& command_line, Action* action);
void AddReportCommand(CommandLine& command_line, Action* action);
void AddEnvCommand(CommandLine& command_line, Action* action);
void AddUndoCommand(CommandLine& command_line, Action* action);
void AddHistoryCommand(CommandLine& command_line, Action* action);

void AddDecideCommand(CommandLine& command_line, Action* action);
void AddExportCommand(CommandLine& command_line, Action* action);

// The quarterly report of the open game's latest quarter as JSON, laid out by `layout` (the
// shipped one when empty), to standard output or `output`. Returns the exit code.
int PrintReportJson(Session& session, Streams& streams, const std::string& layout,
                    const std::string& output);

// Prints the quarterly report of the open game with `layout` (the shipped one when empty):
// to standard output, or to `output`, as PDF when its name ends in ".pdf". Returns the exit
// code.
int PrintQuarterlyReport(Session& session, Streams& streams, const std::string& layout, int copies,
                         const std::string& output);

// The environment form filled with the defaults of a new game.
EnvSetupForm DefaultEnvironmentForm(Session& session);

// Checks the setup forms as the wizard does, then creates and starts the game in the
// session's game directory, asking before a game there is replaced. Returns the exit code.
int CreateFromSetup(Session& session, Streams& streams, SetupForms& forms);

// Advances the open game one quarter; true when the quarter was calculated and written.
bool AdvanceOneQuarter(Session& session);

}  // namespace qv::cli
