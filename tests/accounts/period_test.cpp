#include "accounts/period.h"

#include <gtest/gtest.h>

#include "base/date.h"
#include "base/text.h"

namespace {

struct PeriodCase {
  AccountingYear year;
  int period;
  const char* first;
  const char* last;
};

class PeriodRanges : public testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodRanges, HaveTheirFirstAndLastDates) {
  const PeriodCase& c = GetParam();
  PeriodDates dates = AccountingPeriod(c.year, c.period);
  EXPECT_EQ(dates.first, c.first) << "closing day " << c.year.closingDay << ", period " << c.period;
  EXPECT_EQ(dates.last, c.last) << "closing day " << c.year.closingDay << ", period " << c.period;
}

const AccountingYear kCalendar{2026, 31, "20260101", "20261231"};
const AccountingYear kLeap{2024, 31, "20240101", "20241231"};
const AccountingYear k25th{2026, 25, "20251226", "20261225"};
const AccountingYear kNext5th{2026, 105, "20260106", "20270105"};
const AccountingYear k30th{2026, 30, "20251231", "20261230"};
const AccountingYear k28thLeap{2024, 28, "20231229", "20241228"};

INSTANTIATE_TEST_SUITE_P(
    ClosingDays, PeriodRanges,
    testing::Values(
        PeriodCase{kCalendar, 1, "20260101", "20260131"}, PeriodCase{kCalendar, 2, "20260201", "20260228"},
        PeriodCase{kCalendar, 3, "20260301", "20260331"}, PeriodCase{kCalendar, 12, "20261201", "20261231"},
        PeriodCase{kLeap, 2, "20240201", "20240229"}, PeriodCase{kLeap, 3, "20240301", "20240331"},
        PeriodCase{{1900, 31, "19000101", "19001231"}, 2, "19000201", "19000228"},
        PeriodCase{{2000, 31, "20000101", "20001231"}, 2, "20000201", "20000229"},
        PeriodCase{k25th, 1, "20251226", "20260125"}, PeriodCase{k25th, 2, "20260126", "20260225"},
        PeriodCase{k25th, 12, "20261126", "20261225"}, PeriodCase{kNext5th, 1, "20260106", "20260205"},
        PeriodCase{kNext5th, 2, "20260206", "20260305"}, PeriodCase{kNext5th, 11, "20261106", "20261205"},
        // Closing in the following month, period 12 is the whole year.
        PeriodCase{kNext5th, 12, "20260106", "20270105"},
        // A closing day February lacks: February closes on its last day, March starts on the 1st.
        PeriodCase{k30th, 2, "20260131", "20260228"}, PeriodCase{k30th, 3, "20260301", "20260330"},
        PeriodCase{k30th, 4, "20260331", "20260430"}, PeriodCase{k28thLeap, 3, "20240229", "20240328"}));

std::string NextDay(const std::string& date) {
  int y = 0, m = 0, d = 0;
  SplitDate(date, y, m, d);
  if (++d > DaysInMonth(y, m)) {
    d = 1;
    if (++m > 12) {
      m = 1;
      ++y;
    }
  }
  return MakeDate(y, m, d);
}

TEST(PeriodOfDate, EveryDayOfTheYearFallsInOnePeriodInOrder) {
  for (const AccountingYear& year : {kCalendar, kLeap, k25th, kNext5th, k30th, k28thLeap}) {
    for (int p = 1; p < 11; ++p)
      EXPECT_EQ(AccountingPeriod(year, p + 1).first, NextDay(AccountingPeriod(year, p).last))
          << year.closingDay << " after period " << p;
    int previous = 0;
    for (std::string day = year.start; day <= year.end; day = NextDay(day)) {
      int p = PeriodOfDate(year, day);
      ASSERT_GE(p, 1) << day;
      EXPECT_GE(p, previous) << day;
      previous = p;
    }
  }
}

TEST(PeriodOfDate, FindsThePeriodOfADate) {
  struct Case {
    AccountingYear year;
    const char* date;
    int period;
  } cases[] = {{kCalendar, "20260215", 2}, {kCalendar, "20261231", 12}, {kCalendar, "20270101", 0},
               {kCalendar, "20251231", 0}, {kLeap, "20240229", 2},      {k25th, "20251226", 1},
               {k25th, "20260126", 2},     {k25th, "20261226", 0},      {kNext5th, "20260105", 0},
               {kNext5th, "20261206", 12}, {kNext5th, "20270105", 12},  {kNext5th, "20260205", 1}};
  for (const Case& c : cases) EXPECT_EQ(PeriodOfDate(c.year, c.date), c.period) << c.date;
}

}  // namespace
