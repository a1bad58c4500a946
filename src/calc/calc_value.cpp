#include "calc/calc_value.h"

#include <cmath>

#include "base/money.h"
#include "base/text.h"

std::string NumberText(double value, int minDecimals, int maxDecimals) {
  std::string text = ReplaceAll(FormatAmount(value, 0, minDecimals, maxDecimals), ",", "");
  if (text.empty()) {
    text = "0";
    if (minDecimals > 0) text += "." + std::string(static_cast<size_t>(minDecimals), '0');
  }
  return text;
}

std::string NumberText(double value) {
  return NumberText(value, 0, 6);
}

std::string MathText(double value) {
  return NumberText(value, 6, 6);
}

double NumberOf(const CalcValue& value) {
  return ParseNumber(value.text);
}

std::string TextOf(const CalcValue& value) {
  return value.IsNumber() ? NumberText(NumberOf(value)) : value.text;
}

bool ReadDecimal(std::string_view digits, double& value) {
  // Too small a number is zero for every purpose of the calculator; too large one is no number.
  value = money::TypedNumber(digits).value_or(0);
  if (std::isfinite(value)) return true;
  value = 0;
  return false;
}
