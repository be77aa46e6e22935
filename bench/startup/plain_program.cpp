// The third reference for the start-up benchmark: a plain Qt 6 Widgets program
// with the main window's kinds of controls (a menu bar with pictures, group
// boxes, radio buttons, spin boxes, check boxes, a line edit, buttons with
// pictures, a status bar whose clock a one-second timer updates) and a tray
// icon with a menu, written the way Qt's examples write them, with no
// start-up work of its own. What Klemvar does beyond that is its own cost.
// Built with the program's own flags.

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Plain Qt program"));
  QStyle* style = window.style();
  auto* layout = new QVBoxLayout(&window);

  auto* menuBar = new QMenuBar;
  QMenu* file = menuBar->addMenu(QStringLiteral("&Datei"));
  file->addAction(style->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Beenden"),
                  &window, &QWidget::close);
  QMenu* help = menuBar->addMenu(QStringLiteral("&Hilfe"));
  help->addAction(style->standardIcon(QStyle::SP_MessageBoxInformation), QStringLiteral("&Info"));
  layout->setMenuBar(menuBar);

  auto* when = new QGroupBox(QStringLiteral("Weckzeit"));
  auto* whenLayout = new QGridLayout(when);
  whenLayout->addWidget(new QRadioButton(QStringLiteral("um")), 0, 0);
  whenLayout->addWidget(new QRadioButton(QStringLiteral("in")), 1, 0);
  auto* hours = new QSpinBox;
  hours->setRange(0, 23);
  auto* minutes = new QSpinBox;
  minutes->setRange(0, 59);
  whenLayout->addWidget(new QLabel(QStringLiteral("Stunden")), 0, 1);
  whenLayout->addWidget(hours, 0, 2);
  whenLayout->addWidget(new QLabel(QStringLiteral("Minuten")), 1, 1);
  whenLayout->addWidget(minutes, 1, 2);
  whenLayout->addWidget(new QCheckBox(QStringLiteral("Weckzeit wiederholen")), 2, 0, 1, 3);
  layout->addWidget(when);

  auto* how = new QGroupBox(QStringLiteral("Wecktext"));
  auto* howLayout = new QGridLayout(how);
  auto* text = new QLineEdit(QStringLiteral("Zeit zum Aufstehen!"));
  text->setMaxLength(34);
  howLayout->addWidget(text, 0, 0, 1, 2);
  howLayout->addWidget(new QCheckBox(QStringLiteral("Läuten")), 1, 0);
  auto* close = new QSpinBox;
  close->setRange(0, 59);
  howLayout->addWidget(close, 1, 1);
  layout->addWidget(how);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(
      new QPushButton(style->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("&Stellen")));
  buttons->addWidget(
      new QPushButton(style->standardIcon(QStyle::SP_DialogNoButton), QStringLiteral("&Aus")));
  layout->addLayout(buttons);

  auto* statusBar = new QStatusBar;
  auto* clock = new QLabel;
  statusBar->addWidget(clock);
  statusBar->addWidget(new QLabel);
  statusBar->addWidget(new QLabel(QStringLiteral("Quorbel Software")));
  layout->addWidget(statusBar);
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout,
                   [clock] { clock->setText(QTime::currentTime().toString()); });
  timer.start(1000);

  QMenu trayMenu;
  trayMenu.addAction(QStringLiteral("Anzeigen"), &window, &QWidget::show);
  trayMenu.addAction(QStringLiteral("Beenden"), &window, &QWidget::close);
  QSystemTrayIcon tray(style->standardIcon(QStyle::SP_ComputerIcon));
  tray.setContextMenu(&trayMenu);
  tray.show();

  window.show();
  return application.exec();
}
