#pragma once

#include <QFont>

namespace klemvar {

// The font the windows' layouts were drawn for: "MS Sans Serif" 8 point where
// that face is installed, else the desktop's own sans-serif face at the same size.
QFont LayoutFont();

}  // namespace klemvar
