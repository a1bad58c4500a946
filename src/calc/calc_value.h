#pragma once
// Values of the evaluator: a text and its type. Numbers travel as their text, so what the user sees at every
// step is exactly what the next step computes with.
#include <string>
#include <string_view>

enum class CalcType { Number, String };

struct CalcValue {
  std::string text;
  CalcType type = CalcType::Number;

  static CalcValue Number(std::string text) { return {std::move(text), CalcType::Number}; }
  static CalcValue String(std::string text) { return {std::move(text), CalcType::String}; }
  bool IsNumber() const { return type == CalcType::Number; }
};

// The text of a computed number: at most six decimals, trailing zeros and point dropped, no grouping.
// Zero is "0" (the amount formatting writes zero as blanks, which would make a zero vanish from a result).
std::string NumberText(double value);
// The same with minDecimals..maxDecimals places (the "round" function); zero keeps its minDecimals zeros.
std::string NumberText(double value, int minDecimals, int maxDecimals);
// The text of a mathematical function's result: always six decimals, like "%lf".
std::string MathText(double value);
// The value of a number value's text.
double NumberOf(const CalcValue& value);
// A value as text: a string as it stands, a number formatted by NumberText.
std::string TextOf(const CalcValue& value);

// Reads a text of digits with at most one point (a number literal, or the digits "val" found).
// False when the number is too large for a double; "." alone and "" are 0.
bool ReadDecimal(std::string_view digits, double& value);
