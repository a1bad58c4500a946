#include "base/date.h"

#include <algorithm>

#include "base/text.h"

namespace {

std::string ZeroFilled(std::string s) {
  std::replace(s.begin(), s.end(), ' ', '0');
  return s;
}

int Digits(const std::string& s, size_t from, size_t count) {
  int n = 0;
  for (size_t i = from; i < from + count; ++i) n = n * 10 + (s[i] - '0');
  return n;
}

}  // namespace

std::string MakeDate(int year, int month, int day) {
  return ZeroFilled(Format("%4d%2d%2d", year, month, day));
}

std::string MakeMonthKey(int year, int month) {
  return ZeroFilled(Format("%4d%2d", year, month));
}

bool SplitDate(const std::string& date, int& year, int& month, int& day) {
  if (date.size() != 8 || !std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  year = Digits(date, 0, 4);
  month = Digits(date, 4, 2);
  day = Digits(date, 6, 2);
  return true;
}
