#include "entry/posting.h"

#include <cmath>

#include "base/money.h"
#include "base/text.h"
#include "data/database.h"
#include "data/sql_text.h"

using jet::SqlText;

const char* const kInsertPosting =
    "INSERT INTO P0(t,mry,cer,kno,f,my,nu,mk,rn,tt) VALUES(?,?,?,?,?,?,?,?,?,?)";

double CellNumber(const std::string& text) {
  std::string plain;
  for (char c : text)
    if (c != ',' && c != ' ') plain += c;
  return ParseNumber(plain);
}

bool IsBlankAmount(double value) {
  return std::fabs(value) < money::kAmountZero;
}

bool SideOf(const std::string& debit, const std::string& credit, int& side, double& amount) {
  side = 1;
  amount = CellNumber(debit);
  if (IsBlankAmount(amount)) {
    side = -1;
    amount = CellNumber(credit);
  }
  return !IsBlankAmount(amount);
}

std::string MarkOf(const std::string& cell) {
  return cell == "1" || cell == "2" ? cell : "0";
}

std::string StateOf(const std::string& mark) {
  return mark == "1" ? "0" : "4";
}

std::string PeriodKey(int period) {
  return period < 10 ? Format("0%1d", period) : Format("%2d", period);
}

bool IsCalendarDay(int year, int month, int day) {
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

void WritePosting(CVyDataEnv& env, const Posting& p) {
  std::string mark = MarkOf(p.mark);
  env.Execute(
      Format("INSERT INTO P0(t,mry,cer,kno,f,my,nu,mk,rn,tt) VALUES("
             "'%s','%s','%s','%s',%d,%.2lf,%.4lf,'%s',%d,'%2s')",
             SqlText(p.date).c_str(), SqlText(p.summary).c_str(), mark.c_str(), SqlText(p.code).c_str(),
             p.side, p.amount, p.second, StateOf(mark).c_str(), p.line, PeriodKey(p.period).c_str()));
}

void BindPosting(jet::PreparedStatement& s, const Posting& p) {
  std::string mark = MarkOf(p.mark);
  s.Bind(1, p.date);
  s.Bind(2, p.summary);
  s.Bind(3, mark);
  s.Bind(4, p.code);
  s.Bind(5, static_cast<long long>(p.side));
  // The written statement rounds to its decimals; so does the bound one.
  s.Bind(6, money::RoundToCents(p.amount));
  s.Bind(7, money::RoundToPlaces(p.second, 4));
  s.Bind(8, StateOf(mark));
  s.Bind(9, static_cast<long long>(p.line));
  s.Bind(10, PeriodKey(p.period));
}
