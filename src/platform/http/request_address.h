#pragma once

// The address handed to curl for one request. curl parses a whole URL, so the
// host is checked on its own first: a host such as "127.0.0.1:8081", "u@host"
// or "host#f" would otherwise turn into a port, credentials or a fragment.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace klemvar {

// True when host is a host name and nothing more: not empty, accepted by curl
// as a URL's host part and inside a whole address, without ":" (a port, or an IPv6 literal that
// WinINet's host field would not take either), without "%" (curl would decode it) and without a
// zero byte (curl would read only up to it).
bool HostIsUsable(const std::string& host);

// The object path as it may stand in a URL without curl changing it: bytes that
// curl would reject or cut off (controls, blanks, "#", non-ASCII) become %XX;
// everything else, "%" and "?" included, stays as it is.
std::string EscapeObjectPath(std::string_view object_path);

// "http://host:port" followed by the escaped object path (given a leading "/"
// when it lacks one); empty when the host is not usable.
std::optional<std::string> RequestAddress(const std::string& host, std::uint16_t port,
                                          std::string_view object_path);

}  // namespace klemvar
