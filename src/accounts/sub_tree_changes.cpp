// Sub-tree changes of the chart, each in one transaction.
#include "accounts/sub_tree_changes.h"

#include "accounts/account_code.h"
#include "base/text.h"
#include "data/sql_text.h"

using jet::SqlText;

bool PasteChildren(CVyDataEnv& env, const std::string& source, const std::string& target, bool move) {
  if (!IsValidCode(source) || !IsValidCode(target)) return false;
  const std::string s = SqlText(source), t = SqlText(target);
  const int sourceLength = static_cast<int>(source.size());
  return env.RunInTransaction([&] {
    env.Execute(
        Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw)\t select "
               "'%s'+right(trim(kno),len(trim(kno))-%d),na,clas-%d+%d,'0','0',NULL,'0',0,0\t from subt "
               "where trim(kno) like '%s-*'",
               t.c_str(), sourceLength, CodeLevel(source), CodeLevel(target), s.c_str()));
    if (!move) return;
    env.Execute(Format("update wbt set ho= '%s'+mid(trim(ho),%d) where trim(ho) like '%s-*'", t.c_str(),
                       sourceLength + 1, s.c_str()));
    env.Execute(Format("delete from subt where kno like '%s-*'", s.c_str()));
  });
}

bool DeleteChildren(CVyDataEnv& env, const std::string& code) {
  if (!IsValidCode(code)) return false;
  return env.RunInTransaction(
      [&] { env.Execute(Format("delete from subt where trim(kno) like '%s-*'", SqlText(code).c_str())); });
}

bool DeleteAccount(CVyDataEnv& env, const std::string& code, const std::string& parent, bool giveBack) {
  if (!IsValidCode(code) || (giveBack && !IsValidCode(parent))) return false;
  const std::string a = SqlText(code), p = SqlText(parent);
  return env.RunInTransaction([&] {
    env.Execute(
        Format("delete from subt where trim(kno)='%s' or trim(kno) like '%s-*'", a.c_str(), a.c_str()));
    if (!giveBack) return;
    // The parent is a lowest-level account again: what was booked below it comes back to it, from the
    // descendants too, so that no posting is left on a code that is gone.
    env.Execute(Format("update p0 set kno='%s' where trim(kno)='%s'", p.c_str(), a.c_str()));
    env.Execute(Format("update p0 set kno='%s' where trim(kno) like '%s-*'", p.c_str(), a.c_str()));
    env.Execute(Format("update wbt set ho='%s' where trim(ho)='%s' or trim(ho) like '%s-*'", p.c_str(),
                       a.c_str(), a.c_str()));
  });
}
