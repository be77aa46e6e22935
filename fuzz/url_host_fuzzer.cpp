// URL splitting and the transport's host check over arbitrary text: nothing
// crashes, the parts put back together give the address, and an address built
// from a usable host names exactly that host and port when curl reads it back.

#include <arpa/inet.h>
#include <curl/curl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/url.h"
#include "platform/http/request_address.h"

namespace {

std::string UrlPart(CURLU* url, CURLUPart part) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, 0) != CURLUE_OK) std::abort();
  std::string result(text);
  curl_free(text);
  return result;
}

// The host as curl names it: a numeric IPv4 address in any of inet_aton's forms
// ("1281", "0x7f.1") comes back in dotted decimal, as the resolver would read it.
std::string CurlHostName(const std::string& host) {
  in_addr address{};
  if (inet_aton(host.c_str(), &address) != 0) return inet_ntoa(address);
  return host;
}

// curl must see the host and port the request was meant for: nothing in the
// host may turn into credentials, a port, a path or a fragment.
void CheckAddress(const std::string& host, std::uint16_t port, const std::string& address) {
  CURLU* url = curl_url();
  if (curl_url_set(url, CURLUPART_URL, address.c_str(), 0) != CURLUE_OK) std::abort();
  if (UrlPart(url, CURLUPART_HOST) != CurlHostName(host)) std::abort();
  if (UrlPart(url, CURLUPART_PORT) != std::to_string(port)) std::abort();
  char* user = nullptr;
  if (curl_url_get(url, CURLUPART_USER, &user, 0) == CURLUE_OK) std::abort();
  char* fragment = nullptr;
  if (curl_url_get(url, CURLUPART_FRAGMENT, &fragment, 0) == CURLUE_OK) std::abort();
  curl_url_cleanup(url);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto port = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

  const klemvar::UrlParts parts = klemvar::SplitUrl(text);
  if (parts.host.find('/') != std::string::npos) std::abort();
  if (!parts.path.empty() && parts.path.front() != '/' && !parts.host.empty()) std::abort();
  const std::string joined = parts.host + parts.path;
  if (text.size() < joined.size() ||
      text.compare(text.size() - joined.size(), joined.size(), joined) != 0) {
    std::abort();
  }

  const std::string escaped = klemvar::EscapeObjectPath(parts.path);
  for (const char c : escaped) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '#') std::abort();
  }
  const std::optional<std::string> address = klemvar::RequestAddress(parts.host, port, parts.path);
  if (address.has_value() != klemvar::HostIsUsable(parts.host)) std::abort();
  if (address) CheckAddress(parts.host, port, *address);
  return 0;
}
