#include "reports/turnover_range_dlg.h"

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "accounts/period.h"
#include "base/platform.h"
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

bool CTurnoverRangeDlg::Refuse(const char* message, const char* field) {
  focus = field;
  ShowMessage(message, MsgIcon::Warning);
  return false;
}

bool CTurnoverRangeDlg::OnOK() {
  switch (from.Check()) {
    case DateFields::kYear:
      return Refuse("起始年度不合理，请重输！", "fromYear");
    case DateFields::kMonth:
      return Refuse("起始月份不合理，请重输！", "fromMonth");
    case DateFields::kDay:
      return Refuse("起始日不合理，请重输！", "fromDay");
    case DateFields::kNone:
      break;
  }
  switch (to.Check()) {
    case DateFields::kYear:
      return Refuse("终止年度不合理，请重输！", "toYear");
    case DateFields::kMonth:
      return Refuse("终止月份不合理，请重输！", "toMonth");
    case DateFields::kDay:
      return Refuse("终止日不合理，请重输！", "toDay");
    case DateFields::kNone:
      break;
  }
  startDate = from.Date();
  endDate = to.Date();
  if (startDate < env_.startDate || startDate > env_.endDate)
    return Refuse("输入时间已不在当前会计年度内，请重输！", "fromYear");
  if (endDate < env_.startDate || endDate > env_.endDate)
    return Refuse("输入时间已不在当前会计年度内，请重输！", "toYear");
  if (startDate > endDate) return Refuse("起始时间大于终止时间，请重输！", "fromYear");
  code = Trim(code);
  if (!code.empty() &&
      (!IsValidCode(code) || env_.QueryLong(Format("select count(*) from subt where trim( kno ) like '%s-*'",
                                                   jet::SqlText(code).c_str())) <= 0))
    return Refuse("该会计科目不存在或没有子科目，请重输！", "code");
  AccountingYear year = YearOf(env_);
  startPeriod = PeriodOfDate(year, startDate);
  endPeriod = PeriodOfDate(year, endDate);
  rangeText = RangeText(from, to);
  focus.clear();
  return true;
}
