#include "base/text.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "base/gbk.h"
#include "base/money.h"

std::string Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(nullptr, 0, fmt, args);
  va_end(args);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), fmt, again);
    out.resize(static_cast<size_t>(n));
  }
  va_end(again);
  return out;
}

namespace {

// What "%.*lf" prints in the C locale. The front end switches the process to the user's locale, where printf
// may write a decimal comma, so amounts never go through printf.
std::string FixedText(double value, int decimals) {
  std::string buf(static_cast<size_t>(decimals) + 400, '\0');  // the largest double has 309 integer digits
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals);
  buf.resize(static_cast<size_t>(res.ptr - buf.data()));
  return buf;
}

std::string RightAligned(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

}  // namespace

std::string FormatAmount(double value, int width, int minDecimals, int maxDecimals) {
  if (width < 0) width = -width;
  if (minDecimals < 0) minDecimals = 0;
  if (maxDecimals < minDecimals) maxDecimals = minDecimals;

  // Zero is judged on the rounded value, so -0.004 with two places is blank rather than "-0". The rounded
  // text of the value is its magnitude's with a sign in front: it is made once, on the stack when it fits
  // (reports format every amount they show).
  char buf[128];
  std::string spare;
  std::string_view rounded;
  if (std::isfinite(value) && std::fabs(value) < 1e30 && maxDecimals < 64) {
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, maxDecimals);
    rounded = std::string_view(buf, static_cast<size_t>(res.ptr - buf));
  } else {
    spare = FixedText(value, maxDecimals);
    rounded = spare;
  }
  // With up to six places a rounded text is zero when all its digits are, else at least 0.000001, more
  // than the sign's tolerance. Infinity and NaN are written as they are.
  bool zero = std::isfinite(value) && (maxDecimals > 6
                                           ? std::fabs(money::TypedNumber(rounded).value_or(0)) <= money::kSignZero
                                           : rounded.find_first_of("123456789") == std::string_view::npos);
  if (zero) return std::string(width, ' ');

  if (!rounded.empty() && rounded.front() == '-') rounded.remove_prefix(1);
  std::string digits(rounded);
  size_t point = digits.find('.');
  if (point != std::string::npos) {
    size_t keep = point + 1 + static_cast<size_t>(minDecimals);
    while (digits.size() > keep && digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }

  const int sign = value < 0 ? 1 : 0;
  const int length = static_cast<int>(digits.size());
  if (width >= 1 && length + sign > width) return std::string(width, '*');

  const int intDigits = static_cast<int>(point == std::string::npos ? digits.size() : point);
  if (width < 1 || width >= length + sign + (intDigits - 1) / 3) {
    std::string grouped = sign ? "-" : "";
    for (int i = 0; i < intDigits; ++i) {
      if (i > 0 && (intDigits - i) % 3 == 0) grouped += ',';
      grouped += digits[static_cast<size_t>(i)];
    }
    grouped.append(digits, static_cast<size_t>(intDigits));
    return RightAligned(std::move(grouped), width);
  }

  // No room for the commas: the plain digits, the sign in the blank just before them.
  std::string text = RightAligned(digits, width);
  if (sign) text[static_cast<size_t>(width - length - 1)] = '-';
  return text;
}

int SignOf(double x) {
  if (x > money::kSignZero) return 1;
  if (x < -money::kSignZero) return -1;
  return 0;
}

double ParseNumber(const std::string& text) {
  return money::TypedNumber(text).value_or(0);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return -1;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  if (find.empty()) return std::string(text);
  // Matches are taken only at character boundaries: the second byte of a double-byte character may equal an
  // ASCII sign such as "|" or "\\", and replacing it would break the character.
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    if (text.substr(pos).starts_with(find)) {
      out += replacement;
      pos += find.size();
    } else {
      size_t next = gbk::NextChar(text, pos);
      out.append(text, pos, next - pos);
      pos = next;
    }
  }
  return out;
}

std::string Trim(std::string_view s) {
  return LTrim(RTrim(s));
}

std::string RTrim(std::string_view s) {
  size_t end = s.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1));
}

std::string LTrim(std::string_view s) {
  size_t start = s.find_first_not_of(' ');
  return std::string(start == std::string_view::npos ? std::string_view() : s.substr(start));
}

bool HasControlChar(std::string_view text) {
  for (char c : text) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) return true;
  }
  return false;
}
