#include "net/HTTPGet.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPointer>

#include "platform/http/http_loader.h"

namespace klemvar {

THTTPGet::THTTPGet(QObject* owner) : QObject(owner) {}

THTTPGet::~THTTPGet() {
  // Nothing of a transfer may outlive its component: at the program's end it
  // would go on running past main, writing its file meanwhile.
  if (!thread_) return;
  thread_->RequestStop();
  thread_->Detach();
  if (thread_->HandingOver()) return;
  // A hand-over posted just as the worker was detached is dropped here too.
  while (!thread_->wait(QDeadlineTimer(20))) {
    QCoreApplication::removePostedEvents(thread_, QEvent::MetaCall);
  }
  delete thread_.data();
}

void THTTPGet::FetchFile() { Fetch(true); }

void THTTPGet::FetchString() { Fetch(false); }

void THTTPGet::Cancel() {
  if (worker_ != nullptr) worker_->RequestStop();
}

void THTTPGet::Fetch(bool intoFile) {
  if (worker_ != nullptr) return;
  // The hook is linked by the constructor, before the thread starts, so that a
  // transfer that ends at once is reported all the same.
  // The previous worker's thread has at most a few steps left.
  if (thread_) thread_->wait();
  if (!Transport) Transport = ModuleHttpTransport();
  worker_ = new THTTPGetThread(*this, intoFile);
  thread_ = worker_;
  worker_->start();
  if (WaitThread) WaitForTransfer();
}

void THTTPGet::WaitForTransfer() {
  // A handler may destroy the component while events are dispatched here.
  const QPointer<THTTPGet> alive(this);
  while (alive && worker_ != nullptr) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

void THTTPGet::TransferDone(THTTPGetThread& worker) {
  // The reference is cleared only once the handler has returned (or thrown), so
  // a fetch started from inside the handler is ignored and a Cancel there has no
  // effect. The handler may destroy the component; it is called from a copy.
  const QPointer<THTTPGet> alive(this);
  struct ClearReference {
    const QPointer<THTTPGet>& component;
    ~ClearReference() {
      if (component) component->worker_ = nullptr;
    }
  } clear{alive};

  // The worker only says what it saw; a stop asked for before this hand-over
  // ran wins over a body that arrived whole meanwhile. Cancel and this hook
  // both run on the GUI thread, so their order is the order they ran in.
  if (worker.Succeeded && !worker.StopRequested()) {
    if (worker.IntoFile) {
      if (const auto handler = OnDoneFile) handler(this, worker.FileName, worker.TotalSize);
    } else {
      if (const auto handler = OnDoneString) handler(this, worker.ResultText);
    }
  } else {
    if (const auto handler = OnError) handler(this);
  }
}

}  // namespace klemvar
