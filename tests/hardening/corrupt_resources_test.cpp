// Damaged embedded data must not take the program down: with a broken or
// missing ring the alarm window opens without sound, with a missing or corrupt
// clip the update check reports the clip error in the frame's error box, and
// with a corrupt logo the About window shows without one.

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "net/HTTPGet.h"
#include "platform/sound/looping_sound.h"
#include "platform/sound/pulse_ring.h"
#include "support/installed_double.h"
#include "support/klemvar_test_main.h"
#include "support/scripted_message_box.h"
#include "ui/about/about.h"
#include "ui/about/logo.h"
#include "ui/aufwachen/aufwachen.h"
#include "ui/download/animate_control.h"
#include "ui/frame/application.h"
#include "ui/weckmich/update_check.h"
#include "ui/weckmich/weckmich.h"

using namespace klemvar;
using namespace klemvar::testing;

namespace {

const QString kBrokenRing = QStringLiteral(":/damaged/broken.wav");
const QString kCorruptLogo = QStringLiteral(":/damaged/corrupt-logo.jpg");
const QString kCorruptClip = QStringLiteral(":/damaged/corrupt-clip.png");

// The real sound layer, with a record of what the ring asked of it.
class WatchedSound final : public LoopingSound {
 public:
  void PlayLooping(const QString& resource) override {
    looped << resource;
    AudioLoopingSound().PlayLooping(resource);
  }
  void Stop() override { AudioLoopingSound().Stop(); }

  QStringList looped;

 private:
  InstalledDouble<&SetLoopingSound> installed_{this};
};

QList<PulseRing*> Rings() { return qApp->findChildren<PulseRing*>(); }

}  // namespace

class CorruptResourcesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    SetRingResource(kBrokenRing);
    SetAboutLogoPath(kCorruptLogo);
  }

  void cleanup() {
    StopRing();
    SetRingResource(QString::fromLatin1(kRingResource));
    SetAboutLogoPath(QString::fromLatin1(kAboutLogoResource));
    // Deleting one window may delete others (its menus), so hold them weakly.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) windows << window;
    for (const QPointer<QWidget>& window : windows) delete window.data();
  }

  void theAlarmWindowOpensWithoutSound_data() {
    QTest::addColumn<QString>("ring");
    QTest::newRow("broken WAVE") << kBrokenRing;
    QTest::newRow("missing WAVE") << QStringLiteral(":/damaged/missing.wav");
  }

  void theAlarmWindowOpensWithoutSound() {
    QFETCH(QString, ring);
    WatchedSound sound;
    SetRingResource(ring);
    StartRing();
    QCOMPARE(sound.looped, QStringList{ring});  // the ring was asked for, from that data
    auto* window = new TFormWeckdienst;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Neither a broken WAVE nor a missing one reaches the sound server: there is
    // nothing to play, so nothing keeps trying either.
    QVERIFY(Rings().isEmpty());
    QVERIFY(window->isVisible());
    window->close();
    QVERIFY(Rings().isEmpty());
  }

  void theUpdateCheckReportsTheClipErrorInTheFramesErrorBox_data() {
    QTest::addColumn<QString>("clip");
    QTest::newRow("corrupt clip") << kCorruptClip;
    QTest::newRow("missing clip") << QStringLiteral(":/damaged/missing.png");
  }

  void theUpdateCheckReportsTheClipErrorInTheFramesErrorBox() {
    QFETCH(QString, clip);
    ScriptedMessageBox boxes;
    boxes.Answer(mb::kIdYes);  // "check for a newer version?"
    auto* form = new TFormKlemvar;
    ProgressWindows& progress = form->UpdateCheck->Progress;
    progress.SetClipPath(clip);
    form->show();
    // Through the event loop, where the frame reports what escapes a handler.
    QTimer::singleShot(0, form->ActionUpdate, &QAction::trigger);
    QTRY_COMPARE(boxes.shown().size(), std::size_t(2));
    QCOMPARE(boxes.shown()[1].text, QString::fromUtf8("AVI kann nicht geöffnet werden."));
    QCOMPARE(boxes.shown()[1].caption, QStringLiteral("Klemvar"));
    QCOMPARE(boxes.shown()[1].flags & mb::kIconMask, unsigned(mb::kIconError));
    // The progress window stays, without animation; no transfer was started.
    QVERIFY(progress.FormDownload() && progress.FormDownload()->isVisible());
    QVERIFY(!progress.FormDownload()->Animate->Playing());
    QVERIFY(form->UpdateCheck->HTTPGet->Worker() == nullptr);
  }

  void theAboutWindowShowsWithoutALogo() {
    QVERIFY(AboutLogo().isNull());
    auto* about = new TAboutBox;
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    const auto* logo = about->findChild<QLabel*>(QStringLiteral("ProgrammIcon"));
    QVERIFY(logo);
    QVERIFY(logo->pixmap().isNull());
    // The same window with the real logo has one, so the check above can fail.
    SetAboutLogoPath(QString::fromLatin1(kAboutLogoResource));
    QVERIFY(!AboutLogo().isNull());
  }
};

KLEMVAR_TEST_MAIN(CorruptResourcesTest)
#include "corrupt_resources_test.moc"
