#include "platform/http/request_address.h"

#include <curl/curl.h>

namespace klemvar {

namespace {

// curl takes some hosts as a host part (control bytes, for one) that it then
// refuses inside a whole address, so the address is tried as well.
bool CurlAccepts(CURLUPart part, const std::string& text) {
  CURLU* url = curl_url();
  if (url == nullptr) return false;
  const bool accepted = curl_url_set(url, part, text.c_str(), 0) == CURLUE_OK;
  curl_url_cleanup(url);
  return accepted;
}

}  // namespace

bool HostIsUsable(const std::string& host) {
  // curl reads the host, and later the whole address, only up to a zero byte.
  static constexpr std::string_view kRefused(":%\0", 3);
  if (host.empty() || host.find_first_of(kRefused) != std::string::npos) return false;
  return CurlAccepts(CURLUPART_HOST, host) && CurlAccepts(CURLUPART_URL, "http://" + host + "/");
}

std::string EscapeObjectPath(std::string_view object_path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(object_path.size());
  for (const char c : object_path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '#') {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0F];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::optional<std::string> RequestAddress(const std::string& host, std::uint16_t port,
                                          std::string_view object_path) {
  if (!HostIsUsable(host)) return std::nullopt;
  std::string address = "http://" + host + ":" + std::to_string(port);
  if (object_path.empty() || object_path.front() != '/') address += '/';
  address += EscapeObjectPath(object_path);
  return address;
}

}  // namespace klemvar
