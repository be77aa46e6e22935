#include "ui/frame/layout_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace klemvar {

QFont LayoutFont() {
  const QString designed = QStringLiteral("MS Sans Serif");
  QFont font = QFontDatabase::families().contains(designed)
                   ? QFont(designed)
                   : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(8);
  return font;
}

}  // namespace klemvar
