// The INI reader and the version number grammar over arbitrary text, with both
// decimal separators: nothing crashes, a found value is trimmed and within its
// limit, and a number that reads is finite.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/inifile.h"
#include "core/number.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void CheckValue(const std::optional<std::string>& value) {
  if (!value) return;
  if (value->size() > klemvar::kIniValueLimit) std::abort();
  if (value->find('\0') != std::string::npos) std::abort();
}

void CheckNumber(std::string_view text, std::string_view separator) {
  const std::optional<double> number = klemvar::ParseNumber(text, separator);
  if (number && !std::isfinite(*number)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view separator = (data[0] & 1) ? "," : ".";
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::optional<std::string> version = klemvar::FindIniValue(text, "Klemvar", "VersionZahl");
  CheckValue(version);
  // Blanks are removed before the cut at a zero byte, so only the front is sure
  // to be free of them.
  if (version && !version->empty() && IsBlank(version->front())) std::abort();
  if (version) CheckNumber(*version, separator);

  // The input's first line also serves as section and key, so that lookups of
  // odd names (blanks, brackets, "=") are tried as well.
  const std::size_t end = text.find('\n');
  const std::string_view first = text.substr(0, end);
  const std::size_t equals = first.find('=');
  if (equals != std::string_view::npos) {
    CheckValue(klemvar::FindIniValue(text, first.substr(0, equals), first.substr(equals + 1)));
  }
  CheckNumber(text, separator);
  return 0;
}
