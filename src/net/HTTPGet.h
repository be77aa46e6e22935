#pragma once

// THTTPGet fetches one resource over plain HTTP/1.0 on a worker thread and hands
// the body to a file (FetchFile) or, as bytes, to the caller (FetchString).
// Every operation, every event and the completion hook run on the GUI thread;
// the worker waits while they run. Failure is told only through OnError,
// without a reason. The component never deletes a file and shows no message.

#include <QObject>
#include <QPointer>
#include <QString>

#include "net/HTTPGetEvents.h"
#include "net/HTTPGetThread.h"

namespace klemvar {

class THTTPGet : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString AcceptTypes MEMBER AcceptTypes)
  Q_PROPERTY(QString Agent MEMBER Agent)
  Q_PROPERTY(bool BinaryData MEMBER BinaryData)
  Q_PROPERTY(QString URL MEMBER URL)
  Q_PROPERTY(bool UseCache MEMBER UseCache)
  Q_PROPERTY(QString FileName MEMBER FileName)
  Q_PROPERTY(QString UserName MEMBER UserName)
  Q_PROPERTY(QString Password MEMBER Password)
  Q_PROPERTY(QString PostQuery MEMBER PostQuery)
  Q_PROPERTY(QString Referer MEMBER Referer)
  Q_PROPERTY(bool WaitThread MEMBER WaitThread)

 public:
  explicit THTTPGet(QObject* owner = nullptr);
  // Stops a running transfer, detaches its worker (it reports nothing more) and
  // waits until its thread has ended, which takes no longer than the transport
  // needs to notice the stop. Destroyed from inside one of the worker's own
  // events it cannot wait: the worker then ends once that event returns.
  ~THTTPGet() override;

  // Starts a transfer of URL into FileName; the outcome comes as OnDoneFile or
  // OnError. Does nothing while a transfer runs. With WaitThread it returns only
  // after that event has run, dispatching the GUI thread's events meanwhile.
  void FetchFile();
  // The same, with the body arriving through OnDoneString.
  void FetchString();
  // Asks a running transfer to stop and returns at once; it then ends in
  // OnError, however far it got, unless its completion event is already
  // running. Does nothing when idle.
  void Cancel();

  // The running worker; nullptr when idle.
  THTTPGetThread* Worker() const { return worker_; }

  QString AcceptTypes = QStringLiteral("*/*");         // the Accept header's value
  QString Agent = QStringLiteral("Pellomar HTTPGet");  // User-Agent; empty: none
  bool BinaryData = false;  // true: a body without announced length fails unread
  QString URL;
  bool UseCache = false;  // false: the answer must come from the origin server
  QString FileName;       // receives the body in file mode
  QString UserName;       // offered to the server as basic authentication
  QString Password;
  QString PostQuery;  // not empty: a POST with this (already encoded) body
  QString Referer;    // sent as the Referer header when not empty
  bool WaitThread = false;

  // What the transfers go through: unless one was set (tests set their own),
  // libcurl from the HTTP module, loaded when the first transfer starts.
  std::shared_ptr<HttpTransport> Transport;

  TOnProgressEvent OnProgress;      // after each chunk of the body
  TOnDoneFileEvent OnDoneFile;      // a file-mode transfer succeeded
  TOnDoneStringEvent OnDoneString;  // a text-mode transfer succeeded
  TNotifyEvent OnError;             // a transfer failed or was cancelled

 private:
  friend class THTTPGetThread;

  void Fetch(bool intoFile);
  void WaitForTransfer();
  // The worker's completion hook, run on the GUI thread while the worker waits.
  void TransferDone(THTTPGetThread& worker);

  THTTPGetThread* worker_ = nullptr;  // written on the GUI thread only
  // The last worker until it has freed itself: its thread runs on a little
  // after the completion hook has cleared worker_.
  QPointer<THTTPGetThread> thread_;
};

}  // namespace klemvar
