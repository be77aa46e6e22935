#pragma once

// The alarm window and the ring.

#include <QPointer>
#include <QString>

#include "ui/frame/centred_dialog.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace klemvar {

class TAlarmScheduler;
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

// The always-on-top window that shows the alarm text. It deletes itself when
// closed, and every way of closing it stops the ring. Made, it sets the close
// moment of its scheduler's schedule, and closes by itself as that says.
class TFormWeckdienst : public TCentredDialog {
  Q_OBJECT
 public:
  explicit TFormWeckdienst(const QString& alarmText = {}, TAlarmScheduler* scheduler = nullptr);

 public slots:
  void Timer1Timer();
  void ButtonOKClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void StayUsableBesideOpenBox();
  void CreateComponents();
  void FormCreate(const QString& alarmText);

  QFrame* Bevel1 = nullptr;
  QLabel* Image1 = nullptr;
  MnemonicLabel* LabelAlarmTxt = nullptr;
  QPushButton* ButtonOK = nullptr;
  QTimer* Timer1 = nullptr;
  QPointer<TAlarmScheduler> scheduler_;
};

}  // namespace klemvar
