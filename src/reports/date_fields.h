#pragma once
// A date typed into three fields of a report's dialog: year, month and day.
#include <string>

struct ReportDateFields {
  std::string year, month, day;

  enum Fault { kNone, kYear, kMonth, kDay };
  // The first field out of range: year 1990..9999, month 1..12, day within the month.
  Fault Check() const;
  int Year() const { return Number(year); }
  int Month() const { return Number(month); }
  int Day() const { return Number(day); }
  // 'YYYYMMDD' of the fields (checked first).
  std::string Date() const;
  // Fills the fields from 'YYYYMMDD'.
  void Set(const std::string& date);

  // The whole number a field holds, -1 when it holds anything else.
  static int Number(const std::string& text);
};
