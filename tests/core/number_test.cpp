#include "core/number.h"

#include <gtest/gtest.h>

#include <map>

namespace klemvar {
namespace {

constexpr double kProgramVersion = 1.2;

TEST(ParseNumber, ReadsTheWholeGrammar) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c :
       {Case{"1.2", 1.2}, Case{"  1.21  ", 1.21}, Case{"\t+1.5\t", 1.5}, Case{"-1.5", -1.5},
        Case{".5", 0.5}, Case{"5.", 5.0}, Case{"007", 7.0}, Case{"1e1", 10.0},
        Case{"1.5E+2", 150.0}, Case{"15e-1", 1.5}, Case{" -2.5e0 ", -2.5}, Case{"0", 0.0}}) {
    const std::optional<double> value = ParseNumber(c.text, ".");
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
}

TEST(ParseNumber, RefusesEverythingElse) {
  for (const char* text :
       {"",    "   ",     "+",   "-",     ".",     "+.",    "1.2.3",       "1..2", "1 5",
        "1,5", "1,000.5", "1e",  "1e+",   "e5",    "1.5x",  "x1.5",        "0x10", "inf",
        "nan", "++1",     "+-1", "1e5.5", "1.2\n", "1.2 x", "\xEF\xBC\x91"}) {
    EXPECT_FALSE(ParseNumber(text, ".").has_value()) << '"' << text << '"';
  }
}

TEST(ParseNumber, OutOfRangeDoesNotRead) {
  EXPECT_FALSE(ParseNumber("1e400", ".").has_value());
  EXPECT_FALSE(ParseNumber("-1e400", ".").has_value());
  EXPECT_EQ(ParseNumber("1e308", "."), 1e308);
}

TEST(ParseNumber, ComparesWithTheProgramVersionUnderAPoint) {
  EXPECT_FALSE(ParseNumber("1.2", ".").value() > kProgramVersion);
  EXPECT_TRUE(ParseNumber("1.21", ".").value() > kProgramVersion);
  EXPECT_TRUE(ParseNumber("1.2000000000000002", ".").value() > kProgramVersion);
  EXPECT_FALSE(ParseNumber("1.19", ".").value() > kProgramVersion);
}

TEST(ParseNumber, ComparesWithTheProgramVersionUnderAComma) {
  EXPECT_FALSE(ParseNumber("1,2", ",").value() > kProgramVersion);
  EXPECT_TRUE(ParseNumber("1,21", ",").value() > kProgramVersion);
  // One and a half written with the other system's separator does not read (counts as 0).
  EXPECT_FALSE(ParseNumber("1.5", ",").has_value());
  EXPECT_EQ(ParseNumber("1,5", ","), 1.5);
  EXPECT_FALSE(ParseNumber("1,5", ".").has_value());
}

TEST(ParseNumber, AWholeNumberReadsTheSameEverywhere) {
  for (const char* separator : {".", ",", "\xD9\xAB", ""}) {
    EXPECT_EQ(ParseNumber("2", separator), 2.0) << separator;
    EXPECT_EQ(ParseNumber(" -3e2 ", separator), -300.0) << separator;
  }
}

TEST(ParseNumber, TakesAMultiByteSeparator) {
  const char* arabic = "\xD9\xAB";  // U+066B ARABIC DECIMAL SEPARATOR
  EXPECT_EQ(ParseNumber("1\xD9\xAB"
                        "5",
                        arabic),
            1.5);
  EXPECT_FALSE(ParseNumber("1\xD9", arabic).has_value());
  EXPECT_FALSE(ParseNumber("1.5", arabic).has_value());
}

class FakeLocale final : public LocaleInfoSource {
 public:
  explicit FakeLocale(std::optional<std::string> decimal) : decimal_(std::move(decimal)) {}
  std::optional<std::string> Read(LocaleItem item) const override {
    if (item != LocaleItem::DecimalSeparator) return std::nullopt;
    return decimal_;
  }

 private:
  std::optional<std::string> decimal_;
};

TEST(ReadDecimalSeparator, TakesTheFirstCharacterOrAPoint) {
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale(",")), ",");
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale(".")), ".");
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale(std::nullopt)), ".");
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale("")), ".");
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale(",.")), ",");
  EXPECT_EQ(ReadDecimalSeparator(FakeLocale("\xD9\xAB!")), "\xD9\xAB");
}

TEST(CurrentDecimalSeparator, IsAPointUntilSetAndNeverEmpty) {
  const std::string saved = CurrentDecimalSeparator();
  EXPECT_EQ(saved, ".");
  SetCurrentDecimalSeparator(",");
  EXPECT_EQ(CurrentDecimalSeparator(), ",");
  SetCurrentDecimalSeparator("");
  EXPECT_EQ(CurrentDecimalSeparator(), ".");
  SetCurrentDecimalSeparator(saved);
}

}  // namespace
}  // namespace klemvar
