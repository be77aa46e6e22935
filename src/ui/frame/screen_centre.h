#pragma once

class QWidget;

namespace klemvar {

// Places a top-level window at the centre of the whole primary screen: not its
// work area, and not over whichever window happens to be active. Where the
// platform knows the frame's size already, the frame is centred; before the
// first mapping it may know only the client area, which is then centred.
void CentreWindowOnScreen(QWidget* window);

}  // namespace klemvar
