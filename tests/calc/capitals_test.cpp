#include "calc/capitals.h"

#include <gtest/gtest.h>

#include "base/gbk.h"

namespace {

struct CapitalsCase {
  double amount;
  const char* text;
};

class CapitalsTest : public testing::TestWithParam<CapitalsCase> {};

TEST_P(CapitalsTest, WritesTheAmount) {
  EXPECT_EQ(gbk::ToUtf8(AmountInCapitals(GetParam().amount)), gbk::ToUtf8(GetParam().text))
      << GetParam().amount;
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, CapitalsTest,
    testing::Values(CapitalsCase{1234.56, "壹仟贰佰叁拾肆元伍角陆分"}, CapitalsCase{100, "壹佰元整"},
                    CapitalsCase{1000000, "壹佰万元整"}, CapitalsCase{100000000, "壹亿元整"},
                    CapitalsCase{10.05, "壹拾元零伍分"}, CapitalsCase{0.5, "伍角"},
                    CapitalsCase{0.05, "伍分"}, CapitalsCase{0.004, ""}, CapitalsCase{0, ""},
                    CapitalsCase{-12, "负壹拾贰元整"}, CapitalsCase{10020.30, "壹万零贰拾元叁角"},
                    CapitalsCase{1.05, "壹元零伍分"}, CapitalsCase{5, "伍元整"},
                    CapitalsCase{0.999, "壹元整"}, CapitalsCase{0.995, "玖角玖分"} /* held as 0.99499... */,
                    CapitalsCase{100000.05, "壹拾万元零伍分"}, CapitalsCase{120000000, "壹亿贰仟万元整"},
                    CapitalsCase{200000000.5, "贰亿元伍角"},
                    CapitalsCase{123456789012.34, "壹仟贰佰叁拾肆亿伍仟陆佰柒拾捌万玖仟零壹拾贰元叁角肆分"},
                    // An empty wan group between yi and yuan reads as one zero.
                    CapitalsCase{100000001, "壹亿零壹元整"}, CapitalsCase{100001000, "壹亿零壹仟元整"},
                    CapitalsCase{100000000001, "壹仟亿零壹元整"},
                    // A negative amount keeps its sign whenever anything is written.
                    CapitalsCase{-0.007, "负壹分"}, CapitalsCase{-0.004, ""},
                    // No capital unit above 仟亿.
                    CapitalsCase{1e12, ""}));

TEST(CapitalsDigits, WritesTheIntegerPartInChineseDigits) {
  EXPECT_EQ(gbk::ToUtf8(DigitsInChinese(2026)), gbk::ToUtf8("二○二六"));
  EXPECT_EQ(gbk::ToUtf8(DigitsInChinese(-305.7)), gbk::ToUtf8("-三○五"));
  EXPECT_EQ(gbk::ToUtf8(DigitsInChinese(-0.7)), gbk::ToUtf8("○"));
  EXPECT_EQ(gbk::ToUtf8(DigitsInChinese(1234567.9)), gbk::ToUtf8("一二三四五六七"));
}

}  // namespace
