#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "core/timeformat.h"
#include "platform/locale/qt_locale_source.h"

namespace klemvar {
namespace {

struct Expected {
  const char* pattern;
  const char* separator;
  const char* am;
  const char* pm;
  const char* decimal;
};

// What a user of each locale should see in the status bar.
const std::map<std::string, Expected> kExpected = {
    {"C", {"hh:mm:ss", ":", "AM", "PM", "."}},
    {"de_DE.UTF-8", {"hh:mm:ss", ":", "AM", "PM", ","}},
    {"en_US.UTF-8", {"h:mm:ss AMPM", ":", "AM", "PM", "."}},
    {"en_GB.UTF-8", {"hh:mm:ss", ":", "am", "pm", "."}},
    {"ko_KR.UTF-8",
     {"AMPM h:mm:ss", ":", "\xEC\x98\xA4\xEC\xA0\x84", "\xEC\x98\xA4\xED\x9B\x84", "."}},
    {"fi_FI.UTF-8", {"h:mm:ss", ".", "ap.", "ip.", ","}},
};

TEST(QtLocaleInfoSource, DerivesTheTimeSettingsOfTheUsersLocale) {
  const char* name = std::getenv("KLEMVAR_TEST_LOCALE");
  ASSERT_NE(name, nullptr) << "run through ctest, which sets LC_ALL and KLEMVAR_TEST_LOCALE";
  const auto expected = kExpected.find(name);
  ASSERT_NE(expected, kExpected.end()) << name;

  const QtLocaleInfoSource source;
  const FormatSettings settings = ReadFormatSettings(source);
  EXPECT_EQ(settings.TimePattern, expected->second.pattern);
  EXPECT_EQ(settings.timeSeparator, expected->second.separator);
  EXPECT_EQ(settings.morningDesignator, expected->second.am);
  EXPECT_EQ(settings.afternoonDesignator, expected->second.pm);
  EXPECT_EQ(source.Read(LocaleItem::DecimalSeparator), expected->second.decimal);

  const std::string oneInTheAfternoon = FormatTime(settings, 13, 5, 9);
  EXPECT_NE(oneInTheAfternoon.find("05"), std::string::npos) << oneInTheAfternoon;
}

TEST(QtLocaleInfoSource, LeavesASeparatorItCannotTellUnreadable) {
  // "HH 'h' mm" separates with a word, which no one-character setting can hold.
  const QtLocaleInfoSource canadianFrench(QLocale(QLocale::French, QLocale::Canada));
  EXPECT_EQ(ReadFormatSettings(canadianFrench).timeSeparator, ":");
  EXPECT_EQ(ReadFormatSettings(canadianFrench).TimePattern, "hh:mm:ss");
}

}  // namespace
}  // namespace klemvar
