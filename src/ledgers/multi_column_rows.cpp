#include "ledgers/multi_column_rows.h"

#include <algorithm>
#include <cctype>

#include "base/money.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "ledgers/ledger_line.h"

using jet::SqlText;
using money::Cents;
using money::CentsText;

namespace {

int LevelOf(const std::string& code) {
  return static_cast<int>(std::count(code.begin(), code.end(), '-')) + 1;
}

std::string AggregatedTerms(const std::vector<AnalysisColumn>& columns) {
  std::string terms;
  for (const AnalysisColumn& c : columns) {
    std::string k = SqlText(c.code);
    terms += Format(
        "+cstr$(%d*sum(f*my*(2-abs(strcomp(trim(kno),'%s',0))-abs(strcomp(left(kno,%d),'%s-',0)))))+'\r'",
        c.side, k.c_str(), static_cast<int>(c.code.size()) + 1, k.c_str());
  }
  return terms;
}

std::string PostingTerms(const std::vector<AnalysisColumn>& columns) {
  std::string terms;
  for (const AnalysisColumn& c : columns)
    terms +=
        Format("+cstr$(%d*f*my*(1-abs(strcomp(trim(kno),'%s',0))))+'\r'", c.side, SqlText(c.code).c_str());
  return terms;
}

// Runs an aggregated statement only when its rows exist: the same text counted first. "" when empty.
std::string AggregatedRow(CVyDataEnv& env, const std::string& sql) {
  std::string lower = sql;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  size_t from = lower.find(" from ");
  if (from == std::string::npos || env.QueryLong("select count(*) " + sql.substr(from + 1)) <= 0) return {};
  auto c = env.Db()->Query(sql);
  return c->AtEnd() ? std::string() : c->Text(0);
}

// The amounts of a row text, the fields after date, voucher and text, in the cents they show.
std::vector<Cents> Amounts(const std::string& row, size_t n) {
  std::vector<Cents> v(n, 0);
  auto rows = SplitRowTexts(row);
  if (rows.empty()) return v;
  for (size_t i = 0; i < n && i + 3 < rows[0].size(); ++i) v[i] = money::ToCents(FieldNumber(rows[0][i + 3]));
  return v;
}

std::string PeriodText(int p) {
  return p < 10 ? Format("0%1d", p) : Format("%d", p);
}

}  // namespace

void SetMissingColumnSides(CVyDataEnv& env, const std::string& code) {
  std::string k = SqlText(code);
  int level = LevelOf(code) + 1;
  if (env.QueryLong(Format("select count(*) from subt where trim(kno) like '%s-*' and clas-%d=0 and dlf=0",
                           k.c_str(), level)) > 0)
    env.Execute(Format("update subt set dlf=1,dlw=5 where trim(kno) like '%s-*' and clas-%d=0 and dlf=0",
                       k.c_str(), level));
}

std::vector<AnalysisColumn> ReadAnalysisColumns(CVyDataEnv& env, const std::string& code) {
  std::vector<AnalysisColumn> columns;
  auto c = env.Db()->Query(
      Format("SELECT trim(kno),trim(na),dlf,dlw from subt where trim(kno) \t\tLIKE '%s-*' AND "
             "CLAS-%d=0 ORDER BY -1*dlf,VAL(MID$(trim(kno),%d))",
             SqlText(code).c_str(), LevelOf(code) + 1, static_cast<int>(code.size()) + 2));
  for (; !c->AtEnd(); c->Next()) {
    int side = static_cast<int>(c->Int(2));
    if (side != 1 && side != -1) continue;
    columns.push_back({c->Text(0), c->Text(1), side, 2 * static_cast<int>(c->Int(3))});
  }
  return columns;
}

std::string MultiColumnRows(CVyDataEnv& env, const AccountingYear& year, const MultiColumnQuery& q,
                            const std::vector<AnalysisColumn>& columns) {
  const size_t n = columns.size();
  const std::string a = SqlText(q.code);
  const char* k = a.c_str();
  const std::string aggregated = AggregatedTerms(columns);
  std::vector<Cents> sums(n, 0);
  Cents balance = 0;
  std::string out;
  auto add = [&](const std::vector<Cents>& v) {
    for (size_t i = 0; i < n; ++i) {
      sums[i] += v[i];
      balance += columns[i].side * v[i];
    }
  };
  auto yearRow = [&](const std::string& date) {
    std::string row = date + "\r\r本  年  累  计";
    for (size_t i = 0; i < n; ++i) row += "\r" + CentsText(sums[i]);
    return row + "\r" + CentsText(balance) + "\n";
  };

  std::string first = SqlText(AccountingPeriod(year, q.start).first);
  std::string opening = AggregatedRow(
      env,
      Format("select '%s\r\r期 初 余 额 汇 总\r'", first.c_str()) + aggregated +
          Format(
              " from p0 where kno like '%s-*' and (val(tt)<%d or (val(tt)=%d and strcomp(cer,'    ',0)=0)) "
              "and mk='4'",
              k, q.start, q.start));
  if (!opening.empty()) {
    add(Amounts(opening, n));
    out += opening + CentsText(balance) + "\n";
  }

  for (int p = q.start; p <= q.end; ++p) {
    std::string tt = SqlText(PeriodText(p));
    std::string last = SqlText(AccountingPeriod(year, p).last);
    if (q.detail) {
      if (env.QueryLong(
              Format("select count(*) from p0 where kno like '%s-*' and kno not \t\t\tlike '%s-*-*' and "
                     "tt='%s' and strcomp(cer,'    ',0)<>0 and mk='4'",
                     k, k, tt.c_str())) >= 1) {
        auto c = env.Db()->Query(
            "select t+'\r'+cer+'\r'+rtrim(mry)+'\r'" + PostingTerms(columns) +
            Format(" from p0 where kno like '%s-*' and kno not like '%s-*-*' and \t\t\ttt='%s' "
                   "and strcomp(cer,'    ',0)<>0 and mk='4' order by t,cer,kno,rn",
                   k, k, tt.c_str()));
        Cents running = balance;
        for (; !c->AtEnd(); c->Next()) {
          std::string row = c->Text(0);
          std::vector<Cents> v = Amounts(row, n);
          for (size_t i = 0; i < n; ++i) running += columns[i].side * v[i];
          out += row + CentsText(running) + "\n";
        }
      }
      std::string month = AggregatedRow(
          env,
          Format("select '%s\r\r本  月  合  计\r'", last.c_str()) + aggregated +
              Format(" from p0 where kno like '%s-*' and tt='%s' and strcomp(cer,'    ',0)<>0 and mk='4'", k,
                     tt.c_str()));
      if (month.empty()) continue;
      add(Amounts(month, n));
      out += month + CentsText(balance) + "\n";
      out += yearRow(last);
    } else {
      std::string month = AggregatedRow(
          env, Format("select '%s\r\r本  月  汇  总\r'", last.c_str()) + aggregated +
                   Format(" from p0 where (kno like '%s-*' or trim(kno)='%s') and tt='%s'\t\t\tand "
                          "strcomp(cer,'    ',0)<>0 and mk='4'",
                          k, k, tt.c_str()));
      if (month.empty()) continue;
      add(Amounts(month, n));
      out += month + CentsText(balance) + "\n";
      out += yearRow(last);
    }
  }
  return out;
}
