#pragma once
// The arguments of a function call. They are split at the top-level commas and each one is evaluated only
// when the function asks for it, by a fresh evaluator of the caller's class ("iif" never evaluates the
// branch it does not take). Every failure is recorded in the calling evaluator.
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_value.h"

class CCaculate;

class CalcArguments {
 public:
  CalcArguments(CCaculate& caller, std::string_view text);

  // The number of arguments; blank texts at the end count as none, so "f()" and "f( )" have none.
  int Count() const { return count_; }
  bool IsBlank(int i) const;
  // Argument i as typed, without the blanks around it or the quotes of a text literal: for a function
  // that reads an argument itself (an account code), not as an expression.
  std::string Raw(int i) const;
  // Fails with code -11 below min arguments and -12 above max.
  bool Expect(int min, int max);

  // Argument i evaluated; a blank or missing argument is code -11.
  bool Value(int i, CalcValue& value);
  // The same, and it must be a number (code -14).
  bool Number(int i, double& x);
  // The same as a text: a number is written as numbers are.
  bool Text(int i, std::string& text);
  // Records code in the caller and returns false.
  bool Fail(int code);

 private:
  struct Piece {
    std::string text;
    size_t offset;  // in the call's argument text
  };

  CCaculate& caller_;
  std::vector<Piece> pieces_;
  int count_ = 0;
};
