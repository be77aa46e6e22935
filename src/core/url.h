#pragma once

// Splitting a download address into the host name and the object path that the
// HTTP request names. Nothing else of the address is parsed: a port written after
// the host stays part of the host name, and any scheme but "http://" does too.

#include <string>
#include <string_view>

namespace klemvar {

struct UrlParts {
  std::string host;  // everything before the first "/" (after the scheme); may be empty
  std::string path;  // from that "/" on, query string included
};

// Removes a leading "http://" in any letter case, then splits at the first "/".
// Without a slash the host is empty and the path is the whole remainder, so a
// transfer to such an address fails when it connects.
UrlParts SplitUrl(std::string_view url);

}  // namespace klemvar
