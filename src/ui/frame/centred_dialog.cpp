#include "ui/frame/centred_dialog.h"

#include <QKeyEvent>
#include <QShowEvent>

#include "ui/frame/screen_centre.h"

namespace klemvar {

void TCentredDialog::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel))
    event->ignore();
  else
    QDialog::keyPressEvent(event);
}

void TCentredDialog::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) CentreWindowOnScreen(this);
  QDialog::showEvent(event);
}

}  // namespace klemvar
