#include "reports/balance_date_dlg.h"

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "accounts/period.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "data/sql_text.h"

bool CBalanceDateDlg::HasAccounts(CVyDataEnv& env) {
  if (env.QueryLong("Select Count(*) From Subt") > 0) return true;
  ShowMessage("本年度尚未设置科目(帐户)！", MsgIcon::Warning);
  return false;
}

void CBalanceDateDlg::OnInitDialog(const std::string& presetCode, const std::string& presetDate) {
  yearText = Format("%d", env_.year);
  code = presetCode;
  if (!presetDate.empty()) {
    date.Set(presetDate);
    return;
  }
  AccountingYear year = YearOf(env_);
  DateTime now = Plat().Now();
  std::string today = Format("%04d%02d%02d", now.year, now.month, now.day);
  if (today >= year.start && today <= year.end)
    date.Set(AccountingPeriod(year, now.month).last);
  else
    date.Set(year.end);
}

void CBalanceDateDlg::OnBrowse() {
  if (auto chosen = AskAccount(accountquery::kAnyAccount, code)) code = *chosen;
}

bool CBalanceDateDlg::OnOK() {
  code = Trim(code);
  if (!code.empty() &&
      (!IsValidCode(code) || env_.QueryLong(Format("Select Count(*) From Subt Where Kno Like '%s-*'",
                                                   jet::SqlText(code).c_str())) <= 0))
    return Refuse(focus, "code", "输入的科目代码不存在或没有子科目，请重输！", MsgIcon::Warning);
  if (!CheckDateParts(date, focus, "year", "month", "day", "输入", "不合理，请重输！", MsgIcon::Warning))
    return false;
  closingDate = date.Date();
  if (closingDate < env_.startDate || closingDate > env_.endDate)
    return Refuse(focus, "year", "输入日期已不在当前注册的会计年度内，请重输！", MsgIcon::Warning);
  period = PeriodOfDate(YearOf(env_), closingDate);
  headText = Format("截止时间：%d 年 %d 月 %d 日", date.Year(), date.Month(), date.Day());
  focus.clear();
  return true;
}
