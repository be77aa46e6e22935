#include "ui/aufwachen/aufwachen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "platform/sound/looping_sound.h"
#include "ui/alarm/alarm_scheduler.h"
#include "ui/aufwachen/alarm_window_session.h"
#include "ui/aufwachen/mnemonic_label.h"
#include "ui/frame/error_report.h"
#include "ui/frame/handler.h"
#include "ui/frame/layout_fit.h"
#include "ui/frame/layout_font.h"
#include "ui/widgets/button_face.h"
#include "ui/widgets/read_picture.h"

namespace klemvar {

namespace {

QString& RingPath() {
  static QString path = QString::fromLatin1(kRingResource);
  return path;
}

QFont LabelFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(27);
  font.setBold(true);
  return font;
}

}  // namespace

void SetRingResource(const QString& path) { RingPath() = path; }

void StartRing() { PlaySoundLooping(RingPath()); }

void StopRing() { StopSound(); }

TFormWeckdienst::TFormWeckdienst(const QString& alarmText, TAlarmScheduler* scheduler)
    : TCentredDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      scheduler_(scheduler) {
  setAttribute(Qt::WA_DeleteOnClose);
  KeepSessionAwakeWhileShown(this);
  setWindowTitle(QStringLiteral("Klemvar Weckdienst"));
  setFixedSize(313, 214);
  // The OK button's face; the alarm text has a font of its own.
  setFont(LayoutFont());
  PaintInButtonFace(this);
  CreateComponents();
  // An error here skips the rest of the creation handler but not the window: it
  // is reported in the frame's error box, and the window opens with what was done.
  RunHandler([&] { FormCreate(alarmText); });
}

void TFormWeckdienst::CreateComponents() {
  Bevel1 = new QFrame(this);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel1->setGeometry(8, 8, 297, 161);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(24, 24, 113, 137);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setPixmap(
      QPixmap::fromImage(ReadPicture(QStringLiteral(":/pictures/weckdienst.bmp"), "bmp")));

  LabelAlarmTxt = new MnemonicLabel(this);
  LabelAlarmTxt->setObjectName(QStringLiteral("LabelAlarmTxt"));
  LabelAlarmTxt->setFont(LabelFont());
  LabelAlarmTxt->setGeometry(152, 24, 145, 88);
  LabelAlarmTxt->SetCaption(QStringLiteral("It's time to go!"));

  ButtonOK = new QPushButton(QStringLiteral("&OK"), this);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setGeometry(112, 176, 81, 25);
  QIcon tick(QStringLiteral(":/buttons/tick.png"));
  tick.addFile(QStringLiteral(":/buttons/tick-disabled.png"), {}, QIcon::Disabled);
  ButtonOK->setIcon(tick);
  ButtonOK->setIconSize({18, 18});
  ButtonOK->setDefault(true);
  FitCaptions({ButtonOK});
  ButtonOK->setFocus();
  connect(ButtonOK, &QPushButton::clicked, this, Handler(this, &TFormWeckdienst::ButtonOKClick));

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, Handler(this, &TFormWeckdienst::Timer1Timer));
  Timer1->start();
}

void TFormWeckdienst::FormCreate(const QString& alarmText) {
  LabelAlarmTxt->SetCaption(alarmText);
  if (scheduler_) scheduler_->OpenAlarmWindow();
}

void TFormWeckdienst::Timer1Timer() {
  if (scheduler_ && scheduler_->Schedule().AlarmWindowsClose(scheduler_->Clock())) close();
}

void TFormWeckdienst::ButtonOKClick() { close(); }

void TFormWeckdienst::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) StayUsableBesideOpenBox();
  TCentredDialog::showEvent(event);
}

// A message box takes input from the windows that were there when it opened,
// but an alarm that fires while it waits must still be stoppable. Qt's
// application-modal box would block every window of the program, also one
// made later; it leaves usable only what belongs to the box, so the alarm
// window becomes the box's own.
void TFormWeckdienst::StayUsableBesideOpenBox() {
  QWidget* box = QApplication::activeModalWidget();
  if (box && box != this && windowHandle()) windowHandle()->setTransientParent(box->windowHandle());
}

// OK, the automatic close and the frame's close box all end here: whoever
// dismisses an alarm expects silence.
void TFormWeckdienst::closeEvent(QCloseEvent* event) {
  StopRing();
  QDialog::closeEvent(event);
}

}  // namespace klemvar
