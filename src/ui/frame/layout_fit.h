#pragma once

// The layouts were drawn for a narrow bitmap face; where the face that stands
// in for it is wider, a caption that would be clipped widens its control, as
// far as the parent and the next control on the same row allow.

#include <QList>

class QWidget;

namespace klemvar {

// The width a control needs to show its whole caption.
int CaptionWidth(const QWidget* widget);

// Widens each control whose caption would be clipped; never narrows one.
void FitCaptions(const QList<QWidget*>& controls);

}  // namespace klemvar
