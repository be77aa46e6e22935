// The maker's web host for the update check's tests: this machine, where the
// test serves the update file. A program whose KLEMVAR_MAKER property names
// klemvar_loopback_maker links these definitions instead of klemvar_maker's.

#include "ui/maker.h"

namespace klemvar::maker {

QString Host() { return QStringLiteral("127.0.0.1"); }
QString Mail() { return QStringLiteral(KLEMVAR_MAKER_MAIL); }

}  // namespace klemvar::maker
