#include "entry/book_balance.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "base/text.h"
#include "data/data_env.h"
#include "data/database.h"
#include "data/sql_text.h"
#include "entry/posting.h"

using money::Cents;
using money::Micros;

namespace {

Cents Rounded(Micros micros) {
  return money::ToCents(money::FromMicros(micros));
}

// The reviewed rows that meet condition, both sides: one statement.
SideSums SidesWhere(CVyDataEnv& env, const std::string& condition) {
  SideSums sums;
  auto cursor = env.Db()->Query("select f,sum(my) from p0 where mk='4' and " + condition + " group by f");
  for (; !cursor->AtEnd(); cursor->Next())
    (cursor->Int(0) > 0 ? sums.debit : sums.credit) += money::ToCents(cursor->Real(1));
  return sums;
}

}  // namespace

SideSums OnItsSide(Cents balance) {
  SideSums s;
  (balance > 0 ? s.debit : s.credit) += balance > 0 ? balance : -balance;
  return s;
}

std::string SidesText(const SideSums& sums) {
  auto text = [](Cents c) { return Trim(FormatAmount(money::FromCents(c), 0, 2, 2)); };
  auto total = [&](Cents c) { return c == 0 ? std::string("0.00") : text(c); };
  Cents difference = sums.Difference();
  return "借 " + total(sums.debit) + "，贷 " + total(sums.credit) + "，差额 " +
         total(difference < 0 ? -difference : difference);
}

std::string ImbalanceText(const SideSums& sums) {
  if (sums.Balanced()) return "";
  const Cents d = sums.Difference();
  return "借贷不平 差额 " + Trim(FormatAmount(money::FromCents(d < 0 ? -d : d), 0, 2, 2));
}

void BookTally::Add(const std::string& code, int side, double amount, int period, bool opening) {
  Sums& s = tops_[code.substr(0, code.find('-'))];
  const Micros signedAmount = money::ToMicros(side * amount);
  if (opening)
    s.opening += signedAmount;
  else if (period < 1 || period > 12)
    s.outside += signedAmount;
  else
    (side > 0 ? s.debit : s.credit)[static_cast<size_t>(period - 1)] += money::ToMicros(amount);
}

std::vector<std::string> BookTally::Codes() const {
  std::vector<std::string> codes;
  for (const auto& [code, sums] : tops_) codes.push_back(code);
  return codes;
}

TrialFigures BookTally::Over(const std::string& top, int first, int last) const {
  auto it = tops_.find(top);
  if (it == tops_.end()) return {};
  const Sums& s = it->second;
  Micros opening = s.opening, debit = 0, credit = 0;
  for (int p = 1; p <= last && p <= 12; ++p) {
    const size_t i = static_cast<size_t>(p - 1);
    if (p < first) {
      opening += s.debit[i] - s.credit[i];
    } else {
      debit += s.debit[i];
      credit += s.credit[i];
    }
  }
  // Each figure is rounded once, the closing one from the exact sum, as the tables do.
  return {Rounded(opening), Rounded(debit), Rounded(credit), Rounded(opening + debit - credit)};
}

SideSums BookTally::Openings() const {
  SideSums sums;
  for (const auto& [code, s] : tops_) sums += OnItsSide(Rounded(s.opening));
  return sums;
}

SideSums BookTally::Period(int period) const {
  SideSums sums;
  if (period < 1 || period > 12) return sums;
  for (const auto& [code, s] : tops_) {
    sums.debit += Rounded(s.debit[static_cast<size_t>(period - 1)]);
    sums.credit += Rounded(s.credit[static_cast<size_t>(period - 1)]);
  }
  return sums;
}

SideSums BookTally::Closing() const {
  SideSums sums;
  for (const auto& [code, s] : tops_) {
    Micros closing = s.opening + s.outside;
    for (size_t i = 0; i < 12; ++i) closing += s.debit[i] - s.credit[i];
    sums += OnItsSide(Rounded(closing));
  }
  return sums;
}

BookTally ReadBookTally(CVyDataEnv& env) {
  BookTally tally;
  auto cursor = env.Db()->Query("select trim(kno),tt,cer,f,my from p0 where mk='4'");
  for (; !cursor->AtEnd(); cursor->Next()) {
    const std::string tt(cursor->TextView(1));
    tally.Add(std::string(cursor->TextView(0)), static_cast<int>(cursor->Int(3)), cursor->Real(4),
              std::atoi(tt.c_str()), cursor->TextView(2) == "    ");
  }
  return tally;
}

std::vector<DaySums> UnbalancedDays(CVyDataEnv& env, const std::vector<std::string>& dates) {
  std::vector<std::string> sorted = dates;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::vector<DaySums> days;
  // A few days are looked up one by one through the date index; many are read in one pass.
  constexpr size_t kOneByOne = 20;
  if (sorted.size() <= kOneByOne) {
    for (const std::string& date : sorted) {
      SideSums sums = SidesWhere(env, Format("rn>0 and t='%s'", jet::SqlText(date).c_str()));
      if (!sums.Balanced()) days.push_back({date, sums});
    }
    return days;
  }
  std::map<std::string, SideSums> all;
  auto cursor = env.Db()->Query("select t,f,sum(my) from p0 where mk='4' and rn>0 group by t,f");
  for (; !cursor->AtEnd(); cursor->Next()) {
    SideSums& sums = all[Trim(std::string(cursor->TextView(0)))];
    (cursor->Int(1) > 0 ? sums.debit : sums.credit) += money::ToCents(cursor->Real(2));
  }
  for (const std::string& date : sorted)
    if (auto it = all.find(date); it != all.end() && !it->second.Balanced()) days.push_back({date, it->second});
  return days;
}

SideSums PeriodSides(CVyDataEnv& env, int period) {
  return SidesWhere(env, "rn>0 and tt='" + PeriodKey(period) + "'");
}
