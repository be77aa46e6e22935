// Renders the README's pictures of the program's windows under a real X
// server, at a fixed moment: the wall clock is a fake one, so the clock and the
// countdown read the same on every run. scripts/screenshot.sh runs it under
// Xvfb with a window manager, so the pictures carry its title bars.
//
// Usage: klemvar_screenshots OUTPUT_FOLDER
// Prints one line per picture: "FILE CLIENT_WxH FRAME_LEFT,TOP,RIGHT,BOTTOM".

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTextStream>
#include <QThread>
#include <QWindow>
#include <cstdio>

#include "support/fake_clock.h"
#include "ui/about/about.h"
#include "ui/aufwachen/aufwachen.h"
#include "ui/download/DownloadStatus.h"
#include "ui/download/animate_control.h"
#include "ui/frame/application.h"
#include "ui/frame/application_icon.h"
#include "ui/weckmich/weckmich.h"
#include "ui/widgets/spin_edit.h"

namespace klemvar {
namespace {

// The animation frame shown in the progress window: the sheet half-way across.
constexpr int kProgressFrame = 6;

void Settle(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
}

// Waits until the window is on screen and, when it is a framed window, the
// window manager has framed it; then lets it paint. Under load the window
// manager can take seconds to reparent a window, so a framed window without
// margins is never taken: its picture would miss the title bar.
bool WaitShown(QWidget* window) {
  QElapsedTimer timer;
  timer.start();
  const bool framed = !(window->windowFlags() & Qt::Popup);
  auto ready = [&] {
    QWindow* handle = window->windowHandle();
    if (!handle || !handle->isExposed()) return false;
    return !framed || !handle->frameMargins().isNull();
  };
  while (!ready()) {
    if (timer.elapsed() > 20000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  Settle(400);
  return true;
}

// Takes the window with its frame from the screen, as the user sees it. The
// frame comes from the window handle, which asks the window manager, and not
// from QWidget::frameGeometry(), whose cached frame strut can still be the
// unframed one; the manifest line states what was really taken.
bool Shoot(QWidget* window, const QDir& folder, const QString& file) {
  if (!WaitShown(window)) {
    std::fprintf(stderr, "%s: the window did not show\n", qPrintable(file));
    return false;
  }
  QWindow* handle = window->windowHandle();
  const QMargins m = handle->frameMargins();
  const QRect frame = handle->geometry().marginsAdded(m);
  const QPixmap picture =
      window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  if (picture.isNull() || !picture.save(folder.filePath(file), "PNG")) {
    std::fprintf(stderr, "%s: cannot write the picture\n", qPrintable(file));
    return false;
  }
  QTextStream(stdout) << file << ' ' << window->width() << 'x' << window->height() << ' '
                      << m.left() << ',' << m.top() << ',' << m.right() << ',' << m.bottom()
                      << Qt::endl;
  return true;
}

// The main window at 06:42:05, armed for 07:30: the countdown reads 00:47:55.
bool ShootMainWindow(TFormKlemvar& main, const QDir& folder) {
  main.show();
  main.SpinStunden->setValue(7);
  main.SpinMinuten->setValue(30);
  main.ButtonWeckerStellen->click();  // no tray host runs: the window stays
  main.Timer1Timer();
  return Shoot(&main, folder, "main-window.png");
}

bool ShootAlarmWindow(const QDir& folder) {
  auto* alarm = new TFormWeckdienst();
  alarm->show();
  const bool ok = Shoot(alarm, folder, "alarm-window.png");
  alarm->close();
  return ok;
}

bool ShootAboutWindow(const QDir& folder) {
  auto* about = new TAboutBox(nullptr);
  about->show();
  const bool ok = Shoot(about, folder, "about-window.png");
  about->close();
  return ok;
}

bool ShootTrayMenu(TFormKlemvar& main, const QDir& folder) {
  main.PopupMenu->popup(main.screen()->geometry().center());
  const bool ok = Shoot(main.PopupMenu, folder, "tray-menu.png");
  main.PopupMenu->hide();
  return ok;
}

bool ShootProgressWindow(const QDir& folder) {
  ProgressWindows progress;
  TFormDownload* const form = progress.Create();
  form->show();
  progress.StartDownloadAnimation();
  QElapsedTimer timer;
  timer.start();
  while (form->Animate->CurrentFrame() != kProgressFrame && timer.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  form->Animate->Stop();
  return Shoot(form, folder, "update-progress.png");
}

int Run(int argc, char** argv) {
  testing::FakeClock clock;
  clock.Set(2026, 3, 14, 6, 42, 5);
  TApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) return 1;
  application.setWindowIcon(ApplicationIcon());
  application.ReadRegionalSettings();

  TFormKlemvar main(nullptr, DesktopTrayHost(), clock);
  bool ok = ShootMainWindow(main, folder);
  main.hide();
  ok = ShootAlarmWindow(folder) && ok;
  ok = ShootAboutWindow(folder) && ok;
  ok = ShootTrayMenu(main, folder) && ok;
  ok = ShootProgressWindow(folder) && ok;
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace klemvar

int main(int argc, char** argv) { return klemvar::Run(argc, argv); }
