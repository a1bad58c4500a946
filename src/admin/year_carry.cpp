#include "admin/year_carry.h"

#include <cmath>
#include <vector>

#include "accounts/period.h"
#include "base/money.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

namespace {

using money::kAmountZero;

long CountCode(CVyDataEnv& env, const std::string& code) {
  return env.QueryLong(Format("select count(*) from subt where trim(kno)='%s'", SqlText(code).c_str()));
}

struct Attributes {
  std::string name;
  int special = 0, kind = 0;
};

Attributes ReadAttributes(CVyDataEnv& env, const std::string& code) {
  CVyRecordset rs(env.Db(), {"Expr1001", "Expr1002"}, {}, {"Expr1000"});
  rs.Open(Format("select trim(na),val(op),val(fz) from subt where trim(kno)='%s'", SqlText(code).c_str()));
  if (rs.IsEOF()) return {};
  return {rs.GetText(0), rs.GetLong(0), rs.GetLong(1)};
}

// The question asked when the auxiliary accounting changed between the years; "" when it did not.
std::string KindQuestion(int from, int to) {
  if (from == to) return {};
  if (from == 2 && to == 1)
    return "上年度“%s”科目设置为外币科目，而本年度已设置为数量金额核算，\r其余额结转入本年度吗？";
  if (from == 2 && to == 0) return "上年度“%s”科目设置为外币科目，而本年度已取消，\r其余额结转入本年度吗？";
  if (from == 1 && to == 2)
    return "本年度“%s”科目设置为外币科目，而上年度设置为数量金额核算，\r其余额转入本年度吗？";
  if (from == 0 && to == 2) return "本年度“%s”科目设置为外币科目，而上年度是普通科目，\r其余额转入本年度吗？";
  if (from == 0 && to == 1)
    return "本年度“%s”科目设置为数量金额核算，而上年度是普通科目，\r其余额转入本年度吗？";
  if (from == 1 && to == 0)
    return "上年度“%s”科目设置为数量金额核算，而本年度已取消，\r其余额结转入本年度吗？";
  return "上年度“%s”科目的辅助核算与本年度不同，\r其余额结转入本年度吗？";
}

std::string Filled(const std::string& format, const std::string& code) {
  return ReplaceAll(format, "%s", code);
}

}  // namespace

bool IsLegalAccount(CVyDataEnv& env, const std::string& code) {
  for (size_t dash = code.rfind('-'); dash != std::string::npos && dash > 0; dash = code.rfind('-', dash - 1))
    if (CountCode(env, code.substr(0, dash)) != 1) return false;
  return true;
}

void RemoveAccount(CVyDataEnv& env, const std::string& code) {
  env.Execute(Format("delete from subt where trim(kno)='%s'", SqlText(code).c_str()));
  env.Execute(Format("delete from p0 where trim(kno)='%s'", SqlText(code).c_str()));
}

void CopyAccounts(CVyDataEnv& current, CVyDataEnv& source, bool currentHadAccounts, CarryReporter& out) {
  CVyRecordset rs(source.Db(), {"CLAS", "DLF", "DLW"}, {},
                  {"Expr1000", "Expr1001", "OP", "FZ", "Expr1005", "DL"});
  rs.Open("select trim(kno),trim(na),clas,op,fz,trim(fzn),dl,dlf,dlw from subt");
  for (; !rs.IsEOF(); rs.MoveNext()) {
    std::string code = rs.GetText(0), name = rs.GetText(1), fzn = rs.GetText(4);
    out.Status("复制会计科目" + code + ": " + name);
    if (CountCode(current, code) < 1) {
      std::string unit = fzn.empty() ? "NULL" : "'" + SqlText(fzn) + "'";
      current.Execute(
          Format("insert into subt (kno,na,clas,op,fz,fzn,dl,dlf,dlw) values "
                 "\t\t\t('%s','%s',%d,'%s','%s',%s,'%s',%d,%d)",
                 SqlText(code).c_str(), SqlText(name).c_str(), rs.GetLong(0),
                 SqlText(Trim(rs.GetText(2))).c_str(), SqlText(Trim(rs.GetText(3))).c_str(), unit.c_str(),
                 SqlText(Trim(rs.GetText(5))).c_str(), rs.GetLong(1), rs.GetLong(2)));
    }
    out.RowDone();
  }
  rs.Close();
  if (!currentHadAccounts) return;

  // The codes are read first: the chart shrinks while they are checked.
  std::vector<std::string> codes;
  CVyRecordset all(current.Db(), {}, {}, {"Expr1000"});
  all.Open("select trim(kno) from subt order by clas DESC");
  for (; !all.IsEOF(); all.MoveNext()) codes.push_back(all.GetText(0));
  all.Close();
  for (const std::string& code : codes) {
    out.Status("检查科目：" + code + " 的合法性,若是非法科目将删除它! ");
    if (!IsLegalAccount(current, code)) RemoveAccount(current, code);
    out.RowDone();
  }
}

void CopyCurrencies(CVyDataEnv& current, CVyDataEnv& source, CarryReporter& out) {
  if (source.QueryLong("select count(*) from wbt") < 1) return;
  CVyRecordset rs(source.Db(), {}, {}, {"Expr1000", "Expr1001", "Expr1002"});
  rs.Open("select trim(wno),trim(na),trim(ho) from wbt");
  for (; !rs.IsEOF(); rs.MoveNext()) {
    std::string code = rs.GetText(0), name = rs.GetText(1), account = rs.GetText(2);
    out.Status("复制外币科目" + code + ": " + name);
    if (current.QueryLong(Format("select count(*) from wbt where trim(wno)='%s'", SqlText(code).c_str())) <
        1) {
      std::string ho = account.empty() ? "NULL" : "'" + SqlText(account) + "'";
      current.Execute(Format("insert into wbt(wno,na,ho) values('%s','%s',%s)", SqlText(code).c_str(),
                             SqlText(name).c_str(), ho.c_str()));
    }
    out.RowDone();
  }
}

void CarryBalances(CVyDataEnv& current, CVyDataEnv& source, bool accountsCopied, CarryReporter& out) {
  if (source.QueryLong("select count(*) from p0") <= 0) return;
  out.Status("结转帐户余额");
  struct Balance {
    std::string code;
    double amount, quantity;
  };
  std::vector<Balance> balances;
  // Exactly the closing balance the balance table shows at the year's last day: reviewed rows only (a
  // posting the counter-party alone recorded is stored with MK '0' and lies outside the books).
  CVyRecordset rs(source.Db(), {}, {"Expr1001", "Expr1002"}, {"Expr1000"});
  rs.Open(Format("select trim(kno),sum(f*my),sum(f*nu) from p0 where mk='4' and t<='%s' and val(tt)<=%d "
                 "group by trim(kno)",
                 SqlText(source.endDate).c_str(), PeriodOfDate(YearOf(source), source.endDate)));
  for (; !rs.IsEOF(); rs.MoveNext()) balances.push_back({rs.GetText(0), rs.GetDouble(0), rs.GetDouble(1)});
  rs.Close();

  for (Balance& b : balances) {
    out.RowDone();
    const std::string& k = b.code;
    if (std::fabs(b.amount) < kAmountZero && std::fabs(b.quantity) < kAmountZero) continue;
    Attributes was = ReadAttributes(source, k);
    out.Status(k + ": " + was.name + "  " + FormatAmount(b.amount, 0, 2, 2));
    if (CountCode(current, k) < 1) {
      out.Warn(Filled("警告：\r\v本年度“%s”科目已不存在，其余额不能结转\r\v按确认钮继续！", k));
      continue;
    }
    if (!accountsCopied && !IsLegalAccount(current, k)) {
      out.Warn(
          Filled("警告：\r\v本年度“%s”科目为非法科目，系统将删除它，其余额不能结转\r\v按确认钮继续！", k));
      RemoveAccount(current, k);
      continue;
    }
    if (current.QueryLong(
            Format("select count(*) from subt where trim(kno) like '%s-*'", SqlText(k).c_str())) >= 1) {
      out.Warn(Filled("警告：\r\v本年度“%s”科目已有子科目，其余额不能结转\r\v按确认钮继续！", k));
      continue;
    }
    Attributes now = ReadAttributes(current, k);
    if (was.special != now.special) {
      out.Warn(Filled(was.special
                          ? "警告：\r\v上年度“%s”科目设置为专用科目，而本年度为普通科目，\r其余额不能结转"
                            "\r\v按确认钮继续！"
                          : "警告：\r\v本年度“%s”科目已设置为专用科目，而上年度为普通科目，\r其余额不能结转"
                            "\r\v按确认钮继续！",
                      k));
      continue;
    }
    std::string kindQuestion = KindQuestion(was.kind, now.kind);
    if (!kindQuestion.empty() && !out.Ask(Filled(kindQuestion, k))) continue;
    if (was.name != now.name && !out.Ask("“" + k + "”科目的帐户名称已由\r“" + was.name + "”\r改为：\r“" +
                                         now.name + "”\r其余额结转入本年度吗？"))
      continue;
    double quantity = now.kind == 0 ? 0 : b.quantity;
    int side = b.amount > kAmountZero ? 1 : -1;
    current.Execute(
        Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) \t\t\tvalues('%s','    ',0,'  上 年  结  "
               "转','%s',%d,%.2lf,%.4lf,'4','01')",
               SqlText(current.startDate).c_str(), SqlText(k).c_str(), side, std::fabs(b.amount),
               side * quantity + 0.0));
  }
}
