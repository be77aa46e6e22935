#pragma once

#include <QIcon>

namespace klemvar {

// The program's icon, the cartoon alarm clock: the windows' icon and the tray
// icon, in every size rendered from its one source.
QIcon ApplicationIcon();

}  // namespace klemvar
