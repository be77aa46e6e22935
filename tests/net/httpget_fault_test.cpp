// Faults injected into transfers: a server that resets, trickles or lies about
// the length, and a disk that refuses, is a directory or fills up halfway. Each
// transfer ends in exactly one OnError, in time, and the worker goes away.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutex>
#include <QPointer>
#include <QtTest>
#include <cstdio>
#include <cstring>

#include "transfer_test_case.h"

using namespace std::chrono_literals;

namespace klemvar::testing {
namespace {

constexpr char kWriteLimitedChild[] = "--write-limited-child";
constexpr int kWriteLimit = 50'000;
constexpr int kLongBody = 200'000;

// Runs one file transfer from the server on port into file and prints
// "<errors> <ends> <other ends>". The parent has limited the file size and
// ignored SIGXFSZ before exec, so writes past the limit fail with EFBIG.
int RunWriteLimitedChild(int argc, char** argv, std::uint16_t port, const char* file) {
  QCoreApplication app(argc, argv);
  TransferLog log;
  {
    THTTPGet get;
    log.Attach(get);
    get.Transport = TransportToPort(port);
    get.URL = HttpTestServer::Url(QStringLiteral("/len/%1").arg(kLongBody));
    get.FileName = QString::fromLocal8Bit(file);
    get.FetchFile();
    RunUntilEnded(log, 10'000);
    const QPointer<THTTPGetThread> worker = get.Worker();
    RunUntil([&] { return worker.isNull(); }, 5000);
  }
  std::printf("%d %d\n", log.errors, log.ends());
  return 0;
}

// Starts this binary as a child limited to kWriteLimit bytes per file and
// returns what it printed.
QByteArray RunChildWithWriteLimit(std::uint16_t port, const QString& file) {
  int output[2];
  if (pipe2(output, O_CLOEXEC) != 0) return QByteArray();
  const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
  const QByteArray portText = QByteArray::number(port);
  const QByteArray fileText = file.toLocal8Bit();
  const char* const argv[] = {self.constData(), kWriteLimitedChild, portText.constData(),
                              fileText.constData(), nullptr};
  const pid_t pid = fork();
  if (pid == 0) {  // only async-signal-safe calls until exec; both survive it
    const rlimit limit{kWriteLimit, kWriteLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
    dup2(output[1], STDOUT_FILENO);
    execv(argv[0], const_cast<char* const*>(argv));
    _exit(127);
  }
  close(output[1]);
  QByteArray printed;
  char buffer[256];
  for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;) printed.append(buffer, n);
  close(output[0]);
  int status = 0;
  if (pid > 0) waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return QByteArray("child failed");
  return printed.trimmed();
}

// Collects the messages of the transfer log category, from any thread.
struct LoggedMessages {
  static inline QMutex mutex;
  static inline QStringList messages;
  static void Handler(QtMsgType, const QMessageLogContext& context, const QString& message) {
    const QMutexLocker lock(&mutex);
    if (QByteArray(context.category) == "klemvar.httpget") messages << message;
  }
};

}  // namespace

class HttpGetFaultTest : public TransferTestCase {
  Q_OBJECT

 public:
  HttpGetFaultTest() : TransferTestCase(2s) {}

 private slots:
  void serverFaultsEndInOneError_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("sent");  // the body the server sends
    const QByteArray body = "body";
    QTest::newRow("connection reset mid-body") << "/reset/100000/30000" << Pattern(30000);
    QTest::newRow("10 GB announced, short body") << "/wronglen/10737418240/3000" << Pattern(3000);
    QTest::newRow("length -1") << "/badlen/-1" << body;
    QTest::newRow("length 2147483648") << "/badlen/2147483648" << body;
    QTest::newRow("length 12abc") << "/badlen/12abc" << body;
    // The blank is the header's optional white space: 12 announced, 4 sent.
    QTest::newRow("length with a blank: \" 12\"") << "/badlen/%2012" << body;
    QTest::newRow("empty length") << "/badlen/" << body;
  }
  void serverFaultsEndInOneError() {
    QFETCH(QString, path);
    QFETCH(QByteArray, sent);
    ExpectOneError(path, file_);
    // Whatever reached the file is the body's beginning, never anything else.
    const QByteArray written = FileBytes(file_);
    if (written != kNoFile) QCOMPARE(written, sent.left(written.size()));
  }

  void headersTrickledInFailAtTheStallTimeout() {
    // One byte a second would take most of a minute to finish the answer; the
    // stall time-out is injected shorter than the gap, so the test stays short.
    transport_ = server_.Transport(5s, 300ms);
    QElapsedTimer elapsed;
    elapsed.start();
    ExpectOneError(QStringLiteral("/trickle/1000"), file_);
    QVERIFY(elapsed.elapsed() < 3000);
  }

  void diskFaultsEndInOneError_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("folder that cannot be written") << "read-only";
    QTest::newRow("target path is a directory") << "directory";
  }
  void diskFaultsEndInOneError() {
    QFETCH(QString, target);
    QString fileName = dir_->path();
    if (target == "read-only") {
      // Permissions do not bind root, and tests often run as root: there, a
      // folder of the process file system stands in, which nobody may write.
      if (geteuid() == 0) {
        fileName = QStringLiteral("/proc/self/body.bin");
      } else {
        const QString folder = dir_->filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        fileName = folder + QStringLiteral("/body.bin");
      }
    }
    ExpectOneError(QStringLiteral("/len/100000"), fileName);
    QVERIFY(!QFileInfo(fileName).isFile());
  }

  void aWriteFailingHalfwayEndsInOneError() {
    const QByteArray printed = RunChildWithWriteLimit(server_.port(), file_);
    QCOMPARE(printed, QByteArray("1 1"));
    // The file holds the body up to the limit, and nothing after it.
    const QByteArray written = FileBytes(file_);
    QVERIFY(written != kNoFile);
    QVERIFY(written.size() > 0 && written.size() <= kWriteLimit);
    QCOMPARE(written, Pattern(written.size()));
  }

  // libcurl refuses texts longer than 8,000,000 bytes, an agent name among them.
  // Run without that option the transfer would succeed; it must fail instead, and
  // the log says which option it was.
  void anOptionLibcurlRefusesFailsTheTransferAndIsLogged() {
    QLoggingCategory::setFilterRules(QStringLiteral("klemvar.httpget.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(&LoggedMessages::Handler);
    {
      THTTPGet get;
      log_.Attach(get);
      get.Agent = QString(8'000'001, u'a');
      StartTransfer(get, QStringLiteral("/len/10"));
      RunUntilEnded(log_);
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    QCOMPARE(log_.errors, 1);
    QCOMPARE(log_.ends(), 1);
    QCOMPARE(FileBytes(file_), kNoFile);
    const QMutexLocker lock(&LoggedMessages::mutex);
    QCOMPARE(LoggedMessages::messages,
             QStringList("transfer failed: send: CURLOPT_USERAGENT refused: "
                         "A libcurl function was given a bad argument"));
  }

 private:
  // Runs a file transfer of path into fileName; checks that it ends in one
  // OnError and that its worker goes away.
  void ExpectOneError(const QString& path, const QString& fileName) {
    THTTPGet get;
    log_.Attach(get);
    get.Transport = transport_;
    get.URL = HttpTestServer::Url(path);
    get.FileName = fileName;
    get.FetchFile();
    const QPointer<THTTPGetThread> worker = get.Worker();
    QVERIFY(RunUntilEnded(log_, 5000));
    QCOMPARE(log_.errors, 1);
    QCOMPARE(log_.ends(), 1);
    QVERIFY(RunUntil([&] { return worker.isNull(); }, 5000));
  }
};

}  // namespace klemvar::testing

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], klemvar::testing::kWriteLimitedChild) == 0) {
    return klemvar::testing::RunWriteLimitedChild(
        argc, argv, static_cast<std::uint16_t>(std::atoi(argv[2])), argv[3]);
  }
  QCoreApplication app(argc, argv);
  klemvar::testing::HttpGetFaultTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "httpget_fault_test.moc"
