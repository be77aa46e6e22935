#pragma once

// Which window system the program is a client of.

namespace klemvar {

bool OnWayland();
bool OnX11();

}  // namespace klemvar
