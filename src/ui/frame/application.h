#pragma once

// The application object: one per process. It carries the program's title,
// logs any error that escapes past the handlers' own reports, keeps the time format
// settings in step with the user's regional settings, and remembers which of
// the program's windows was active last.

#include <QApplication>
#include <QPointer>
#include <QWindow>

namespace klemvar {

inline constexpr char kApplicationTitle[] = "Klemvar";

class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& argc, char** argv);

  // Every event goes through here: an error that no handler boundary stopped
  // is logged and the program goes on with the next event.
  bool notify(QObject* receiver, QEvent* event) override;

  // The program's window that was active last, while it exists; else nullptr.
  QWidget* LastActiveWindow() const;

 protected:
  bool event(QEvent* event) override;

 private:
  void RememberActive(QWindow* window);
  void KeepWindowClass();

  QPointer<QWindow> lastActive_;
};

// Reads the time format settings from the user's current regional settings.
void ReadRegionalSettings();

}  // namespace klemvar
