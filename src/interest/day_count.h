#pragma once
// The two ways interest counts the days between two dates: 等月法, where every month has 30 days, and 实月法,
// by the calendar.
#include <string>

enum class DayCount {
  EqualMonths,   // 等月法
  ActualMonths,  // 实月法
};

// Days from a to b (texts 'YYYYMMDD', a not after b; a = b gives 0); -1 when either is not 8 characters.
// 等月法 caps both day numbers at 30.
long CountDays(const std::string& a, const std::string& b, DayCount method);
