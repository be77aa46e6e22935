#pragma once

// The maker's addresses. The host and the mail address are build-time settings
// (KLEMVAR_MAKER_HOST, KLEMVAR_MAKER_MAIL); the paths and the subject are fixed.

#include <QString>

namespace klemvar::maker {

// Compiled in a library of their own, klemvar_maker, so that a test program can
// link another maker library in its place (see tests/e2e/update) without a
// second build of the windows.
QString Host();
QString Mail();

inline QString HomepageAddress() { return "http://" + Host() + "/software/"; }
inline QString SupportAddress() { return "http://" + Host() + "/software/forum/"; }
inline QString MailAddress() { return "mailto:" + Mail() + "?subject=Klemvar"; }
inline QString UpdateFileAddress() { return "http://" + Host() + "/software/download/update.ini"; }
inline QString DownloadPageAddress() {
  return "http://" + Host() + "/software/Klemvar/download.asp";
}

}  // namespace klemvar::maker
