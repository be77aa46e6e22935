// The About window, offscreen: layout and texts, the links, the keys, and
// several windows opened one after another.

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "support/klemvar_test_main.h"
#include "support/recording_url_opener.h"
#include "ui/about/about.h"
#include "ui/about/logo.h"
#include "ui/maker.h"

using klemvar::TAboutBox;
using klemvar::testing::RecordingUrlOpener;

namespace {

// Opens a window the way the main window's Info action does.
QPointer<TAboutBox> OpenAboutBox() {
  auto* box = new TAboutBox(nullptr);
  box->show();
  return box;
}

// Lets pending deletions run, as the event loop would.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

 private:
  QPointer<TAboutBox> box_;

  template <typename T = QLabel>
  T* Control(const char* name) {
    T* control = box_->findChild<T*>(QString::fromLatin1(name));
    if (!control) qWarning("no control %s", name);
    return control;
  }

 private slots:
  void init() { box_ = OpenAboutBox(); }
  void cleanup() {
    delete box_;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<TAboutBox*>(w)) delete w;
  }

  void windowFrame() {
    QCOMPARE(box_->objectName(), QStringLiteral("AboutBox"));
    QCOMPARE(box_->windowTitle(), QStringLiteral("About"));
    QCOMPARE(box_->size(), QSize(298, 223));
    QCOMPARE(box_->minimumSize(), box_->maximumSize());
    const Qt::WindowFlags flags = box_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QCOMPARE(box_->font().pixelSize(), 11);
    QVERIFY(!box_->parent());
  }

  void centredOnScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(qAbs(box_->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(box_->frameGeometry().center().y() - screen.center().y()) <= 1);
  }

  void panel() {
    auto* panel = Control<QFrame>("Panel1");
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(8, 8, 281, 177));
    QCOMPARE(panel->frameShape(), QFrame::Box);
    QCOMPARE(panel->frameShadow(), QFrame::Sunken);
    QCOMPARE(panel->frameWidth(), 2);
    QVERIFY(!panel->autoFillBackground());
  }

  void labels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, QPoint at, const QString& text) {
      QTest::newRow(name) << QString::fromLatin1(name) << at << text;
    };
    row("ProductName", {160, 16}, "Klemvar");
    row("Version", {160, 40}, "Version 1.2");
    row("Copyright", {8, 80}, QStringLiteral("Copyright © Quorbel Software"));
    row("Homepage", {8, 104}, "Homepage:");
    row("URL", {72, 104}, "http://" + klemvar::maker::Host() + "/software/");
    row("LabelSupport", {8, 128}, "Support:");
    row("SupportLink", {72, 128}, "http://" + klemvar::maker::Host() + "/software/forum/");
    row("Email", {8, 152}, "Email: ");
    row("Mailadr", {72, 152}, klemvar::maker::Mail());
  }

  // Positions are within Panel1; every label is as wide as its text.
  void labels() {
    QFETCH(QString, name);
    QFETCH(QPoint, position);
    QFETCH(QString, text);
    auto* label = Control(name.toLatin1().constData());
    QVERIFY(label);
    QCOMPARE(label->parentWidget()->objectName(), QStringLiteral("Panel1"));
    QCOMPARE(label->pos(), position);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->size(), label->sizeHint());
  }

  void linkLooks() {
    for (const char* name : {"URL", "SupportLink", "Mailadr"}) {
      auto* link = Control(name);
      QVERIFY(link);
      QVERIFY2(link->font().underline(), name);
      QCOMPARE(link->font().pixelSize(), 11);
      QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(Control("URL")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(Control("SupportLink")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(Control("Mailadr")->foregroundRole(), QPalette::Highlight);
    QVERIFY(!Control("Homepage")->font().underline());
  }

  void logo() {
    auto* icon = Control("ProgrammIcon");
    QVERIFY(icon);
    QCOMPARE(icon->pos(), QPoint(16, 16));
    QCOMPARE(icon->size(), QSize(121, 37));
    QCOMPARE(icon->cursor().shape(), Qt::PointingHandCursor);
    // Generated at build time: a missing logo is a build fault, not a reason to skip.
    QVERIFY2(QFile::exists(klemvar::kAboutLogoResource), "the logo resource was not built");
    QCOMPARE(icon->pixmap().size(), QSize(121, 37));
  }

  void okButton() {
    auto* ok = Control<QPushButton>("BitBtnOK");
    QVERIFY(ok);
    QCOMPARE(ok->parentWidget(), box_.data());
    QCOMPARE(ok->geometry(), QRect(111, 192, 75, 25));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QVERIFY2(QFile::exists(":/buttons/tick.png"), "the check mark resource was not built");
    QVERIFY(!ok->icon().pixmap(18, 18).isNull());
  }

  void logoAndHomepageOpenTheSameAddress() {
    RecordingUrlOpener opener;
    QTest::mouseClick(Control("ProgrammIcon"), Qt::LeftButton);
    QTest::mouseClick(Control("URL"), Qt::LeftButton);
    const QString homepage = "http://" + klemvar::maker::Host() + "/software/";
    QCOMPARE(opener.opened, QStringList({homepage, homepage}));
    QVERIFY(box_->isVisible());
  }

  void supportLinkOpensTheForum() {
    RecordingUrlOpener opener;
    QTest::mouseClick(Control("SupportLink"), Qt::LeftButton);
    QCOMPARE(opener.opened, QStringList("http://" + klemvar::maker::Host() + "/software/forum/"));
  }

  void mailLinkCarriesTheSubject() {
    RecordingUrlOpener opener;
    QTest::mouseClick(Control("Mailadr"), Qt::LeftButton);
    QCOMPARE(opener.opened.size(), 1);
    const QString address = opener.opened.front();
    QVERIFY2(address.endsWith("?subject=Klemvar"), qPrintable(address));
    QCOMPARE(address, "mailto:" + Control("Mailadr")->text() + "?subject=Klemvar");
  }

  // A press that leaves the link before release, or another button, opens nothing.
  void onlyAFullLeftClickOpens() {
    RecordingUrlOpener opener;
    auto* url = Control("URL");
    QTest::mousePress(url, Qt::LeftButton);
    QTest::mouseRelease(url, Qt::LeftButton, {}, QPoint(-4, -4));
    QTest::mouseClick(url, Qt::RightButton);
    QTest::mouseClick(Control("Homepage"), Qt::LeftButton);
    QVERIFY2(opener.opened.isEmpty(), qPrintable(opener.opened.join(' ')));
  }

  void okClickClosesAndFrees() {
    QTest::mouseClick(Control<QPushButton>("BitBtnOK"), Qt::LeftButton);
    QVERIFY(!box_ || !box_->isVisible());
    Settle();
    QVERIFY(box_.isNull());
  }

  void enterCloses_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter)
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier);
  }

  void enterCloses() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QVERIFY(QTest::qWaitForWindowActive(box_));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    QTRY_VERIFY(box_.isNull());
  }

  void escapeDoesNothing() {
    QVERIFY(QTest::qWaitForWindowActive(box_));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(box_, Qt::Key_Escape);
    Settle();
    QVERIFY(box_);
    QVERIFY(box_->isVisible());
  }

  // Three Info requests: three windows exactly on one another; closing the top
  // one leaves the other two where they were, the next one now on top.
  void threeRequestsStack() {
    delete box_;
    const QPointer<TAboutBox> first = OpenAboutBox();
    const QPointer<TAboutBox> second = OpenAboutBox();
    const QPointer<TAboutBox> third = OpenAboutBox();
    QCOMPARE(second->geometry(), first->geometry());
    QCOMPARE(third->geometry(), first->geometry());
    const QPoint centre = first->geometry().center();
    QCOMPARE(QApplication::topLevelAt(centre), third.data());

    QTest::mouseClick(third->findChild<QPushButton*>("BitBtnOK"), Qt::LeftButton);
    Settle();
    QVERIFY(third.isNull());
    QVERIFY(first && first->isVisible());
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->geometry(), first->geometry());
    QCOMPARE(QApplication::topLevelAt(centre), second.data());
  }
};

KLEMVAR_TEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
