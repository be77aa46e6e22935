// The spin edit's value rules, on which the main window's wrap rules rest.

#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <memory>

#include "support/klemvar_test_main.h"
#include "ui/widgets/spin_edit.h"

using klemvar::TSpinEdit;

class SpinEditTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QWidget> window_;
  TSpinEdit* spin_ = nullptr;
  QLineEdit* next_ = nullptr;

  void TypeInto(const QString& keys) {
    spin_->setFocus();
    spin_->selectAll();
    QTest::keyClicks(spin_, keys);
  }

  QPoint ButtonCentre(QStyle::SubControl button) const {
    QStyleOptionSpinBox option;
    option.initFrom(spin_);
    option.subControls = QStyle::SC_All;
    option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
    return spin_->style()->subControlRect(QStyle::CC_SpinBox, &option, button, spin_).center();
  }

 private slots:
  void init() {
    window_ = std::make_unique<QWidget>();
    spin_ = new TSpinEdit(-1, 24, window_.get());
    spin_->setGeometry(10, 10, 60, 22);
    next_ = new QLineEdit(window_.get());
    next_->setGeometry(10, 40, 60, 22);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void readingParsesDecimalIntegersElseMinValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "12" << 12;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("minus sign") << "-5" << -5;
    QTest::newRow("above the range, unclamped") << "99" << 99;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("lone sign") << "-" << -1;
    QTest::newRow("decimal point") << "1.5" << -1;
    QTest::newRow("decimal comma") << "1,5" << -1;
    QTest::newRow("blank inside") << "1 2" << -1;
    QTest::newRow("too wide for 32 bits") << "99999999999" << -1;
  }
  void readingParsesDecimalIntegersElseMinValue() {
    QFETCH(QString, text);
    QFETCH(int, value);
    spin_->findChild<QLineEdit*>()->setText(text);
    QCOMPARE(spin_->value(), value);
  }

  void writingClampsThenSetsDecimalText() {
    spin_->setValue(99);
    QCOMPARE(spin_->text(), QStringLiteral("24"));
    spin_->setValue(-7);
    QCOMPARE(spin_->text(), QStringLiteral("-1"));
    spin_->setValue(5);
    QCOMPARE(spin_->text(), QStringLiteral("5"));
  }

  void changeFiresForCodeAndTypingAndRunsNested() {
    QStringList seen;
    connect(spin_, &TSpinEdit::changed, this, [&] {
      seen << spin_->text();
      if (spin_->value() == 24) spin_->setValue(0);  // a handler that writes
    });
    spin_->setValue(24);
    // The nested run sees "0" before the outer run ends.
    QCOMPARE(seen, QStringList({"24", "0"}));
    seen.clear();
    TypeInto(QStringLiteral("3"));
    QCOMPARE(seen, QStringList({"3"}));
    seen.clear();
    spin_->setValue(3);  // the same text is no change
    QVERIFY(seen.isEmpty());
  }

  void arrowKeysAndButtonsStepByOne() {
    spin_->setValue(10);
    spin_->setFocus();
    QTest::keyClick(spin_, Qt::Key_Up);
    QCOMPARE(spin_->value(), 11);
    QTest::keyClick(spin_, Qt::Key_Down);
    QTest::keyClick(spin_, Qt::Key_Down);
    QCOMPARE(spin_->value(), 9);
    QTest::mouseClick(spin_, Qt::LeftButton, {}, ButtonCentre(QStyle::SC_SpinBoxUp));
    QCOMPARE(spin_->value(), 10);
    QTest::mouseClick(spin_, Qt::LeftButton, {}, ButtonCentre(QStyle::SC_SpinBoxDown));
    QCOMPARE(spin_->value(), 9);
  }

  void stepsPastTheEndsStopAtTheRange() {
    spin_->setValue(24);
    spin_->stepBy(1);
    QCOMPARE(spin_->value(), 24);
    spin_->setValue(-1);
    spin_->stepBy(-1);
    QCOMPARE(spin_->value(), -1);
    // A text that is no number steps from MinValue.
    spin_->findChild<QLineEdit*>()->setText(QString());
    spin_->stepBy(1);
    QCOMPARE(spin_->text(), QStringLiteral("0"));
  }

  void typingKeepsOnlyDigitsSignsAndTheDecimalSeparator() {
    TypeInto(QStringLiteral("1a2b"));
    QCOMPARE(spin_->text(), QStringLiteral("12"));
    TypeInto(QStringLiteral("-4"));
    QCOMPARE(spin_->text(), QStringLiteral("-4"));
    const QString decimal = spin_->locale().decimalPoint();
    TypeInto(QStringLiteral("3") + decimal);
    QCOMPARE(spin_->text(), QStringLiteral("3") + decimal);
    QCOMPARE(spin_->value(), -1);
    QTest::keyClick(spin_, Qt::Key_Backspace);  // a control key goes through
    QCOMPARE(spin_->text(), QStringLiteral("3"));
  }

  void enterIsDroppedAndChangesNothing() {
    TypeInto(QStringLiteral("99"));
    QSignalSpy changed(spin_, &TSpinEdit::changed);
    QTest::keyClick(spin_, Qt::Key_Return);
    QCOMPARE(spin_->text(), QStringLiteral("99"));
    QCOMPARE(changed.count(), 0);
    QVERIFY(spin_->hasFocus());
  }

  void leavingRunsTheExitHandlerFirstThenClamps() {
    TypeInto(QStringLiteral("99"));
    QCOMPARE(spin_->text(), QStringLiteral("99"));  // not clamped while focused
    QStringList order;
    connect(spin_, &TSpinEdit::exited, this, [&] { order << "exit " + spin_->text(); });
    connect(spin_, &TSpinEdit::changed, this, [&] { order << "change " + spin_->text(); });
    next_->setFocus();
    QCOMPARE(order, QStringList({"exit 99", "change 24"}));
  }

  // A menu or another window holds the focus only for a while: the field is
  // not left, and what was typed stays for the user to correct.
  void focusLentToAMenuOrAnotherWindowIsNotLeaving() {
    TypeInto(QStringLiteral("99"));
    QSignalSpy exited(spin_, &TSpinEdit::exited);
    QMenu menu;
    menu.addAction(QStringLiteral("Beenden"));
    menu.popup(window_->geometry().center());
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    menu.close();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(exited.count(), 0);
    QCOMPARE(spin_->text(), QStringLiteral("99"));
    QVERIFY(spin_->hasFocus());
  }

  void leavingInRangeWritesNothing() {
    TypeInto(QStringLiteral("7"));
    QSignalSpy changed(spin_, &TSpinEdit::changed);
    QSignalSpy exited(spin_, &TSpinEdit::exited);
    next_->setFocus();
    QCOMPARE(exited.count(), 1);
    QCOMPARE(changed.count(), 0);
  }
};

KLEMVAR_TEST_MAIN(SpinEditTest)
#include "spin_edit_test.moc"
