// The main window's visibility: minimise, maximise, the tray icon's mouse
// events and menu, bringing the window back, and the mend for desktops without
// a tray.

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "main_window_fixture.h"
#include "support/klemvar_test_main.h"
#include "ui/aufwachen/aufwachen.h"
#include "ui/widgets/spin_edit.h"

using namespace klemvar;
using namespace klemvar::testing;

class VisibilityTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> main_;
  TFormKlemvar* form() const { return main_->form.get(); }

  void Minimise() { form()->setWindowState(form()->windowState() | Qt::WindowMinimized); }

  void Open(bool trayDocked, bool statusNotifier = false) {
    main_->tray.docked = trayDocked;
    main_->tray.statusNotifier = statusNotifier;
    main_->Open();
  }

  void ExpectShownNormal() {
    QVERIFY(form()->isVisible());
    QVERIFY(!(form()->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)));
    QCOMPARE(form()->size(), QSize(197, 286));
  }

 private slots:
  void init() { main_ = std::make_unique<MainWindow>(); }
  void cleanup() { main_.reset(); }

  void minimiseHidesIntoTheTrayAndKeepsThePlace() {
    Open(true);
    form()->move(40, 60);
    const QPoint place = form()->pos();
    Minimise();
    QVERIFY(!form()->isVisible());
    form()->TrayIconActivated(QSystemTrayIcon::DoubleClick);
    ExpectShownNormal();
    QCOMPARE(form()->pos(), place);
  }

  void maximiseAndRestoreOnlyShowTheWindow() {
    Open(true);
    form()->showMaximized();
    ExpectShownNormal();
    form()->setWindowState(Qt::WindowNoState);
    ExpectShownNormal();
  }

  void onlyTheLeftDoubleClickBringsTheWindowBack() {
    Open(true);
    form()->hide();
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context,
                        QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}) {
      form()->TrayIconActivated(reason);
      QVERIFY2(!form()->isVisible(), QByteArray::number(reason));
    }
    form()->TrayIconActivated(QSystemTrayIcon::DoubleClick);
    ExpectShownNormal();
  }

  void statusNotifierActivateStandsForTheDoubleClick() {
    Open(true, /*statusNotifier=*/true);
    form()->hide();
    form()->TrayIconActivated(QSystemTrayIcon::Context);
    QVERIFY(!form()->isVisible());
    form()->TrayIconActivated(QSystemTrayIcon::Trigger);
    ExpectShownNormal();
  }

  void trayMenuHasItsTwoItemsAndTheFirstIsTheDefault() {
    Open(true);
    QCOMPARE(form()->TrayIcon->contextMenu(), form()->PopupMenu);
    const QList<QAction*> items = form()->PopupMenu->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->objectName(), QStringLiteral("Weckereinstellen1"));
    QCOMPARE(items[0]->text(), QStringLiteral("Wecker anzeigen"));
    QCOMPARE(items[1]->objectName(), QStringLiteral("Beenden1"));
    QCOMPARE(items[1]->text(), QStringLiteral("Beenden"));
    QCOMPARE(form()->PopupMenu->defaultAction(), items[0]);
    for (QAction* item : items) QVERIFY(item->icon().isNull() && item->shortcut().isEmpty());
  }

  void weckerAnzeigenBringsTheWindowBack() {
    Open(true);
    Minimise();
    QVERIFY(!form()->isVisible());
    form()->Weckereinstellen1->trigger();
    ExpectShownNormal();
    QVERIFY(QTest::qWaitForWindowActive(form()));
  }

  void beendenClosesTheWindowEvenWhileArmed() {
    Open(true);
    form()->ButtonWeckerStellen->click();
    QVERIFY(main_->Schedule().AlarmArmed);
    QSignalSpy closed(form(), &TFormKlemvar::closed);
    form()->Beenden1->trigger();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form()->isVisible());
    QVERIFY(main_->boxes.shown().empty());  // no question asked
  }

  void minimisingWithAnAlarmWindowOpenHidesOnlyTheMainWindow() {
    Open(true);
    form()->RadioButtonIn->setChecked(true);
    form()->SpinMinuten->setValue(0);
    form()->ButtonWeckerStellen->click();
    main_->clock.Advance(1'000);
    form()->Timer1Timer();
    QVERIFY(form()->AlarmWindow);
    ExpectShownNormal();
    Minimise();
    QVERIFY(!form()->isVisible());
    QVERIFY(form()->AlarmWindow->isVisible());
  }

  void withoutATrayArmingLeavesTheWindowInView() {
    Open(false);
    QVERIFY(!form()->TrayIconShown());
    form()->ButtonWeckerStellen->click();
    QVERIFY(main_->Schedule().AlarmArmed);
    QVERIFY(form()->isVisible());
    QVERIFY(form()->BitBtnAus->isEnabled());
  }

  void withoutATrayMinimiseMinimisesAndComesBackRestored() {
    Open(false);
    Minimise();
    QVERIFY(form()->isVisible());
    QVERIFY(form()->isMinimized());
    form()->BringBack();
    ExpectShownNormal();
  }

  void withATrayArmingHidesTheWindow() {
    Open(true);
    QVERIFY(form()->TrayIconShown());
    form()->ButtonWeckerStellen->click();
    QVERIFY(!form()->isVisible());
  }

  void bringingBackRestoresOtherMinimisedWindowsOfTheProgram() {
    Open(true);
    auto* other = new TFormWeckdienst();
    other->show();
    other->setWindowState(Qt::WindowMinimized);
    form()->BringBack();
    QVERIFY(!other->isMinimized());
    QVERIFY(other->isVisible());
  }

  // Only the window that was active last comes to the front, and only when it
  // can take the focus; the main window is not put in its place.
  void bringingBackLeavesAWindowThatCannotTakeTheFocusAlone() {
    Open(true);
    auto* other = new TFormWeckdienst();
    other->show();
    other->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(other));
    other->setEnabled(false);
    form()->BringBack();
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), other);
  }
};

KLEMVAR_TEST_MAIN(VisibilityTest)
#include "visibility_test.moc"
