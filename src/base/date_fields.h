#pragma once
// A date typed into three fields 年 / 月 / 日, as the report, interest, posting and reconciliation dialogs
// ask it.
#include <string>

#include "base/input_mask.h"
#include "base/refusal.h"

struct DateFields {
  enum Part { kNone, kYear, kMonth, kDay };

  std::string year, month, day;

  static FieldMask YearMask() { return {"STRING 0123456789", 4}; }
  static FieldMask PartMask() { return {"STRING 0123456789", 2}; }

  // The first field out of range: year 1990–9999, month 1–12, day 1 to the month's days.
  Part Check() const;
  int Year() const { return Number(year); }
  int Month() const { return Number(month); }
  int Day() const { return Number(day); }
  // 'YYYYMMDD' of the fields (checked first).
  std::string Date() const;
  // Fills the fields from 'YYYYMMDD' (month and day without leading zeros); a malformed date changes nothing.
  void Set(const std::string& date);

  // The whole number a field holds (blanks around it allowed), -1 when it holds anything else.
  static int Number(const std::string& text);
};

// A dialog's check of one date's fields: the first part out of range takes the focus with the message
// prefix + "年度" / "月份" / "日" + suffix. True when the date is whole.
template <class Focus, class Field>
bool CheckDateParts(const DateFields& date, Focus& focus, Field year, Field month, Field day,
                    const std::string& prefix, const std::string& suffix, MsgIcon icon) {
  switch (date.Check()) {
    case DateFields::kYear:
      return Refuse(focus, year, prefix + "年度" + suffix, icon);
    case DateFields::kMonth:
      return Refuse(focus, month, prefix + "月份" + suffix, icon);
    case DateFields::kDay:
      return Refuse(focus, day, prefix + "日" + suffix, icon);
    case DateFields::kNone:
      break;
  }
  return true;
}
