#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace qv {

// Where an installed program keeps its shipped data files, relative to the installation
// prefix that holds its executable in bin/.
inline constexpr const char* kInstalledDataDir = "share/quorvant/";

// The program directory (`ProgramDir`) of an executable in `executable_dir` (ending in a
// separator): the shared data folder of the installation when it holds the shipped report
// layout (an installed program, /usr/bin/qvctl -> /usr/share/quorvant/), else the
// executable's own folder (a build tree or a copy run in place). Returns a directory ending
// in a separator.
std::string FindProgramDir(FileSystem& files, const std::string& executable_dir);

}  // namespace qv
