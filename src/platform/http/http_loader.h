#pragma once

// The real HTTP transport, from the HTTP module (http_module.cpp), which brings
// libcurl and its TLS, compression and authentication libraries along; the
// program loads it only when the first transfer starts.

#include <memory>

#include "platform/http/http_transport.h"

namespace klemvar {

// The libcurl transport, loading the module on the first call. When the module
// cannot be loaded, a transport whose sessions never open: every transfer fails
// as one that cannot reach its server does. GUI thread only.
std::shared_ptr<HttpTransport> ModuleHttpTransport();

}  // namespace klemvar
