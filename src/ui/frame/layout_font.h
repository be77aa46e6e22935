#pragma once

#include <QFont>

namespace klemvar {

// The font the windows' layouts were drawn for: "MS Sans Serif" 8 point. Where
// that face is not installed, Qt draws it with LayoutStandIn's face instead.
QFont LayoutFont();

// The face drawn where "MS Sans Serif" is missing: Liberation Sans, whose widths
// are Arial's and so close to the narrow face the layouts were measured in, else
// the desktop's own sans-serif face. A substitute already given for the
// designed face (as tests give one) is kept.
QString LayoutStandIn();

}  // namespace klemvar
