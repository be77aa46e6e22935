#include "net/HTTPGetThread.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QScopedValueRollback>
#include <exception>
#include <string>
#include <string_view>

#include "core/content_length.h"
#include "core/url.h"
#include "net/HTTPGet.h"
#include "net/body_file.h"
#include "net/handover_order.h"

namespace klemvar {

// Why transfers fail: the stage and the transport's reason. Off by default;
// QT_LOGGING_RULES="klemvar.httpget.info=true" turns it on.
Q_LOGGING_CATEGORY(lcHttpGet, "klemvar.httpget", QtWarningMsg)

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

// Records where and why the transfer failed; always false.
bool Failed(const char* stage, const HttpRequest* request = nullptr) {
  const std::string reason = request != nullptr ? request->ErrorText() : std::string();
  qCInfo(lcHttpGet, "transfer failed: %s%s%s", stage, reason.empty() ? "" : ": ", reason.c_str());
  return false;
}

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
      transport_(owner.Transport) {
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
  } catch (const std::exception& error) {
    // An error inside the transfer (out of memory, say) ends it as a failure;
    // nothing may escape the thread, and the hook must still run.
    Failed(error.what());
  } catch (...) {
    Failed("an unknown error");
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
  if (StopRequested()) return Failed("stopped before the start");

  OpenHandles handles;
  handles.session = transport_->OpenSession(Text(Agent), stop_);
  if (!handles.session) return Failed("open session");
  handles.connection =
      handles.session->Connect(url.host, kHttpPort, Text(UserName), Text(Password));
  if (!handles.connection) return Failed("connect");
  const bool post = !PostQuery.isEmpty();
  handles.request = handles.connection->OpenRequest(post ? "POST" : "GET", url.path, Text(Referer),
                                                    Text(AcceptTypes), !UseCache);
  if (!handles.request) return Failed("open request");
  const QByteArray query = PostQuery.toUtf8();
  const std::string_view body(query.constData(), static_cast<std::size_t>(query.size()));
  if (!handles.request->Send(post ? kFormContentType : std::string_view(), body)) {
    return Failed("send", handles.request.get());
  }
  if (StopRequested()) return Failed("stopped after the send");

  const auto lengthText = std::make_unique<char[]>(kLengthBufferSize);
  std::uint32_t lengthSize = kLengthBufferSize;
  const bool announced = handles.request->QueryContentLength(lengthText.get(), lengthSize);
  if (StopRequested()) return Failed("stopped after the length query");
  if (!announced && BinaryData) return Failed("no content length for binary data");
  if (announced) {
    const auto length = ContentLengthValue(std::string_view(lengthText.get(), lengthSize));
    if (!length) return Failed("content length is no 32-bit integer");
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
    if (!file.Create(FileName)) return Failed("create the file");
  } else {
    ResultText.clear();
  }
  char chunk[kChunkSize];
  bool readFailed = false;
  for (;;) {
    // The file is closed; what was written stays.
    if (StopRequested()) return Failed("stopped in the body");
    if (!request.Read(chunk, kChunkSize, ChunkLength)) {
      readFailed = true;
      Failed("read", &request);
      break;
    }
    if (ChunkLength == 0) break;
    if (IntoFile) {
      if (!file.Write(chunk, ChunkLength)) return Failed("write the file");
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
  if (!Succeeded) {
    qCInfo(lcHttpGet, "transfer failed: %d bytes received, %d announced", Readed, TotalSize);
  }
  return !IntoFile || file.Close() || Failed("close the file");
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
  const QScopedValueRollback<int> running(handingOver_, handingOver_ + 1);
  if (owner_ != nullptr) OnProgress(this, TotalSize, Readed);
}

void THTTPGetThread::CompletionHandOver() {
  const handover::Scope order(this);
  const QScopedValueRollback<int> running(handingOver_, handingOver_ + 1);
  if (owner_ != nullptr) owner_->TransferDone(*this);
}

}  // namespace klemvar
