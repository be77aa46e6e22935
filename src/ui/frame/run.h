#pragma once

#include <QCoreApplication>
#include <QDir>

namespace klemvar {

// Starts the program, runs it until the main window closes and tears it down.
// Returns the process's exit status.
int RunKlemvar(int argc, char** argv);

// The executable's folder, with a trailing separator.
inline QString ProgramFolder() {
  return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

}  // namespace klemvar
