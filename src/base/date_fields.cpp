// Dates typed as 年 / 月 / 日.
#include "base/date_fields.h"

#include <cstdlib>

#include "base/date.h"
#include "base/text.h"

int DateFields::Number(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 6) return -1;
  for (char c : t)
    if (c < '0' || c > '9') return -1;
  return std::atoi(t.c_str());
}

DateFields::Part DateFields::Check() const {
  if (Year() < 1990 || Year() > 9999) return kYear;
  if (Month() < 1 || Month() > 12) return kMonth;
  if (Day() < 1 || Day() > DaysInMonth(Year(), Month())) return kDay;
  return kNone;
}

std::string DateFields::Date() const {
  return Format("%04d%02d%02d", Year(), Month(), Day());
}

void DateFields::Set(const std::string& date) {
  int y = 0, m = 0, d = 0;
  if (!SplitDate(date, y, m, d)) return;
  year = Format("%d", y);
  month = Format("%d", m);
  day = Format("%d", d);
}
