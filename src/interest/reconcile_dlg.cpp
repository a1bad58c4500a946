// The checks of the reconciliation parameters, in the order the user meets them.
#include "interest/reconcile_dlg.h"

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "base/date.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/db_error.h"
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

bool CReconcileDlg::Refuse(const char* message, Focus field) {
  ShowMessage(message, MsgIcon::Stop);
  focus = field;
  return false;
}

bool CReconcileDlg::OnOk() {
  try {
    return Check();
  } catch (const jet::DbError& e) {
    ShowMessage(e.what(), MsgIcon::Stop);
    return false;
  }
}

bool CReconcileDlg::Check() {
  switch (start.Check()) {
    case DateFields::kYear:
      return Refuse("起始时间的年度不合理，请重输!", Focus::StartYear);
    case DateFields::kMonth:
      return Refuse("起始时间的月份不合理，请重输!", Focus::StartMonth);
    case DateFields::kDay:
      return Refuse("起始时间的日不合理，请重输!", Focus::StartDay);
    case DateFields::kNone:
      break;
  }
  switch (end.Check()) {
    case DateFields::kYear:
      return Refuse("终止时间的年度不合理，请重输!", Focus::EndYear);
    case DateFields::kMonth:
      return Refuse("终止时间的月份不合理，请重输!", Focus::EndMonth);
    case DateFields::kDay:
      return Refuse("终止时间的日不合理，请重输!", Focus::EndDay);
    case DateFields::kNone:
      break;
  }
  std::string s = start.Date(), e = end.Date();
  if (s < env_.startDate) return Refuse("起始时间小于本年度的年初日，请重输!", Focus::StartYear);
  if (e > env_.endDate) return Refuse("终止时间大于本年度的年末日，请重输!", Focus::EndYear);
  std::string k = Trim(code);
  if (k.empty()) return Refuse("指定帐户不能为空，请重输!", Focus::Code);
  // A code that is not one (a wildcard typed in) names no account.
  std::string q = SqlText(k);
  if (!IsValidCode(k) ||
      env_.QueryLong(Format("select count(*) from subt where trim(kno) like '%s' or trim(kno) like '%s-*'",
                            q.c_str(), q.c_str())) != 1)
    return Refuse("指定帐户不存在或非明细帐户，请重输!", Focus::Code);
  if (env_.QueryLong(Format("select count(*) from p0 where trim(kno)='%s'", q.c_str())) == 0)
    return Refuse("指定帐户本年度无任何数据，请重新指定其他帐户！", Focus::Code);
  params = {s, e, k, ParseNumber(Trim(balanceText))};
  return true;
}
