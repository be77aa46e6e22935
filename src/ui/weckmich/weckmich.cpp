#include "ui/weckmich/weckmich.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcutEvent>

#include "core/clock.h"
#include "ui/alarm/alarm_scheduler.h"
#include "ui/frame/application_icon.h"
#include "ui/frame/error_report.h"
#include "ui/frame/handler.h"
#include "ui/frame/layout_font.h"
#include "ui/frame/screen_centre.h"
#include "ui/widgets/button_face.h"
#include "ui/widgets/spin_edit.h"

namespace klemvar {
TFormKlemvar::TFormKlemvar(QWidget* parent, const TrayHost& trayHost, const LocalTimeSource& clock)
    : QWidget(parent), trayHost_(trayHost) {
  setObjectName(QStringLiteral("FormKlemvar"));
  setWindowTitle(QStringLiteral("Klemvar"));
  setWindowIcon(ApplicationIcon());
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);  // FitWidth settles the width
  setFont(LayoutFont());
  PaintInButtonFace(this);

  CreateMenuBar();
  CreateControls();
  CreateTrayIcon();
  CreateUpdateCheck();
  Scheduler = new TAlarmScheduler(clock, this);
  ConnectHandlers();

  // An error here is reported like any other; the window is created and shown all the same.
  RunHandler([this] { FormCreate(); });
}

TFormKlemvar::~TFormKlemvar() {
  FormDestroy();
  // QWidget's destructor still hides the window and moves the focus out of a
  // field; by then this class's handlers must no longer run.
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

void TFormKlemvar::ConnectHandlers() {
  // Each handler reports its own errors, so none unwinds through Qt.
  connect(SpinStunden, &TSpinEdit::changed, this, Handler(this, &TFormKlemvar::SpinStundenChange));
  connect(SpinMinuten, &TSpinEdit::changed, this, Handler(this, &TFormKlemvar::SpinMinutenChange));
  connect(SpinEditAlarmClose, &TSpinEdit::changed, this,
          Handler(this, &TFormKlemvar::SpinEditAlarmCloseChange));
  connect(SpinEditAlarmClose, &TSpinEdit::exited, this,
          Handler(this, &TFormKlemvar::SpinEditAlarmCloseExit));
  connect(RadioButtonUm, &QRadioButton::toggled, this, Guarded([this](bool on) {
            if (on) RadioButtonUmClick();
          }));
  connect(RadioButtonIn, &QRadioButton::toggled, this, Guarded([this](bool on) {
            if (on) RadioButtonInClick();
          }));
  connect(CheckBoxTon, &QCheckBox::toggled, this, Handler(this, &TFormKlemvar::CheckBoxTonClick));
  connect(ButtonWeckerStellen, &QPushButton::clicked, this,
          Handler(this, &TFormKlemvar::ButtonWeckerStellenClick));
  connect(BitBtnAus, &QPushButton::clicked, this, Handler(this, &TFormKlemvar::BitBtnAusClick));
  connect(Scheduler, &TAlarmScheduler::ticked, this, Handler(this, &TFormKlemvar::Timer1Timer));
  ActionMainMenuBar1->installEventFilter(this);
  BitBtnAus->installEventFilter(this);
}

// "&Aus" and "D&atei" share Alt+A. While "&Aus" can be pressed, the key
// presses it, as the button's caption promises; otherwise it opens the menu.
// Left to Qt, the shared key would only move the focus between the two.
bool TFormKlemvar::eventFilter(QObject* watched, QEvent* event) {
  const bool sharedKey = event->type() == QEvent::Shortcut &&
                         (watched == ActionMainMenuBar1 || watched == BitBtnAus) &&
                         static_cast<QShortcutEvent*>(event)->key() == BitBtnAus->shortcut();
  if (sharedKey && BitBtnAus->isEnabled() && BitBtnAus->isVisible()) {
    BitBtnAus->animateClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFormKlemvar::FormCreate() {
  if (TrayIcon) TrayIcon->show();
  RadioButtonUmClick();  // proposes the current clock time
}

void TFormKlemvar::FormDestroy() {
  if (TrayIcon) TrayIcon->hide();
}

void TFormKlemvar::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

void TFormKlemvar::showEvent(QShowEvent* event) {
  // Centred the first time only: shown again, the window keeps its last place.
  if (!centred_) {
    centred_ = true;
    CentreWindowOnScreen(this);
  }
  QWidget::showEvent(event);
  FollowWindowState();
}

}  // namespace klemvar
