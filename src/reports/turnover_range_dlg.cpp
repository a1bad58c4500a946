#include "reports/turnover_range_dlg.h"

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "accounts/period.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "data/sql_text.h"

std::string CTurnoverRangeDlg::RangeText(const DateFields& f, const DateFields& t) {
  std::string text = Format("%d 年 %d 月 %d 日", f.Year(), f.Month(), f.Day());
  if (f.Year() != t.Year()) return text + Format(" 至 %d 年 %d 月 %d 日", t.Year(), t.Month(), t.Day());
  if (f.Month() != t.Month()) return text + Format(" 至 %d 月 %d 日", t.Month(), t.Day());
  if (f.Day() != t.Day()) return text + Format(" 至 %d 日", t.Day());
  return text;
}

void CTurnoverRangeDlg::OnInitDialog() {
  yearText = Format("%d", env_.year);
  AccountingYear year = YearOf(env_);
  DateTime now = Plat().Now();
  std::string today = Format("%04d%02d%02d", now.year, now.month, now.day);
  from.Set(year.start);
  to.Set(today >= year.start && today <= year.end ? AccountingPeriod(year, now.month).last : year.end);
}

void CTurnoverRangeDlg::OnInitDialog(const std::string& presetCode, bool presetAll, const std::string& f,
                                     const std::string& t) {
  OnInitDialog();
  code = presetCode;
  allLevels = presetAll;
  from.Set(f);
  to.Set(t);
}

void CTurnoverRangeDlg::OnBrowse() {
  if (auto chosen = AskAccount(accountquery::kAnyAccount, code)) code = *chosen;
}

bool CTurnoverRangeDlg::OnOK() {
  if (!CheckDateParts(from, focus, "fromYear", "fromMonth", "fromDay", "起始", "不合理，请重输！",
                      MsgIcon::Warning))
    return false;
  if (!CheckDateParts(to, focus, "toYear", "toMonth", "toDay", "终止", "不合理，请重输！", MsgIcon::Warning))
    return false;
  startDate = from.Date();
  endDate = to.Date();
  if (startDate < env_.startDate || startDate > env_.endDate)
    return Refuse(focus, "fromYear", "输入时间已不在当前会计年度内，请重输！", MsgIcon::Warning);
  if (endDate < env_.startDate || endDate > env_.endDate)
    return Refuse(focus, "toYear", "输入时间已不在当前会计年度内，请重输！", MsgIcon::Warning);
  if (startDate > endDate)
    return Refuse(focus, "fromYear", "起始时间大于终止时间，请重输！", MsgIcon::Warning);
  code = Trim(code);
  if (!code.empty() &&
      (!IsValidCode(code) || env_.QueryLong(Format("select count(*) from subt where trim( kno ) like '%s-*'",
                                                   jet::SqlText(code).c_str())) <= 0))
    return Refuse(focus, "code", "该会计科目不存在或没有子科目，请重输！", MsgIcon::Warning);
  AccountingYear year = YearOf(env_);
  startPeriod = PeriodOfDate(year, startDate);
  endPeriod = PeriodOfDate(year, endDate);
  rangeText = RangeText(from, to);
  focus.clear();
  return true;
}
