#pragma once

// The desktop services the windows go through, held by the application object;
// tests put their stand-ins into it.

#include <utility>

#include "ui/frame/application.h"

namespace klemvar {

inline int ShowMessageBox(const QString& text, const QString& caption, unsigned flags) {
  return TheApplication().Services().boxes->Show(text, caption, flags);
}

inline void OpenUrl(const QString& target) { TheApplication().Services().urls->Open(target); }

// Put a service in the application's place and return the previous one.
inline MessageBoxService* SetMessageBoxService(MessageBoxService* service) {
  return std::exchange(TheApplication().Services().boxes, service);
}

inline UrlOpener* SetUrlOpener(UrlOpener* opener) {
  return std::exchange(TheApplication().Services().urls, opener);
}

}  // namespace klemvar
