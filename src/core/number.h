#pragma once

// Decimal numbers as the update file writes its version, read with the user's
// decimal separator.

#include <optional>
#include <string>
#include <string_view>

#include "core/timeformat.h"

namespace klemvar {

// Reads the whole text as one number: optional blanks, an optional sign, digits
// with at most one decimal separator, an optional exponent (E or e, an optional
// sign, digits), optional blanks, and nothing else. No thousands separator.
// nullopt when the text does not read, also when the number is out of a double's
// range. An empty separator stands for ".".
std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSeparator);

// The decimal separator of the regional settings: their first character, or "."
// when the setting cannot be read or is empty.
std::string ReadDecimalSeparator(const LocaleInfoSource& source);

}  // namespace klemvar
