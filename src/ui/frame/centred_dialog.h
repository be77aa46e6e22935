#pragma once

// The base of the program's dialogs (About, alarm, progress): each opens at the
// centre of the screen, and none has a cancel button, so Escape closes none.

#include <QDialog>

namespace klemvar {

class TCentredDialog : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;

 protected:
  // Enter still reaches the default button through QDialog; Escape, which
  // QDialog would take as a rejection, is bound to nothing.
  void keyPressEvent(QKeyEvent* event) override;
  // The same place at every show, whatever else is open: a second window covers
  // the first exactly. Placing it by hand also keeps QDialog from guessing.
  void showEvent(QShowEvent* event) override;
};

}  // namespace klemvar
