// The head text of an interest calculation.
#include "interest/interest_params.h"

#include "base/date.h"
#include "base/text.h"

namespace {

// The rate with up to 6 decimals, trailing zeros dropped.
std::string RateText(double rate) {
  std::string t = Format("%.6f", rate);
  while (!t.empty() && t.back() == '0') t.pop_back();
  if (!t.empty() && t.back() == '.') t.pop_back();
  return t;
}

}  // namespace

std::string InterestParams::HeaderText() const {
  int ys = 0, ms = 0, ds = 0, ye = 0, me = 0, de = 0;
  SplitDate(start, ys, ms, ds);
  SplitDate(end, ye, me, de);
  return Format("%4d 年 %d 月 %d 日至 %4d 年 %d 月 %d 日  日利率：%s/万", ys, ms, ds, ye, me, de,
                RateText(rate).c_str()) +
         (method == DayCount::EqualMonths ? "  计息方法：等月法" : "  计息方法：实月法");
}
