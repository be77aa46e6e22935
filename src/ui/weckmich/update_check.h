#pragma once

// The update check's fixed values.

#include <QString>

namespace klemvar {

// The program's own version, compared with the one the update file announces.
inline constexpr double ProgramVersionNumber = 1.2;

// Where the fetched update file is kept until it has been read: "update.ini"
// in the program's cache folder for this user. An installed program's own
// folder is no place a user may write to. Empty when there is no such folder.
QString LocalUpdateFile();

// Creates the cache folder, and any folder missing above it, for the user
// alone (mode 0700). False when that cannot be done.
bool MakeUpdateFileFolder();

}  // namespace klemvar
