#pragma once

// Counting characters in UTF-8 text: every byte that does not continue a
// character (10xxxxxx) starts one. A stray continuation byte at the start
// counts as a character of its own.

#include <cstddef>
#include <string_view>

namespace klemvar {

// The number of characters in text.
std::size_t Utf8CharacterCount(std::string_view text);

// The length in bytes of the first character of text; 0 for empty text.
std::size_t Utf8FirstCharacterLength(std::string_view text);

}  // namespace klemvar
