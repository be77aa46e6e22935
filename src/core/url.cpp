#include "core/url.h"

#include "core/ascii_text.h"

namespace klemvar {

namespace {

constexpr std::string_view kHttpScheme = "http://";

}  // namespace

UrlParts SplitUrl(std::string_view url) {
  if (StartsWithAsciiNoCase(url, kHttpScheme)) url.remove_prefix(kHttpScheme.size());
  const std::size_t slash = url.find('/');
  if (slash == std::string_view::npos) return {std::string(), std::string(url)};
  return {std::string(url.substr(0, slash)), std::string(url.substr(slash))};
}

}  // namespace klemvar
