#pragma once
// Whether the books balance. Postings are one-sided rows, so nothing stops a day, a month or the year from
// holding more debits than credits; these are the sums that show it. The reviewed rows are added up by
// level-1 account and period, openings apart, exactly (in millionths) and rounded once per figure as the
// balance tables round theirs, so the trial balance, 数据检查, the entry windows' warnings and the main
// window's status bar all tell the same story as the tables.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "base/money.h"

class CVyDataEnv;

// Debit and credit in cents.
struct SideSums {
  money::Cents debit = 0, credit = 0;
  money::Cents Difference() const { return debit - credit; }
  bool Balanced() const { return debit == credit; }
  SideSums& operator+=(const SideSums& o) {
    debit += o.debit;
    credit += o.credit;
    return *this;
  }
};

// A signed balance on its side: above zero on the debit side, below on the credit side.
SideSums OnItsSide(money::Cents balance);

// "借 1,200.00，贷 1,000.00，差额 200.00": the two sides and their difference, as the warnings word them.
std::string SidesText(const SideSums& sums);

// The status bar's words for the whole book: "借贷不平 差额 200.00", "" when it balances.
std::string ImbalanceText(const SideSums& sums);

// One level-1 account's figures over a span of periods, signed (debit above zero), rounded as shown.
struct TrialFigures {
  money::Cents opening = 0, debit = 0, credit = 0, closing = 0;
};

class BookTally {
 public:
  // A reviewed row: its code (counted under the part before the first '-'), side (1 debit, -1 credit),
  // amount, period (1..12, 0 for a row in none, which only the year's closing balance counts) and whether it
  // is an opening row.
  void Add(const std::string& code, int side, double amount, int period, bool opening);

  // The level-1 codes met, in the order of their text.
  std::vector<std::string> Codes() const;
  // The figures of one level-1 account from the start of period first to the end of period last: the
  // opening balance holds the year's opening and every earlier period.
  TrialFigures Over(const std::string& top, int first, int last) const;

  // The level-1 accounts' opening balances of the year, each on its side.
  SideSums Openings() const;
  // The postings of one period (1..12).
  SideSums Period(int period) const;
  // The level-1 accounts' balances at the year's end (rows in no period included), each on its side.
  SideSums Closing() const;

 private:
  struct Sums {
    money::Micros opening = 0, outside = 0;
    std::array<money::Micros, 12> debit{}, credit{};
  };
  std::map<std::string, Sums> tops_;
};

// Every reviewed row of the open year file, read once. Database errors are thrown (jet::DbError). The main
// window's status bar reads it after every save: on the 200,000-row book that is about 55 ms of CPU (as
// much as one summing statement would take; bench/balance_bench.cpp, BM_BookBalance).
BookTally ReadBookTally(CVyDataEnv& env);

// The days among dates whose reviewed postings (openings aside) do not balance, with their sums, in date
// order.
struct DaySums {
  std::string date;
  SideSums sums;
};
std::vector<DaySums> UnbalancedDays(CVyDataEnv& env, const std::vector<std::string>& dates);

// The reviewed postings of one period, both sides.
SideSums PeriodSides(CVyDataEnv& env, int period);
