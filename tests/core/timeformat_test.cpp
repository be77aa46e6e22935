#include "core/timeformat.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/clock.h"

namespace klemvar {
namespace {

// Regional settings given item by item; an item left out cannot be read.
class FakeLocale final : public LocaleInfoSource {
 public:
  FakeLocale(std::initializer_list<std::pair<const LocaleItem, std::string>> items)
      : items_(items) {}
  std::optional<std::string> Read(LocaleItem item) const override {
    const auto it = items_.find(item);
    if (it == items_.end()) return std::nullopt;
    return it->second;
  }

 private:
  std::map<LocaleItem, std::string> items_;
};

class TimeTextTest : public ::testing::Test {
 protected:
  void Use(const std::string& pattern, const std::string& separator = ":",
           const std::string& am = "am", const std::string& pm = "pm") {
    settings_.TimePattern = pattern;
    settings_.timeSeparator = separator;
    settings_.morningDesignator = am;
    settings_.afternoonDesignator = pm;
  }
  std::string Time(double value) const { return TimeText(settings_, value); }
  std::string Span(std::int64_t milliseconds) const { return SpanText(settings_, milliseconds); }

 private:
  FormatSettings settings_;
};

TEST(ReadFormatSettings, BuildsEachOfTheSixPatterns) {
  struct Case {
    const char* leadingZero;
    const char* twentyFour;
    const char* before;
    const char* pattern;
  };
  for (const Case& c :
       {Case{"0", "1", "0", "h:mm:ss"}, Case{"1", "1", "1", "hh:mm:ss"},
        Case{"0", "0", "0", "h:mm:ss AMPM"}, Case{"1", "0", "0", "hh:mm:ss AMPM"},
        Case{"0", "0", "1", "AMPM h:mm:ss"}, Case{"1", "0", "7", "AMPM hh:mm:ss"}}) {
    const FakeLocale locale{{LocaleItem::HourLeadingZero, c.leadingZero},
                            {LocaleItem::TwentyFourHourClock, c.twentyFour},
                            {LocaleItem::DesignatorBefore, c.before}};
    EXPECT_EQ(ReadFormatSettings(locale).TimePattern, c.pattern);
  }
}

TEST(ReadFormatSettings, FallsBackForUnreadableSettingsButKeepsEmptyOnes) {
  const FormatSettings none = ReadFormatSettings(FakeLocale{});
  EXPECT_EQ(none.TimePattern, "h:mm:ss AMPM");
  EXPECT_EQ(none.timeSeparator, ":");
  EXPECT_EQ(none.morningDesignator, "am");
  EXPECT_EQ(none.afternoonDesignator, "pm");

  const FormatSettings empty = ReadFormatSettings(FakeLocale{
      {LocaleItem::TimeSeparator, ""},
      {LocaleItem::MorningDesignator, ""},
      {LocaleItem::AfternoonDesignator, ""},
  });
  EXPECT_EQ(empty.timeSeparator, "");
  EXPECT_EQ(empty.morningDesignator, "");
  EXPECT_EQ(empty.afternoonDesignator, "");
}

TEST(ReadFormatSettings, TakesOnlyASingleCharacterSeparator) {
  auto separatorOf = [](const std::string& setting) {
    return ReadFormatSettings(FakeLocale{{LocaleItem::TimeSeparator, setting}}).timeSeparator;
  };
  EXPECT_EQ(separatorOf("."), ".");
  EXPECT_EQ(separatorOf("::"), ":");
  EXPECT_EQ(separatorOf(" h "), ":");
  EXPECT_EQ(separatorOf("\xC2\xB7"), "\xC2\xB7");  // one character, two bytes in UTF-8
}

TEST(ReadFormatSettings, ReadsNumericSettingsAsDecimalIntegersAndJunkAsZero) {
  auto patternOf = [](const std::string& leadingZero, const std::string& twentyFour) {
    return ReadFormatSettings(FakeLocale{{LocaleItem::HourLeadingZero, leadingZero},
                                         {LocaleItem::TwentyFourHourClock, twentyFour}})
        .TimePattern;
  };
  EXPECT_EQ(patternOf("+1", "-1"), "hh:mm:ss");
  EXPECT_EQ(patternOf("yes", "1x"), "h:mm:ss AMPM");
  EXPECT_EQ(patternOf("", " 1"), "h:mm:ss AMPM");
  EXPECT_EQ(patternOf("99999999999999999999", "2"), "h:mm:ss");
}

TEST_F(TimeTextTest, WritesTheDocumentedExamples) {
  Use("hh:mm:ss");
  EXPECT_EQ(Time(0.0), "00:00:00");
  EXPECT_EQ(Time(1.0 / 86'400'000.0), "00:00:00");
  EXPECT_EQ(Time(-1.0 / 24.0), "01:00:00");
  EXPECT_EQ(Time(-5.7 / 86'400.0), "00:00:05");  // seconds are truncated
  Use("h:mm:ss");
  EXPECT_EQ(Time(0.0), "0:00:00");
  EXPECT_EQ(Time(ComposeTime(7, 5, 9, 0)), "7:05:09");
  Use("h:mm:ss AMPM");
  EXPECT_EQ(Time(0.0), "12:00:00 am");
  EXPECT_EQ(Time(0.5), "12:00:00 pm");
  EXPECT_EQ(Time(ComposeTime(23, 59, 59, 999)), "11:59:59 pm");
  Use("AMPM hh:mm:ss", ":", "AM", "PM");
  EXPECT_EQ(Time(ComposeTime(13, 0, 0, 0)), "PM 01:00:00");
  EXPECT_EQ(Time(ComposeTime(11, 0, 0, 0)), "AM 11:00:00");
}

TEST_F(TimeTextTest, WritesTheSeparatorOrNothing) {
  Use("hh:mm:ss", ".");
  EXPECT_EQ(Time(ComposeTime(8, 30, 15, 0)), "08.30.15");
  Use("hh:mm:ss", "");
  EXPECT_EQ(Time(ComposeTime(8, 30, 15, 0)), "083015");
  Use("AMPM h:mm:ss", ":", "", "");
  EXPECT_EQ(Time(ComposeTime(20, 0, 0, 0)), " 8:00:00");
}

TEST_F(TimeTextTest, GivesTheSameTextForANegationOrAWholeDayMore) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> anyTime(0.0, 1.0);
  for (const char* pattern : {"hh:mm:ss", "h:mm:ss AMPM", "AMPM h:mm:ss"}) {
    Use(pattern);
    for (int i = 0; i < 20'000; ++i) {
      const double x = anyTime(random);
      EXPECT_EQ(Time(x), Time(-x)) << x;
      EXPECT_EQ(Time(x), Time(1.0 + x)) << x;
    }
  }
}

// A countdown is a span: the locale's separator and leading zero, no designator,
// hours from 0 up; part of a second left counts as none.
TEST_F(TimeTextTest, WritesASpanWithoutDesignatorAndHoursFromZero) {
  Use("h:mm:ss AMPM", ":", "AM", "PM");
  EXPECT_EQ(Span(5 * 60'000), "0:05:00");
  EXPECT_EQ(Span(13 * 3'600'000), "13:00:00");
  EXPECT_EQ(Span(25 * 3'600'000 - 300), "24:59:59");
  EXPECT_EQ(Span(-1), "0:00:00");
  Use("AMPM hh:mm:ss", ".");
  EXPECT_EQ(Span(5'700), "00.00.05");
  Use("hh:mm:ss");
  EXPECT_EQ(Span(5 * 60'000), "00:05:00");
}

}  // namespace
}  // namespace klemvar
