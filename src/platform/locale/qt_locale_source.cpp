#include "platform/locale/qt_locale_source.h"

namespace klemvar {
namespace {

struct TimeTokens {
  qsizetype hour = -1;  // index of the hour token, -1 if none
  qsizetype hourLength = 0;
  qsizetype minute = -1;
  qsizetype designator = -1;
  QString separator;
};

// Walks a Qt time format, skipping quoted literals, and notes where the tokens stand.
TimeTokens ScanTimeFormat(const QString& format) {
  TimeTokens tokens;
  bool quoted = false;
  QString literalAfterHour;
  bool collecting = false;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format.at(i);
    if (c == u'\'') {
      if (i + 1 < format.size() && format.at(i + 1) == u'\'' && collecting) {
        literalAfterHour += u'\'';
        ++i;
      } else {
        quoted = !quoted;
      }
      continue;
    }
    if (quoted) {
      if (collecting) literalAfterHour += c;
      continue;
    }
    if ((c == u'h' || c == u'H') && tokens.hour < 0) {
      tokens.hour = i;
      while (i + 1 < format.size() && format.at(i + 1) == c) ++i;
      tokens.hourLength = i - tokens.hour + 1;
      collecting = true;
    } else if (c == u'm' && tokens.minute < 0) {
      tokens.minute = i;
      if (collecting) tokens.separator = literalAfterHour;
      collecting = false;
    } else if ((c == u'a' || c == u'A') && tokens.designator < 0) {
      tokens.designator = i;
    } else if (collecting) {
      literalAfterHour += c;
    }
  }
  return tokens;
}

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

QtLocaleInfoSource::QtLocaleInfoSource(const QLocale& locale)
    : locale_(locale), timeFormat_(locale.timeFormat(QLocale::ShortFormat)) {}

std::optional<std::string> QtLocaleInfoSource::Read(LocaleItem item) const {
  const TimeTokens tokens = ScanTimeFormat(timeFormat_);
  switch (item) {
    case LocaleItem::TimeSeparator:
      if (tokens.hour < 0 || tokens.minute < 0) return std::nullopt;
      return Utf8(tokens.separator);
    case LocaleItem::MorningDesignator:
      return Utf8(locale_.amText());
    case LocaleItem::AfternoonDesignator:
      return Utf8(locale_.pmText());
    case LocaleItem::HourLeadingZero:
      if (tokens.hour < 0) return std::nullopt;
      return tokens.hourLength >= 2 ? "1" : "0";
    case LocaleItem::TwentyFourHourClock:
      return tokens.designator < 0 ? "1" : "0";
    case LocaleItem::DesignatorBefore:
      if (tokens.designator < 0) return "0";
      return tokens.hour >= 0 && tokens.designator < tokens.hour ? "1" : "0";
    case LocaleItem::DecimalSeparator:
      return Utf8(locale_.decimalPoint());
  }
  return std::nullopt;
}

}  // namespace klemvar
