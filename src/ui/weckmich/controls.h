#pragma once

// The main window's controls, menus and tray icon, named as in the layout. The
// window derives from this, so its handlers and tests reach them by name while
// the window's own class declares only what it does.

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSystemTrayIcon;

namespace klemvar {

class TSpinEdit;
class TStatusBar;

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

}  // namespace klemvar
