#pragma once

// The application object: one per process. It carries the program's title,
// logs any error that escapes past the handlers' own reports, owns the regional
// settings and keeps them in step with the user's, holds the desktop services
// (services.h), and remembers which of the program's windows was active last.

#include <QApplication>
#include <QPointer>
#include <QWindow>

#include "core/timeformat.h"
#include "platform/messagebox/message_box.h"
#include "platform/urlopen/url_opener.h"

namespace klemvar {

inline constexpr char kApplicationTitle[] = "Klemvar";

struct DesktopServices {
  MessageBoxService* boxes = &QtMessageBoxService();
  UrlOpener* urls = &DesktopUrlOpener();
};

class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& argc, char** argv);

  // Every event goes through here: an error that no handler boundary stopped
  // is logged and the program goes on with the next event.
  bool notify(QObject* receiver, QEvent* event) override;

  // The program's window that was active last, while it exists; else nullptr.
  QWidget* LastActiveWindow() const;

  // The regional settings the clock texts and the update check follow: the
  // defaults until first read, then the user's, read again on every locale change.
  const FormatSettings& Format() const { return format_; }
  void ReadRegionalSettings();
  // Fixed settings in place of the user's, for tests whatever the machine's locale.
  void SetFormat(const FormatSettings& format) { format_ = format; }

  DesktopServices& Services() { return services_; }

 protected:
  bool event(QEvent* event) override;

 private:
  void RememberActive(QWindow* window);
  void KeepWindowClass();

  QPointer<QWindow> lastActive_;
  FormatSettings format_;
  DesktopServices services_;
};

// The running application; every window lives in a TApplication.
TApplication& TheApplication();

// The running application's regional settings.
inline const FormatSettings& RegionalSettings() { return TheApplication().Format(); }

}  // namespace klemvar
