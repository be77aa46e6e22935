// The entry point of the HTTP module: the libcurl transport, loaded by
// http_loader.cpp when the first transfer starts. Making the transport sets up
// libcurl for the process (InitHttpTransport), on the GUI thread, before the
// transfer's worker runs.

#include <QtGlobal>

#include "platform/http/curl_transport.h"

extern "C" Q_DECL_EXPORT void klemvar_http_module(std::shared_ptr<klemvar::HttpTransport>& made) {
  made = klemvar::MakeCurlHttpTransport();
}
