#include "ledgers/three_column_rows.h"

#include <cmath>
#include <cstdlib>

#include "base/text.h"
#include "data/jet/sql_text.h"
#include "ledgers/ledger_line.h"

using jet::SqlText;

namespace {

// The debit and credit fields of a composed row, after its first `skip` fields.
void ReadSides(const std::string& row, size_t skip, double& debit, double& credit) {
  auto fields = SplitRowTexts(row);
  debit = credit = 0;
  if (fields.empty()) return;
  const auto& f = fields[0];
  if (f.size() > skip) debit = FieldNumber(f[skip]);
  if (f.size() > skip + 1) credit = FieldNumber(f[skip + 1]);
}

std::string LastDate(const AccountingYear& year, int period) {
  return AccountingPeriod(year, period).last;
}

}  // namespace

std::string ThreeColumnDetailRows(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q) {
  const std::string a = SqlText(q.code);
  const char* mk = q.reached ? " and mk='4'" : " and mk='0'";
  const char* k = a.c_str();
  std::string out;

  double b0 = 0;
  std::string d0;
  if (q.reached &&
      env.QueryLong(Format("select count(*) from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and rn=0",
                           k, k)) >= 1) {
    auto c = env.Db()->Query(Format(
        "select min(t),sum(f*my) from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and rn=0", k, k));
    if (!c->AtEnd()) {
      d0 = c->Text(0);
      b0 = c->Real(1);
    }
  }

  double balance = b0, yd = 0, yc = 0;
  long earlier = env.QueryLong(Format("select count(*) from p0 where (Trim(kno)='%s' or Trim(kno) like "
                                      "'%s-*') and \t\tval(tt)<%d and rn>0",
                                      k, k, q.start) +
                               mk);
  if (earlier == 0) {
    if (std::fabs(b0) > 0.000001) out += Format("%s\r\r期 初 余 额\r0\r0\r%.2lf\n", d0.c_str(), b0);
  } else {
    std::string first = SqlText(AccountingPeriod(year, q.start).first);
    auto c = env.Db()->Query(
        Format("select '%s\r\r期 初 余 额 汇 "
               "总\r'+cstr$(0.5*sum((1+f)*my))+'\r'+\t\t\tcstr$(0.5*sum((1-f)*my))+'\r' "
               "from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and \t\t\tval(tt)<%d and rn>0",
               first.c_str(), k, k, q.start) +
        mk);
    if (!c->AtEnd()) {
      std::string row = c->Text(0);
      double dp, cp;
      ReadSides(row, 3, dp, cp);
      balance = b0 + dp - cp;
      out += row + Format("%.2lf\n", balance);
      yd = dp;
      yc = cp;
    }
  }

  if (env.QueryLong(Format("select count(*) from p0 where (Trim(kno)='%s' or Trim(kno) \t\tlike '%s-*') and "
                           "val(tt)>=%d and val(tt)<=%d and rn>0",
                           k, k, q.start, q.end) +
                    mk) == 0)
    return out;

  auto c = env.Db()->Query(
      Format(
          "select  "
          "t+'\r'+trim(cer)+'\r'+rtrim(mry)+'\r'+cstr$(0.5*(1+f)*my)+'\r'+\t\t\tcstr$(0.5*(1-f)*my)+'\r',tt "
          "from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and strcomp(cer,'    ',0)<>0 and \t\t\t"
          "val(tt)>=%d and val(tt)<=%d",
          k, k, q.start, q.end) +
      (q.reached ? " and mk='4' order by t,rn" : " and mk='0' order by t,rn"));
  std::string key;
  double md = 0, mc = 0;
  auto totals = [&](const std::string& periodKey) {
    yd += md;
    yc += mc;
    std::string date = LastDate(year, std::atoi(periodKey.c_str() + 4));
    out += Format("%s\r\r本  月  合  计\r%.2lf\r%.2lf\r%.2lf\n", date.c_str(), md, mc, balance);
    out += Format("%s\r\r本  年  累  计\r%.2lf\r%.2lf\r%.2lf\n", date.c_str(), yd, yc, balance);
  };
  for (; !c->AtEnd(); c->Next()) {
    std::string row = c->Text(0);
    std::string rowKey = row.substr(0, 4) + c->Text(1);
    double debit, credit;
    ReadSides(row, 3, debit, credit);
    if (key.empty() || rowKey == key) {
      md += debit;
      mc += credit;
    } else {
      totals(key);
      md = debit;
      mc = credit;
    }
    key = rowKey;
    balance += debit - credit;
    out += row + Format("%.2lf\n", balance);
  }
  if (!key.empty()) totals(key);
  return out;
}

std::string ThreeColumnSummaryRows(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q) {
  const std::string a = SqlText(q.code);
  const char* k = a.c_str();
  const char* mk = q.reached ? " and mk='4'" : " and mk='0'";
  std::string out;
  double balance = 0, yd = 0, yc = 0;

  auto any = env.Db()->Query(
      Format("select DISTINCT trim(tt) from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and \t\t"
             "(val(tt)<%d or(val(tt)=%d and rn=0)) ",
             k, k, q.start, q.start) +
      mk);
  if (!any->AtEnd()) {
    std::string first = SqlText(AccountingPeriod(year, q.start).first);
    auto c = env.Db()->Query(
        Format("select '%s'+'\r期 初 余 额 汇 总\r'+\t\t\tcstr$(0.5*sum((1+f)*my*abs(strcomp(cer,'    "
               "',0))))+'\r'+"
               "\t\t\tcstr$(0.5*sum((1-f)*my*abs(strcomp(cer,'    ',0))))+'\r',\t\t\tsum(f*my) from p0 where "
               "(Trim(kno)='%s' or Trim(kno) like '%s-*') \t\t\tand (val(tt)<%d or(val(tt)=%d and rn=0))",
               first.c_str(), k, k, q.start, q.start) +
        mk);
    if (!c->AtEnd()) {
      std::string row = c->Text(0);
      ReadSides(row, 2, yd, yc);
      balance = c->Real(1);
      out += row + Format("%.2lf\n", balance);
    }
  }

  auto months = env.Db()->Query(
      Format("select DISTINCT trim(tt) from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and \t\t"
             "(val(tt)>%d or (val(tt)=%d and rn>0)) and val(tt)<=%d",
             k, k, q.start, q.start, q.end) +
      mk);
  if (months->AtEnd()) return out;
  auto c = env.Db()->Query(
      Format("select tt,'\r本  月  合  计\r'+\t\t\tcstr$(0.5*sum((1+f)*my*abs(strcomp(cer,'    "
             "',0))))+'\r'+\t\t\t"
             "cstr$(0.5*sum((1-f)*my*abs(strcomp(cer,'    ',0))))+'\r',\t\t\tsum(f*my) from p0 where "
             "(Trim(kno)='%s' or Trim(kno) like '%s-*') \t\t\tand (val(tt)>%d or (val(tt)=%d and rn>0)) and "
             "\t\t\tval(tt)<=%d",
             k, k, q.start, q.start, q.end) +
      (q.reached ? " and mk='4' GROUP BY tt ORDER BY val(tt)" : " and mk='0' GROUP BY tt ORDER BY val(tt)"));
  for (; !c->AtEnd(); c->Next()) {
    std::string date = LastDate(year, std::atoi(Trim(c->Text(0)).c_str()));
    std::string text = c->Text(1);
    balance += c->Real(2);
    std::string row = date + text + Format("%.2lf\n", balance);
    out += row;
    double md, mc;
    ReadSides(row, 2, md, mc);
    yd += md;
    yc += mc;
    out +=
        row.substr(0, 9) + "本  年  累  计\r" + Format("%.2lf\r", yd) + Format("%.2lf\r%.2lf\n", yc, balance);
  }
  return out;
}
