#pragma once

namespace klemvar {

// Starts the program, runs it until the main window closes and tears it down.
// Returns the process's exit status.
int RunKlemvar(int argc, char** argv);

}  // namespace klemvar
