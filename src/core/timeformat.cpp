#include "core/timeformat.h"

#include <string_view>

#include "core/integer_text.h"
#include "core/number.h"
#include "core/utf8_text.h"

namespace klemvar {
namespace {

// A numeric setting: unreadable counts as "0", text that is no decimal integer as 0.
long ReadNumber(const LocaleInfoSource& source, LocaleItem item) {
  return ParseInt32(source.Read(item).value_or("0")).value_or(0);
}

void AppendNumber(std::string& out, unsigned value, bool twoDigits) {
  if (twoDigits && value < 10) out += '0';
  out += std::to_string(value);
}

}  // namespace

FormatSettings ReadFormatSettings(const LocaleInfoSource& source) {
  FormatSettings settings;
  const std::string hourToken = ReadNumber(source, LocaleItem::HourLeadingZero) != 0 ? "hh" : "h";
  std::string prefix;
  std::string suffix;
  if (ReadNumber(source, LocaleItem::TwentyFourHourClock) == 0) {
    if (ReadNumber(source, LocaleItem::DesignatorBefore) != 0) {
      prefix = "AMPM ";
    } else {
      suffix = " AMPM";
    }
  }
  settings.TimePattern = prefix + hourToken + ":mm:ss" + suffix;

  // The separator is read into room for one character: a longer one does not fit
  // and counts as unreadable, an empty one means no separator.
  const std::optional<std::string> separator = source.Read(LocaleItem::TimeSeparator);
  settings.timeSeparator =
      separator && Utf8CharacterCount(*separator) < 2 ? *separator : std::string(":");

  settings.morningDesignator = source.Read(LocaleItem::MorningDesignator).value_or("am");
  settings.afternoonDesignator = source.Read(LocaleItem::AfternoonDesignator).value_or("pm");
  settings.decimalSeparator = ReadDecimalSeparator(source);
  return settings;
}

std::string FormatTime(const FormatSettings& settings, unsigned hours, unsigned minutes,
                       unsigned seconds) {
  const std::string_view pattern = settings.TimePattern;
  const bool twelveHour = pattern.find("AMPM") != std::string_view::npos;
  unsigned shownHour = hours;
  if (twelveHour) {
    if (shownHour == 0) {
      shownHour = 12;
    } else if (shownHour > 12) {
      shownHour -= 12;
    }
  }
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const std::string_view rest = pattern.substr(i);
    if (rest.starts_with("AMPM")) {
      out += hours < 12 ? settings.morningDesignator : settings.afternoonDesignator;
      i += 4;
    } else if (rest.starts_with("hh")) {
      AppendNumber(out, shownHour, true);
      i += 2;
    } else if (rest.starts_with("h")) {
      AppendNumber(out, shownHour, false);
      i += 1;
    } else if (rest.starts_with("mm")) {
      AppendNumber(out, minutes, true);
      i += 2;
    } else if (rest.starts_with("ss")) {
      AppendNumber(out, seconds, true);
      i += 2;
    } else if (rest.front() == ':') {
      out += settings.timeSeparator;
      i += 1;
    } else {
      out += rest.front();
      i += 1;
    }
  }
  return out;
}

// A span is no time of day: without the designator the pattern keeps its
// separator and leading zero, and the hours count on from 12 instead of
// starting again at 1.
std::string FormatSpan(const FormatSettings& settings, unsigned hours, unsigned minutes,
                       unsigned seconds) {
  FormatSettings span = settings;
  for (const std::string_view designator : {"AMPM ", " AMPM", "AMPM"}) {
    if (const auto at = span.TimePattern.find(designator); at != std::string::npos) {
      span.TimePattern.erase(at, designator.size());
      break;
    }
  }
  return FormatTime(span, hours, minutes, seconds);
}

}  // namespace klemvar
