#include <QCloseEvent>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <memory>
#include <stdexcept>

#include "ui/download/DownloadAnim.h"
#include "ui/download/DownloadStatus.h"
#include "ui/download/animate_control.h"
#include "ui/frame/layout_font.h"

namespace klemvar {
namespace {

const Qt::GlobalColor kFrameColours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};

// A strip of frames, each filled with its own colour.
bool WriteClip(const QString& path, int frames, int frameWidth = kDownloadFrameWidth) {
  QImage strip(frames * frameWidth, 60, QImage::Format_ARGB32);
  QPainter painter(&strip);
  for (int i = 0; i < frames; ++i)
    painter.fillRect(i * frameWidth, 0, frameWidth, 60, kFrameColours[i]);
  return painter.end() && strip.save(path, "PNG");
}

QTimer* FrameTimer(TFormDownload* form) { return form->Animate->findChild<QTimer*>("FrameTimer"); }

QColor Shown(TFormDownload* form, QPoint at) {
  return form->Animate->grab().toImage().pixelColor(at);
}

enum class Closing { CancelButton, CloseBox, ProgramHidden };

}  // namespace

class DownloadWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    clip_ = dir_.filePath("download.png");
    QVERIFY(WriteClip(clip_, 3));
    windows_ = std::make_unique<ProgressWindows>();
    windows_->SetClipPath(clip_);
  }

  void cleanup() { windows_.reset(); }

  void hasItsLayoutStartsHiddenAndShowsCentred() {
    TFormDownload* form = windows_->Create();
    QVERIFY(!form->isVisible() && !form->Cancelled);
    QCOMPARE(form->windowTitle(), "Update prüfen ...");
    QCOMPARE(form->size(), QSize(334, 143));
    QCOMPARE(form->font().pointSize(), 8);  // the main window's font, as the layout was drawn
    QCOMPARE(form->font().family(), LayoutFont().family());
    QCOMPARE(form->minimumSize(), form->maximumSize());
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint) && flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint) &&
            !flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->findChild<TAnimate*>("Animate")->geometry(), QRect(24, 24, 297, 65));
    QPushButton* cancel = form->findChild<QPushButton*>("BitBtnCancel");
    QCOMPARE(cancel->geometry(), QRect(123, 110, 89, 25));
    QCOMPARE(cancel->text(), "&Abbrechen");
    QCOMPARE(cancel->toolTip(), "Download Abbrechen");
    QVERIFY2(cancel->sizeHint().width() <= 89, "the caption and its picture fit the button");
    // A white cross on a red disc.
    const QImage cross = cancel->icon().pixmap(16, 16).toImage();
    QVERIFY(cross.pixelColor(8, 8).green() > 200 && cross.pixelColor(8, 2).green() < 100);

    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QPoint offset =
        form->frameGeometry().center() - QGuiApplication::primaryScreen()->geometry().center();
    QVERIFY(offset.manhattanLength() <= 2);
  }

  void everyClosingHidesAtOnceAndCancels_data() {
    QTest::addColumn<Closing>("closing");
    QTest::newRow("cancel button") << Closing::CancelButton;
    QTest::newRow("close box") << Closing::CloseBox;
    QTest::newRow("check's end, window already hidden") << Closing::ProgramHidden;
  }

  void everyClosingHidesAtOnceAndCancels() {
    QFETCH(Closing, closing);
    TFormDownload* form = ShowNew();
    QVERIFY(form);
    windows_->StartDownloadAnimation();
    QSignalSpy cancels(form, &TFormDownload::TransferCancelRequested);
    QCloseEvent request;  // what the window system sends for the close box or Alt+F4
    switch (closing) {
      case Closing::CancelButton:
        QTest::mouseClick(form->BitBtnCancel, Qt::LeftButton);
        break;
      case Closing::CloseBox:
        QCoreApplication::sendEvent(form->windowHandle(), &request);
        break;
      case Closing::ProgramHidden:
        form->hide();
        form->close();
        break;
    }
    QVERIFY(!form->isVisible());
    QVERIFY(form->Cancelled);
    QVERIFY(!cancels.isEmpty());
    QVERIFY(!form->Animate->Playing() && !FrameTimer(form)->isActive());
    QCOMPARE(windows_->FormDownload(), form);  // still there to be asked after closing
  }

  void escapeNeitherClosesNorCancels() {
    TFormDownload* form = ShowNew();
    QVERIFY(form);
    QSignalSpy cancels(form, &TFormDownload::TransferCancelRequested);
    QTest::keyClick(form, Qt::Key_Escape);
    QTest::keyClick(form->BitBtnCancel, Qt::Key_Escape);
    QVERIFY(form->isVisible());
    QVERIFY(!form->Cancelled);
    QVERIFY(cancels.isEmpty());
  }

  void closingDoesNotEndTheProgram() {
    // With the main window in the tray, this may be the last window shown.
    qApp->setQuitOnLastWindowClosed(true);
    TFormDownload* form = ShowNew();
    QTimer::singleShot(0, form, [form] {
      QCloseEvent request;
      QCoreApplication::sendEvent(form->windowHandle(), &request);
      QTimer::singleShot(50, qApp, [] { QCoreApplication::exit(7); });
    });
    QCOMPARE(QCoreApplication::exec(), 7);
  }

  void formDownloadFollowsTheNewestWindowAndNeverDangles() {
    QPointer<TFormDownload> first = ShowNew();
    windows_->StartDownloadAnimation();
    QPointer<TFormDownload> second = ShowNew();
    QCOMPARE(windows_->FormDownload(), second.data());
    windows_->StartDownloadAnimation();
    second->close();
    QVERIFY(first->isVisible() && first->Animate->Playing() && !first->Cancelled);

    delete second.data();
    QVERIFY(!windows_->FormDownload());
    windows_->StartDownloadAnimation();  // nothing to animate, nothing to fail
    windows_.reset();
    QVERIFY(first.isNull());
  }

  void aClipThatCannotBeOpenedIsReported() {
    TFormDownload* form = ShowNew();
    windows_->SetClipPath(dir_.filePath("missing.png"));
    QCOMPARE(StartMessage(), "AVI kann nicht geöffnet werden");
    QVERIFY(form->isVisible() && !form->Animate->Playing() && !windows_->Clip());
    QVERIFY(WriteClip(dir_.filePath("narrow.png"), 1, kDownloadFrameWidth - 1));
    windows_->SetClipPath(dir_.filePath("narrow.png"));
    QCOMPARE(StartMessage(), "AVI kann nicht geöffnet werden");
    // A failed load is no load: the next start tries again.
    windows_->SetClipPath(clip_);
    QCOMPARE(StartMessage(), QString());
    QVERIFY(form->Animate->Playing());
  }

  void playsEveryFrameCentredInTurnAndRepeats() {
    TFormDownload* form = ShowNew();
    windows_->StartDownloadAnimation();
    QCOMPARE(FrameTimer(form)->interval(), 100);
    for (const Qt::GlobalColor colour : {Qt::red, Qt::green, Qt::blue, Qt::red}) {
      // 272 x 60 in 297 x 65: the frame's corners are 13 and 3 pixels in, the area's are bare.
      QCOMPARE(Shown(form, {13, 3}), QColor(colour));
      QCOMPARE(Shown(form, {283, 61}), QColor(colour));
      QVERIFY(Shown(form, {5, 1}) != QColor(colour));
      QVERIFY(QMetaObject::invokeMethod(FrameTimer(form), "timeout"));
    }
    windows_->StartDownloadAnimation();
    QCOMPARE(form->Animate->CurrentFrame(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(form->Animate->CurrentFrame() != 0, 2000);  // on its own timer
  }

  void ticksOnlyWhileShown() {
    TFormDownload* form = windows_->Create();  // as the hidden one made at start-up
    windows_->StartDownloadAnimation();
    QVERIFY(!FrameTimer(form)->isActive());
    form->show();
    QVERIFY(FrameTimer(form)->isActive());
    form->hide();  // hiding ends the clip for good
    form->show();
    QVERIFY(!form->Animate->Playing() && !FrameTimer(form)->isActive());
  }

  void loadsTheClipOnceUntilReleased() {
    QVERIFY(!windows_->Clip());
    windows_->Create();
    windows_->StartDownloadAnimation();
    QVERIFY(WriteClip(clip_, 5));
    TFormDownload* second = windows_->Create();
    windows_->StartDownloadAnimation();
    QCOMPARE(second->Animate->FrameCount(), 3);
    windows_->SetClipPath(clip_);
    QVERIFY(!windows_->Clip());
    windows_->StartDownloadAnimation();
    QCOMPARE(second->Animate->FrameCount(), 5);
  }

  void playsTheEmbeddedClip() {
    windows_->SetClipPath(kDownloadClipPath);
    ShowNew();
    QCOMPARE(StartMessage(), QString());
    QVERIFY(windows_->FormDownload()->Animate->FrameCount() >= 2);
    QCOMPARE(windows_->Clip()->height(), 60);
    QCOMPARE(windows_->Clip()->width() % kDownloadFrameWidth, 0);
  }

 private:
  TFormDownload* ShowNew() {
    TFormDownload* form = windows_->Create();
    form->show();
    return QTest::qWaitForWindowExposed(form) ? form : nullptr;
  }

  QString StartMessage() {
    try {
      windows_->StartDownloadAnimation();
    } catch (const std::runtime_error& error) {
      return QString::fromUtf8(error.what());
    }
    return {};
  }

  QTemporaryDir dir_;
  QString clip_;
  std::unique_ptr<ProgressWindows> windows_;
};

}  // namespace klemvar

QTEST_MAIN(klemvar::DownloadWindowTest)
#include "download_test.moc"
