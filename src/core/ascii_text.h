#pragma once

// Text as protocols and file formats spell it: ASCII letters and blanks, the
// same for every user. Nothing here looks at the C locale, which Qt sets from
// the environment: under a Turkish locale std::tolower('I') is not 'i'.

#include <string_view>

namespace klemvar {

// 'A'..'Z' become 'a'..'z'; every other byte stays as it is.
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The two texts are equal once ASCII letters are folded to lower case.
bool SameAsciiNoCase(std::string_view a, std::string_view b);

// text begins with prefix, ASCII letters folded to lower case.
bool StartsWithAsciiNoCase(std::string_view text, std::string_view prefix);

// A blank: white space within a line (space, tab, vertical tab, form feed),
// never a line break.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// text without the blanks at its start and end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace klemvar
