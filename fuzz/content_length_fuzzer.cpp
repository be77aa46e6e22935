// Content-Length text to integer against an independent reading: the value is
// given exactly when the text is a sign and digits within 32 bits, and then
// equals what strtoll reads.

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/content_length.h"

namespace {

std::optional<std::int32_t> Reference(const std::string& text) {
  std::size_t digits = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  if (digits == text.size()) return std::nullopt;
  for (std::size_t i = digits; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  errno = 0;
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (klemvar::ContentLengthValue(text) != Reference(text)) std::abort();
  return 0;
}
