#include "reports/documented_balances.h"

#include "accounts/account_code.h"
#include "base/money.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"

namespace {

std::vector<std::string> SplitAt(const std::string& text, char at) {
  std::vector<std::string> parts(1);
  for (char ch : text) {
    if (ch == at)
      parts.emplace_back();
    else
      parts.back() += ch;
  }
  return parts;
}

}  // namespace

std::vector<ListedAccount> DocumentedBalances::Accounts(const std::string& start) {
  std::string sql;
  if (start.empty()) {
    sql = "SELECT trim(kno),trim(na) from subt where clas=1 \t\t\tORDER BY VAL(KNO)";
  } else {
    std::string s = jet::SqlText(start);
    sql = Format(
        "SELECT trim(kno),trim(na) from subt where trim(kno) \t\t\tLIKE '%s-*' AND CLAS-%d=0 ORDER BY "
        "VAL(MID$(trim(kno),%d))",
        s.c_str(), CodeLevel(start) + 1, static_cast<int>(start.size()) + 2);
  }
  std::vector<ListedAccount> accounts;
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
  for (rs.Open(sql); !rs.IsEOF(); rs.MoveNext()) accounts.push_back({rs.GetText(0), rs.GetText(1)});
  return accounts;
}

bool DocumentedBalances::HasSubAccounts(const std::string& code) {
  return env_.QueryLong(
             Format("SELECT count(*) from subt where trim(kno) LIKE '%s-*'", jet::SqlText(code).c_str())) > 0;
}

long DocumentedBalances::ExpectedRows(const std::string& start, bool allLevels) {
  std::string s = jet::SqlText(start);
  if (start.empty())
    return env_.QueryLong(allLevels ? "select count(*) from subt" : "select count(*) from subt where clas=1");
  if (allLevels) return env_.QueryLong(Format("select count(*) from subt where kno like '%s-*'", s.c_str()));
  return env_.QueryLong(Format("select count(*) from subt where kno like '%s-*' and kno not like '%s-*-*'",
                               s.c_str(), s.c_str()));
}

double DocumentedBalances::Balance(const std::string& code, const std::string& date, int period) {
  std::string c = jet::SqlText(code);
  CVyRecordset rs(env_.Db(), {"Expr1000"}, {"Expr1001"}, {});
  rs.Open(Format(
      "select count(*),sum(f*my) from p0 where (trim(kno)='%s' or trim(kno) like '%s-*') \t\tand t<='%s' and "
      "val(tt)<=%d and mk='4'",
      c.c_str(), c.c_str(), jet::SqlText(date).c_str(), period));
  if (rs.IsEOF() || rs.GetLong(0) == 0) return 0;
  return rs.GetDouble(0);
}

TurnoverFigures DocumentedBalances::Turnover(const std::string& code, int startPeriod,
                                             const std::string& endDate, int endPeriod) {
  std::string c = jet::SqlText(code), e = jet::SqlText(endDate);
  if (env_.QueryLong(
          Format("select count(*) from p0 where (trim(kno) like '%s-*'\t\t\t\tor trim(kno)='%s') and "
                 "t<='%s' and val(tt)<=%d and mk='4'",
                 c.c_str(), c.c_str(), e.c_str(), endPeriod)) == 0)
    return {};
  std::string sp = Format("%02d", startPeriod);
  const char* p = sp.c_str();
  std::string which = HasSubAccounts(code) ? "trim(kno) like '%s-*'" : "trim(kno)='%s'";
  std::string sql =
      Format(
          "SELECT cstr$(sum(f*my*(0.5*(1-strcomp(tt,'%s',0))*abs(strcomp(tt,'%s',0))\t\t\t*abs(strcomp(cer,' "
          "   "
          "',0))+(1-abs(strcomp(cer,'    ',0))))))+'\r'+cstr$( \t\t\t0.5*sum((1+f)*my*abs(strcomp(cer,'    "
          "',0))*0.5*(1+strcomp(tt,'%s',0))*\t\t\t(2-abs(strcomp(tt,'%s',0)))))+'\r'+cstr$(0.5*sum((1-f)*my*"
          "abs("
          "strcomp(cer,'    ',0))\t\t\t*0.5*(1+strcomp(tt,'%s',0))*(2-abs(strcomp(tt,'%s',0)))))+'\n' FROM "
          "p0 "
          "WHERE \t\t\t",
          p, p, p, p, p, p) +
      Format((which + " and t<='%s' and val(tt)<=%d").c_str(), c.c_str(), e.c_str(), endPeriod) +
      " and mk='4'";
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000"});
  rs.Open(sql);
  TurnoverFigures f;
  if (rs.IsEOF()) return f;
  // The row text: opening, debit and credit separated by carriage returns.
  std::vector<std::string> parts = SplitAt(rs.GetText(0), '\r');
  double* into[] = {&f.opening, &f.debit, &f.credit};
  for (size_t i = 0; i < parts.size() && i < 3; ++i) *into[i] = money::ValNumber(parts[i]);
  return f;
}
