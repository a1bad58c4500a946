#pragma once
// The evaluator's error codes and the messages the calculator shows for them.
#include <string>

enum CalcErrorCode {
  kCalcOk = 0,
  kCalcBracket = -1,  // unbalanced or too deeply nested brackets
  kCalcDivideByZero = -2,
  kCalcBadNumber = -3,       // a number too large to hold
  kCalcBadName = -4,         // a function or variable name with characters other than letters, digits, "_"
  kCalcNoRightBracket = -5,  // a function call still open at the end of the text
  kCalcUnknownVariable = -6,
  kCalcUnknownFunction = -7,
  kCalcBadSymbol = -8,    // an operator where a value is expected
  kCalcBadOperator = -9,  // a lone "&" or "|", or a value where an operator is expected
  kCalcBadPower = -10,
  kCalcTooFewArguments = -11,
  kCalcTooManyArguments = -12,
  kCalcUnpairedQuote = -13,
  kCalcTypeMismatch = -14,
  kCalcDomain = -15,  // a mathematical function outside the range where it has a value
  kCalcAmountTooLarge = -16,  // money() of an amount whose places have no capital unit
};

struct CalcError {
  int code = kCalcOk;
  std::string message;  // empty when code is 0
  int position = 0;     // byte offset of the read position in the expression when the error was found
};

// The message of a negative code; empty for 0 and for codes the table does not know.
std::string CalcErrorMessage(int code);
