#include "base/text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/date.h"

namespace {

struct AmountCase {
  double value;
  int width, minDecimals, maxDecimals;
  const char* expected;
};

TEST(FormatAmount, GroupsPadsAndOverflows) {
  const AmountCase cases[] = {
      {1234567.5, 0, 2, 2, "1,234,567.50"},
      {-0.5, 12, 0, 2, "        -0.5"},
      {0.00000001, 5, 0, 2, "     "},
      {1234567.89, 8, 2, 2, "********"},
      {-1234.5, 0, 0, 2, "-1,234.5"},
      {1000, 6, 0, 0, " 1,000"},
      {999.5, 0, 0, 0, "1,000"},  // rounding adds an integer digit
      {2.0, 0, 0, 2, "2"},        // the point goes with the last zero
      {1.23456, 0, 0, 4, "1.2346"},
      {0.005, 0, 2, 2, "0.01"},
      {-0.004, 6, 0, 2, "      "},  // rounds to zero: blank, no "-0"
      {0, 0, 0, 2, ""},
      {-123.4, 5, 0, 1, "*****"},  // the sign needs a place too
      {-123.4, 6, 0, 1, "-123.4"},
      {1234.5, -8, 0, 1, " 1,234.5"},  // a negative width counts as its size
      {1234.5, 7, 0, 1, "1,234.5"},
      {1234.5, 6, 0, 1, "1234.5"},  // no room for the comma
      {-1234.5, 7, 0, 1, "-1234.5"},
      {-1234567.5, 11, 0, 1, " -1234567.5"},
      {1.5, 0, -3, 1, "1.5"},  // a negative minimum counts as 0
      {1, 0, 2, 0, "1.00"},    // the maximum is raised to the minimum
      {1e-7, 0, 0, 8, ""},     // many places: zero up to 0.0000001
      {-2e-7, 0, 0, 8, "-0.0000002"},
      {-HUGE_VAL, 0, 0, 2, "-inf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatAmount(c.value, c.width, c.minDecimals, c.maxDecimals), c.expected)
        << c.value << " w" << c.width << " " << c.minDecimals << " " << c.maxDecimals;
  }
}

TEST(SignOf, TreatsTinyValuesAsZero) {
  const std::pair<double, int> cases[] = {{1e-7, 0}, {-1e-7, 0}, {0, 0}, {2e-7, 1}, {-2e-7, -1}, {-5, -1}};
  for (auto [x, sign] : cases) EXPECT_EQ(SignOf(x), sign) << x;
}

TEST(ParseNumber, ReadsOnlyValidNumberTexts) {
  const std::pair<const char*, double> cases[] = {
      {"12.5", 12.5}, {"-0.25", -0.25}, {".5", 0.5}, {"5.", 5},
      {"007", 7},     {"", 0},          {"-", 0},    {".", 0},
      {"1.2.3", 0},   {"1-2", 0},       {" 5", 0},   {"5 ", 0},
      {"abc", 0},     {"+5", 0},        {"1e3", 0},  {"123456789.125", 123456789.125},
  };
  for (auto [text, value] : cases) EXPECT_DOUBLE_EQ(ParseNumber(text), value) << text;
}

TEST(DaysInMonth, FollowsGregorianLeapYears) {
  const struct {
    int year, month, days;
  } cases[] = {
      {2000, 2, 29}, {1900, 2, 28},  {2024, 2, 29}, {2023, 2, 28},  {2023, 1, 31},
      {2023, 4, 30}, {2023, 12, 31}, {2023, 0, -1}, {2023, 13, -1},
  };
  for (auto c : cases) EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "-" << c.month;
}

TEST(ReplaceAll, ScansOnceLeftToRight) {
  const struct {
    const char *text, *find, *replacement, *expected;
  } cases[] = {
      {"aaa", "a", "aa", "aaaaaa"},  // replaced text is not scanned again
      {"aaaa", "aa", "a", "aa"},
      {"abab", "ab", "", ""},
      {"it's", "'", "''", "it''s"},
      {"abc", "", "x", "abc"},
      {"\x81\x7C|", "|", "/", "\x81\x7C/"},  // second byte of a double-byte character is not a match
      {"中文中", "中", "X", "X文X"},
  };
  for (auto c : cases) EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement), c.expected) << c.text;
}

TEST(Trim, RemovesSpacesOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(LTrim("  a "), "a ");
  EXPECT_EQ(RTrim(" a  "), " a");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(Trim("   "), "");
}

TEST(Format, GrowsToAnyLength) {
  EXPECT_EQ(Format("%s-%03d", "ab", 7), "ab-007");
  EXPECT_EQ(Format("%s", std::string(5000, 'x').c_str()).size(), 5000u);
  EXPECT_EQ(Format("%s", ""), "");
}

TEST(Dates, MakeZeroFilledKeysAndSplitThem) {
  EXPECT_EQ(MakeDate(2001, 1, 5), "20010105");
  EXPECT_EQ(MakeDate(2001, 12, 31), "20011231");
  EXPECT_EQ(MakeMonthKey(2001, 9), "200109");
  EXPECT_EQ(MakeMonthKey(999, 10), "099910");

  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(SplitDate("20240229", y, m, d));
  EXPECT_EQ(y * 10000 + m * 100 + d, 20240229);
  for (const char* bad : {"2001015", "200101050", "2001O105", "2001-1-5", ""})
    EXPECT_FALSE(SplitDate(bad, y, m, d)) << bad;
}

}  // namespace
