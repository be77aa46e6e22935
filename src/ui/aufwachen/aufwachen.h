#pragma once

// The alarm window and the ring.

#include <QString>

#include "ui/frame/centred_dialog.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace klemvar {

class MnemonicLabel;

// The embedded ring, a RIFF WAVE image.
inline constexpr char kRingResource[] = ":/sounds/RING.wav";

// Points the ring at other data than kRingResource. Tests point it at damaged or
// missing data.
void SetRingResource(const QString& path);

// Starts the built-in ring in an endless loop, from its beginning, replacing any
// sound the program plays. Returns at once.
void StartRing();
// Stops the ring; does nothing when nothing plays.
void StopRing();

// The always-on-top window that shows AlarmText. It deletes itself when closed,
// and every way of closing it stops the ring. It closes by itself at the first
// tick after the shared close moment while AlarmCloseSeconds is above 0.
class TFormWeckdienst : public TCentredDialog {
  Q_OBJECT
 public:
  explicit TFormWeckdienst(QWidget* parent = nullptr);

 public slots:
  void Timer1Timer();
  void ButtonOKClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void StayUsableBesideOpenBox();
  void CreateComponents();
  void FormCreate();
  void RunFormCreate();

  QFrame* Bevel1 = nullptr;
  QLabel* Image1 = nullptr;
  MnemonicLabel* LabelAlarmTxt = nullptr;
  QPushButton* ButtonOK = nullptr;
  QTimer* Timer1 = nullptr;
};

}  // namespace klemvar
