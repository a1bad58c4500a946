#pragma once
// What an interest calculation is asked for: the period, the account (empty: the whole chart), the daily
// rate per ten thousand, the day count and the side on which the balance bears interest.
#include <string>

#include "interest/day_count.h"

struct InterestParams {
  std::string start, end;  // 'YYYYMMDD'
  std::string code;
  double rate = 0;
  DayCount method = DayCount::EqualMonths;
  bool credit = false;  // 贷方: a credit balance bears positive interest

  int Direction() const { return credit ? -1 : 1; }
  // "计息时间：" is followed by this text in the window's head.
  std::string HeaderText() const;
  bool operator==(const InterestParams&) const = default;
};
