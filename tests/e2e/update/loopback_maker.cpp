// The maker's web host for the update check's tests: this machine, where the
// test serves the update file. A test program that links this file gets these
// definitions instead of src/ui/maker.cpp's (the linker then has no reason to
// take that one from the library), with everything else built as usual.

#include "ui/maker.h"

namespace klemvar::maker {

QString Host() { return QStringLiteral("127.0.0.1"); }
QString Mail() { return QStringLiteral(KLEMVAR_MAKER_MAIL); }

}  // namespace klemvar::maker
