#pragma once

#include <QString>

namespace klemvar {

// Starts the program, runs it until the main window closes and tears it down.
// Returns the process's exit status.
int RunKlemvar(int argc, char** argv);

// The executable's folder, with a trailing separator.
QString ProgramFolder();

}  // namespace klemvar
