#include "calc/calc_builtins.h"

#include <gtest/gtest.h>

#include "base/gbk.h"
#include "calc/evaluator.h"
#include "support/scripted_platform.h"

namespace {

constexpr CalcType N = CalcType::Number;
constexpr CalcType S = CalcType::String;

struct FunctionCase {
  const char* expression;
  const char* text;
  CalcType type;
};

class CalcFunctions : public testing::TestWithParam<FunctionCase> {
 protected:
  ScriptedPlatform platform;  // today is 2026-12-07
};

TEST_P(CalcFunctions, Evaluates) {
  const FunctionCase& c = GetParam();
  CCaculate calc;
  CalcValue value;
  ASSERT_TRUE(calc.Evaluate(c.expression, value))
      << c.expression << ": " << gbk::ToUtf8(calc.GetError().message);
  EXPECT_EQ(gbk::ToUtf8(value.text), gbk::ToUtf8(c.text)) << c.expression;
  EXPECT_EQ(value.type, c.type) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Mathematics, CalcFunctions,
    testing::Values(FunctionCase{"abs(-3)", "3.000000", N}, FunctionCase{"absz(-3)", "0.000000", N},
                    FunctionCase{"absf(-3)", "3.000000", N}, FunctionCase{"sign(-0.00000001)", "0.000000", N},
                    FunctionCase{"sign(-2)", "-1.000000", N}, FunctionCase{"sqrt(16)", "4.000000", N},
                    FunctionCase{"sqrt(-0.0000005)", "0.000000", N}, FunctionCase{"ln(1)", "0.000000", N},
                    FunctionCase{"log(1000)", "3.000000", N}, FunctionCase{"sin(0)", "0.000000", N},
                    FunctionCase{"ctg(1)", "0.642093", N}, FunctionCase{"arcsin(1)", "1.570796", N},
                    FunctionCase{"arctg(1)*4", "3.141592", N} /* 0.785398 travels as text */,
                    FunctionCase{"sin(-(0))", "0.000000", N}, FunctionCase{"abs(-(2+1)*2)", "6.000000", N}));

INSTANTIATE_TEST_SUITE_P(
    RoundingAndBands, CalcFunctions,
    testing::Values(FunctionCase{"round(2.345, 2)", "2.35", N},
                    // 2.675 is held as 2.67499999...; rounding follows the printed digits.
                    FunctionCase{"round(2.675, 2)", "2.67", N}, FunctionCase{"round(1234.5678)", "1235", N},
                    FunctionCase{"round(1, 2)", "1.00", N}, FunctionCase{"round(0, 2)", "0.00", N},
                    FunctionCase{"round(-0.001, 2)", "0.00", N}, FunctionCase{"round(1.5, 0, 2)", "1.5", N},
                    FunctionCase{"round(1.23456, 1, 3)", "1.235", N},
                    FunctionCase{"round(12345.6, , 2)", "12345.6", N},
                    FunctionCase{"caseif(15000, 0, 10000, 0.1, 0.2)", "2000.000000", N},
                    FunctionCase{"caseif(8000, 0, 10000, 0.1, 0.2)", "800.000000", N},
                    FunctionCase{"caseif(-5, 0, 10000, 0.1, 0.2)", "0.000000", N},
                    FunctionCase{"caseif(7)", "7.000000", N}, FunctionCase{"caseif()", "0", N},
                    FunctionCase{"iif(0, 1/0, 5)", "5", N}, FunctionCase{"iif(1, 5, 1/0)", "5", N},
                    FunctionCase{"iif(1>0, \"是\", \"否\")", "是", S}));

INSTANTIATE_TEST_SUITE_P(
    Texts, CalcFunctions,
    testing::Values(
        FunctionCase{"len(\"中文ab\")", "6", N}, FunctionCase{"len(12.50)", "4", N},
        FunctionCase{"len(1-1)", "1", N}, FunctionCase{"len(\"a)b\")", "3", N},
        FunctionCase{"len(\"x]y\")", "3", N}, FunctionCase{"left(\"a,b\", 1)", "a", S},
        FunctionCase{"val(\"12.5元\")", "12.5", N}, FunctionCase{"val(\" -3.25x\")", "-3.25", N},
        FunctionCase{"val(\"abc\")", "0", N}, FunctionCase{"val(7.5)", "7.5", N},
        FunctionCase{"str(\"abcdef\", 2, 3)", "cde", S}, FunctionCase{"str(\"abcdef\", 2)", "cdef", S},
        FunctionCase{"str(\"abc\")", "abc", S}, FunctionCase{"str(\"abc\", 5)", "", S},
        FunctionCase{"str(\"abc\", -1, 2)", "ab", S}, FunctionCase{"str(\"abc\", 1, 99)", "bc", S},
        FunctionCase{"left(\"abcdef\", 2)", "ab", S}, FunctionCase{"right(\"abcdef\", 2)", "ef", S},
        FunctionCase{"left(\"ab\", 5)", "ab", S}, FunctionCase{"right(\"ab\", -1)", "", S},
        FunctionCase{"left(\"ab\")", "ab", S}, FunctionCase{"right(1234, 2)", "34", S},
        FunctionCase{"trim(\"  a b  \")", "a b", S}, FunctionCase{"triml(\"  a b  \")", "a b  ", S},
        FunctionCase{"trimr(\"  a b  \")", "  a b", S},
        FunctionCase{"money(1234.56)", "壹仟贰佰叁拾肆元伍角陆分", S}, FunctionCase{"money(0)", "", S},
        FunctionCase{"money(999999999999.99)", "玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分", S},
        FunctionCase{"num(2026)", "二○二六", S}, FunctionCase{"num(-305.7)", "-三○五", S}));

INSTANTIATE_TEST_SUITE_P(Dates, CalcFunctions,
                         testing::Values(FunctionCase{"date()", "20261207", S},
                                         FunctionCase{"date(0)", "2026", N}, FunctionCase{"date(1)", "12", N},
                                         FunctionCase{"date(2)", "7", N},
                                         FunctionCase{"date(0)+1", "2027", N}));

struct FailureCase {
  const char* expression;
  int code;
};

class CalcFunctionFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(CalcFunctionFailures, Fails) {
  CCaculate calc;
  CalcValue value;
  EXPECT_FALSE(calc.Evaluate(GetParam().expression, value))
      << GetParam().expression << " gave " << value.text;
  EXPECT_EQ(calc.GetError().code, GetParam().code) << GetParam().expression;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CalcFunctionFailures,
    testing::Values(
        FailureCase{"abs()", kCalcTooFewArguments}, FailureCase{"abs( )", kCalcTooFewArguments},
        FailureCase{"abs(1,2)", kCalcTooManyArguments}, FailureCase{"iif(1,2)", kCalcTooFewArguments},
        FailureCase{"iif(1,2,3,4)", kCalcTooManyArguments}, FailureCase{"iif(0,5, )", kCalcTooFewArguments},
        FailureCase{"iif(1, ,5)", kCalcTooFewArguments}, FailureCase{"caseif(1,2)", kCalcTooFewArguments},
        FailureCase{"round()", kCalcTooFewArguments}, FailureCase{"round(1,2,3,4)", kCalcTooManyArguments},
        FailureCase{"date(1,2)", kCalcTooManyArguments},
        FailureCase{"left(\"a\",1,2)", kCalcTooManyArguments}, FailureCase{"abs(\"x\")", kCalcTypeMismatch},
        FailureCase{"iif(\"x\",1,2)", kCalcTypeMismatch},
        FailureCase{"left(\"ab\", \"1\")", kCalcTypeMismatch}, FailureCase{"money(\"1\")", kCalcTypeMismatch},
        FailureCase{"abs(1/0)", kCalcDivideByZero}));

INSTANTIATE_TEST_SUITE_P(
    Domains, CalcFunctionFailures,
    testing::Values(FailureCase{"sqrt(-1)", kCalcDomain}, FailureCase{"ln(-0.5)", kCalcDomain},
                    FailureCase{"ln(0)", kCalcDomain}, FailureCase{"log(-0.0000005)", kCalcDomain},
                    FailureCase{"arcsin(2)", kCalcDomain}, FailureCase{"exp(1000)", kCalcDomain},
                    FailureCase{"ctg(0)", kCalcDomain}));

// An amount whose places have no capital unit is an error, never an empty text; the largest that has them
// is written, and so is its negative.
INSTANTIATE_TEST_SUITE_P(
    Capitals, CalcFunctionFailures,
    testing::Values(FailureCase{"money(1000000000000)", kCalcAmountTooLarge},
                    FailureCase{"money(-1000000000000)", kCalcAmountTooLarge},
                    FailureCase{"money(999999999999.999)", kCalcAmountTooLarge},
                    FailureCase{"money(10^300)", kCalcAmountTooLarge}));

TEST(CalcFunctionLimits, HugeDecimalCountsAreCapped) {
  CCaculate calc;
  CalcValue value;
  ASSERT_TRUE(calc.Evaluate("round(1, 1000000000)", value));
  EXPECT_EQ(value.text, "1." + std::string(20, '0'));
}

}  // namespace
