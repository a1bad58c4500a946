#include "calc/calc_value.h"

#include <charconv>
#include <cmath>
#include <system_error>

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
  value = 0;
  if (digits.find_first_of("0123456789") == std::string_view::npos) return true;
  auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    // Out of range is either too large, or so small that it is zero for every purpose of the calculator.
    std::string_view whole = digits.substr(0, digits.find('.'));
    value = 0;
    return whole.find_first_of("123456789") == std::string_view::npos;
  }
  if (res.ec != std::errc()) value = 0;
  return std::isfinite(value);
}
