#include "ui/frame/services.h"

#include <utility>

#include "ui/frame/application.h"

namespace klemvar {

int ShowMessageBox(const QString& text, const QString& caption, unsigned flags) {
  return TheApplication().Services().boxes->Show(text, caption, flags);
}

void OpenUrl(const QString& target) { TheApplication().Services().urls->Open(target); }

MessageBoxService* SetMessageBoxService(MessageBoxService* service) {
  return std::exchange(TheApplication().Services().boxes,
                       service ? service : &QtMessageBoxService());
}

UrlOpener* SetUrlOpener(UrlOpener* opener) {
  return std::exchange(TheApplication().Services().urls, opener ? opener : &DesktopUrlOpener());
}

}  // namespace klemvar
