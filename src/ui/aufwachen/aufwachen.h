#pragma once

// The alarm window and the ring.

#include <QDialog>

namespace klemvar {

// Starts the built-in ring in an endless loop, from its beginning, replacing any
// sound the program plays. Returns at once.
void StartRing();
// Stops the ring; does nothing when nothing plays.
void StopRing();

class TFormWeckdienst : public QDialog {
  Q_OBJECT
 public:
  explicit TFormWeckdienst(QWidget* parent = nullptr);
};

}  // namespace klemvar
