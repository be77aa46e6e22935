#pragma once

#include <QIcon>

namespace klemvar {

// The program's icon, the cartoon alarm clock: the windows' icon and the tray
// icon, each size decoded when it is first drawn.
QIcon ApplicationIcon();

}  // namespace klemvar
