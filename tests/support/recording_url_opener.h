#pragma once

// Records every address the windows ask to open, instead of starting a browser.

#include <QStringList>

#include "support/installed_double.h"
#include "ui/frame/services.h"

namespace klemvar::testing {

class RecordingUrlOpener final : public UrlOpener {
 public:
  void Open(const QString& target) override { opened << target; }

  QStringList opened;

 private:
  InstalledDouble<&SetUrlOpener> installed_{this};
};

}  // namespace klemvar::testing
