#pragma once

#include "cli/CommandSupport.h"
#include "shell/SetupForms.h"

namespace qv::cli {

// The commands on a game: new, info, passwords, advance, demo.
void AddNewCommand(CLI::App& app, Action* action);
void AddInfoCommand(CLI::App& app, Action* action);
void AddPasswordsCommand(CLI::App& app, Action* action);
void AddAdvanceCommand(CLI::App& app, Action* action);
void AddDemoCommand(CLI::App& app, Action* action);

// The environment form filled with the defaults of a new game.
EnvSetupForm DefaultEnvironmentForm(Session& session);

// Checks the setup forms as the wizard does, then creates and starts the game in the
// session's game directory, asking before a game there is replaced. Returns the exit code.
int CreateFromSetup(Session& session, Streams& streams, SetupForms& forms);

// Advances the open game one quarter; true when the quarter was calculated and written.
bool AdvanceOneQuarter(Session& session);

}  // namespace qv::cli
