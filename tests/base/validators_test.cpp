#include "base/validators.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace {

TEST(IsNumberText, LimitsSignificantDigits) {
  // Three integer digits and two decimals, as in an amount cell.
  const std::pair<const char*, bool> cases[] = {
      {"123.45", true}, {"1234", false}, {"1.234", false}, {"0.5", true},     {"-7", true},
      {"1.2.", false},  {"", true},      {"-", true},      {"007", true},     {"0001234", false},
      {"1.500", true},  {"-0.05", true}, {"7-", false},    {"--7", false},    {"1a", false},
      {".", true},      {"-.5", true},   {"12 3", false},  {"1.2345", false},
  };
  for (auto [text, ok] : cases) EXPECT_EQ(IsNumberText(text, 3, 2), ok) << text;
}

TEST(IsNumberText, ZeroLimitsMeanNoLimit) {
  EXPECT_TRUE(IsNumberText("123456789012.123456789", 0, 0));
  EXPECT_FALSE(IsNumberText("1.2.3", 0, 0));
  EXPECT_TRUE(IsNumberText("12345.6", 0, 1));
  EXPECT_FALSE(IsNumberText("1.23", 5, 1));
}

TEST(IsCodeText, DigitsJoinedBySingleSeparators) {
  const struct {
    const char* text;
    int maxSeparators;
    char separator;
    bool ok;
  } cases[] = {
      {"101-2-3", 2, '-', true}, {"101-2-3-4", 2, '-', false}, {"-101", 2, '-', false},
      {"101--2", 2, '-', false}, {"101-", 2, '-', false},      {"", 2, '-', true},
      {"101", 0, '-', true},     {"101-2", 0, '-', false},     {"1-2-3-4-5", -1, '-', true},
      {"101.2", 2, '.', true},   {"101-2", 2, '.', false},     {"10a", 2, '-', false},
  };
  for (auto c : cases) EXPECT_EQ(IsCodeText(c.text, c.maxSeparators, c.separator), c.ok) << c.text;
}

// What a double written back with the given decimals gives again: twelve integer digits and two decimals
// always do; twelve and four not always, and such a quantity must be refused rather than changed.
TEST(StoresExactly, OnlyNumbersADoubleGivesBackAsWritten) {
  const struct {
    const char* text;
    int decimals;
    bool ok;
  } cases[] = {
      {"999999999999.99", 2, true},    {"0.01", 2, true},           {"1.10", 2, true},
      {"007.5", 2, true},              {"-3.25", 2, true},          {"1.234", 2, false},
      {"123456789012.1234", 4, true},  {"999999999999.0003", 4, false}, {"99999999999999.99", 2, false},
      {"abc", 2, false},               {"", 2, false},              {".", 2, false},
  };
  for (auto c : cases) EXPECT_EQ(StoresExactly(c.text, c.decimals), c.ok) << c.text;
}

TEST(HasControlChar, FindsLineBreaksAndTabsButNotTwoByteCharacters) {
  EXPECT_FALSE(HasControlChar("收款 现金|[x]"));
  EXPECT_FALSE(HasControlChar(""));
  for (const std::string& bad : {std::string("a\nb"), std::string("a\rb"), std::string("\tx"),
                                 std::string("x\x7f"), std::string("a\0b", 3)})
    EXPECT_TRUE(HasControlChar(bad)) << bad;
}

}  // namespace
