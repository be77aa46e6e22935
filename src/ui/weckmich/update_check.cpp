#include "ui/weckmich/update_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/inifile.h"
#include "net/HTTPGet.h"
#include "ui/frame/application.h"
#include "ui/frame/handler.h"
#include "ui/frame/services.h"
#include "ui/maker.h"
#include "ui/version.h"

namespace klemvar {
namespace {

// The texts break lines the Windows way; the message box turns them into breaks.
const char kQuestionText[] =
    "Soll geprüft werden, ob eine neue Klemvar Version zur Verfügung steht?\r\r"
    "Beachten Sie, dass eine Verbindung zum Internet hergestellt\r"
    "sein muss, damit die Prüfung durchgeführt werden kann!";
const char kQuestionCaption[] = "Update suchen";
const char kNoNewerText[] = "Es ist keine aktuellere Klemvar Version verfügbar!";
const char kNoNewerCaption[] = "Keine neue Version gefunden";
const char kNewerText[] =
    "Es ist eine neuere Klemvar Version verfügbar!\n\r"
    "Wollen Sie diese nun herunterladen?";
const char kNewerCaption[] = "Neue Version gefunden";
const char kFailureText[] =
    "Update konnte leider nicht geprüft werden!\r\r"
    "Prüfen Sie bitte, ob eine Verbindung zum Internet besteht!";
const char kFailureCaption[] = "Fehler!";

int Ask(const char* text, const char* caption, unsigned flags) {
  return ShowMessageBox(QString::fromUtf8(text), QString::fromUtf8(caption), flags);
}

// The program's cache folder for this user: $XDG_CACHE_HOME/Klemvar.
QString UpdateFileFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

// Where the fetched update file is kept until it has been read. An installed
// program's own folder is no place a user may write to. Empty without a cache.
QString LocalUpdateFile() {
  const QString folder = UpdateFileFolder();
  return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("update.ini"));
}

// Creates the cache folder and any folder missing above it.
bool MakeUpdateFileFolder() {
  const QString folder = UpdateFileFolder();
  if (folder.isEmpty()) return false;
  // Every folder made on the way is the user's alone, as the cache folder
  // itself must be: what is fetched there is nobody else's business.
  const QFileDevice::Permissions own =
      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
  QStringList missing;
  for (QDir dir(folder); !dir.exists(); dir.setPath(QFileInfo(dir.path()).path())) {
    if (dir.isRoot()) return false;
    missing.prepend(dir.path());
  }
  for (const QString& path : missing) {
    if (!QDir().mkdir(path, own)) return false;
  }
  return true;
}

}  // namespace

TUpdateCheck::TUpdateCheck(QObject* owner) : QObject(owner), HTTPGet(new THTTPGet(this)) {
  setObjectName(QStringLiteral("UpdateCheck"));
  HTTPGet->setObjectName(QStringLiteral("HTTPGet"));
  HTTPGet->AcceptTypes = QStringLiteral("*/*");
  HTTPGet->Agent = QStringLiteral("Pellomar HTTPGet");
  HTTPGet->BinaryData = false;
  HTTPGet->UseCache = false;
  HTTPGet->WaitThread = false;
}

void TUpdateCheck::Start() {
  if (Ask(kQuestionText, kQuestionCaption, mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) return;

  // Each check has a window of its own; an earlier one stays as it is.
  TFormDownload* const form = Progress.Create();
  // Every window's cancel and close stop the one transfer there is.
  connect(form, &TFormDownload::TransferCancelRequested, HTTPGet, &THTTPGet::Cancel);
  form->show();
  // A clip that cannot be opened ends the check here; the error goes to the
  // frame's report and the window stays until the user closes it.
  Progress.StartDownloadAnimation();
  form->Cancelled = false;

  // Without a folder to keep the file in, the check fails as a transfer that
  // cannot write it would.
  if (!MakeUpdateFileFolder()) {
    Failed();
    return;
  }
  HTTPGet->URL = maker::UpdateFileAddress();
  HTTPGet->FileName = LocalUpdateFile();
  // While an earlier check still fetches, this starts nothing: that transfer's
  // outcome then closes the newest window.
  HTTPGet->FetchFile();
}

bool TUpdateCheck::FileFetched() {
  if (TFormDownload* const form = Progress.FormDownload()) form->close();

  const QString file = LocalUpdateFile();
  const double VersionZahl =
      ReadVersionNumber(file.toStdString(), RegionalSettings().decimalSeparator);
  QFile::remove(file);  // a copy that cannot be deleted is no reason to stop

  if (!(VersionZahl > ProgramVersionNumber)) {
    Ask(kNoNewerText, kNoNewerCaption, mb::kOk | mb::kIconInformation);
    return false;
  }
  if (Ask(kNewerText, kNewerCaption, mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) return false;
  OpenUrl(maker::DownloadPageAddress());
  return true;
}

void TUpdateCheck::Failed() {
  // A cancelled check ends silently. Only the newest window is asked: a cancel
  // in an older one stops the transfer all the same, and the error then shows.
  TFormDownload* const form = Progress.FormDownload();
  if (form && form->Cancelled) return;
  if (form) form->close();
  Ask(kFailureText, kFailureCaption, mb::kOk | mb::kIconError);
}

}  // namespace klemvar
