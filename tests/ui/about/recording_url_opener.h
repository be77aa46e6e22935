#pragma once

// Records every address the windows ask to open, instead of starting a browser.

#include <QStringList>

#include "platform/urlopen/url_opener.h"

namespace klemvar::testing {

class RecordingUrlOpener final : public UrlOpener {
 public:
  RecordingUrlOpener() : previous_(SetUrlOpener(this)) {}
  ~RecordingUrlOpener() override { SetUrlOpener(previous_); }
  RecordingUrlOpener(const RecordingUrlOpener&) = delete;
  RecordingUrlOpener& operator=(const RecordingUrlOpener&) = delete;

  void Open(const QString& target) override { opened << target; }

  QStringList opened;

 private:
  UrlOpener* previous_;
};

}  // namespace klemvar::testing
