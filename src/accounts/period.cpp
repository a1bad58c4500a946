#include "accounts/period.h"

#include <cstdlib>

#include "base/date.h"
#include "base/text.h"

PeriodDates AccountingPeriod(const AccountingYear& year, int p) {
  PeriodDates dates{year.start, year.end};
  const int k = p - 1 + year.closingDay / 100;
  const int y = year.year + k / 12;
  const int month = k % 12 + 1;
  const int closing = year.closingDay % 100;

  // A closing day past the end of a short month closes on its last day.
  const int days = DaysInMonth(y, month);
  if (p != 12) dates.last = MakeDate(y, month, closing > days ? days : closing);

  // The period starts the day after the previous month's closing day, or on the 1st when that month has
  // no such day. A period closing in January starts with the year.
  if (month - 1 >= 1) {
    if (closing + 1 > DaysInMonth(y, month - 1))
      dates.first = MakeDate(y, month, 1);
    else
      dates.first = MakeDate(y, month - 1, closing + 1);
  }
  return dates;
}

int PeriodOfDate(const AccountingYear& year, const std::string& date) {
  for (int p = 1; p <= 12; ++p) {
    PeriodDates dates = AccountingPeriod(year, p);
    if (dates.first <= date && date <= dates.last) return p;
  }
  return 0;
}

AccountingYear YearOf(const CVyDataEnv& env) {
  return {env.year, std::atoi(env.closingDay.c_str()), env.startDate, env.endDate};
}
