// Dates typed as 年 / 月 / 日.
#include "interest/date_fields.h"

#include <cstdlib>

#include "base/date.h"
#include "base/text.h"

void DateFields::Set(const std::string& date) {
  int y = 0, m = 0, d = 0;
  if (!SplitDate(date, y, m, d)) return;
  year = Format("%d", y);
  month = Format("%d", m);
  day = Format("%d", d);
}

std::string DateFields::Date() const {
  return MakeDate(std::atoi(year.c_str()), std::atoi(month.c_str()), std::atoi(day.c_str()));
}

DateFields::Part DateFields::Fault() const {
  int y = std::atoi(year.c_str()), m = std::atoi(month.c_str()), d = std::atoi(day.c_str());
  if (y < 1990 || y > 9999) return kYear;
  if (m < 1 || m > 12) return kMonth;
  if (d < 1 || d > DaysInMonth(y, m)) return kDay;
  return kNone;
}
