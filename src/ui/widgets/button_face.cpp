#include "ui/widgets/button_face.h"

#include <QPalette>
#include <QWidget>

namespace klemvar {

void PaintInButtonFace(QWidget* window) {
  QPalette face = window->palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  window->setPalette(face);
}

}  // namespace klemvar
