#include "accounts/chart_changes.h"

#include "accounts/account_code.h"
#include "accounts/chart_queries.h"
#include "base/text.h"
#include "data/sql_text.h"

using jet::SqlText;

bool InsertAccount(CVyDataEnv& env, const Account& account) {
  if (!IsValidCode(account.code)) return false;
  const std::string code = SqlText(account.code), name = SqlText(account.name);
  const std::string parent = ParentCode(account.code), own = OwnPart(account.code);
  const int level = CodeLevel(account.code);
  bool added = false;
  bool ran = env.RunInTransaction([&] {
    // A second row with the same code would make the chart ambiguous for good.
    if (CountCode(env, account.code) > 0) return;
    added = true;
    if (account.aux == kAuxNone) {
      env.Execute(
          Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw)\t\t\tvalues('%s','%s',%d,'0','%d',"
                 "NULL,'%d',%d,%d)",
                 code.c_str(), name.c_str(), level, account.aux, account.multiColumn ? 1 : 0,
                 account.columnSide, account.columnWidth));
    } else {
      env.Execute(
          Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw)\t\t\tvalues('%s','%s',%d,'0','%d',"
                 "'%s','%d',%d,%d)",
                 code.c_str(), name.c_str(), level, account.aux, SqlText(account.auxUnit).c_str(),
                 account.multiColumn ? 1 : 0, account.columnSide, account.columnWidth));
    }
    if (parent.empty()) return;
    const std::string p = SqlText(parent), o = SqlText(own);
    if (env.QueryLong(Format("select count(*) from subt where trim(kno) like '%s*'", (p + "-").c_str())) != 1)
      return;
    env.Execute(Format("update p0 set kno='%s-%s' where trim(kno)='%s'", p.c_str(), o.c_str(), p.c_str()));
    env.Execute(Format("update wbt set ho='%s-%s' where trim(ho)='%s'", p.c_str(), o.c_str(), p.c_str()));
  });
  return ran && added;
}

bool ChangeAccount(CVyDataEnv& env, const std::string& oldCode, const Account& changed) {
  if (!IsValidCode(oldCode) || !IsValidCode(changed.code)) return false;
  if (ParentCode(oldCode) != ParentCode(changed.code)) return false;
  const std::string prefix = SqlText(ChildPrefix(ParentCode(oldCode)));
  const std::string o = SqlText(OwnPart(oldCode)), n = SqlText(OwnPart(changed.code));
  const std::string name = SqlText(changed.name), unit = SqlText(changed.auxUnit);
  const int dl = changed.multiColumn ? 1 : 0;
  const bool renamed = o != n;
  int rows = 0;
  bool ran = env.RunInTransaction([&] {
    // Nothing may follow an account that is not there, and no code may be taken twice.
    if (renamed && CountCode(env, changed.code) > 0) return;
    if (changed.aux == kAuxNone) {
      rows = env.Execute(
          Format("update subt set kno='%s%s',na='%s',fz='%d',fzn=NULL,dl='%d',dlf=%d,dlw=%d\t\t\twhere "
                 "kno='%s%s'",
                 prefix.c_str(), n.c_str(), name.c_str(), changed.aux, dl, changed.columnSide,
                 changed.columnWidth, prefix.c_str(), o.c_str()));
    } else {
      rows = env.Execute(
          Format("update subt set kno='%s%s',na='%s',fz='%d',fzn='%s',dl='%d',dlf=%d,dlw=%d\t\t\twhere "
                 "kno='%s%s'",
                 prefix.c_str(), n.c_str(), name.c_str(), changed.aux, unit.c_str(), dl, changed.columnSide,
                 changed.columnWidth, prefix.c_str(), o.c_str()));
    }
    if (rows == 0 || !renamed) return;
    // The tail of a descendant starts at its "-" just after the old code: mid is 1-based.
    const int tail = static_cast<int>(oldCode.size()) + 1;
    env.Execute(Format("update p0 set kno='%s%s' where trim(kno)='%s%s'", prefix.c_str(), n.c_str(),
                       prefix.c_str(), o.c_str()));
    env.Execute(Format("update subt set kno= '%s%s'+mid(kno,%d) where trim(kno) like '%s%s-*'",
                       prefix.c_str(), n.c_str(), tail, prefix.c_str(), o.c_str()));
    env.Execute(Format("update p0 set kno= '%s%s'+mid(kno,%d) where trim(kno) like '%s%s-*'", prefix.c_str(),
                       n.c_str(), tail, prefix.c_str(), o.c_str()));
    env.Execute(Format("update wbt set ho='%s%s' where trim(ho)='%s%s'", prefix.c_str(), n.c_str(),
                       prefix.c_str(), o.c_str()));
    // A currency whose exchange-gain account lies below the renamed one follows it too; left alone it would
    // name an account that no longer exists.
    env.Execute(Format("update wbt set ho= '%s%s'+mid(ho,%d) where trim(ho) like '%s%s-*'", prefix.c_str(),
                       n.c_str(), tail, prefix.c_str(), o.c_str()));
  });
  return ran && rows > 0;
}
