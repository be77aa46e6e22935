#pragma once

// The program's windows are painted in the button face colour, as the classic
// desktop paints dialogs, rather than in the style's window colour.

class QWidget;

namespace klemvar {

void PaintInButtonFace(QWidget* window);

}  // namespace klemvar
