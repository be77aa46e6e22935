#pragma once

// Icons from the embedded pictures that decode each picture only when it is
// first drawn. A QIcon built from files decodes every file at once, so the
// pictures of menus that are never opened would be paid for at every start.

#include <QIcon>
#include <QList>

namespace klemvar {

// The picture at path, name.png, with name@2x.png beside it for high-density
// screens, side pixels square; disabledPath, when given, is drawn disabled
// instead of the greyed picture.
QIcon PictureIcon(const QString& path, int side, const QString& disabledPath = QString());

// One picture per side, path being a pattern with %1 for the side.
QIcon PictureIconSizes(const QString& pattern, const QList<int>& sides);

}  // namespace klemvar
