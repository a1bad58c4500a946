// The rounding to cents against the figures printf writes, and the two number readers side by side.
#include "base/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "base/text.h"

namespace {

using money::Cents;

// The ways cents were once taken differ on these: printf (which every printed figure goes through) rounds
// the double itself, a tie only where the double is one (eighths) and then to the even cent; rounding
// x * 100 half away from zero rounds the product, which may lie on the other side.
TEST(ToCents, IsWhatPrintfWrites) {
  const struct {
    double value;
    Cents cents;
    const char* text;
  } cases[] = {
      {0.125, 12, "0.12"},  // llround(x * 100): 13
      {-0.125, -12, "-0.12"},
      {0.375, 38, "0.38"},
      {2.675, 267, "2.67"},  // the double lies below 2.675; x * 100 rounds up to 267.5
      {0.015, 1, "0.01"},    // std::round(x * 100): 2
      {1.005, 100, "1.00"},
      {0.005, 1, "0.01"},
      {-0.004, 0, "0.00"},   // "%.2f" writes "-0.00"
      {0.000005, 0, "0.00"},
      {1234567.89, 123456789, "1234567.89"},
      {123456789012.345, 12345678901235, "123456789012.35"},      // beyond the quick range: the digits
      {1e15 + 0.125, 100000000000000012, "1000000000000000.12"},  // a tie of the double, to even
      {NAN, 0, "0.00"},
      {HUGE_VAL, 0, "0.00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(money::ToCents(c.value), c.cents) << c.value;
    EXPECT_EQ(money::CentsText(money::ToCents(c.value)), c.text) << c.value;
  }
  EXPECT_EQ(money::ToCents(1e300), std::numeric_limits<Cents>::max() / 10 - 9);
  EXPECT_EQ(money::CentsText(std::numeric_limits<Cents>::min()), "-92233720368547758.08");
}

// On any double, including ties, values near them and ones far beyond cents, the cents are "%.2f"'s
// digits and RoundToCents is the number those digits read back as.
TEST(ToCents, AgreesWithPrintfOnRandomValues) {
  std::mt19937_64 rnd(20261208);
  for (int i = 0; i < 200000; ++i) {
    double x;
    switch (i % 4) {
      case 0: x = static_cast<double>(static_cast<int64_t>(rnd() % 2000000001) - 1000000000) / 8; break;
      case 1: x = std::nextafter(static_cast<double>(rnd() % 100000) / 1000 + 0.005, (i & 8) ? 1e9 : -1e9); break;
      case 2: x = std::ldexp(static_cast<double>(rnd() >> 11), static_cast<int>(rnd() % 60) - 58); break;
      default: x = static_cast<double>(static_cast<int64_t>(rnd() % 2000000001) - 1000000000) / 100; break;
    }
    if (i & 1) x = -x;
    std::string printed = Format("%.2f", x);
    if (printed == "-0.00") printed = "0.00";
    ASSERT_EQ(money::CentsText(money::ToCents(x)), printed) << Format("%.17g", x);
    ASSERT_EQ(money::RoundToCents(x), std::strtod(printed.c_str(), nullptr)) << Format("%.17g", x);
  }
}

TEST(RoundToPlaces, IsWhatPrintfWritesWithThatManyPlaces) {
  const struct {
    double value;
    int places;
    double rounded;
  } cases[] = {
      {1.23456, 4, 1.2346}, {0.00005, 4, 0.0001}, {2.5, 0, 2}, {3.5, 0, 4},  {-0.125, 2, -0.12},
      {1e20, 2, 1e20},      {7.123456789, 8, 7.12345679}, {1.5, -1, 2},  {1.05, 1, 1.1},
  };
  for (const auto& c : cases) EXPECT_EQ(money::RoundToPlaces(c.value, c.places), c.rounded) << c.value;
}

// The dialect's val() reads what a text begins with, blanks and all; a mask's number is the whole text or
// nothing. The table puts them side by side, where they differ on purpose.
TEST(NumberReaders, ValAndTheMasksNumber) {
  const double kNone = -999;  // TypedNumber has no number
  const struct {
    const char* text;
    double val, typed;
    int decimals;
  } cases[] = {
      {"12.5", 12.5, 12.5, 1},
      {"-0.250", -0.25, -0.25, 3},
      {".5", 0.5, 0.5, 1},
      {"5.", 5, 5, 0},
      {"", 0, 0, 0},
      {"-", 0, 0, 0},
      {".", 0, 0, 0},
      {"007", 7, 7, 0},
      {"2026  ", 2026, kNone, 0},  // a CHAR column's padding
      {" 12", 12, kNone, 0},
      {"1 2 3", 123, kNone, 0},    // val skips blanks between digits
      {"\t\r\n7", 7, kNone, 0},
      {"+5", 5, kNone, 0},
      {"1.2.3", 1.2, kNone, 0},
      {"1-2", 1, kNone, 0},
      {"12abc", 12, kNone, 0},
      {"abc", 0, kNone, 0},
      {"1e3", 1000, kNone, 0},
      {"1D3", 1000, kNone, 0},
      {"-5E-06", -0.000005, kNone, 0},
      {"1e", 1, kNone, 0},
      {"1e+", 1, kNone, 0},
      {"1,234", 1, kNone, 0},  // commas are the caller's to remove
      {"inf", 0, kNone, 0},
      {"1e999", HUGE_VAL, kNone, 0},
      {"123456789.125", 123456789.125, 123456789.125, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(money::ValNumber(c.text), c.val) << "val " << c.text;
    int decimals = -1;
    std::optional<double> typed = money::TypedNumber(c.text, &decimals);
    if (c.typed == kNone) {
      EXPECT_FALSE(typed) << "typed " << c.text;
    } else {
      ASSERT_TRUE(typed) << "typed " << c.text;
      EXPECT_EQ(*typed, c.typed) << "typed " << c.text;
      EXPECT_EQ(decimals, c.decimals) << "decimals " << c.text;
    }
  }
  // Out of a double's range: infinite or zero, as the C library reads them.
  EXPECT_EQ(money::TypedNumber("1" + std::string(400, '0')), HUGE_VAL);
  EXPECT_EQ(money::TypedNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(PriceOf, NeedsAQuantityAndOneSign) {
  const struct {
    double amount, quantity, productZero, price;
  } cases[] = {
      {10, 4, money::kAmountZero, 2.5},
      {-10, -4, money::kAmountZero, 2.5},
      {10, -4, money::kAmountZero, 0},
      {10, 0, money::kAmountZero, 0},
      {10, 0.0000005, money::kAmountZero, 0},  // no quantity
      {0.01, 0.01, money::kAmountZero, 1},
      {0.01, 0.01, money::kListedPriceProduct, 0},  // the lists leave such a price out
      {0.01, 0.001, money::kBalanceZero, 10},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(money::PriceOf(c.amount, c.quantity, c.productZero), c.price) << c.amount << " " << c.quantity;
}

TEST(Micros, SumsStoredAmountsExactly) {
  // 0.1 + 0.2 as doubles is 0.30000000000000004; as millionths it is 0.3.
  EXPECT_EQ(money::FromMicros(money::ToMicros(0.1) + money::ToMicros(0.2)), 0.3);
  EXPECT_EQ(money::ToMicros(0.000005), 5);
  EXPECT_EQ(money::ToMicros(-1234.56), -1234560000);
  EXPECT_EQ(money::ToMicros(NAN), 0);
  EXPECT_EQ(money::ToMicros(-1e20), -9000000000000000000);
}

}  // namespace
