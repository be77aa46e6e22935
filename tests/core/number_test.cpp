#include "core/number.h"

#include <gtest/gtest.h>

namespace klemvar {
namespace {

constexpr double kProgramVersion = 1.2;

TEST(ParseNumber, ReadsTheGrammarAndNothingElse) {
  const std::pair<const char*, double> good[] = {
      {"1.2", 1.2},    {"  1.21  ", 1.21}, {"\t+1.5\t", 1.5}, {"-1.5", -1.5},
      {".5", 0.5},     {"5.", 5.0},        {"007", 7.0},      {"1e1", 10.0},
      {"1.5E+2", 150}, {" -25e-1 ", -2.5}, {"1e308", 1e308}};
  for (const auto& [text, value] : good) EXPECT_EQ(ParseNumber(text, "."), value) << text;
  for (const char* text : {"",        "   ", "+",     "-",     ".",     "1.2.3",  "1 5",
                           "1,000.5", "1e",  "1e+",   "e5",    "1.5x",  "0x10",   "inf",
                           "nan",     "+-1", "1e5.5", "1.2\n", "1e400", "-1e400", "\xEF\xBC\x91"}) {
    EXPECT_FALSE(ParseNumber(text, ".").has_value()) << '"' << text << '"';
  }
}

TEST(ParseNumber, ComparesWithTheProgramVersionUnderAPointAndAComma) {
  EXPECT_FALSE(ParseNumber("1.2", ".").value() > kProgramVersion);
  EXPECT_TRUE(ParseNumber("1.21", ".").value() > kProgramVersion);
  EXPECT_FALSE(ParseNumber("1,2", ",").value() > kProgramVersion);
  EXPECT_TRUE(ParseNumber("1,21", ",").value() > kProgramVersion);
  // One and a half in the other system's writing does not read, so it counts as 0.
  EXPECT_FALSE(ParseNumber("1.5", ",").has_value());
  EXPECT_EQ(ParseNumber("1,5", ","), 1.5);
  EXPECT_FALSE(ParseNumber("1,5", ".").has_value());
  // A whole number reads alike everywhere, also with a multi-byte separator.
  for (const char* separator : {".", ",", "\xD9\xAB", ""}) {
    EXPECT_EQ(ParseNumber(" 2 ", separator), 2.0) << separator;
  }
  EXPECT_EQ(ParseNumber("1\xD9\xAB"
                        "5",
                        "\xD9\xAB"),
            1.5);
}

class FakeLocale final : public LocaleInfoSource {
 public:
  explicit FakeLocale(std::optional<std::string> decimal) : decimal_(std::move(decimal)) {}
  std::optional<std::string> Read(LocaleItem item) const override {
    return item == LocaleItem::DecimalSeparator ? decimal_ : std::nullopt;
  }

 private:
  std::optional<std::string> decimal_;
};

TEST(DecimalSeparator, IsTheSettingsFirstCharacterOrAPoint) {
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale(",")), ",");
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale(std::nullopt)), ".");
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale("")), ".");
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale("\xD9\xAB!")), "\xD9\xAB");
  // The regional settings carry it alongside the time format.
  EXPECT_EQ(ReadFormatSettings(FakeLocale(",")).decimalSeparator, ",");
  EXPECT_EQ(FormatSettings().decimalSeparator, ".");
}

}  // namespace
}  // namespace klemvar
