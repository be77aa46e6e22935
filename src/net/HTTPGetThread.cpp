#include "net/HTTPGetThread.h"

#include <QCoreApplication>
#include <string>
#include <string_view>

#include "core/content_length.h"
#include "core/url.h"
#include "net/HTTPGet.h"
#include "net/body_file.h"
#include "net/handover_order.h"

namespace klemvar {

namespace {

constexpr std::uint32_t kChunkSize = 1025;
constexpr std::uint32_t kLengthBufferSize = 1024;
constexpr std::string_view kFormContentType = "Content-Type: application/x-www-form-urlencoded";

// The handles of one transfer, closed request first, then connection, then session.
struct OpenHandles {
  std::unique_ptr<HttpSession> session;
  std::unique_ptr<HttpConnection> connection;
  std::unique_ptr<HttpRequest> request;

  ~OpenHandles() {
    request.reset();
    connection.reset();
    session.reset();
  }
};

std::string Text(const QString& text) { return text.toUtf8().toStdString(); }

// Byte counts add as 32-bit values and wrap, never trap, on bodies beyond 2 GiB.
std::int32_t WrappingAdd(std::int32_t total, std::uint32_t count) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(total) + count);
}

}  // namespace

THTTPGetThread::THTTPGetThread(THTTPGet& owner, bool intoFile)
    : AcceptTypes(owner.AcceptTypes),
      Agent(owner.Agent),
      URL(owner.URL),
      FileName(owner.FileName),
      UserName(owner.UserName),
      Password(owner.Password),
      PostQuery(owner.PostQuery),
      Referer(owner.Referer),
      BinaryData(owner.BinaryData),
      UseCache(owner.UseCache),
      OnProgress(owner.OnProgress),
      IntoFile(intoFile),
      owner_(&owner),
      transport_(CurrentHttpTransport()) {
  // The worker object lives on the GUI thread, so this runs there once the
  // thread has really ended.
  connect(this, &QThread::finished, this, &QObject::deleteLater);
}

THTTPGetThread::~THTTPGetThread() {
  handover::Receive(this);  // a detached worker's last writes happened on its own thread
}

void THTTPGetThread::Detach() {
  owner_ = nullptr;
  detached_.store(true);
  // A hand-over the worker is blocked on right now is dropped unrun, which
  // releases the worker: the GUI thread must never leave it waiting.
  QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

void THTTPGetThread::run() {
  bool completed = false;
  try {
    completed = Transfer();
  } catch (...) {
    // An error inside the transfer (out of memory, say) ends it as a failure;
    // nothing may escape the thread, and the hook must still run.
  }
  if (!completed) Succeeded = false;
  HandOver("CompletionHandOver");
  handover::Publish(this);
}

// The transfer: split the address, open the handles and send, read the announced
// length, then receive the body. The stop is checked between these stages.
// Every way out closes what is open by leaving its scope: the file, then the
// length buffer, then the request, connection and session.
// False: it failed or was cancelled; true: Succeeded holds the outcome.
bool THTTPGetThread::Transfer() {
  const UrlParts url = SplitUrl(Text(URL));
  if (StopRequested()) return false;

  OpenHandles handles;
  handles.session = transport_->OpenSession(Text(Agent), stop_);
  if (!handles.session) return false;
  handles.connection =
      handles.session->Connect(url.host, kHttpPort, Text(UserName), Text(Password));
  if (!handles.connection) return false;
  const bool post = !PostQuery.isEmpty();
  handles.request = handles.connection->OpenRequest(post ? "POST" : "GET", url.path, Text(Referer),
                                                    Text(AcceptTypes), !UseCache);
  if (!handles.request) return false;
  const QByteArray query = PostQuery.toUtf8();
  const std::string_view body(query.constData(), static_cast<std::size_t>(query.size()));
  if (!handles.request->Send(post ? kFormContentType : std::string_view(), body)) return false;
  if (StopRequested()) return false;

  const auto lengthText = std::make_unique<char[]>(kLengthBufferSize);
  std::uint32_t lengthSize = kLengthBufferSize;
  const bool announced = handles.request->QueryContentLength(lengthText.get(), lengthSize);
  if (StopRequested()) return false;
  if (!announced && BinaryData) return false;
  if (announced) {
    const auto length = ContentLengthValue(std::string_view(lengthText.get(), lengthSize));
    if (!length) return false;
    TotalSize = *length;
  }
  return ReceiveBody(*handles.request);
}

// The read loop into the file or the text, and the outcome: a file is complete
// when exactly the announced length arrived (0 when none was announced), a text
// when anything arrived.
bool THTTPGetThread::ReceiveBody(HttpRequest& request) {
  Readed = 0;
  BodyFile file;
  if (IntoFile) {
    if (!file.Create(FileName)) return false;
  } else {
    ResultText.clear();
  }
  char chunk[kChunkSize];
  bool readFailed = false;
  for (;;) {
    if (StopRequested()) return false;  // the file is closed; what was written stays
    if (!request.Read(chunk, kChunkSize, ChunkLength)) {
      readFailed = true;
      break;
    }
    if (ChunkLength == 0) break;
    if (IntoFile) {
      if (!file.Write(chunk, ChunkLength)) return false;
    } else {
      ResultText.append(chunk, static_cast<qsizetype>(ChunkLength));
    }
    Readed = WrappingAdd(Readed, ChunkLength);
    if (OnProgress) HandOver("ProgressHandOver");
  }
  // The transport gives up a wait as soon as the stop is requested; that read
  // fails, and the transfer ends as cancelled rather than judged by its counts.
  if (readFailed && StopRequested()) return false;

  Succeeded = IntoFile ? TotalSize == Readed : Readed != 0;
  return !IntoFile || file.Close();
}

// Runs method on the GUI thread and waits until it has run. A detached worker
// hands nothing over, so it never waits for a GUI thread that may have stopped
// dispatching.
void THTTPGetThread::HandOver(const char* method) {
  if (detached_.load()) return;
  handover::Publish(this);
  QMetaObject::invokeMethod(this, method, Qt::BlockingQueuedConnection);
  handover::Receive(this);
}

void THTTPGetThread::ProgressHandOver() {
  const handover::Scope order(this);
  if (owner_ != nullptr) OnProgress(this, TotalSize, Readed);
}

void THTTPGetThread::CompletionHandOver() {
  const handover::Scope order(this);
  if (owner_ != nullptr) owner_->TransferDone(*this);
}

}  // namespace klemvar
