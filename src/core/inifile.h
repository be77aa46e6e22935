#pragma once

// Values of INI files ("[section]" lines, then "key=value" lines), read the way
// the Windows profile functions read them, and the update file's version number.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace klemvar {

// A value is cut after this many characters, as a 2,048-byte buffer with its
// terminating zero would cut it.
inline constexpr std::size_t kIniValueLimit = 2047;

// A file larger than this is no INI file worth reading: it reads as missing, so
// a hostile or runaway file costs at most this much memory and time.
inline constexpr std::size_t kIniFileLimit = 1024 * 1024;

// Looks up a value in the text of an INI file. A line that starts with "[" (after
// blanks) opens a section named by the text up to "]"; a line with "=" holds a
// key (the text before the first "=") and its value (the text after it). Section
// and key match without regard to ASCII letter case, both with the blanks around
// them removed; the first matching line wins. The value has the blanks around it
// removed and is cut at a zero byte and after kIniValueLimit characters. Lines end
// at "\n" or "\r". nullopt when the section or the key is missing.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// The same on a file. A path that is missing, unreadable, no regular file (a
// directory, a pipe, a device) or larger than kIniFileLimit reads as missing;
// nothing is ever waited on.
std::optional<std::string> ReadIniValue(const std::string& path, std::string_view section,
                                        std::string_view key);

// VersionZahl of section "Klemvar" in the update file at path, read with the given
// decimal separator (see ParseNumber). 0 when the file, the section or the key is
// missing, the value is empty or does not read as a number.
double ReadVersionNumber(const std::string& path, std::string_view decimalSeparator);

}  // namespace klemvar
