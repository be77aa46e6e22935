#pragma once

#include <stdexcept>
#include <string>

namespace klemvar {

// Raised when a clock value or a date cannot be composed from its parts.
// The message is German and is shown to the user by the application frame.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char* kInvalidTimeMessage = "Ungültiges Argument zum Codieren der Uhrzeit";
inline constexpr const char* kInvalidDateMessage = "Ungültiges Argument zum Codieren des Datums";

}  // namespace klemvar
