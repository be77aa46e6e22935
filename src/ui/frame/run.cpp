#include "ui/frame/run.h"

#include <QDBusConnection>
#include <QPointer>

#include "platform/fonts/font_configuration.h"
#include "ui/frame/ahead_of_time.h"
#include "ui/frame/application.h"
#include "ui/frame/qt_translations.h"
#include "ui/weckmich/update_check.h"
#include "ui/weckmich/weckmich.h"

namespace klemvar {
namespace {

// The application owns every window of the program. Qt's own helper windows
// (tooltips, tray icon hosts) are left to Qt.
void DestroyOwnedWindows() {
  QList<QPointer<QWidget>> owned;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    const bool ours = QByteArray(window->metaObject()->className()).startsWith("klemvar::");
    if (ours && !window->parentWidget()) owned.append(window);
  }
  for (const QPointer<QWidget>& window : owned) delete window.data();
}

}  // namespace

int RunKlemvar(int argc, char** argv) {
  AheadOfTime fontConfig(ReadFontConfiguration);
  TApplication application(argc, argv);
  // The first window asks the bus (the accessibility bridge, the tray icon's
  // protocol), and the connection's handshake is a few round trips to the bus
  // daemon. Qt makes the one connection under its lock, so a question from
  // the main thread meanwhile waits for this one.
  AheadOfTime sessionBus([] { QDBusConnection::sessionBus(); });
  LoadQtTranslations(application);
  // Before any window exists: the clock texts need the regional settings.
  application.ReadRegionalSettings();

  // The main window's layout is the first to measure text.
  fontConfig.Wait();
  // Being the first window created, it is the main window; closing it ends the program.
  QPointer<TFormKlemvar> main = new TFormKlemvar;
  QObject::connect(main, &TFormKlemvar::closed, &application, &QCoreApplication::quit);
  // The other windows show the main window's icon: its pictures, decoded once.
  application.setWindowIcon(main->windowIcon());
  // One hidden progress window exists from the start; each update check opens its own.
  main->UpdateCheck->Progress.Create();
  main->show();
  sessionBus.Wait();
  const int status = application.exec();

  delete main.data();  // removes the tray icon; the progress windows go with its update check
  DestroyOwnedWindows();
  return status;
}

}  // namespace klemvar
