#pragma once

// The announced length of an HTTP body, read from the text of its header.

#include <cstdint>
#include <optional>
#include <string_view>

namespace klemvar {

// The text as a decimal 32-bit signed integer: an optional "+" or "-", then one
// or more digits, nothing else (no blanks, no hexadecimal). Empty when the text
// is no such integer or lies outside the 32-bit range; the transfer then fails.
std::optional<std::int32_t> ContentLengthValue(std::string_view text);

}  // namespace klemvar
