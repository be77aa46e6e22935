#pragma once

// Opens a web address or a mailto link with the desktop's default program.
// The result is not looked at: a failure shows nothing.

#include <QString>

namespace klemvar {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  virtual void Open(const QString& target) = 0;
};

// The real opener: QDesktopServices (xdg-open on Linux).
UrlOpener& DesktopUrlOpener();

}  // namespace klemvar
