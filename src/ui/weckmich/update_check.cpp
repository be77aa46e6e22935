// The update check: asks, fetches the update file with HTTPGet while a progress
// window shows, then compares the version and offers the download page.

#include "ui/weckmich/update_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/inifile.h"
#include "net/HTTPGet.h"
#include "ui/download/DownloadAnim.h"
#include "ui/download/DownloadStatus.h"
#include "ui/frame/application.h"
#include "ui/frame/handler.h"
#include "ui/frame/services.h"
#include "ui/maker.h"
#include "ui/weckmich/weckmich.h"

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

}  // namespace

QString LocalUpdateFile() {
  const QString folder = UpdateFileFolder();
  return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("update.ini"));
}

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

void TFormKlemvar::CreateHTTPGet() {
  HTTPGet = new THTTPGet(this);
  HTTPGet->setObjectName(QStringLiteral("HTTPGet"));
  HTTPGet->AcceptTypes = QStringLiteral("*/*");
  HTTPGet->Agent = QStringLiteral("Pellomar HTTPGet");
  HTTPGet->BinaryData = false;
  HTTPGet->UseCache = false;
  HTTPGet->WaitThread = false;
  // Raised from the worker's hand-over, inside Qt's event dispatch.
  HTTPGet->OnDoneFile = Guarded(EventMethod(this, &TFormKlemvar::HTTPGetDoneFile));
  HTTPGet->OnError = Guarded(EventMethod(this, &TFormKlemvar::HTTPGetError));
}

void TFormKlemvar::ActionUpdateExecute() {
  if (Ask(kQuestionText, kQuestionCaption, mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) return;

  // Each check has a window of its own; an earlier one stays as it is.
  TFormDownload* const form = CreateFormDownload();
  // Every window's cancel and close stop the one transfer there is.
  connect(form, &TFormDownload::TransferCancelRequested, HTTPGet, &THTTPGet::Cancel);
  form->show();
  // A clip that cannot be opened ends the check here; the error goes to the
  // frame's report and the window stays until the user closes it.
  StartDownloadAnimation();
  form->Cancelled = false;

  // Without a folder to keep the file in, the check fails as a transfer that
  // cannot write it would.
  if (!MakeUpdateFileFolder()) {
    HTTPGetError(HTTPGet);
    return;
  }
  HTTPGet->URL = maker::UpdateFileAddress();
  HTTPGet->FileName = LocalUpdateFile();
  // While an earlier check still fetches, this starts nothing: that transfer's
  // outcome then closes the newest window.
  HTTPGet->FetchFile();
}

void TFormKlemvar::HTTPGetDoneFile(QObject*, const QString&, int) {
  if (FormDownload) FormDownload->close();

  const QString file = LocalUpdateFile();
  const double VersionZahl =
      ReadVersionNumber(file.toStdString(), RegionalSettings().decimalSeparator);
  QFile::remove(file);  // a copy that cannot be deleted is no reason to stop

  if (!(VersionZahl > ProgramVersionNumber)) {
    Ask(kNoNewerText, kNoNewerCaption, mb::kOk | mb::kIconInformation);
    return;
  }
  if (Ask(kNewerText, kNewerCaption, mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) return;
  OpenUrl(maker::DownloadPageAddress());
  close();  // ends the program, whether the browser came up or not
}

void TFormKlemvar::HTTPGetError(QObject*) {
  // A cancelled check ends silently. Only the newest window is asked: a cancel
  // in an older one stops the transfer all the same, and the error then shows.
  if (FormDownload && FormDownload->Cancelled) return;
  if (FormDownload) FormDownload->close();
  Ask(kFailureText, kFailureCaption, mb::kOk | mb::kIconError);
}

}  // namespace klemvar
