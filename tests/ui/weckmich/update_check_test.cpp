// The update check of the main window: the question, the progress windows, the
// transfer against a local server standing in for the maker's web server, and
// the messages that end a check.

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>

#include "main_window_fixture.h"
#include "net/HTTPGet.h"
#include "platform/http/curl_transport.h"
#include "support/klemvar_test_main.h"
#include "ui/download/animate_control.h"
#include "ui/frame/run.h"
#include "ui/maker.h"
#include "ui/weckmich/update_check.h"

using namespace klemvar;
using namespace klemvar::testing;
using namespace std::chrono_literals;

namespace {

const QString kQuestion = QString::fromUtf8(
    "Soll geprüft werden, ob eine neue Klemvar Version zur Verfügung steht?\r\r"
    "Beachten Sie, dass eine Verbindung zum Internet hergestellt\r"
    "sein muss, damit die Prüfung durchgeführt werden kann!");
const QString kNoNewer = QString::fromUtf8("Es ist keine aktuellere Klemvar Version verfügbar!");
const QString kNewer = QString::fromUtf8(
    "Es ist eine neuere Klemvar Version verfügbar!\n\rWollen Sie diese nun herunterladen?");
const QString kFailure = QString::fromUtf8(
    "Update konnte leider nicht geprüft werden!\r\r"
    "Prüfen Sie bitte, ob eine Verbindung zum Internet besteht!");

// tests/e2e/update/update_server.py on a free loopback port. Addresses never
// carry a port, so its transport is told to connect there.
class UpdateServer {
 public:
  ~UpdateServer() { StopServing(); }

  // answer: "full", "hang" or "broken" (see the script).
  bool Start(const QString& version, const QString& answer = QStringLiteral("full")) {
    process_.start(QStringLiteral(KLEMVAR_PYTHON),
                   {QStringLiteral(KLEMVAR_UPDATE_SERVER), "--version", version, "--answer", answer,
                    "--until-stdin-closes"});
    while (!output_.contains('\n')) {
      if (!process_.waitForReadyRead(10'000)) return false;
      output_ += process_.readAllStandardOutput();
    }
    const QList<QByteArray> words = output_.left(output_.indexOf('\n')).split(' ');
    if (words.size() != 2 || words[0] != "READY") return false;
    CurlTransportSettings settings;
    settings.port_override = words[1].toUShort();
    settings.connect_timeout = 2s;
    settings.stall_timeout = 10s;
    transport = MakeCurlHttpTransport(settings);
    return true;
  }

  std::shared_ptr<HttpTransport> transport;  // to this server, once started

  // Ends the server; its port then refuses every connection.
  void StopServing() {
    process_.closeWriteChannel();
    process_.kill();
    process_.waitForFinished();
  }

  // The head of every request received so far, one line each.
  QList<QStringList> Requests() {
    output_ += process_.readAllStandardOutput();
    QList<QStringList> requests(1);
    for (const QByteArray& line : output_.split('\n')) {
      if (line.startsWith("> ")) requests.back().append(QString::fromLatin1(line.mid(2)));
      if (line == "END") requests.append(QStringList());
    }
    requests.removeLast();
    return requests;
  }

 private:
  QProcess process_;
  QByteArray output_;
};

QList<TFormDownload*> ShownProgressWindows() {
  QList<TFormDownload*> shown;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* form = qobject_cast<TFormDownload*>(window);
    if (form && form->isVisible()) shown.append(form);
  }
  return shown;
}

void CompareBox(const ShownBox& box, const QString& text, const char* caption, unsigned flags) {
  QCOMPARE(box.text, text);
  QCOMPARE(box.caption, QString::fromUtf8(caption));
  QCOMPARE(box.flags, flags);
}

enum class Closing { CancelButton, CloseBox };

constexpr QFileDevice::Permissions kEveryone =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
    QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

}  // namespace

Q_DECLARE_METATYPE(Closing)

class UpdateCheckTest : public QObject {
  Q_OBJECT

 private:
  // Declared before the window: the window, and with it a running transfer,
  // goes first.
  std::unique_ptr<UpdateServer> server_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<QTemporaryDir> home_;
  QString cache_;  // the program's cache folder for this user
  TFormDownload* startupWindow_ = nullptr;

  TFormKlemvar* form() { return main_->form.get(); }
  TUpdateCheck* check() { return form()->UpdateCheck; }
  TFormDownload* newest() { return check()->Progress.FormDownload(); }
  const std::vector<ShownBox>& boxes() { return main_->boxes.shown(); }
  bool Idle() { return check()->HTTPGet->Worker() == nullptr; }

  bool Serve(const QString& version, const QString& answer = QStringLiteral("full")) {
    server_ = std::make_unique<UpdateServer>();
    if (!server_->Start(version, answer)) return false;
    check()->HTTPGet->Transport = server_->transport;
    return true;
  }

  // The user's cache is CACHE_HOME; the program's folder in it is named after it.
  void UseCacheHome(const QString& cacheHome) {
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome));
    cache_ = cacheHome + '/' + QCoreApplication::applicationName();
  }

  // Nothing is ever kept beside the executable.
  bool NothingInProgramFolder() {
    return !QFileInfo::exists(ProgramFolder() + QStringLiteral("update.ini"));
  }

  // Yes to the question, and a check that is fetching from a server that hangs.
  void StartHangingCheck() {
    QVERIFY(Serve("1.21", "hang"));
    main_->boxes.Answer(mb::kIdYes);
    form()->ActionUpdate->trigger();
    QTRY_COMPARE(server_->Requests().size(), qsizetype(1));
    QVERIFY(!Idle());
  }

 private slots:
  void init() {
    main_ = std::make_unique<MainWindow>();
    main_->Open();
    // As at start-up: one hidden progress window that no check shows.
    startupWindow_ = check()->Progress.Create();
    folder_ = std::make_unique<QTemporaryDir>();
    // The user's cache, not made yet: the check makes it.
    home_ = std::make_unique<QTemporaryDir>();
    UseCacheHome(home_->filePath("cache"));
  }

  void cleanup() {
    main_.reset();
    server_.reset();
    folder_.reset();
    home_.reset();
    qunsetenv("XDG_CACHE_HOME");
  }

  void noToTheQuestionOpensNoWindowAndStartsNoTransfer() {
    form()->ActionUpdate->trigger();
    QCOMPARE(boxes().size(), size_t(1));
    CompareBox(boxes()[0], kQuestion, "Update suchen", mb::kYesNo | mb::kIconQuestion);
    QVERIFY(ShownProgressWindows().isEmpty());
    QCOMPARE(newest(), startupWindow_);
    QVERIFY(Idle());
  }

  void newerVersionAndYesOpensTheDownloadPageAndEndsTheProgram() {
    QVERIFY(Serve("1.21"));
    QSignalSpy closed(form(), &TFormKlemvar::closed);
    main_->boxes.Answer(mb::kIdYes);
    main_->boxes.Answer(mb::kIdYes);
    form()->ActionUpdate->trigger();
    QCOMPARE(ShownProgressWindows(), QList<TFormDownload*>({newest()}));
    QVERIFY(newest()->Animate->Playing());

    QTRY_COMPARE(boxes().size(), size_t(2));
    CompareBox(boxes()[1], kNewer, "Neue Version gefunden", mb::kYesNo | mb::kIconQuestion);
    QCOMPARE(main_->urls.opened, QStringList(maker::DownloadPageAddress()));
    QCOMPARE(closed.size(), qsizetype(1));
    QVERIFY(!form()->isVisible());
    QVERIFY(ShownProgressWindows().isEmpty());
    QVERIFY(!QFile::exists(cache_ + "/update.ini"));
    QVERIFY(NothingInProgramFolder());
    // The cache folder and the missing one above it were made for the user alone.
    for (const QString& made : {cache_, home_->filePath("cache")}) {
      QCOMPARE(QFileInfo(made).permissions() & kEveryone,
               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // The request the maker's server sees.
    const QList<QStringList> requests = server_->Requests();
    QCOMPARE(requests.size(), qsizetype(1));
    QCOMPARE(requests[0].value(0), "GET /software/download/update.ini HTTP/1.0");
    // The transport was told the server's port; the host is the maker's.
    QCOMPARE(requests[0].filter(QRegularExpression("^Host: 127\\.0\\.0\\.1(:\\d+)?$")).size(),
             qsizetype(1));
    QVERIFY(requests[0].contains("Accept: */*"));
    QVERIFY(requests[0].contains("User-Agent: Pellomar HTTPGet"));
  }

  void theVersionIsComparedWithTheUsersDecimalSeparator_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("newer");
    QTest::newRow("the same version") << "1.2"
                                      << "." << false;
    QTest::newRow("a newer one") << "1.21"
                                 << "." << true;
    QTest::newRow("comma system, written with a point") << "1.5"
                                                        << "," << false;
    QTest::newRow("comma system, written with a comma") << "1,5"
                                                        << "," << true;
    QTest::newRow("a whole number on a comma system") << "2"
                                                      << "," << true;
  }
  void theVersionIsComparedWithTheUsersDecimalSeparator() {
    QFETCH(QString, version);
    QFETCH(QString, separator);
    QFETCH(bool, newer);
    FormatSettings format = MainWindow::TwentyFourHours();
    format.decimalSeparator = separator.toStdString();
    Application().SetFormat(format);
    QVERIFY(Serve(version));
    main_->boxes.Answer(mb::kIdYes);  // to the question; No to the download
    form()->ActionUpdate->trigger();

    QTRY_COMPARE(boxes().size(), size_t(2));
    if (newer) {
      CompareBox(boxes()[1], kNewer, "Neue Version gefunden", mb::kYesNo | mb::kIconQuestion);
    } else {
      CompareBox(boxes()[1], kNoNewer, "Keine neue Version gefunden", mb::kIconInformation);
    }
    QVERIFY(main_->urls.opened.isEmpty());
    QVERIFY(form()->isVisible());
    QVERIFY(ShownProgressWindows().isEmpty());
    QVERIFY(!QFile::exists(cache_ + "/update.ini"));
    QVERIFY(NothingInProgramFolder());
  }

  void aFailedTransferTellsTheUserAndKeepsThePartialFile_data() {
    QTest::addColumn<bool>("serving");
    QTest::newRow("transfer broken off") << true;
    QTest::newRow("no server") << false;
  }
  void aFailedTransferTellsTheUserAndKeepsThePartialFile() {
    QFETCH(bool, serving);
    QVERIFY(Serve("1.21", "broken"));
    if (!serving) server_->StopServing();
    main_->boxes.Answer(mb::kIdYes);
    form()->ActionUpdate->trigger();

    QTRY_COMPARE(boxes().size(), size_t(2));
    CompareBox(boxes()[1], kFailure, "Fehler!", mb::kIconError);
    QVERIFY(ShownProgressWindows().isEmpty());
    QCOMPARE(QFile::exists(cache_ + "/update.ini"), serving);
    QVERIFY(NothingInProgramFolder());
  }

  // Root may write anywhere, so the folder is made impossible, not forbidden.
  void aCacheThatCannotBeWrittenFailsTheCheck_data() {
    QTest::addColumn<bool>("folderMissing");
    QTest::newRow("the folder cannot be made") << true;
    QTest::newRow("the file cannot be written") << false;
  }
  void aCacheThatCannotBeWrittenFailsTheCheck() {
    QFETCH(bool, folderMissing);
    QFile plain(home_->filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    if (folderMissing) {
      UseCacheHome(plain.fileName());  // a file where the cache's folders would be
    } else {
      QVERIFY(QDir().mkpath(cache_ + "/update.ini"));  // a folder in the file's place
    }
    QVERIFY(Serve("1.21"));
    main_->boxes.Answer(mb::kIdYes);
    form()->ActionUpdate->trigger();

    QTRY_COMPARE(boxes().size(), size_t(2));
    CompareBox(boxes()[1], kFailure, "Fehler!", mb::kIconError);
    QVERIFY(ShownProgressWindows().isEmpty());
    QVERIFY(main_->urls.opened.isEmpty());
    QVERIFY(form()->isVisible());
    QVERIFY(NothingInProgramFolder());
  }

  void cancellingHidesTheWindowAtOnceAndNoMessageFollows_data() {
    QTest::addColumn<Closing>("closing");
    QTest::newRow("cancel button") << Closing::CancelButton;
    QTest::newRow("close box") << Closing::CloseBox;
  }
  void cancellingHidesTheWindowAtOnceAndNoMessageFollows() {
    QFETCH(Closing, closing);
    StartHangingCheck();
    TFormDownload* const window = newest();
    QVERIFY(window->isVisible());
    if (closing == Closing::CancelButton) {
      QTest::mouseClick(window->BitBtnCancel, Qt::LeftButton);
    } else {
      QCloseEvent request;  // what the window system sends for the close box
      QCoreApplication::sendEvent(window->windowHandle(), &request);
    }
    QVERIFY(!window->isVisible());
    QTRY_VERIFY(Idle());  // the transfer has ended and reported its error
    QCOMPARE(boxes().size(), size_t(1));
  }

  void aSecondCheckWhileFetchingOpensAWindowButNoTransfer() {
    StartHangingCheck();
    TFormDownload* const first = newest();
    THTTPGetThread* const transfer = check()->HTTPGet->Worker();
    main_->boxes.Answer(mb::kIdYes);
    form()->ActionUpdate->trigger();

    TFormDownload* const second = newest();
    QVERIFY(second != first);
    QCOMPARE(ShownProgressWindows().size(), qsizetype(2));
    QVERIFY(first->Animate->Playing() && second->Animate->Playing());
    QCOMPARE(check()->HTTPGet->Worker(), transfer);

    // The older window's cancel stops the one transfer; only the newest window
    // is asked whether the check was cancelled, so the error shows all the same.
    QTest::mouseClick(first->BitBtnCancel, Qt::LeftButton);
    QTRY_COMPARE(boxes().size(), size_t(3));
    CompareBox(boxes()[2], kFailure, "Fehler!", mb::kIconError);
    QVERIFY(ShownProgressWindows().isEmpty());
    QCOMPARE(server_->Requests().size(), qsizetype(1));
  }

  void aMissingClipIsReportedAndStartsNoTransfer() {
    check()->Progress.SetClipPath(folder_->filePath("missing.png"));
    main_->boxes.Answer(mb::kIdYes);
    // Through the event loop, where the frame reports what escapes a handler.
    QMetaObject::invokeMethod(form()->ActionUpdate, &QAction::trigger, Qt::QueuedConnection);

    QTRY_COMPARE(boxes().size(), size_t(2));
    CompareBox(boxes()[1], QString::fromUtf8("AVI kann nicht geöffnet werden."), "Klemvar",
               mb::kIconError);
    QVERIFY(Idle());
    // The window stays until the user closes it, without animation.
    QCOMPARE(ShownProgressWindows(), QList<TFormDownload*>({newest()}));
    QVERIFY(!newest()->Animate->Playing());
  }
};

KLEMVAR_TEST_MAIN(UpdateCheckTest)
#include "update_check_test.moc"
