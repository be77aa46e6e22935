#pragma once

// The HTTP transport on libcurl's multi interface.
//
// Requests are plain HTTP/1.0 with exactly the headers the caller gives (curl
// adds Host, and Content-Length for a body). Redirects are followed as WinINet
// does (http only, at most 10), a user name or password is offered as basic
// authentication, and the proxy comes from the environment (http_proxy,
// no_proxy) as the system's settings. There is no cache.

#include <chrono>
#include <cstdint>
#include <memory>

#include "platform/http/http_transport.h"

namespace klemvar {

struct CurlTransportSettings {
  // Replaces the port the connect step asks for; 0 keeps it. Only tests set it,
  // to reach their own server: addresses never carry a port.
  std::uint16_t port_override = 0;
  // A connection that is not made within this time fails the send.
  std::chrono::milliseconds connect_timeout{30'000};
  // A send or read that sees no byte arrive for this long fails.
  std::chrono::milliseconds stall_timeout{60'000};
};

std::shared_ptr<HttpTransport> MakeCurlHttpTransport(const CurlTransportSettings& settings = {});

}  // namespace klemvar
