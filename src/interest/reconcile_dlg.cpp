// The checks of the reconciliation parameters, in the order the user meets them.
#include "interest/reconcile_dlg.h"

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "base/date.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/sql_text.h"

using jet::SqlText;

CReconcileDlg::CReconcileDlg(CVyDataEnv& env) : env_(env) {}

void CReconcileDlg::OnInitDialog() {
  start.Set(env_.startDate);
  DateTime now = Plat().Now();
  if (now.year == env_.year)
    end.Set(MakeDate(now.year, now.month, now.day));
  else
    end.Set(env_.endDate);
  focus = Focus::StartYear;
}

void CReconcileDlg::Prefill(const ReconcileParams& p) {
  start.Set(p.start);
  end.Set(p.end);
  code = p.code;
  balanceText = Format("%.2f", p.otherBalance);
}

void CReconcileDlg::OnBrowse() {
  if (auto chosen = AskAccount(accountquery::kLowestLevel, code)) code = *chosen;
  focus = Focus::Code;
}

bool CReconcileDlg::OnOk() {
  bool ok = false;
  RunCatchingDbErrors([&] { ok = Check(); });
  return ok;
}

bool CReconcileDlg::Check() {
  if (!CheckDateParts(start, focus, Focus::StartYear, Focus::StartMonth, Focus::StartDay, "起始时间的",
                      "不合理，请重输!", MsgIcon::Stop))
    return false;
  if (!CheckDateParts(end, focus, Focus::EndYear, Focus::EndMonth, Focus::EndDay, "终止时间的",
                      "不合理，请重输!", MsgIcon::Stop))
    return false;
  std::string s = start.Date(), e = end.Date();
  if (s < env_.startDate)
    return Refuse(focus, Focus::StartYear, "起始时间小于本年度的年初日，请重输!", MsgIcon::Stop);
  if (e > env_.endDate)
    return Refuse(focus, Focus::EndYear, "终止时间大于本年度的年末日，请重输!", MsgIcon::Stop);
  std::string k = Trim(code);
  if (k.empty()) return Refuse(focus, Focus::Code, "指定帐户不能为空，请重输!", MsgIcon::Stop);
  // A code that is not one (a wildcard typed in) names no account.
  std::string q = SqlText(k);
  if (!IsValidCode(k) ||
      env_.QueryLong(Format("select count(*) from subt where trim(kno) like '%s' or trim(kno) like '%s-*'",
                            q.c_str(), q.c_str())) != 1)
    return Refuse(focus, Focus::Code, "指定帐户不存在或非明细帐户，请重输!", MsgIcon::Stop);
  if (env_.QueryLong(Format("select count(*) from p0 where trim(kno)='%s'", q.c_str())) == 0)
    return Refuse(focus, Focus::Code, "指定帐户本年度无任何数据，请重新指定其他帐户！", MsgIcon::Stop);
  params = {s, e, k, ParseNumber(Trim(balanceText))};
  return true;
}
