#include <QDesktopServices>
#include <QUrl>

#include "platform/urlopen/url_opener.h"

namespace klemvar {
namespace {

class DesktopOpener final : public UrlOpener {
 public:
  // The target is handed over as written; tolerant parsing keeps a mailto
  // query such as "?subject=Klemvar" intact. The result is ignored on purpose.
  void Open(const QString& target) override {
    QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
  }
};

}  // namespace

UrlOpener& DesktopUrlOpener() {
  static DesktopOpener opener;
  return opener;
}

}  // namespace klemvar
