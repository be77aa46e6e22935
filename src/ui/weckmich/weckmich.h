#pragma once

// The main window: the program's only settings surface. It arms and disarms the
// alarm, fires it from its one-second timer, lives in the tray while hidden,
// and reaches the Help functions through its menu bar.

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

#include "core/clock.h"
#include "platform/session/tray_host.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace klemvar {

class TAlarmScheduler;
class TAboutBox;
class TSpinEdit;
class TStatusBar;
class TFormWeckdienst;
class TUpdateCheck;

// The main window's controls, menus and tray icon, named as in the layout. The
// window derives from this, so its handlers and tests reach them by name while
// the window's own class declares only what it does.
struct TFormKlemvarControls {
  QMenuBar* ActionMainMenuBar1 = nullptr;
  QGroupBox* GroupBoxWeckzeit = nullptr;
  QLabel* LabelStunden = nullptr;
  QLabel* LabelMinuten = nullptr;
  QRadioButton* RadioButtonUm = nullptr;
  QRadioButton* RadioButtonIn = nullptr;
  TSpinEdit* SpinStunden = nullptr;
  TSpinEdit* SpinMinuten = nullptr;
  QCheckBox* CheckBoxEvery = nullptr;
  QGroupBox* GroupBoxAlarmTxt = nullptr;
  QLineEdit* EditAlarmTxt = nullptr;
  QGroupBox* GroupBoxAlarm = nullptr;
  QCheckBox* CheckBoxTon = nullptr;
  QLabel* LabelClose = nullptr;
  TSpinEdit* SpinEditAlarmClose = nullptr;
  QPushButton* BitBtnAus = nullptr;
  QPushButton* ButtonWeckerStellen = nullptr;
  TStatusBar* StatusBar = nullptr;

  QAction* ActionBeenden = nullptr;
  QAction* ActionHomepage = nullptr;
  QAction* ActionSupport = nullptr;
  QAction* ActionEmail = nullptr;
  QAction* ActionSeperator2 = nullptr;
  QAction* ActionUpdate = nullptr;
  QAction* ActionSeperator = nullptr;
  QAction* ActionInfo = nullptr;

  // Null on Wayland until a StatusNotifierItem host appears.
  QSystemTrayIcon* TrayIcon = nullptr;
  QMenu* PopupMenu = nullptr;
  QAction* Weckereinstellen1 = nullptr;
  QAction* Beenden1 = nullptr;
};

class TFormKlemvar : public QWidget, public TFormKlemvarControls {
  Q_OBJECT
 public:
  // The client area as drawn; FitWidth widens it where the status panels need it.
  static constexpr int kClientWidth = 197;
  static constexpr int kClientHeight = 286;

  // The tray host says where the icon can go, the clock what time it is; tests
  // hand the window their own.
  explicit TFormKlemvar(QWidget* parent = nullptr, const TrayHost& trayHost = DesktopTrayHost(),
                        const LocalTimeSource& clock = SystemLocalTimeSource());
  ~TFormKlemvar() override;

  // The alarm schedule's one writer, with the tick Timer1.
  TAlarmScheduler* Scheduler = nullptr;

  // The update check: its transfer and its progress windows.
  TUpdateCheck* UpdateCheck = nullptr;

  // The windows opened last; earlier ones stay open on their own.
  QPointer<TFormWeckdienst> AlarmWindow;
  QPointer<TAboutBox> AboutBox;

  // Show the window, restore the program if it is minimised, bring it to the front.
  void BringBack();

  // True while the tray icon is actually docked, so a hidden window can be reached.
  bool TrayIconShown() const;

 public slots:
  // The alarm schedule.
  void ButtonWeckerStellenClick();
  void Timer1Timer();
  void BitBtnAusClick();
  void SpinStundenChange();
  void SpinMinutenChange();
  void SpinEditAlarmCloseChange();
  void SpinEditAlarmCloseExit();
  void RadioButtonUmClick();
  void RadioButtonInClick();
  void CheckBoxTonClick();

  // The menu bar.
  void ActionBeendenExecute();
  void ActionHomepageExecute();
  void ActionSupportExecute();
  void ActionEmailExecute();
  void ActionUpdateExecute();
  void ActionInfoExecute();

  // The tray icon and its menu.
  void TrayIconActivated(QSystemTrayIcon::ActivationReason reason);
  void Weckereinstellen1Click();
  void Beenden1Click();

  // The update check's transfer.
  void HTTPGetDoneFile(QObject* Sender, const QString& FileName, int FileSize);
  void HTTPGetError(QObject* Sender);

 signals:
  // The window was closed: the program ends.
  void closed();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateAlarmTimeGroup();
  void CreateAlarmTextGroup();
  void CreateAlarmGroup();
  void CreateButtonsAndStatusBar();
  void SetTabOrder();
  void FitCaptions();
  void FitWidth();
  void CreateMenuBar();
  void CreateTrayIcon();
  void AddTrayIcon();
  void CreateTrayIconNow(bool statusNotifier);
  void CreateUpdateCheck();
  void ConnectHandlers();

  void FormCreate();
  void FormDestroy();
  void FireAlarm();
  void ApplyWindowState(Qt::WindowStates previous);
  void FollowWindowState();
  void WindowStateRequested(Qt::WindowState state);
  void MinimiseRequested();
  void RestoreMinimisedWindows();
  void BringProgramToFront();

  const TrayHost& trayHost_;
  bool centred_ = false;
  // StatusNotifierItem hosts send one "activate" for the primary click instead of
  // a double click; decided once, as Qt decides which protocol it speaks.
  bool activateShows_ = false;
};

}  // namespace klemvar
