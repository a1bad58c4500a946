#pragma once
// Accounting periods 1..12 of the open year, bounded by the year's first and last dates and the
// month-closing day.
#include <string>

#include "data/data_env.h"

struct AccountingYear {
  int year = 0;         // the accounting year of the year file
  int closingDay = 31;  // SYSTAB.JT read as an integer: 0dd closes on day dd of the period's own month,
                        // 1dd on day dd of the following month
  std::string start;    // SYSTAB.T1, 'YYYYMMDD'
  std::string end;      // SYSTAB.T13, 'YYYYMMDD'
};

struct PeriodDates {
  std::string first, last;  // 'YYYYMMDD'
};

// The first and last date of period p (1..12). Period 1 closing in its own month starts on the year's first
// date; period 12 always ends on the year's last date.
PeriodDates AccountingPeriod(const AccountingYear& year, int p);
// The first period whose dates contain date (compared as texts), or 0 when none does.
int PeriodOfDate(const AccountingYear& year, const std::string& date);

// The year, closing day and dates of the open year file.
AccountingYear YearOf(const CVyDataEnv& env);
