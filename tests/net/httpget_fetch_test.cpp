// What a transfer delivers: the events and their arguments, the file or text,
// the request on the wire, every row of the failure table, URL splitting and
// redirects; and the transport's read and length-query contract.

#include <QMetaProperty>
#include <QtTest>

#include "platform/http/http_transport.h"
#include "transfer_test_case.h"

namespace klemvar::testing {
namespace {

const QByteArray kNotFoundPage = "<html><body><h1>404 Not Found</h1></body></html>\n";

// One request as the server received it.
struct Echo {
  QByteArray requestLine;
  QMap<QByteArray, QByteArray> headers;  // names in lower case
  QByteArray body;
};

Echo ParseEcho(const QByteArray& raw) {
  Echo echo;
  const qsizetype end = raw.indexOf("\r\n\r\n");
  const QList<QByteArray> lines = raw.left(end).split('\n');
  echo.requestLine = lines.value(0).trimmed();
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const qsizetype colon = lines[i].indexOf(':');
    echo.headers.insert(lines[i].left(colon).trimmed().toLower(),
                        lines[i].mid(colon + 1).trimmed());
  }
  echo.body = raw.mid(end + 4);
  return echo;
}

}  // namespace

class HttpGetFetchTest : public TransferTestCase {
  Q_OBJECT

 private slots:
  void propertiesAreInOrderWithTheirInitialValues() {
    THTTPGet get;
    const QMetaObject& meta = THTTPGet::staticMetaObject;
    const QStringList expected = {"AcceptTypes", "Agent",    "BinaryData", "URL",
                                  "UseCache",    "FileName", "UserName",   "Password",
                                  "PostQuery",   "Referer",  "WaitThread"};
    QStringList names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
      names << meta.property(i).name();
    QCOMPARE(names, expected);

    QCOMPARE(get.property("AcceptTypes").toString(), QStringLiteral("*/*"));
    QCOMPARE(get.property("Agent").toString(), QStringLiteral("Pellomar HTTPGet"));
    for (const char* name : {"URL", "FileName", "UserName", "Password", "PostQuery", "Referer"}) {
      QVERIFY2(get.property(name).toString().isEmpty(), name);
    }
    for (const char* name : {"BinaryData", "UseCache", "WaitThread"}) {
      QCOMPARE(get.property(name).toBool(), false);
    }
    QVERIFY(!get.OnProgress && !get.OnDoneFile && !get.OnDoneString && !get.OnError);
    QCOMPARE(get.Worker(), nullptr);
  }

  void fileModeWritesTheBodyAndReportsTheAnnouncedLength() {
    THTTPGet get;
    log_.Attach(get);
    QVERIFY(Run(get, QStringLiteral("/len/70000"), Mode::File));
    QCOMPARE(log_.doneFile, 1);
    QCOMPARE(log_.ends(), 1);
    QCOMPARE(log_.endSender, &get);
    QCOMPARE(log_.fileName, file_);
    QCOMPARE(log_.fileSize, 70000);
    QCOMPARE(FileBytes(file_), Pattern(70000));
    QCOMPARE(get.Worker(), nullptr);
  }

  void textModeDeliversEveryByteIncludingZeros() {
    THTTPGet get;
    log_.Attach(get);
    QVERIFY(Run(get, QStringLiteral("/zeros"), Mode::Text));
    QCOMPARE(log_.doneString, 1);
    QCOMPARE(log_.endSender, &get);
    QCOMPARE(log_.result, QByteArray("A\0B\0\0C\0", 7));
    QCOMPARE(FileBytes(file_), kNoFile);  // text mode writes no file

    log_ = TransferLog();
    log_.Attach(get);
    QVERIFY(Run(get, QStringLiteral("/len/100000"), Mode::Text));
    QCOMPARE(log_.result, Pattern(100000));
  }

  void progressComesFromTheWorkerInChunksOfAtMost1025_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("announced");
    QTest::newRow("announced length, file") << "/len/70000" << int(Mode::File) << 70000 << 70000;
    QTest::newRow("no length, text") << "/nolen/70000" << int(Mode::Text) << 70000 << 0;
    QTest::newRow("no length, file") << "/nolen/5000" << int(Mode::File) << 5000 << 0;
  }
  void progressComesFromTheWorkerInChunksOfAtMost1025() {
    QFETCH(QString, path);
    QFETCH(int, mode);
    QFETCH(int, size);
    QFETCH(int, announced);
    THTTPGet get;
    log_.Attach(get, true);
    QVERIFY(Run(get, path, Mode(mode)));
    QVERIFY(log_.progress.size() >= static_cast<std::size_t>((size + 1024) / 1025));
    std::int32_t previous = 0;
    for (const ProgressEvent& event : log_.progress) {
      QVERIFY(event.fromWorker);
      QCOMPARE(event.sender, log_.progress.front().sender);
      QCOMPARE(event.totalSize, announced);
      QVERIFY(event.readed > previous);
      QVERIFY(event.readed - previous <= 1025);
      previous = event.readed;
    }
    QCOMPARE(previous, size);
    QCOMPARE(log_.endSender, &get);  // only the progress comes from the worker
  }

  void eventsWithoutHandlersAreSkipped() {
    THTTPGet get;
    StartTransfer(get, QStringLiteral("/len/5000"));
    const QPointer<THTTPGetThread> worker = get.Worker();
    QVERIFY(worker);
    QVERIFY(RunUntil([&] { return get.Worker() == nullptr && worker.isNull(); }));
    QCOMPARE(FileBytes(file_), Pattern(5000));

    // Only the handler of the event that does not come is set.
    get.OnError = [&](QObject*) { ++log_.errors; };
    get.FetchFile();
    QVERIFY(RunUntil([&] { return get.Worker() == nullptr; }));
    QCOMPARE(log_.errors, 0);
  }

  void failureTable_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("binaryData");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QByteArray>("content");  // the file's or text's bytes, or kNoFile

    const auto file = int(Mode::File);
    const auto text = int(Mode::Text);
    const QByteArray none = kNoFile;
    const QByteArray empty;
    QTest::newRow("no length, BinaryData: body not read")
        << "/nolen/3000" << file << true << "error" << none;
    QTest::newRow("no length, body: file stays whole")
        << "/nolen/3000" << file << false << "error" << Pattern(3000);
    QTest::newRow("no length, empty body: empty file")
        << "/empty-nolen" << file << false << "file" << empty;
    QTest::newRow("zero length: empty file") << "/empty" << file << false << "file" << empty;
    QTest::newRow("fewer bytes than announced: partial file stays")
        << "/wronglen/5000/3000" << file << false << "error" << Pattern(3000);
    QTest::newRow("more bytes than announced: read to the length")
        << "/wronglen/3000/5000" << file << false << "file" << Pattern(3000);
    QTest::newRow("length is no integer") << "/badlen/abc" << file << false << "error" << none;
    QTest::newRow("length beyond 32 bits")
        << "/badlen/2147483648" << file << false << "error" << none;
    QTest::newRow("negative length") << "/badlen/-5" << file << false << "error" << none;
    QTest::newRow("404 page with length: delivered")
        << "/notfound" << file << false << "file" << kNotFoundPage;
    QTest::newRow("text, empty body") << "/empty" << text << false << "error" << none;
    QTest::newRow("text, empty body, no length")
        << "/empty-nolen" << text << false << "error" << none;
    QTest::newRow("text, no length") << "/nolen/3000" << text << false << "text" << Pattern(3000);
    QTest::newRow("text, no length, BinaryData")
        << "/nolen/3000" << text << true << "error" << none;
    QTest::newRow("text, fewer bytes than announced: what arrived")
        << "/wronglen/5000/3000" << text << false << "text" << Pattern(3000);
  }
  void failureTable() {
    QFETCH(QString, path);
    QFETCH(int, mode);
    QFETCH(bool, binaryData);
    QFETCH(QString, event);
    QFETCH(QByteArray, content);
    THTTPGet get;
    get.BinaryData = binaryData;
    log_.Attach(get, true);
    QVERIFY(Run(get, path, Mode(mode)));
    QCOMPARE(log_.ends(), 1);
    QCOMPARE(log_.endSender, &get);
    if (event == "error") {
      QCOMPARE(log_.errors, 1);
    } else if (event == "file") {
      QCOMPARE(log_.doneFile, 1);
      QCOMPARE(log_.fileSize, content.size());
    } else {
      QCOMPARE(log_.doneString, 1);
      QCOMPARE(log_.result, content);
    }
    if (Mode(mode) == Mode::File) {
      QCOMPARE(FileBytes(file_), content);
    }
    if (content == kNoFile) QVERIFY(log_.progress.empty());  // the body was not read
  }

  void aFileThatCannotBeCreatedOrWrittenFails_data() {
    QTest::addColumn<QString>("fileName");
    QTest::newRow("folder missing") << "missing/folder/body.bin";
    QTest::newRow("no name") << "";
    QTest::newRow("device full") << "/dev/full";
  }
  void aFileThatCannotBeCreatedOrWrittenFails() {
    QFETCH(QString, fileName);
    if (fileName.startsWith("missing")) fileName = dir_->filePath(fileName);
    THTTPGet get;
    log_.Attach(get);
    get.Transport = transport_;
    get.URL = HttpTestServer::Url(QStringLiteral("/len/100000"));
    get.FileName = fileName;
    get.FetchFile();
    QVERIFY(RunUntilEnded(log_));
    QCOMPARE(log_.errors, 1);
    QCOMPARE(log_.ends(), 1);
  }

  void urlSplitting_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QByteArray>("requestLine");  // empty: the transfer fails
    const QString port = QString::number(server_.port());
    QTest::newRow("scheme in capitals") << "HTTP://127.0.0.1/echo/Path/CASE.ini?Q=A"
                                        << QByteArray("GET /echo/Path/CASE.ini?Q=A HTTP/1.0");
    QTest::newRow("scheme in mixed case")
        << "hTtP://127.0.0.1/echo" << QByteArray("GET /echo HTTP/1.0");
    QTest::newRow("no scheme") << "127.0.0.1/echo/a" << QByteArray("GET /echo/a HTTP/1.0");
    QTest::newRow("query string") << "http://127.0.0.1/echo?a=1&b=%20x&c=/d"
                                  << QByteArray("GET /echo?a=1&b=%20x&c=/d HTTP/1.0");
    QTest::newRow("blank, hash and umlaut escaped")
        << QString::fromUtf8("http://127.0.0.1/echo/a b#c?\xC3\xA4")
        << QByteArray("GET /echo/a%20b%23c?%C3%A4 HTTP/1.0");
    QTest::newRow("dot segments kept")
        << "http://127.0.0.1/echo/a/../b" << QByteArray("GET /echo/a/../b HTTP/1.0");
    QTest::newRow("no slash after the host") << "http://127.0.0.1" << QByteArray();
    QTest::newRow("port in the host, not used")
        << "http://127.0.0.1:" + port + "/echo" << QByteArray();
    QTest::newRow("user in the host") << "http://user@127.0.0.1/echo" << QByteArray();
    QTest::newRow("fragment in the host") << "http://127.0.0.1#f/echo" << QByteArray();
    QTest::newRow("other scheme") << "https://127.0.0.1/echo" << QByteArray();
    QTest::newRow("IPv6 literal") << "http://[::1]/echo" << QByteArray();
    QTest::newRow("empty") << "" << QByteArray();
  }
  void urlSplitting() {
    QFETCH(QString, url);
    QFETCH(QByteArray, requestLine);
    THTTPGet get;
    log_.Attach(get, true);
    get.Transport = transport_;
    get.URL = url;
    get.FileName = file_;
    get.FetchFile();
    QVERIFY(RunUntilEnded(log_));
    if (requestLine.isEmpty()) {
      QCOMPARE(log_.errors, 1);
      QCOMPARE(FileBytes(file_), kNoFile);  // it failed before any file was made
      QVERIFY(log_.progress.empty());
    } else {
      QCOMPARE(log_.doneFile, 1);
      QCOMPARE(ParseEcho(FileBytes(file_)).requestLine, requestLine);
    }
  }

  void getRequestCarriesExactlyTheseHeaders() {
    THTTPGet get;
    const Echo echo = EchoOf(get);
    QCOMPARE(echo.requestLine, QByteArray("GET /echo HTTP/1.0"));
    const QMap<QByteArray, QByteArray> expected{
        {"host", "127.0.0.1:" + QByteArray::number(server_.port())},
        {"accept", "*/*"},
        {"user-agent", "Pellomar HTTPGet"}};
    QCOMPARE(echo.headers, expected);
    QVERIFY(echo.body.isEmpty());
  }

  void postRequestSendsTheQueryAsAFormBody() {
    THTTPGet get;
    get.PostQuery = QStringLiteral("name=Klemvar&version=1.2&text=a%20b");
    const Echo echo = EchoOf(get);
    QCOMPARE(echo.requestLine, QByteArray("POST /echo HTTP/1.0"));
    const QMap<QByteArray, QByteArray> expected{
        {"host", "127.0.0.1:" + QByteArray::number(server_.port())},
        {"accept", "*/*"},
        {"user-agent", "Pellomar HTTPGet"},
        {"content-type", "application/x-www-form-urlencoded"},
        {"content-length", "35"}};
    QCOMPARE(echo.headers, expected);
    QCOMPARE(echo.body, QByteArray("name=Klemvar&version=1.2&text=a%20b"));
  }

  void optionalHeaders_data() {
    using Headers = QMap<QByteArray, QByteArray>;
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<Headers>("expected");  // every header but Host
    const Headers usual{{"accept", "*/*"}, {"user-agent", "Pellomar HTTPGet"}};
    QTest::newRow("empty Agent: no User-Agent")
        << "Agent" << QVariant("") << Headers{{"accept", "*/*"}};
    QTest::newRow("Referer") << "Referer" << QVariant("http://www.quorbel.example/software/")
                             << Headers{{"accept", "*/*"},
                                        {"user-agent", "Pellomar HTTPGet"},
                                        {"referer", "http://www.quorbel.example/software/"}};
    QTest::newRow("AcceptTypes") << "AcceptTypes" << QVariant("text/plain")
                                 << Headers{{"accept", "text/plain"},
                                            {"user-agent", "Pellomar HTTPGet"}};
    QTest::newRow("UseCache: still no cache headers") << "UseCache" << QVariant(true) << usual;
    QTest::newRow("BinaryData: no effect on the request")
        << "BinaryData" << QVariant(true) << usual;
  }
  void optionalHeaders() {
    using Headers = QMap<QByteArray, QByteArray>;
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(Headers, expected);
    THTTPGet get;
    QVERIFY(get.setProperty(property.toLatin1().constData(), value));
    Echo echo = EchoOf(get);
    QCOMPARE(echo.requestLine, QByteArray("GET /echo HTTP/1.0"));
    QVERIFY(echo.headers.remove("host") == 1);
    QCOMPARE(echo.headers, expected);
  }

  void redirectsAreFollowedUpToTen_data() {
    QTest::addColumn<int>("redirects");
    QTest::newRow("one") << 1;
    QTest::newRow("ten") << 10;
    QTest::newRow("eleven: too many") << 11;
  }
  void redirectsAreFollowedUpToTen() {
    QFETCH(int, redirects);
    THTTPGet get;
    get.UserName = QStringLiteral("anna");
    get.Password = QStringLiteral("s3cret");
    log_.Attach(get);
    QVERIFY(Run(get, QStringLiteral("/redirect/%1/echo").arg(redirects), Mode::File));
    if (redirects > 10) {
      QCOMPARE(log_.errors, 1);
      QCOMPARE(FileBytes(file_), kNoFile);
      return;
    }
    QCOMPARE(log_.doneFile, 1);
    // The final answer alone lands in the file, and the credentials travel as
    // basic authentication to the same host.
    const Echo echo = ParseEcho(FileBytes(file_));
    QCOMPARE(echo.requestLine, QByteArray("GET /redirect/0/echo HTTP/1.0"));
    QCOMPARE(echo.headers.value("authorization"), "Basic " + QByteArray("anna:s3cret").toBase64());
  }

  // Header names compare without regard to ASCII case under every locale. This
  // binary runs again under tr_TR.UTF-8, where the C library lowers "I" to
  // itself, so "LOCATION" would not be taken for a redirect there.
  void headerNamesInCapitalsAreRecognised() {
    THTTPGet get;
    log_.Attach(get);
    QVERIFY(Run(get, QStringLiteral("/SHOUT/redirect/1/len/3000"), Mode::File));
    QCOMPARE(log_.doneFile, 1);
    QCOMPARE(log_.fileSize, 3000);
    QCOMPARE(FileBytes(file_), Pattern(3000));
  }

  void transportReadsAtMostTheAskedSizeAcrossPauses() {
    // 300,000 bytes pass the transport's 64 KiB pause point several times.
    HttpStopSignal stop;
    auto session = transport_->OpenSession("", stop);
    QVERIFY(session);
    auto connection = session->Connect("127.0.0.1", kHttpPort, "", "");
    QVERIFY(connection);
    auto request = connection->OpenRequest("GET", "/len/300000", "", "*/*", true);
    QVERIFY(request);
    QVERIFY(request->Send("", ""));
    QByteArray body;
    char buffer[1025];
    std::uint32_t count = 0;
    for (std::uint32_t size = 1;; size = (size + 97) % 1025 + 1) {
      QVERIFY(request->Read(buffer, size, count));
      QVERIFY(count <= size);
      if (count == 0) break;
      body.append(buffer, count);
    }
    QCOMPARE(body, Pattern(300000));
    QVERIFY(request->Read(buffer, sizeof buffer, count));  // the end stays the end
    QCOMPARE(count, 0u);
  }

  void transportLengthQueryNeedsRoomForTheTerminatingZero() {
    HttpStopSignal stop;
    auto session = transport_->OpenSession("", stop);
    auto connection = session->Connect("127.0.0.1", kHttpPort, "", "");
    auto request = connection->OpenRequest("GET", "/len/12345", "", "*/*", true);
    QVERIFY(request->Send("", ""));
    char buffer[8] = "xxxxxxx";
    std::uint32_t length = 5;
    QVERIFY(!request->QueryContentLength(buffer, length));
    QCOMPARE(length, 6u);
    length = 6;
    QVERIFY(request->QueryContentLength(buffer, length));
    QCOMPARE(length, 5u);
    QCOMPARE(QByteArray(buffer, 6), QByteArray("12345\0", 6));
  }

 private:
  // Starts a transfer of path in the given mode and runs until it has ended.
  bool Run(THTTPGet& get, const QString& path, Mode mode) {
    StartTransfer(get, path, mode);
    return RunUntilEnded(log_);
  }

  Echo EchoOf(THTTPGet& get, const QString& path = QStringLiteral("/echo")) {
    log_.Attach(get);
    if (!Run(get, path, Mode::Text) || log_.doneString != 1) return Echo();
    return ParseEcho(log_.result);
  }
};

}  // namespace klemvar::testing

QTEST_GUILESS_MAIN(klemvar::testing::HttpGetFetchTest)
#include "httpget_fetch_test.moc"
