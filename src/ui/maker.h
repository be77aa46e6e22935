#pragma once

// The maker's addresses. The host and the mail address are build-time settings
// (KLEMVAR_MAKER_HOST, KLEMVAR_MAKER_MAIL); the paths and the subject are fixed.

#include <QString>

namespace klemvar::maker {

inline QString Host() { return QStringLiteral(KLEMVAR_MAKER_HOST); }
inline QString Mail() { return QStringLiteral(KLEMVAR_MAKER_MAIL); }
inline QString HomepageAddress() { return "http://" + Host() + "/software/"; }
inline QString SupportAddress() { return "http://" + Host() + "/software/forum/"; }
inline QString MailAddress() { return "mailto:" + Mail() + "?subject=Klemvar"; }
inline QString UpdateFileAddress() { return "http://" + Host() + "/software/download/update.ini"; }
inline QString DownloadPageAddress() {
  return "http://" + Host() + "/software/Klemvar/download.asp";
}

}  // namespace klemvar::maker
