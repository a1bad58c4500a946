#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "base/text.h"
#include "base/validators.h"
#include "calc/evaluator.h"
#include "support/scripted_platform.h"

namespace {

// Pieces that random texts are made of: every token kind, every function, and the characters that have a
// meaning inside names, calls and strings, including a double-byte character.
const char* const kPieces[] = {
    "1",     "0",     "2.5",    ".",    "007",     "1e5",   "99999999999", "+",      "-",       "*",
    "/",     "^",     "&",      "&&",   "|",       "||",    "!",           "!=",     "=",       "<",
    ">",     "<=",    ">=",     "(",    ")",       "[",     "]",           "\"",     "\"ab\"",  ",",
    " ",     "\t",    "\n",     "#",    "#x",      "abc",   "中",          "iif(",   "caseif(", "round(",
    "str(",  "left(", "right(", "len(", "val(",    "trim(", "date(",       "money(", "num(",    "abs(",
    "sqrt(", "ln(",   "exp(",   "ctg(", "arcsin(", "foo(",  "1/0",         "0^0",    "10^",     "$",
};

const char* const kOperators[] = {"+", "-", "*", "/", "^", "=", "!=", "<", ">", "<=", ">=", "&&", "||"};
const char* const kFunctions[] = {"abs",   "sqrt",   "ln",    "exp",   "sin", "ctg",  "arcsin",
                                  "iif",   "caseif", "round", "len",   "val", "str",  "left",
                                  "right", "trim",   "date",  "money", "num", "sign", "absz"};
const char* const kLeaves[] = {"0", "1", "2", "3.5", "100", "0.001", "1234.56", "\"ab\"", "\"中\"", "x", "."};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  // Arbitrary text built from the pieces: mostly malformed.
  std::string Pieces() {
    std::string text;
    for (int n = Pick(40) + 1; n > 0; --n) text += kPieces[Pick(std::size(kPieces))];
    return text;
  }

  // A well-formed expression: brackets balanced, operators between values, functions with 0 to 4 arguments.
  std::string Expression(int depth) {
    int choice = depth > 4 ? 0 : Pick(4);
    if (choice == 0) return kLeaves[Pick(std::size(kLeaves))];
    if (choice == 1)
      return Expression(depth + 1) + kOperators[Pick(std::size(kOperators))] + Expression(depth + 1);
    if (choice == 2) return std::string(Pick(2) ? "-" : "(") + Expression(depth + 1) + (Pick(2) ? "" : ")");
    std::string call = std::string(kFunctions[Pick(std::size(kFunctions))]) + "(";
    for (int n = Pick(5), i = 0; i < n; ++i) call += (i ? "," : "") + Expression(depth + 1);
    return call + ")";
  }

 private:
  int Pick(size_t n) { return static_cast<int>(std::uniform_int_distribution<size_t>(0, n - 1)(random_)); }
  std::mt19937 random_;
};

// Either a value whose number text reads back as a finite number, or an error with its message and a
// position inside the expression.
void ExpectSound(const std::string& expression, int& succeeded) {
  CCaculate calc;
  CalcValue value;
  if (calc.Evaluate(expression, value)) {
    ++succeeded;
    EXPECT_EQ(calc.GetError().code, kCalcOk);
    if (value.IsNumber()) {
      EXPECT_TRUE(IsNumberText(value.text, 0, 0)) << expression << " gave " << value.text;
      EXPECT_TRUE(std::isfinite(ParseNumber(value.text))) << expression;
    }
    return;
  }
  CalcError error = calc.GetError();
  EXPECT_LE(error.code, -1) << expression;
  EXPECT_GE(error.code, kCalcAmountTooLarge) << expression;
  EXPECT_FALSE(error.message.empty()) << expression;
  EXPECT_GE(error.position, 0) << expression;
  EXPECT_LE(error.position, static_cast<int>(expression.size())) << expression;
}

TEST(CalcFuzz, RandomTextsEndWithAValueOrAnError) {
  ScriptedPlatform platform;
  Generator generate(20261207);
  int succeeded = 0;
  for (int i = 0; i < 10000; ++i) ExpectSound(generate.Pieces(), succeeded);
  EXPECT_GT(succeeded, 0);
}

TEST(CalcFuzz, RandomExpressionsEndWithAValueOrAnError) {
  ScriptedPlatform platform;
  Generator generate(7);
  int succeeded = 0;
  for (int i = 0; i < 10000; ++i) ExpectSound(generate.Expression(0), succeeded);
  // The mix must get past the tokenizer into the operators and functions.
  EXPECT_GT(succeeded, 2000);
}

}  // namespace
