#pragma once

// The regional settings the program follows (the time format and the decimal
// separator), built from the user's regional settings.

#include <optional>
#include <string>

namespace klemvar {

// The regional settings the program reads, named after the Windows locale items
// whose meaning they carry.
enum class LocaleItem {
  TimeSeparator,        // LOCALE_STIME: one character
  MorningDesignator,    // LOCALE_S1159
  AfternoonDesignator,  // LOCALE_S2359
  HourLeadingZero,      // LOCALE_ITLZERO: "0" or "1"
  TwentyFourHourClock,  // LOCALE_ITIME: "0" (12-hour) or "1" (24-hour)
  DesignatorBefore,     // LOCALE_ITIMEMARKPOSN: "0" (after the time) or "1" (before)
  DecimalSeparator,     // LOCALE_SDECIMAL
};

// A source of regional settings. nullopt means the setting cannot be read,
// which is not the same as an empty setting.
class LocaleInfoSource {
 public:
  virtual ~LocaleInfoSource() = default;
  virtual std::optional<std::string> Read(LocaleItem item) const = 0;
};

// One value, owned by the application frame, which reads it at start and again
// whenever the regional settings change.
struct FormatSettings {
  std::string timeSeparator = ":";  // empty: no separator at all
  std::string morningDesignator = "am";
  std::string afternoonDesignator = "pm";
  // One of "h:mm:ss", "hh:mm:ss", "h:mm:ss AMPM", "hh:mm:ss AMPM", "AMPM h:mm:ss",
  // "AMPM hh:mm:ss". Its ":" stands for the time separator.
  std::string TimePattern = "h:mm:ss AMPM";
  std::string decimalSeparator = ".";  // what the update check reads numbers with
};

FormatSettings ReadFormatSettings(const LocaleInfoSource& source);

// Writes the time of day of a split value in the given settings.
std::string FormatTime(const FormatSettings& settings, unsigned hours, unsigned minutes,
                       unsigned seconds);

// Writes a span of time, such as a countdown, in the given settings: the
// pattern's separator and leading zero, hours from 0 up without wrapping, and
// no designator.
std::string FormatSpan(const FormatSettings& settings, unsigned hours, unsigned minutes,
                       unsigned seconds);

}  // namespace klemvar
