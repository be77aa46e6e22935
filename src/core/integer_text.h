#pragma once

// Decimal integer text as the program's fields and headers hold it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace klemvar {

// The text as a decimal 32-bit signed integer: an optional "+" or "-", then one
// or more ASCII digits, nothing else (no blanks, no hexadecimal, no other
// scripts' digits). Empty when the text is no such integer or lies outside the
// 32-bit range.
std::optional<std::int32_t> ParseInt32(std::string_view text);

}  // namespace klemvar
