#include "core/content_length.h"

#include <gtest/gtest.h>

namespace klemvar {
namespace {

TEST(ContentLengthValue, ReadsDecimalIntegersWithAnOptionalSign) {
  EXPECT_EQ(ContentLengthValue("0"), 0);
  EXPECT_EQ(ContentLengthValue("1025"), 1025);
  EXPECT_EQ(ContentLengthValue("007"), 7);
  EXPECT_EQ(ContentLengthValue("+7"), 7);
  EXPECT_EQ(ContentLengthValue("-5"), -5);
  EXPECT_EQ(ContentLengthValue("-0"), 0);
}

TEST(ContentLengthValue, AcceptsExactlyThe32BitSignedRange) {
  EXPECT_EQ(ContentLengthValue("2147483647"), 2147483647);
  EXPECT_EQ(ContentLengthValue("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ContentLengthValue("00000000002147483647"), 2147483647);
  EXPECT_EQ(ContentLengthValue("2147483648"), std::nullopt);
  EXPECT_EQ(ContentLengthValue("-2147483649"), std::nullopt);
  EXPECT_EQ(ContentLengthValue("4294967296"), std::nullopt);
  EXPECT_EQ(ContentLengthValue("99999999999999999999999999999"), std::nullopt);
}

TEST(ContentLengthValue, RejectsTextThatIsNoDecimalInteger) {
  for (const char* text : {"", "+", "-", "abc", "12a", "1 2", " 12", "12 ", "0x10", "$10", "1e3",
                           "1.0", "--1", "+-1", "١٢"}) {
    EXPECT_EQ(ContentLengthValue(text), std::nullopt) << "text: \"" << text << "\"";
  }
}

TEST(ContentLengthValue, ReadsOnlyTheGivenCharacters) {
  const char text[] = {'1', '2', '3', '4'};
  EXPECT_EQ(ContentLengthValue(std::string_view(text, 2)), 12);
}

}  // namespace
}  // namespace klemvar
