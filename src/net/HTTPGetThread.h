#pragma once

// The worker of one HTTP transfer. It is made by THTTPGet with copies of the
// component's properties and its completion hook already linked, runs the
// transfer on its own thread, hands each progress report and the completion hook
// to the GUI thread (waiting until each has run) and frees itself afterwards.

#include <QByteArray>
#include <QString>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <memory>

#include "net/HTTPGetEvents.h"
#include "platform/http/http_transport.h"

namespace klemvar {

class THTTPGet;

class THTTPGetThread : public QThread {
  Q_OBJECT

 public:
  // GUI thread. Takes the copies; the completion hook goes to owner.TransferDone.
  THTTPGetThread(THTTPGet& owner, bool intoFile);
  ~THTTPGetThread() override;

  // Copies of the component's properties, taken at the start.
  QString AcceptTypes;
  QString Agent;
  QString URL;
  QString FileName;
  QString UserName;
  QString Password;
  QString PostQuery;
  QString Referer;
  bool BinaryData = false;
  bool UseCache = false;
  TOnProgressEvent OnProgress;

  const bool IntoFile;    // true: file mode; false: text mode
  QByteArray ResultText;  // the body collected in text mode
  // What the worker saw: the body arrived whole. Written by the worker only; the
  // completion hook reads it once the worker waits for it.
  bool Succeeded = false;
  std::int32_t TotalSize = 0;     // the announced content length
  std::uint32_t ChunkLength = 0;  // bytes delivered by the last read
  std::int32_t Readed = 0;        // bytes received so far

  // GUI thread: asks the transfer to stop. The worker notices at its next stop
  // check, or at once if it is waiting for the network.
  void RequestStop() { stop_.Raise(); }
  // Any thread: a stop has been asked for.
  bool StopRequested() const { return stop_.Raised(); }

  // GUI thread: the component is going away. The worker reports to nobody from
  // now on and no longer waits for the GUI thread.
  void Detach();
  // GUI thread: one of this worker's hand-overs is running further up the
  // stack, so the worker waits for the GUI thread.
  bool HandingOver() const { return handingOver_ > 0; }

 protected:
  void run() override;

 private:
  bool Transfer();
  bool ReceiveBody(HttpRequest& request);
  void HandOver(const char* method);
  Q_INVOKABLE void ProgressHandOver();
  Q_INVOKABLE void CompletionHandOver();

  THTTPGet* owner_;  // the completion hook's target; read and written on the GUI thread only
  std::atomic<bool> detached_{false};
  int handingOver_ = 0;  // GUI thread only
  HttpStopSignal stop_;
  const std::shared_ptr<HttpTransport> transport_;
};

}  // namespace klemvar
