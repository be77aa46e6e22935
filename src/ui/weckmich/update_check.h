#pragma once

// The update check's fixed values.

#include <QString>

#include "ui/version.h"  // ProgramVersionNumber, compared with the update file's

namespace klemvar {

// Where the fetched update file is kept until it has been read: "update.ini"
// in the program's cache folder for this user. An installed program's own
// folder is no place a user may write to. Empty when there is no such folder.
QString LocalUpdateFile();

// Creates the cache folder, and any folder missing above it, for the user
// alone (mode 0700). False when that cannot be done.
bool MakeUpdateFileFolder();

}  // namespace klemvar
