#include "accounts/chart_queries.h"

#include "accounts/account_code.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

std::optional<Account> ReadAccount(CVyDataEnv& env, const std::string& code) {
  if (!IsValidCode(code)) return std::nullopt;
  CVyRecordset rs(env.Db(), {"clas", "Expr1003", "Expr1004", "Expr1006", "dlf", "dlw"}, {},
                  {"Expr1000", "Expr1001", "Expr1005"});
  rs.Open(
      Format("SELECT trim(kno),trim(na),clas,val(op),val(fz),rtrim(fzn),val(dl),dlf,dlw FROM subt "
             "WHERE trim(kno)='%s'",
             SqlText(code).c_str()));
  if (rs.IsEOF()) return std::nullopt;
  Account a;
  a.code = rs.GetText(0);
  a.name = rs.GetText(1);
  a.auxUnit = rs.GetText(2);
  a.level = rs.GetLong(0);
  a.special = rs.GetLong(1) != 0;
  a.aux = rs.GetLong(2);
  a.multiColumn = rs.GetLong(3) != 0;
  a.columnSide = rs.GetLong(4);
  a.columnWidth = rs.GetLong(5);
  return a;
}

long CountCode(CVyDataEnv& env, const std::string& code) {
  return env.QueryLong(Format("select count(*) from subt where kno='%s'", SqlText(code).c_str()));
}

bool IsLowestLevel(CVyDataEnv& env, const std::string& code) {
  if (!IsValidCode(code)) return false;
  const std::string k = SqlText(code);
  return env.QueryLong(Format("select count(*) from subt where trim(kno)='%s' or trim(kno) like '%s-*'",
                              k.c_str(), k.c_str())) == 1;
}

long CountDescendants(CVyDataEnv& env, const std::string& code) {
  if (!IsValidCode(code)) return 0;
  return env.QueryLong(
      Format("select count(*) from subt where trim(kno) like '%s-*'", SqlText(code).c_str()));
}

long CountDirectChildren(CVyDataEnv& env, const std::string& code) {
  if (!IsValidCode(code)) return 0;
  return env.QueryLong(Format("SELECT count(*) FROM subt WHERE trim(kno) like '%s-*' and clas-%d=0",
                              SqlText(code).c_str(), CodeLevel(code) + 1));
}

long LongestDescendant(CVyDataEnv& env, const std::string& code) {
  if (!IsValidCode(code)) return 0;
  return env.QueryLong(
      Format("SELECT max(len(trim(kno))) FROM subt where trim(kno) like '%s-*'", SqlText(code).c_str()));
}

std::string ContentRefusal(CVyDataEnv& env, ContentCheck check, const std::string& code) {
  // No validity test here: a malformed code can only count more rows and so refuse more.
  const std::string k = SqlText(code);
  switch (check) {
    case ContentCheck::DeleteAccount:
      if (env.QueryLong(Format("select count(*) from p0 where trim(kno) like '%s-*' or trim(kno)='%s'",
                               k.c_str(), k.c_str())) > 0)
        return "该科目本年度已有经济内容，不能删除!";
      break;
    case ContentCheck::DeleteChildren:
      if (env.QueryLong(Format("select count(*) from p0 where trim(kno) like '%s-*'", k.c_str())) > 0)
        return "该科目的子科目本年度已有经济内容，不能删除!";
      break;
    case ContentCheck::MoveChildren:
      if (env.QueryLong(Format("SELECT count(*) FROM p0 WHERE trim(kno) like '%s-*'", k.c_str())) > 0)
        return "所选对象的子目本年度已有经济内容! 不能移动";
      break;
    case ContentCheck::PasteTarget:
      if (env.QueryLong(Format("SELECT count(*) FROM p0 WHERE trim(kno)='%s'", k.c_str())) > 0)
        return "目标对象本年度已有经济内容! 不能粘贴";
      break;
  }
  return "";
}

long LedgerRows(CVyDataEnv& env, const std::string& code, int period, bool subTree) {
  if (!IsValidCode(code)) return 0;
  const char* form =
      subTree ? "select count(*) from p0 where trim(kno) like '%s-*' and \t\tval(tt)<=%d and mk<>'1'"
              : "select count(*) from p0 where trim(kno)='%s' and \t\tval(tt)<=%d and mk<>'1'";
  return env.QueryLong(Format(form, SqlText(code).c_str(), period));
}
