#pragma once

// The update check: asks, fetches the update file with HTTPGet while a progress
// window shows, then compares the version and offers the download page.

#include <QObject>

#include "ui/download/DownloadStatus.h"

namespace klemvar {

class THTTPGet;

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
  // Closes the newest progress window and tells the user, unless it was cancelled.
  void Failed();
};

}  // namespace klemvar
