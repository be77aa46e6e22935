// The build-time host and mail address. Only these two definitions live here:
// a program that defines both itself never pulls this file from the library.

#include "ui/maker.h"

namespace klemvar::maker {

QString Host() { return QStringLiteral(KLEMVAR_MAKER_HOST); }
QString Mail() { return QStringLiteral(KLEMVAR_MAKER_MAIL); }

}  // namespace klemvar::maker
