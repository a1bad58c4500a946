#include "calc/evaluator.h"

#include <gtest/gtest.h>

#include <map>

#include "base/gbk.h"
#include "calc/calc_arguments.h"

namespace {

constexpr CalcType N = CalcType::Number;
constexpr CalcType S = CalcType::String;

struct ValueCase {
  const char* expression;
  const char* text;
  CalcType type;
};

class CalcEvaluatorValues : public testing::TestWithParam<ValueCase> {};

TEST_P(CalcEvaluatorValues, Evaluates) {
  const ValueCase& c = GetParam();
  CCaculate calc;
  CalcValue value;
  ASSERT_TRUE(calc.Evaluate(c.expression, value))
      << c.expression << ": " << gbk::ToUtf8(calc.GetError().message);
  EXPECT_EQ(value.text, c.text) << c.expression;
  EXPECT_EQ(value.type, c.type) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, CalcEvaluatorValues,
    testing::Values(ValueCase{"1/3", "0.333333", N}, ValueCase{"2*3", "6", N}, ValueCase{"2^-1", "0.5", N},
                    ValueCase{"-2^2", "4", N}, ValueCase{"2^3^2", "512", N}, ValueCase{"1+2*3", "7", N},
                    ValueCase{"(1+2)*3", "9", N}, ValueCase{"(1+2]", "3", N}, ValueCase{"[1+2)*2", "6", N},
                    ValueCase{"10-2-3", "5", N}, ValueCase{"8/4/2", "1", N}, ValueCase{"0.1*3", "0.3", N},
                    ValueCase{"1-1", "0", N}, ValueCase{"--3", "3", N}, ValueCase{"-(-3)", "3", N},
                    ValueCase{"+5", "5", N}, ValueCase{"007", "007", N}, ValueCase{"1.50*1", "1.5", N},
                    ValueCase{".", "0", N}, ValueCase{" 3\r\n+\t4 ", "7", N}, ValueCase{"3\n+4", "7", N},
                    ValueCase{"1000000*1000000", "1000000000000", N}));

INSTANTIATE_TEST_SUITE_P(ComparisonAndLogic, CalcEvaluatorValues,
                         testing::Values(ValueCase{"1 && 2", "1", N}, ValueCase{"1 && 0", "0", N},
                                         ValueCase{"0 || 2", "1", N}, ValueCase{"0 || 0.00000001", "0", N},
                                         // "||" and "&&" share one level, left to right.
                                         ValueCase{"1 || 1 && 0", "0", N}, ValueCase{"1+1 = 2", "1", N},
                                         ValueCase{"1 < 2 = 1", "1", N}, ValueCase{"0.1+0.2 = 0.3", "1", N},
                                         ValueCase{"3 != 3.00000001", "0", N},
                                         ValueCase{"3 > 3.00000001", "0", N}, ValueCase{"3 >= 3", "1", N},
                                         ValueCase{"2 <= 1", "0", N}, ValueCase{"!0", "1", N},
                                         ValueCase{"!5", "0", N}, ValueCase{"!!5", "1", N}));

INSTANTIATE_TEST_SUITE_P(
    Strings, CalcEvaluatorValues,
    testing::Values(ValueCase{"\"3\"+4", "34", S}, ValueCase{"4+\"3\"", "43", S},
                    ValueCase{"abc+\"d\"", "abcd", S}, ValueCase{"\"abc\"<\"abd\"", "1", N},
                    ValueCase{"\"b\">\"abc\"", "1", N}, ValueCase{"\"ab\"-\"cd\"", "ab-cd", S},
                    ValueCase{"\"10\"<9", "1", N}, ValueCase{"\"x\"+1/4", "x0.25", S},
                    ValueCase{"\"x\"+(1-1)", "x0", S}, ValueCase{"\"\"", "", S},
                    ValueCase{"12abc", "12abc", S}, ValueCase{"1.2.3", "1.2.3", S},
                    ValueCase{"\"中文\"+\"字\"", "中文字", S}, ValueCase{"\"a\"=\"a\"", "1", N}));

struct ErrorCase {
  const char* expression;
  int code;
};

class CalcEvaluatorErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(CalcEvaluatorErrors, Fails) {
  const ErrorCase& c = GetParam();
  CCaculate calc;
  CalcValue value;
  EXPECT_FALSE(calc.Evaluate(c.expression, value)) << c.expression << " gave " << value.text;
  CalcError error = calc.GetError();
  EXPECT_EQ(error.code, c.code) << c.expression;
  EXPECT_EQ(error.message, CalcErrorMessage(c.code));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CalcEvaluatorErrors,
    testing::Values(ErrorCase{"10/0", kCalcDivideByZero}, ErrorCase{"1/0.00000001", kCalcDivideByZero},
                    ErrorCase{"0^0", kCalcBadPower}, ErrorCase{"0^-1", kCalcBadPower},
                    ErrorCase{"(-8)^0.5", kCalcBadPower}, ErrorCase{"10^400", kCalcBadPower},
                    ErrorCase{"\"3\"*2", kCalcTypeMismatch}, ErrorCase{"-\"a\"", kCalcTypeMismatch},
                    ErrorCase{"\"a\"^2", kCalcTypeMismatch}, ErrorCase{"\"a\" && 1", kCalcTypeMismatch},
                    ErrorCase{"(1+2", kCalcBracket}, ErrorCase{"1+2)", kCalcBracket},
                    ErrorCase{"((1)", kCalcBracket}, ErrorCase{"1 & 2", kCalcBadOperator},
                    ErrorCase{"1 | 2", kCalcBadOperator}, ErrorCase{"1 2", kCalcBadOperator},
                    ErrorCase{"(1 2)", kCalcBadOperator}, ErrorCase{"1 ! 2", kCalcBadOperator},
                    ErrorCase{"1+*2", kCalcBadSymbol}, ErrorCase{"*2", kCalcBadSymbol},
                    ErrorCase{"", kCalcBadSymbol}, ErrorCase{"1+", kCalcBadSymbol},
                    ErrorCase{"()", kCalcBadSymbol}, ErrorCase{"\"abc", kCalcUnpairedQuote},
                    ErrorCase{"#rate", kCalcUnknownVariable}, ErrorCase{"#r$te", kCalcBadName},
                    ErrorCase{"foo(1)", kCalcUnknownFunction}, ErrorCase{"f$o(1)", kCalcBadName},
                    ErrorCase{"abs(1", kCalcNoRightBracket}, ErrorCase{"abs(-\"a\")", kCalcTypeMismatch}));

TEST(CalcEvaluator, TooLargeNumbersAreRefused) {
  CCaculate calc;
  CalcValue value;
  std::string huge = "1" + std::string(400, '0');
  EXPECT_FALSE(calc.Evaluate(huge, value));
  EXPECT_EQ(calc.GetError().code, kCalcBadNumber);
  std::string big = "1" + std::string(300, '0');
  EXPECT_FALSE(calc.Evaluate(big + "*" + big, value));
  EXPECT_EQ(calc.GetError().code, kCalcBadNumber);
  // So small that it is zero.
  EXPECT_TRUE(calc.Evaluate("0." + std::string(400, '0') + "1+1", value));
  EXPECT_EQ(value.text, "1");
}

TEST(CalcEvaluator, DeepNestingIsABracketError) {
  CCaculate calc;
  CalcValue value;
  EXPECT_TRUE(calc.Evaluate(std::string(50, '(') + "1" + std::string(50, ')'), value));
  EXPECT_FALSE(calc.Evaluate(std::string(5000, '(') + "1" + std::string(5000, ')'), value));
  EXPECT_EQ(calc.GetError().code, kCalcBracket);
  std::string calls;
  for (int i = 0; i < 5000; ++i) calls += "abs(";
  EXPECT_FALSE(calc.Evaluate(calls + "1" + std::string(5000, ')'), value));
  EXPECT_EQ(calc.GetError().code, kCalcBracket);
  // Long flat chains do not nest.
  std::string minuses(5000, '-');
  EXPECT_TRUE(calc.Evaluate(minuses + "1", value));
  EXPECT_EQ(value.text, "1");
}

TEST(CalcEvaluator, ErrorPositionsCountFromTheStartOfTheWholeExpression) {
  struct Case {
    const char* expression;
    int position;
  } cases[] = {{"1 & 2", 3},
               {"\"abc", 4},
               {"1+2)", 4},
               {"abs(1/0)", 7},
               {"1+round(2, 1/0)", 14},
               {"round(1, abs(\"x\")) + 1", 17}};
  for (const Case& c : cases) {
    CCaculate calc;
    CalcValue value;
    EXPECT_FALSE(calc.Evaluate(c.expression, value));
    EXPECT_EQ(calc.GetError().position, c.position) << c.expression;
  }
}

TEST(CalcEvaluator, EvaluateNumberWantsANumber) {
  CCaculate calc;
  double x = 0;
  EXPECT_TRUE(calc.EvaluateNumber("1/4", x));
  EXPECT_DOUBLE_EQ(x, 0.25);
  EXPECT_FALSE(calc.EvaluateNumber("\"a\"", x));
  EXPECT_EQ(calc.GetError().code, kCalcTypeMismatch);
  // A new evaluation starts without the old error.
  EXPECT_TRUE(calc.EvaluateNumber("2", x));
  EXPECT_EQ(calc.GetError().code, kCalcOk);
  EXPECT_EQ(calc.GetError().message, "");
}

// An evaluator that knows variables and one function of its own, as a derived calculator would.
class VariableCalc : public CCaculate {
 public:
  std::unique_ptr<CCaculate> NewEvaluator() const override { return std::make_unique<VariableCalc>(); }
  void InheritSettings(CCaculate& child) const override {
    static_cast<VariableCalc&>(child).variables = variables;
    static_cast<VariableCalc&>(child).lookups = lookups;
  }
  bool LookupVariable(const std::string& name, CalcValue& value) override {
    if (lookups) lookups->push_back(name);
    auto it = variables.find(name);
    if (it == variables.end()) {
      SetError(kCalcUnknownVariable, "没有变量" + name);
      return false;
    }
    value = it->second;
    return true;
  }
  bool CallFunction(const std::string& name, const std::string& arguments, CalcValue& value) override {
    if (name != "twice") return CCaculate::CallFunction(name, arguments, value);
    CalcArguments args(*this, arguments);
    double x = 0;
    if (!args.Expect(1, 1) || !args.Number(0, x)) return false;
    value = CalcValue::Number(NumberText(2 * x));
    return true;
  }

  std::map<std::string, CalcValue> variables{{"rate", CalcValue::Number("0.05")},
                                             {"unit", CalcValue::String("元")}};
  std::vector<std::string>* lookups = nullptr;
};

TEST(CalcEvaluator, DerivedEvaluatorsSupplyVariablesAndFunctions) {
  VariableCalc calc;
  CalcValue value;
  ASSERT_TRUE(calc.Evaluate("#rate*100", value));
  EXPECT_EQ(value.text, "5");
  ASSERT_TRUE(calc.Evaluate("twice(abs(#rate))", value));  // arguments see the variables too
  EXPECT_EQ(value.text, "0.1");
  ASSERT_TRUE(calc.Evaluate("3+#unit", value));
  EXPECT_EQ(value.text, "3元");
  EXPECT_FALSE(calc.Evaluate("thrice(1)", value));
  EXPECT_EQ(calc.GetError().code, kCalcUnknownFunction);

  // The argument evaluator's own message comes up unchanged.
  EXPECT_FALSE(calc.Evaluate("twice(1+#nope)", value));
  EXPECT_EQ(calc.GetError().code, kCalcUnknownVariable);
  EXPECT_EQ(calc.GetError().message, "没有变量nope");
}

TEST(CalcEvaluator, IifEvaluatesOnlyTheBranchTaken) {
  std::vector<std::string> lookups;
  VariableCalc calc;
  calc.lookups = &lookups;
  CalcValue value;
  ASSERT_TRUE(calc.Evaluate("iif(1, #rate, #missing)", value));
  EXPECT_EQ(value.text, "0.05");
  ASSERT_TRUE(calc.Evaluate("iif(0, #missing, #unit)", value));
  EXPECT_EQ(value.text, "元");
  EXPECT_EQ(lookups, (std::vector<std::string>{"rate", "unit"}));
}

}  // namespace
