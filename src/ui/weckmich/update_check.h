#pragma once

// The update check's fixed values.

#include <QString>

namespace klemvar {

// The program's own version, compared with the one the update file announces.
inline constexpr double ProgramVersionNumber = 1.2;

// Where the fetched update file is kept until it has been read: ProgramFolder
// followed by "update.ini".
QString LocalUpdateFile();

}  // namespace klemvar
