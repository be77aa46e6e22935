// The main window as the user first sees it: controls, captions, hints, tab
// order, menus, status bar, names for screen readers, and the state after start-up.

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "main_window_fixture.h"
#include "support/klemvar_test_main.h"
#include "ui/about/about.h"
#include "ui/frame/run.h"
#include "ui/maker.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/status_bar.h"

using namespace klemvar;
using namespace klemvar::testing;

class LayoutTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> main_;
  TFormKlemvar* form() const { return main_->form.get(); }

  QWidget* Control(const QString& name) const { return form()->findChild<QWidget*>(name); }

  static QString CaptionOf(const QWidget* widget) {
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    return QString();
  }

  static QString AccessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
  }

 private slots:
  void init() {
    main_ = std::make_unique<MainWindow>();
    main_->clock.Set(2024, 3, 14, 7, 42, 10, 500);
    main_->Open();
  }
  void cleanup() { main_.reset(); }

  void stateRightAfterStartUp() {
    QCOMPARE(form()->SpinStunden->text(), QStringLiteral("7"));
    QCOMPARE(form()->SpinMinuten->text(), QStringLiteral("42"));
    QVERIFY(form()->RadioButtonUm->isChecked());
    QVERIFY(!form()->RadioButtonIn->isChecked());
    QVERIFY(!form()->CheckBoxTon->isChecked());
    QVERIFY(!form()->CheckBoxEvery->isChecked());
    QCOMPARE(form()->SpinEditAlarmClose->text(), QStringLiteral("0"));
    QCOMPARE(form()->EditAlarmTxt->text(), QStringLiteral("It's time to go!"));
    QVERIFY(!form()->BitBtnAus->isEnabled());
    QCOMPARE(form()->StatusBar->PanelText(0), QString());
    QCOMPARE(form()->StatusBar->PanelText(1), QString());
    QCOMPARE(form()->StatusBar->PanelText(2), QStringLiteral("Quorbel Software"));
    QVERIFY(!main_->Schedule().AlarmArmed);
    QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
    QVERIFY(form()->TrayIcon->isVisible());
    QCOMPARE(form()->TrayIcon->toolTip(), QStringLiteral("Klemvar"));
    QVERIFY(main_->boxes.shown().empty());
  }

  void windowHasFixedClientAreaCentredOnTheScreen() {
    QCOMPARE(form()->windowTitle(), QStringLiteral("Klemvar"));
    QCOMPARE(form()->size(), QSize(197, 286));
    QCOMPARE(form()->minimumSize(), form()->maximumSize());
    const QPoint centre = form()->screen()->geometry().center();
    QVERIFY(qAbs(form()->frameGeometry().center().x() - centre.x()) <= 1);
    QVERIFY(qAbs(form()->frameGeometry().center().y() - centre.y()) <= 1);
    QCOMPARE(form()->font().pointSize(), 8);
  }

  void controlsStandWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    auto row = [](const char* name, const char* kind, const char* parent, QRect rect,
                  const char* caption, const char* hint) {
      QTest::newRow(name) << name << kind << parent << rect << QString::fromUtf8(caption)
                          << QString::fromUtf8(hint);
    };
    row("ActionMainMenuBar1", "QMenuBar", "FormKlemvar", {0, 0, 197, 24}, "", "");
    row("GroupBoxWeckzeit", "QGroupBox", "FormKlemvar", {8, 24, 185, 89}, "Weckzeit", "");
    row("LabelStunden", "QLabel", "GroupBoxWeckzeit", {72, 16, 40, 13}, "Stunden", "");
    row("LabelMinuten", "QLabel", "GroupBoxWeckzeit", {128, 16, 38, 13}, "Minuten", "");
    row("RadioButtonUm", "QRadioButton", "GroupBoxWeckzeit", {16, 24, 41, 17}, "um",
        "Wecken um X Uhr");
    row("RadioButtonIn", "QRadioButton", "GroupBoxWeckzeit", {16, 40, 41, 17}, "in",
        "Wecken in X Minuten");
    row("SpinStunden", "klemvar::TSpinEdit", "GroupBoxWeckzeit", {72, 32, 41, 22}, "",
        "Weckzeit in Stunden");
    row("SpinMinuten", "klemvar::TSpinEdit", "GroupBoxWeckzeit", {128, 32, 41, 22}, "",
        "Weckzeit in Minuten");
    row("CheckBoxEvery", "QCheckBox", "GroupBoxWeckzeit", {16, 64, 145, 17}, "Weckzeit wiederholen",
        "Weckzeit wiederholen");
    row("GroupBoxAlarmTxt", "QGroupBox", "FormKlemvar", {8, 120, 185, 57}, "Alarm-Text", "");
    row("EditAlarmTxt", "QLineEdit", "GroupBoxAlarmTxt", {8, 24, 169, 21}, "It's time to go!",
        "Frei wählbarer Hinweistext für Alarmanzeige");
    row("GroupBoxAlarm", "QGroupBox", "FormKlemvar", {8, 184, 185, 49}, "Alarm", "");
    row("CheckBoxTon", "QCheckBox", "GroupBoxAlarm", {8, 18, 65, 17}, "Läuten",
        "Soll der Wecker auch läuten?");
    row("LabelClose", "QLabel", "GroupBoxAlarm", {72, 20, 47, 13}, "Schließen",
        "Alarmfenster schließen nach X Sekunden.");
    row("SpinEditAlarmClose", "klemvar::TSpinEdit", "GroupBoxAlarm", {128, 15, 41, 22}, "",
        "Alarmfenster schließen nach X Sekunden.");
    row("BitBtnAus", "QPushButton", "FormKlemvar", {8, 240, 49, 25}, "&Aus", "Wecker ausschalten");
    row("ButtonWeckerStellen", "QPushButton", "FormKlemvar", {64, 240, 129, 25}, "&Wecker stellen",
        "Wecker einschalten");
    row("StatusBar", "klemvar::TStatusBar", "FormKlemvar", {0, 269, 197, 17}, "",
        "Uhrzeit und  Zeit bis zur Weckzeit");
  }
  void controlsStandWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QWidget* control = Control(name);
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    // A caption wider than the stand-in face allows may widen its control, nothing else.
    QCOMPARE(control->pos(), geometry.topLeft());
    QCOMPARE(control->height(), geometry.height());
    QVERIFY(control->width() >= geometry.width());
    QCOMPARE(CaptionOf(control), caption);
    QCOMPARE(control->toolTip(), hint);
  }

  void noCaptionIsClippedAndNoControlOverlapsItsRowNeighbour() {
    for (const char* name :
         {"LabelStunden", "LabelMinuten", "RadioButtonUm", "RadioButtonIn", "CheckBoxEvery",
          "CheckBoxTon", "LabelClose", "BitBtnAus", "ButtonWeckerStellen"}) {
      QWidget* control = Control(QString::fromLatin1(name));
      if (auto* button = qobject_cast<QPushButton*>(control)) {
        const int caption = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
        QVERIFY2(caption + button->iconSize().width() + 8 <= button->width(), name);
      } else {
        QVERIFY2(control->sizeHint().width() <= control->width(), name);
      }
      QVERIFY2(control->geometry().right() < control->parentWidget()->width(), name);
    }
    // The layout itself lets "Läuten" reach the first column of "Schließen".
    QVERIFY(Control("CheckBoxTon")->geometry().right() <= Control("LabelClose")->x());
    QVERIFY(Control("LabelClose")->geometry().right() < Control("SpinEditAlarmClose")->x());
    QVERIFY(Control("LabelStunden")->geometry().right() < Control("LabelMinuten")->x());
  }

  void tabOrderFollowsTheLayout() {
    form()->RadioButtonUm->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 9; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      // A spin edit's focus rests on its own line edit.
      if (focus->focusProxy() == nullptr && qobject_cast<TSpinEdit*>(focus->parentWidget()))
        focus = focus->parentWidget();
      visited << focus->objectName();
    }
    // Tab leaves the radio group from its checked button, as it does on the desktop.
    QCOMPARE(visited, QStringList({"RadioButtonUm", "SpinStunden", "SpinMinuten", "CheckBoxEvery",
                                   "EditAlarmTxt", "CheckBoxTon", "SpinEditAlarmClose",
                                   "ButtonWeckerStellen", "RadioButtonUm", "SpinStunden"}));
  }

  void statusBarHasThreeFiftyPixelPanelsTheLastToTheEdge() {
    TStatusBar* bar = form()->StatusBar;
    QCOMPARE(bar->Panel(0)->geometry(), QRect(0, 0, 50, 17));
    QCOMPARE(bar->Panel(1)->geometry(), QRect(50, 0, 50, 17));
    QCOMPARE(bar->Panel(2)->x(), 100);
    QCOMPARE(bar->Panel(2)->geometry().right(), bar->width() - 1);
  }

  void menusHoldTheirEntriesInOrder() {
    const QList<QAction*> menus = form()->ActionMainMenuBar1->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), QStringLiteral("D&atei"));
    QCOMPARE(menus[1]->text(), QStringLiteral("&Hilfe"));
    QStringList datei, hilfe;
    for (QAction* entry : menus[0]->menu()->actions())
      datei << entry->objectName() + "=" + entry->text();
    for (QAction* entry : menus[1]->menu()->actions())
      hilfe << entry->objectName() + "=" + entry->text();
    QCOMPARE(datei, QStringList({"ActionBeenden=&Beenden"}));
    QCOMPARE(hilfe, QStringList({"ActionHomepage=&Homepage", "ActionSupport=&Support",
                                 "ActionEmail=&Email", "ActionSeperator2=--------------------",
                                 "ActionUpdate=Nach &Update suchen ...",
                                 "ActionSeperator=--------------------", "ActionInfo=&Info"}));
    // The hyphen rows are greyed text, not separators; everything else can be chosen.
    for (QAction* entry : menus[1]->menu()->actions()) {
      const bool hyphens = entry->text().startsWith('-');
      QCOMPARE(entry->isSeparator(), false);
      QCOMPARE(entry->isEnabled(), !hyphens);
      QCOMPARE(entry->icon().isNull(), hyphens);
    }
  }

  void inputControlsAreNamedByTheirLabels() {
    QCOMPARE(AccessibleName(form()->SpinStunden), QStringLiteral("Stunden"));
    QCOMPARE(AccessibleName(form()->SpinMinuten), QStringLiteral("Minuten"));
    QCOMPARE(AccessibleName(form()->EditAlarmTxt), QStringLiteral("Alarm-Text"));
    QCOMPARE(AccessibleName(form()->SpinEditAlarmClose), QString::fromUtf8("Schließen"));
    QCOMPARE(AccessibleName(form()->ButtonWeckerStellen), QStringLiteral("Wecker stellen"));
    QCOMPARE(AccessibleName(form()->CheckBoxTon), QString::fromUtf8("Läuten"));
    QCOMPARE(AccessibleName(form()->RadioButtonIn), QStringLiteral("in"));
  }

  void helpEntriesOpenTheMakersAddresses() {
    form()->ActionHomepage->trigger();
    form()->ActionSupport->trigger();
    form()->ActionEmail->trigger();
    QCOMPARE(main_->urls.opened, QStringList({"http://" + maker::Host() + "/software/",
                                              "http://" + maker::Host() + "/software/forum/",
                                              "mailto:" + maker::Mail() + "?subject=Klemvar"}));
  }

  void infoOpensAFurtherAboutWindowEachTime() {
    form()->ActionInfo->trigger();
    QPointer<TAboutBox> first = form()->AboutBox;
    form()->ActionInfo->trigger();
    QVERIFY(first);
    QVERIFY(form()->AboutBox);
    QVERIFY(form()->AboutBox != first);
    QVERIFY(first->isVisible() && form()->AboutBox->isVisible());
    QVERIFY(!first->parentWidget());  // owned by the application
    QVERIFY(!form()->AboutBox->isModal());
  }

  void beendenClosesTheWindow() {
    QSignalSpy closed(form(), &TFormKlemvar::closed);
    form()->ActionBeenden->trigger();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form()->isVisible());
  }

  void mnemonicsPressButtonsAndOpenMenus() {
    // Alt+W presses "&Wecker stellen"; Alt+A presses "&Aus" while it can be pressed.
    QTest::keyClick(form(), Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(main_->Schedule().AlarmArmed);
    form()->show();
    form()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form()));
    QTest::keyClick(form(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(!main_->Schedule().AlarmArmed);
    // With "&Aus" greyed, Alt+A opens "D&atei"; Alt+H opens "&Hilfe".
    QMenu* datei = form()->ActionMainMenuBar1->actions()[0]->menu();
    QTest::keyClick(form(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(datei->isVisible());
    datei->close();
    QMenu* hilfe = form()->ActionMainMenuBar1->actions()[1]->menu();
    QTest::keyClick(form(), Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(hilfe->isVisible());
    hilfe->close();
  }
};

KLEMVAR_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
