// The life of a transfer: one at a time, copies taken at the start, calls from
// inside handlers, Cancel, WaitThread, destroying the component while a
// transfer runs, time-outs, and no busy waiting while the server hangs.

#include <sys/resource.h>

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "transfer_test_case.h"

namespace klemvar::testing {
namespace {

using namespace std::chrono_literals;

// Holds the worker at one point, once armed, until the GUI thread lets it go on.
class Hold {
 public:
  bool armed = false;  // set before the transfer starts

  // The worker's side.
  void Reach() {
    if (!armed) return;
    std::unique_lock lock(mutex_);
    reached_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return released_; });
  }

  // The GUI thread's side.
  bool WaitReached() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return reached_; });
  }
  void Release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool reached_ = false;
  bool released_ = false;
};

// Passes everything on to the real transport and counts the reads that have
// started and that have returned, from the worker's thread. The holds stop the
// worker after the read that found the end of the body, before it judges the
// outcome; and when it closes the request, after it has judged.
struct ReadCounts {
  std::atomic<int> started{0};
  std::atomic<int> returned{0};
  Hold afterTheLastRead;
  Hold afterTheVerdict;
};

// A handle of the counting transport: the real one, and the counts it adds to.
template <typename Handle>
class Counting : public Handle {
 public:
  Counting(std::unique_ptr<Handle> real, ReadCounts& counts)
      : real_(std::move(real)), counts_(counts) {}

 protected:
  std::unique_ptr<Handle> real_;
  ReadCounts& counts_;
};

class CountingRequest final : public Counting<HttpRequest> {
 public:
  using Counting::Counting;
  ~CountingRequest() override { counts_.afterTheVerdict.Reach(); }
  bool Send(std::string_view headers, std::string_view body) override {
    return real_->Send(headers, body);
  }
  bool QueryContentLength(char* buffer, std::uint32_t& length) override {
    return real_->QueryContentLength(buffer, length);
  }
  bool Read(char* buffer, std::uint32_t size, std::uint32_t& count) override {
    ++counts_.started;
    const bool read = real_->Read(buffer, size, count);
    ++counts_.returned;
    if (read && count == 0) counts_.afterTheLastRead.Reach();
    return read;
  }
};

class CountingConnection final : public Counting<HttpConnection> {
 public:
  using Counting::Counting;
  std::unique_ptr<HttpRequest> OpenRequest(const std::string& verb, const std::string& path,
                                           const std::string& referer, const std::string& accept,
                                           bool reload) override {
    auto request = real_->OpenRequest(verb, path, referer, accept, reload);
    return request ? std::make_unique<CountingRequest>(std::move(request), counts_) : nullptr;
  }
};

class CountingSession final : public Counting<HttpSession> {
 public:
  using Counting::Counting;
  std::unique_ptr<HttpConnection> Connect(const std::string& host, std::uint16_t port,
                                          const std::string& user,
                                          const std::string& password) override {
    auto connection = real_->Connect(host, port, user, password);
    return connection ? std::make_unique<CountingConnection>(std::move(connection), counts_)
                      : nullptr;
  }
};

class CountingTransport final : public HttpTransport {
 public:
  explicit CountingTransport(std::shared_ptr<HttpTransport> real) : real_(std::move(real)) {}
  std::unique_ptr<HttpSession> OpenSession(const std::string& agent,
                                           HttpStopSignal& stop) override {
    auto session = real_->OpenSession(agent, stop);
    return session ? std::make_unique<CountingSession>(std::move(session), counts) : nullptr;
  }

  ReadCounts counts;

 private:
  std::shared_ptr<HttpTransport> real_;
};

// The ids of this process's threads.
QSet<QString> ThreadIds() {
  const QStringList ids =
      QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  return QSet<QString>(ids.begin(), ids.end());
}

double ProcessCpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

class HttpGetLifecycleTest : public TransferTestCase {
  Q_OBJECT

 private slots:
  void aSecondFetchWhileOneRunsIsIgnored() {
    THTTPGet get;
    log_.Attach(get);
    StartTransfer(get, QStringLiteral("/len/50000"));
    THTTPGetThread* const first = get.Worker();
    QVERIFY(first != nullptr);

    const QString other = dir_->filePath(QStringLiteral("other.bin"));
    get.URL = HttpTestServer::Url(QStringLiteral("/len/10"));
    get.FileName = other;
    get.FetchFile();
    get.FetchString();
    QCOMPARE(get.Worker(), first);

    QVERIFY(RunUntilEnded(log_));
    QCOMPARE(log_.ends(), 1);
    QCOMPARE(log_.doneFile, 1);
    QCOMPARE(log_.fileName, file_);
    QCOMPARE(log_.fileSize, 50000);
    QCOMPARE(FileBytes(other), kNoFile);

    // Once idle, the component starts the next transfer as usual.
    get.FetchFile();
    QVERIFY(RunUntil([&] { return log_.ends() == 2; }));
    QCOMPARE(log_.doneFile, 2);
    QCOMPARE(FileBytes(other), Pattern(10));
  }

  void changesAfterTheStartDoNotReachTheTransfer() {
    THTTPGet get;
    log_.Attach(get);
    StartTransfer(get, QStringLiteral("/nolen/3000"), Mode::Text);
    int progressAfterStart = 0;
    get.OnProgress = [&](QObject*, std::int32_t, std::int32_t) { ++progressAfterStart; };
    get.BinaryData = true;
    get.URL = HttpTestServer::Url(QStringLiteral("/empty"));
    QVERIFY(RunUntilEnded(log_));
    QCOMPARE(log_.doneString, 1);
    QCOMPARE(log_.result, Pattern(3000));
    QCOMPARE(progressAfterStart, 0);
  }

  void callsFromInsideTheCompletionHandlerAreIgnored_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("succeeds");
    QTest::newRow("in OnDoneFile") << "/len/2000" << true;
    QTest::newRow("in OnError") << "/badlen/abc" << false;
  }
  void callsFromInsideTheCompletionHandlerAreIgnored() {
    QFETCH(QString, path);
    QFETCH(bool, succeeds);
    THTTPGet get;
    log_.Attach(get);
    bool runningInside = false;
    log_.onEnd = [&] {
      runningInside = get.Worker() != nullptr;
      get.FetchFile();
      get.FetchString();
      get.Cancel();
    };
    StartTransfer(get, path);
    // Until the worker has gone: a transfer wrongly started inside the handler
    // would still run then, or would have ended too.
    QVERIFY(RunUntilEnded(log_));
    QVERIFY(runningInside);
    QCOMPARE(log_.ends(), 1);
    QCOMPARE(log_.doneFile, succeeds ? 1 : 0);
    QCOMPARE(get.Worker(), nullptr);
  }

  void cancelWhenIdleDoesNothing() {
    THTTPGet get;
    log_.Attach(get);
    get.Cancel();
    StartTransfer(get, QStringLiteral("/len/100"));
    QVERIFY(RunUntilEnded(log_));  // the worker has gone: the component is idle
    QCOMPARE(get.Worker(), nullptr);
    get.Cancel();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(log_.ends(), 1);
    QCOMPARE(log_.doneFile, 1);
  }

  void cancelDuringTheReadKeepsThePartialFile() {
    THTTPGet get;
    log_.Attach(get, true);
    log_.onProgress = [&](const ProgressEvent&) { get.Cancel(); };
    StartTransfer(get, QStringLiteral("/hang-body/100000/5000"));
    QVERIFY(RunUntilEnded(log_));
    QCOMPARE(log_.errors, 1);
    QCOMPARE(log_.progress.size(), std::size_t(1));  // the stop check before the next read
    QCOMPARE(FileBytes(file_), Pattern(1025));
  }

  void cancelBeforeTheHandOverWins_data() {
    QTest::addColumn<bool>("beforeTheVerdict");
    QTest::newRow("between the last read and the verdict") << true;
    QTest::newRow("between the verdict and the hand-over") << false;
  }
  void cancelBeforeTheHandOverWins() {
    QFETCH(bool, beforeTheVerdict);
    const auto counting = std::make_shared<CountingTransport>(transport_);
    Hold& hold =
        beforeTheVerdict ? counting->counts.afterTheLastRead : counting->counts.afterTheVerdict;
    hold.armed = true;
    transport_ = counting;
    THTTPGet get;
    log_.Attach(get);
    StartTransfer(get, QStringLiteral("/len/2000"));
    QVERIFY(hold.WaitReached());
    get.Cancel();
    hold.Release();
    QVERIFY(RunUntilEnded(log_));
    QCOMPARE(log_.errors, 1);
    QCOMPARE(FileBytes(file_), Pattern(2000));  // the whole body arrived, and stays
  }

  void cancelStopsAWaitingTransferAtOnce_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("arrived");
    QTest::newRow("waiting for the headers") << "/hang-headers" << -1;
    QTest::newRow("waiting in the body") << "/hang-body/100000/3000" << 3000;
    // Nothing announced and nothing read would count as complete: the stop must
    // be seen after the read it cut short.
    QTest::newRow("waiting for a body without length") << "/hang-nolen/0" << 0;
  }
  void cancelStopsAWaitingTransferAtOnce() {
    QFETCH(QString, path);
    QFETCH(int, arrived);
    transport_ = server_.Transport(5s, 30s);
    THTTPGet get;
    log_.Attach(get, true);
    QElapsedTimer sinceCancel;
    qint64 latencyNs = -1;
    log_.onEnd = [&] { latencyNs = sinceCancel.nsecsElapsed(); };
    StartTransfer(get, path);
    if (arrived > 0) {
      QVERIFY(RunUntil(
          [&] { return !log_.progress.empty() && log_.progress.back().readed == arrived; }));
    }
    RunUntil([] { return false; }, 200);  // the worker is now waiting for the network
    QCOMPARE(log_.ends(), 0);

    sinceCancel.start();
    get.Cancel();
    const qint64 cancelReturnedNs = sinceCancel.nsecsElapsed();
    QVERIFY(RunUntilEnded(log_, 3000));
    QCOMPARE(log_.errors, 1);
    qInfo("Cancel returned after %.3f ms; OnError ran %.3f ms after Cancel", cancelReturnedNs / 1e6,
          latencyNs / 1e6);
    QVERIFY(cancelReturnedNs < 100'000'000);
    QVERIFY(latencyNs < 1'000'000'000);
    if (arrived >= 0) {
      QCOMPARE(FileBytes(file_), Pattern(arrived));  // the file was made and keeps what came
    } else {
      QCOMPARE(FileBytes(file_), kNoFile);
    }
  }

  void waitThreadReturnsAfterTheEventHasRun_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("intoFile");
    QTest::addColumn<QString>("event");
    QTest::newRow("file, done") << "/len/20000" << true << "file";
    QTest::newRow("file, error") << "/badlen/abc" << true << "error";
    QTest::newRow("text, done") << "/len/20000" << false << "text";
  }
  void waitThreadReturnsAfterTheEventHasRun() {
    QFETCH(QString, path);
    QFETCH(bool, intoFile);
    QFETCH(QString, event);
    THTTPGet get;
    get.WaitThread = true;
    log_.Attach(get, true);  // progress hand-overs must be served while FetchFile waits
    StartTransfer(get, path, intoFile ? Mode::File : Mode::Text);
    QCOMPARE(log_.ends(), 1);
    QCOMPARE(get.Worker(), nullptr);
    if (event == "file") QCOMPARE(log_.doneFile, 1);
    if (event == "text") QCOMPARE(log_.result, Pattern(20000));
    if (event == "error") QCOMPARE(log_.errors, 1);
    if (event != "error") QCOMPARE(log_.progress.back().readed, 20000);
  }

  void destroyingDuringAHangEndsTheWorkerAtOnce() {
    const QSet<QString> threadsBefore = ThreadIds();
    auto* get = new THTTPGet;
    log_.Attach(*get, true);
    StartTransfer(*get, QStringLiteral("/hang-body/100000/2000"));
    const QPointer<THTTPGetThread> worker = get->Worker();
    QVERIFY(
        RunUntil([&] { return !log_.progress.empty() && log_.progress.back().readed == 2000; }));
    const std::size_t progressBefore = log_.progress.size();

    QElapsedTimer destroying;
    destroying.start();
    delete get;
    // As at the program's end, nothing is dispatched any more: the worker's thread
    // has ended, and the file holds what arrived, for good.
    QVERIFY(destroying.elapsed() < 1000);  // the stop cut the wait for the network short
    QVERIFY(worker.isNull());
    // Qt's threads are detached: the system lets the last one go a moment later.
    // A thread of an earlier test may end meanwhile too; none may be new.
    QTRY_VERIFY_WITH_TIMEOUT(threadsBefore.contains(ThreadIds()), 5000);
    QCOMPARE(log_.ends(), 0);
    QCOMPARE(log_.progress.size(), progressBefore);
    QCOMPARE(FileBytes(file_), Pattern(2000));
  }

  void destroyingWhileAHandOverIsPendingReleasesTheWorker() {
    const auto counting = std::make_shared<CountingTransport>(transport_);
    transport_ = counting;
    auto* get = new THTTPGet;
    log_.Attach(*get, true);
    StartTransfer(*get, QStringLiteral("/len/2000000"));
    const QPointer<THTTPGetThread> worker = get->Worker();
    // The GUI thread dispatches nothing now, so once the first read has returned
    // the worker can only be in its first progress hand-over, waiting: the next
    // read starts only after it. Destroying the component must release it.
    const ReadCounts& reads = counting->counts;
    QElapsedTimer waited;
    waited.start();
    while (reads.returned == 0 && waited.elapsed() < 5000) QThread::msleep(5);
    QCOMPARE(reads.returned.load(), 1);
    QCOMPARE(reads.started.load(), 1);
    QVERIFY(worker && worker->isRunning());
    QVERIFY(log_.progress.empty());
    delete get;
    QVERIFY(RunUntil([&] { return worker.isNull(); }, 5000));
    QVERIFY(log_.progress.empty());
    QCOMPARE(log_.ends(), 0);
  }

  void destroyingFromInsideAHandler_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("handler");
    QTest::newRow("OnProgress") << "/len/200000"
                                << "progress";
    QTest::newRow("OnDoneFile") << "/len/2000"
                                << "end";
    QTest::newRow("OnError") << "/badlen/abc"
                             << "end";
  }
  void destroyingFromInsideAHandler() {
    QFETCH(QString, path);
    QFETCH(QString, handler);
    auto* get = new THTTPGet;
    log_.Attach(*get, true);
    const auto destroy = [&] {
      delete get;
      get = nullptr;
    };
    if (handler == "progress") {
      log_.onProgress = [&](const ProgressEvent&) { destroy(); };
    } else {
      log_.onEnd = destroy;
    }
    StartTransfer(*get, path);
    const QPointer<THTTPGetThread> worker = get->Worker();
    QVERIFY(RunUntil([&] { return worker.isNull(); }, 5000));
    QCOMPARE(get, nullptr);
    if (handler == "progress") {
      QCOMPARE(log_.progress.size(), std::size_t(1));
      QCOMPARE(log_.ends(), 0);
    } else {
      QCOMPARE(log_.ends(), 1);
    }
  }

  void unreachableServersFail_data() {
    QTest::addColumn<int>("port");
    QTest::newRow("connection refused") << int(ClosedPort());
    QTest::newRow("connection never made: connect time-out") << int(server_.unansweredPort());
  }
  void unreachableServersFail() {
    QFETCH(int, port);
    transport_ = TransportToPort(static_cast<std::uint16_t>(port), 300ms, 30s);
    THTTPGet get;
    log_.Attach(get);
    QElapsedTimer elapsed;
    elapsed.start();
    StartTransfer(get, QStringLiteral("/len/10"));
    QVERIFY(RunUntilEnded(log_, 5000));
    QCOMPARE(log_.errors, 1);
    QVERIFY(elapsed.elapsed() < 3000);
    QCOMPARE(FileBytes(file_), kNoFile);
  }

  void stalledTransfersFail_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("before the headers: no file") << "/hang-headers" << kNoFile;
    QTest::newRow("in the body: what arrived stays") << "/hang-body/10000/3000" << Pattern(3000);
  }
  void stalledTransfersFail() {
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    transport_ = server_.Transport(5s, 300ms);
    THTTPGet get;
    log_.Attach(get);
    QElapsedTimer elapsed;
    elapsed.start();
    StartTransfer(get, path);
    QVERIFY(RunUntilEnded(log_, 5000));
    QCOMPARE(log_.errors, 1);
    QVERIFY(elapsed.elapsed() >= 290);
    QCOMPARE(FileBytes(file_), content);
  }

  void noBusyWaitingWhileTheServerHangs() {
    transport_ = server_.Transport(5s, 30s);
    THTTPGet get;
    log_.Attach(get);
    get.Transport = transport_;
    get.URL = HttpTestServer::Url(QStringLiteral("/hang-headers"));
    get.FetchString();
    RunUntil([] { return false; }, 100);
    // The GUI thread sleeps, so nearly all CPU time spent now is the worker's.
    const double before = ProcessCpuMilliseconds();
    QThread::msleep(500);
    const double spent = ProcessCpuMilliseconds() - before;
    qInfo("CPU time during a 500 ms hang: %.1f ms", spent);
    QVERIFY(spent < 100);
    get.Cancel();
    QVERIFY(RunUntilEnded(log_));
    QCOMPARE(log_.errors, 1);
  }
};

}  // namespace klemvar::testing

QTEST_GUILESS_MAIN(klemvar::testing::HttpGetLifecycleTest)
#include "httpget_lifecycle_test.moc"
