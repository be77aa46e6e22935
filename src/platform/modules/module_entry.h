#pragma once

// The layers whose libraries are large and seldom needed (the looping sound on
// libpulse, the HTTP transport on libcurl) are built as loadable modules
// and stay out of the executable, so that a start maps none of their libraries.
// Each is loaded the first time it is needed.
//
// Modules live in the program's module folder, found from the executable's own
// folder only: <libdir>/klemvar/modules in an installation, and the same place
// relative to the program in the build tree, which is laid out alike.

#include <QString>
#include <QtGlobal>

namespace klemvar {

// Loads the module `name` (the file `name`.so in the module folder) and returns
// its entry point `entry`, or nullptr when either cannot be had. A module is
// tried once: later calls give the first answer, and a failure is told once,
// with its reason, in the logging category "klemvar.modules". GUI thread only.
QFunctionPointer ModuleEntry(const QString& name, const char* entry);

// The folder the program's modules are looked for in.
QString ModuleFolder();

// For test programs, which are built elsewhere than the program: the module
// folder to use instead. The program itself never calls it.
void SetModuleFolder(const QString& folder);

}  // namespace klemvar
