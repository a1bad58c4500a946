// Rounding to cents as the printed figures do it, and the two number readers (see money.h).
#include "base/money.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/validators.h"

namespace money {

namespace {

constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
constexpr int kMostPlaces = 8;
// Below this a value times 10^places (at most 1e8) keeps enough bits below the point to tell a tie.
constexpr double kQuickRange = 1e12;
// How near half a unit the scaled value may come before the digits themselves must decide: the product
// is exact up to one rounding (fma), so only a true tie, or a value a few ulps from one, gets there.
constexpr double kTieMargin = 1e-6;

// The value "%.*f" writes, read back.
double ThroughText(double value, int places) {
  char buf[400];  // the largest double has 309 integer digits
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, places);
  double back = 0;
  std::from_chars(buf, res.ptr, back);
  return back;
}

// Reads a number of the C library's form (sign, digits, point, exponent) without regard to the locale; a
// number out of a double's range is infinite or 0, as strtod makes it.
double ReadCNumber(std::string_view digits) {
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (res.ec == std::errc::result_out_of_range) return std::strtod(std::string(digits).c_str(), nullptr);
  return res.ec == std::errc() ? value : 0;
}

}  // namespace

double PriceOf(double amount, double quantity, double productZero) {
  return std::fabs(quantity) > kBalanceZero && amount * quantity > productZero ? amount / quantity : 0;
}

double RoundToPlaces(double value, int places) {
  if (places < 0) places = 0;
  if (places > kMostPlaces || !std::isfinite(value) || std::fabs(value) >= kQuickRange)
    return ThroughText(value, places);
  const double scale = kPowersOfTen[places];
  const double units = std::nearbyint(value * scale);
  if (std::fabs(std::fma(value, scale, -units)) < 0.5 - kTieMargin) return units / scale;
  return ThroughText(value, places);
}

Cents ToCents(double value) {
  if (!std::isfinite(value)) return 0;
  // The rounded value is the double nearest to a whole number of cents, so this product is within a
  // fraction of that number.
  if (std::fabs(value) < kQuickRange) return std::llround(RoundToPlaces(value, 2) * 100);
  // Larger: the digits "%.2f" writes, the point left out, as far as 64 bits hold them.
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
  constexpr Cents kMost = std::numeric_limits<Cents>::max() / 10 - 9;
  Cents cents = 0;
  for (const char* p = buf; p != res.ptr; ++p) {
    if (*p < '0' || *p > '9') continue;
    if (cents >= kMost) return value < 0 ? -kMost : kMost;
    cents = cents * 10 + (*p - '0');
  }
  return value < 0 ? -cents : cents;
}

Micros ToMicros(double value) {
  constexpr double kMost = 9e12;
  if (!std::isfinite(value)) return 0;
  if (std::fabs(value) >= kMost) return value < 0 ? -static_cast<Micros>(kMost * 1e6) : static_cast<Micros>(kMost * 1e6);
  return std::llround(value * 1e6);
}

double FromMicros(Micros micros) {
  return static_cast<double>(micros) / 1e6;
}

double FromCents(Cents cents) {
  return static_cast<double>(cents) / 100;
}

double RoundToCents(double value) {
  return RoundToPlaces(value, 2);
}

std::string CentsText(Cents cents) {
  const bool negative = cents < 0;
  // The magnitude as unsigned, so the most negative number has one too.
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
  std::string text = std::to_string(magnitude / 100);
  const unsigned rest = static_cast<unsigned>(magnitude % 100);
  text += '.';
  text += static_cast<char>('0' + rest / 10);
  text += static_cast<char>('0' + rest % 10);
  return negative ? "-" + text : text;
}

double ValNumber(std::string_view text) {
  // The common case, a period or a code: digits only, few enough to be counted exactly, perhaps with the
  // blanks a CHAR column pads it with.
  if (!text.empty() && text.size() <= 15 && text[0] >= '0' && text[0] <= '9') {
    double whole = 0;
    size_t k = 0;
    while (k < text.size() && text[k] >= '0' && text[k] <= '9') whole = whole * 10 + (text[k++] - '0');
    while (k < text.size() && text[k] == ' ') ++k;
    if (k == text.size()) return whole;
  }
  std::string digits;
  size_t i = 0, n = text.size();
  auto skipBlank = [&] {
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
  };
  skipBlank();
  if (i < n && (text[i] == '-' || text[i] == '+')) digits += text[i++];
  bool point = false, any = false;
  while (true) {
    skipBlank();
    if (i >= n) break;
    char c = text[i];
    if (c >= '0' && c <= '9') {
      digits += c;
      any = true;
      ++i;
    } else if (c == '.' && !point) {
      digits += c;
      point = true;
      ++i;
    } else {
      break;
    }
  }
  if (!any) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    size_t j = i + 1;
    std::string ex = "e";
    if (j < n && (text[j] == '-' || text[j] == '+')) ex += text[j++];
    size_t start = j;
    while (j < n && text[j] >= '0' && text[j] <= '9') ex += text[j++];
    if (j > start) digits += ex;
  }
  return ReadCNumber(digits);
}

std::optional<double> TypedNumber(std::string_view text, int* decimals) {
  if (!IsNumberText(std::string(text), 0, 0)) return std::nullopt;
  if (decimals) {
    size_t point = text.find('.');
    *decimals = point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
  }
  if (text.find_first_of("0123456789") == std::string_view::npos) return 0.0;
  return ReadCNumber(text);
}

}  // namespace money
