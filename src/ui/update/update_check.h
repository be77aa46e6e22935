#pragma once

// The update check: asks, fetches the update file with HTTPGet while a progress
// window shows, then compares the version and offers the download page.

#include <QObject>
#include <QString>

#include "ui/download/DownloadStatus.h"

namespace klemvar {

class THTTPGet;

// Where the fetched update file is kept until it has been read: "update.ini"
// in the program's cache folder for this user. An installed program's own
// folder is no place a user may write to. Empty when there is no such folder.
QString LocalUpdateFile();

// Creates the cache folder, and any folder missing above it, for the user
// alone (mode 0700). False when that cannot be done.
bool MakeUpdateFileFolder();

class TUpdateCheck : public QObject {
  Q_OBJECT
 public:
  // The transfer's outcome is the owner's to hand back: its OnDoneFile to
  // FileFetched, its OnError to Failed.
  explicit TUpdateCheck(QObject* owner);

  // Fetches the update file, one transfer at a time.
  THTTPGet* const HTTPGet;
  // The checks' progress windows and their clip.
  ProgressWindows Progress;

  // Asks; on a yes opens a progress window of its own and starts the transfer.
  void Start();
  // Closes the newest progress window, compares the fetched version and offers
  // the download page. True when that page was opened: the program is to end.
  bool FileFetched();
  // Closes the newest progress window and tells the user, unless that window
  // was cancelled.
  void Failed();
};

}  // namespace klemvar
