#include "base/validators.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

bool AllDigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

bool IsNumberText(const std::string& text, int maxIntDigits, int maxDecimals) {
  std::string_view s = text;
  if (s.starts_with('-')) s.remove_prefix(1);
  if (s.find('-') != std::string_view::npos) return false;
  if (s.starts_with("0.")) s.remove_prefix(1);

  size_t point = s.find('.');
  std::string_view whole = s.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
  if (!AllDigits(whole) || !AllDigits(fraction)) return false;

  // Zeros that do not count: leading ones of the integer part, trailing ones of the fraction.
  size_t firstSignificant = whole.find_first_not_of('0');
  whole = firstSignificant == std::string_view::npos ? std::string_view() : whole.substr(firstSignificant);
  size_t lastSignificant = fraction.find_last_not_of('0');
  fraction = lastSignificant == std::string_view::npos ? std::string_view()
                                                       : fraction.substr(0, lastSignificant + 1);

  if (maxIntDigits > 0 && whole.size() > static_cast<size_t>(maxIntDigits)) return false;
  if (maxDecimals > 0 && fraction.size() > static_cast<size_t>(maxDecimals)) return false;
  return true;
}

bool IsCodeText(const std::string& text, int maxSeparators, char separator) {
  if (text.empty()) return true;
  if (text.front() == separator || text.back() == separator) return false;
  int separators = 0;
  char prev = '\0';
  for (char c : text) {
    if (c == separator) {
      if (prev == separator) return false;
      ++separators;
    } else if (c < '0' || c > '9') {
      return false;
    }
    prev = c;
  }
  return maxSeparators < 0 || separators <= maxSeparators;
}

namespace {

// A number text in one spelling: no sign for zero, no leading zeros, the fraction padded to decimals.
std::string Canonical(std::string_view s, int decimals) {
  bool negative = s.starts_with('-');
  if (negative) s.remove_prefix(1);
  size_t point = s.find('.');
  std::string whole(s.substr(0, point));
  std::string fraction(point == std::string_view::npos ? std::string_view() : s.substr(point + 1));
  whole.erase(0, whole.find_first_not_of('0') == std::string::npos ? whole.size() : whole.find_first_not_of('0'));
  if (whole.empty()) whole = "0";
  while (static_cast<int>(fraction.size()) > decimals && fraction.back() == '0') fraction.pop_back();
  fraction.resize(static_cast<size_t>(std::max(decimals, static_cast<int>(fraction.size()))), '0');
  bool zero = whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
  return (negative && !zero ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
}

}  // namespace

bool StoresExactly(const std::string& text, int decimals) {
  if (!IsNumberText(text, 0, decimals) || text.find_first_of("0123456789") == std::string::npos) return false;
  char written[400];
  std::snprintf(written, sizeof written, "%.*lf", decimals, std::strtod(text.c_str(), nullptr));
  return Canonical(written, decimals) == Canonical(text, decimals);
}
