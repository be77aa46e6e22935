#include "ui/frame/layout_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace klemvar {
namespace {

QString DesignedFace() { return QStringLiteral("MS Sans Serif"); }

bool Installed(const QString& family) { return QFontDatabase::families().contains(family); }

// A substitute, not a second family in the font itself: the font keeps the
// designed family, so the designed face is taken wherever it exists.
void SubstituteStandIn() {
  const QString designed = DesignedFace();
  if (Installed(designed) || !QFont::substitutes(designed).isEmpty()) return;
  QFont::insertSubstitution(designed, LayoutStandIn());
}

}  // namespace

QString LayoutStandIn() {
  const QStringList given = QFont::substitutes(DesignedFace());
  if (!given.isEmpty()) return given.first();
  const QString liberation = QStringLiteral("Liberation Sans");
  return Installed(liberation) ? liberation
                               : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont LayoutFont() {
  static const bool substituted = (SubstituteStandIn(), true);
  Q_UNUSED(substituted);
  QFont font(DesignedFace());
  font.setPointSize(8);
  return font;
}

}  // namespace klemvar
