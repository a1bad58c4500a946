#pragma once
// CCaculate, the expression evaluator behind the calculator.
//
// Grammar, from the lowest precedence (binary levels associate to the left, "^" to the right):
//   or       := compare { ("||" | "&&") compare }
//   compare  := additive { (">" | "<" | ">=" | "<=" | "=" | "!=") additive }
//   additive := term { ("+" | "-") term }
//   term     := power { ("*" | "/") power }
//   power    := unary [ "^" power ]
//   unary    := { "!" | "+" | "-" } primary          so -2^2 is (-2)^2
//   primary  := ("(" | "[") or (")" | "]") | number | "string" | name | #variable | name(arguments)
// Values are texts with a type (calc_value.h). Built-in functions are in calc_builtins.cpp; a name the
// evaluator does not know goes to LookupVariable or CallFunction, which a derived evaluator overrides.
// The first error stops the evaluation; GetError tells the code, its message and where it was found.
#include <memory>
#include <string>

#include "calc/calc_error.h"
#include "calc/calc_tokenizer.h"
#include "calc/calc_value.h"

class CCaculate {
 public:
  CCaculate() = default;
  CCaculate(const CCaculate&) = delete;
  CCaculate& operator=(const CCaculate&) = delete;
  virtual ~CCaculate() = default;

  // A fresh evaluator of this evaluator's own class: every function argument is evaluated by one.
  virtual std::unique_ptr<CCaculate> NewEvaluator() const { return std::make_unique<CCaculate>(); }

  bool Evaluate(const std::string& expression, CalcValue& result);
  // Evaluate, then the value must be a number (else code -14).
  bool EvaluateNumber(const std::string& expression, double& result);

  virtual CalcError GetError() const;
  // "#name" in an expression: this evaluator knows no variables (code -6).
  virtual bool LookupVariable(const std::string& name, CalcValue& value);
  // A function name that is not built in; arguments is the raw text between the brackets (code -7).
  virtual bool CallFunction(const std::string& name, const std::string& arguments, CalcValue& value);
  // Copies settings into an evaluator made for a function argument.
  virtual void InheritSettings(CCaculate& child) const;
  // Copies an argument evaluator's error into this one.
  virtual void TakeError(const CCaculate& child);

 protected:
  // Records an error at the current read position; the first error recorded stands.
  void SetError(int code);
  void SetError(int code, const std::string& message);

 private:
  friend class CalcArguments;
  static constexpr int kMaxDepth = 100;

  bool Advance();
  bool ParseOr(CalcValue& value);
  bool ParseCompare(CalcValue& value);
  bool ParseAdditive(CalcValue& value);
  bool ParseTerm(CalcValue& value);
  bool ParsePower(CalcValue& value);
  bool ParseUnary(CalcValue& value);
  bool ParsePrimary(CalcValue& value);
  bool ParseBracket(CalcValue& value);
  bool Literal(CalcValue& value);
  bool Variable(CalcValue& value);
  bool Call(CalcValue& value);
  bool Binary(const std::string& op, const CalcValue& a, const CalcValue& b, CalcValue& result);
  bool NumberResult(double x, int failCode, CalcValue& result);

  CalcTokenizer tokens_;
  CalcToken token_;
  CalcError error_;
  // Brackets and calls open around this evaluator's expression (function arguments are evaluated by
  // evaluators of their own); bounds the recursion whatever the user types.
  int outerDepth_ = 0;
  // Where the arguments of the call being made start in the expression.
  size_t argumentsAt_ = 0;
};
