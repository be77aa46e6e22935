#pragma once

// Records the events of one THTTPGet, and runs the GUI thread's event loop
// until something has happened.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "net/HTTPGet.h"

namespace klemvar::testing {

struct ProgressEvent {
  QObject* sender = nullptr;
  bool fromWorker = false;  // the sender was a THTTPGetThread when the event ran
  std::int32_t totalSize = 0;
  std::int32_t readed = 0;
};

class TransferLog {
 public:
  // Connects OnDoneFile, OnDoneString and OnError, and OnProgress if asked.
  void Attach(THTTPGet& component, bool withProgress = false);

  int ends() const { return doneFile + doneString + errors; }

  int doneFile = 0;
  int doneString = 0;
  int errors = 0;
  QObject* endSender = nullptr;
  QString fileName;
  std::int32_t fileSize = -1;
  QByteArray result;
  std::vector<ProgressEvent> progress;
  // The worker of the transfer that ended last; null once it has freed itself.
  QPointer<THTTPGetThread> endedWorker;

  // Called inside the handlers, after recording, when set.
  std::function<void(const ProgressEvent&)> onProgress;
  std::function<void()> onEnd;

 private:
  void Ended(QObject* sender);
};

// Dispatches the GUI thread's events until done() holds or timeoutMs passes.
// Returns done().
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Runs until the log has seen its first end event, then until that transfer's
// worker has freed itself: a wrong second event of it would have come by then.
bool RunUntilEnded(const TransferLog& log, int timeoutMs = 5000);

// The server's body pattern: byte i is i % 251.
QByteArray Pattern(int size);

// What FileBytes gives for a file that does not exist. (QByteArray's == does
// not tell a null array from an empty one, so a missing file needs its own value.)
inline const QByteArray kNoFile = QByteArrayLiteral("(no file)");

// The file's bytes, or kNoFile.
QByteArray FileBytes(const QString& name);

}  // namespace klemvar::testing
