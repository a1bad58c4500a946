#pragma once
// A date typed as three fields 年 / 月 / 日, as the interest, posting and reconciliation dialogs ask it.
#include <string>

#include "base/input_mask.h"

struct DateFields {
  enum Part { kNone, kYear, kMonth, kDay };

  std::string year, month, day;

  static FieldMask YearMask() { return {"STRING 0123456789", 4}; }
  static FieldMask PartMask() { return {"STRING 0123456789", 2}; }

  // Fills the fields from 'YYYYMMDD' (month and day without leading zeros).
  void Set(const std::string& date);
  // "%4d%2d%2d" with blanks as "0".
  std::string Date() const;
  // The first part that is out of range: year 1990–9999, month 1–12, day 1 to the month's days.
  Part Fault() const;
};
