#include "accounts/opening_balance.h"

#include <cmath>

#include "base/money.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

double OpeningBalance(CVyDataEnv& env, const std::string& code) {
  const std::string k = SqlText(code);
  CVyRecordset rs(env.Db(), {"Expr1000"}, {"Expr1001"}, {});
  rs.Open(
      Format("SELECT count(*),sum(f*my) FROM p0 WHERE (kno='%s' or kno LIKE '%s-*') \t\tand "
             "strcomp(cer,'    ',0)=0",
             k.c_str(), k.c_str()));
  if (rs.IsEOF() || rs.GetLong(0) == 0) return 0;
  return rs.GetDouble(0);
}

std::optional<OpeningRow> ReadOpening(CVyDataEnv& env, const std::string& code) {
  CVyRecordset rs(env.Db(), {"f"}, {"my", "nu"}, {});
  rs.Open(Format("SELECT f,my,nu FROM p0 WHERE trim(kno)='%s' and strcomp(cer,'    ',0)=0",
                 SqlText(code).c_str()));
  if (rs.IsEOF()) return std::nullopt;
  return OpeningRow{rs.GetLong(0) < 0 ? -1 : 1, rs.GetDouble(0), rs.GetDouble(1)};
}

const char* BalanceSide(double balance) {
  if (std::fabs(balance) <= money::kBalanceZero) return "平";
  return balance > 0 ? "借" : "贷";
}

void WriteOpening(CVyDataEnv& env, const std::string& code, int aux, const OpeningRow& row) {
  const std::string k = SqlText(code);
  const int side = row.side < 0 ? -1 : 1;
  const bool ordinary = aux == 0;
  if (ordinary)
    env.Execute(Format("delete from p0 where kno='%s' and strcomp(cer,'    ',0)=0", k.c_str()));
  else
    env.Execute(Format("delete from p0 where kno='%s' and cer='    '", k.c_str()));
  const bool hasAmount = std::fabs(row.amount) > money::kAmountZero;
  if (!hasAmount && (ordinary || std::fabs(row.quantity) <= money::kAmountZero)) return;
  CVyRecordset rs(env.Db(), {}, {}, {"Expr1000"});
  rs.Open("select trim(t1) from systab");
  const std::string t1 = SqlText(rs.IsEOF() ? std::string() : rs.GetText(0));
  env.Execute(
      Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt)\t\tvalues('%s','    ',0,'期初余额','%s',%d,"
             "%.2lf,%.4lf,'4','01')",
             t1.c_str(), k.c_str(), side, row.amount, ordinary ? 0.0 : row.quantity));
}

bool SaveOpening(CVyDataEnv& env, const std::string& code, int aux, const OpeningRow& row) {
  return env.RunInTransaction([&] { WriteOpening(env, code, aux, row); });
}
