// The build-time host and mail address, the whole of the klemvar_maker library.
// A program whose KLEMVAR_MAKER property names another maker library links that
// one instead of this (see src/ui/CMakeLists.txt).

#include "ui/maker.h"

namespace klemvar::maker {

QString Host() { return QStringLiteral(KLEMVAR_MAKER_HOST); }
QString Mail() { return QStringLiteral(KLEMVAR_MAKER_MAIL); }

}  // namespace klemvar::maker
