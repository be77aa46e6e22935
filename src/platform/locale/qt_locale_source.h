#pragma once

#include <QLocale>

#include "core/timeformat.h"

namespace klemvar {

// Regional settings from a Qt locale, by default the user's (QLocale::system(),
// which on Linux follows LC_ALL, LC_TIME, LC_NUMERIC and LANG).
//
// The Windows-style settings are derived from the locale's short time format:
//   leading zero   - the hour token is doubled ("hh" or "HH");
//   24-hour clock  - the format has no AM/PM token ("a", "A", "ap", "AP");
//   designator     - before the time when the AM/PM token precedes the hour token;
//   separator      - the literal text between the hour and the minute token;
//   designators    - QLocale::amText() and pmText();
//   decimal        - QLocale::decimalPoint().
// A format without an hour or a minute token leaves the settings it decides unreadable.
class QtLocaleInfoSource final : public LocaleInfoSource {
 public:
  explicit QtLocaleInfoSource(const QLocale& locale = QLocale::system());
  std::optional<std::string> Read(LocaleItem item) const override;

 private:
  QLocale locale_;
  QString timeFormat_;
};

}  // namespace klemvar
