#include "core/url.h"

#include <cctype>

namespace klemvar {

namespace {

constexpr std::string_view kHttpScheme = "http://";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (std::tolower(c) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

UrlParts SplitUrl(std::string_view url) {
  if (StartsWithNoCase(url, kHttpScheme)) url.remove_prefix(kHttpScheme.size());
  const std::size_t slash = url.find('/');
  if (slash == std::string_view::npos) return {std::string(), std::string(url)};
  return {std::string(url.substr(0, slash)), std::string(url.substr(slash))};
}

}  // namespace klemvar
