#pragma once

class QWidget;

namespace klemvar {

// X11 window managers offer the maximise box only to a window whose size can
// change, so a window of fixed size loses it. This keeps the box for a fixed
// window: its height may range over one pixel more, in steps far larger than
// that pixel, so no size but its own can be reached, neither by maximising
// nor by dragging a border. Elsewhere nothing changes.
void KeepMaximiseBox(QWidget* window);

}  // namespace klemvar
