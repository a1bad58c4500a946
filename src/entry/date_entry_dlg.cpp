#include "entry/date_entry_dlg.h"

#include <cstdlib>

#include "base/date.h"
#include "base/date_fields.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "entry/posting.h"

CDateEntryDlg::CDateEntryDlg(CVyDataEnv& env) : env_(env) {}

void CDateEntryDlg::Prefill() {
  DateTime now = Plat().Now();
  Prefill(env_.year, now.month, now.day);
}

void CDateEntryDlg::Prefill(int y, int m, int d) {
  yearText = Format("%d", y);
  monthText = Format("%d", m);
  dayText = Format("%d", d);
}

bool CDateEntryDlg::OnInitDialog() {
  if (env_.QueryLong("select count(*) from subt") == 0) {
    ShowMessage("本年度尚未设置会计科目");
    return false;
  }
  return true;
}

std::string CDateEntryDlg::DateRefusal(CVyDataEnv& env, int y, int m, int d) {
  if (y < 0 || m < 0 || d < 0) return "你输入的日期不存在，请重输";  // a field that holds no whole number
  const std::string date = jet::SqlText(MakeDate(y, m, d));
  if (env.QueryLong(Format("select count(*) from systab where trim(T1)>'%s' or trim(T13)<'%s'", date.c_str(),
                           date.c_str())) > 0)
    return "你输入的日期已不在本年度之内，请重输";
  // Every posting of a day the calendar lacks would fall in no period and be lost on saving.
  if (!IsCalendarDay(y, m, d)) {
    if (m >= 1 && m <= 12) return Format("%d 月没有 %d 日，请重输", m, d);
    return "你输入的日期不存在，请重输";
  }
  return {};
}

bool CDateEntryDlg::OnOk() {
  // Whole numbers only: "2.9" is no month (not February), "5x" no day.
  int y = DateFields::Number(yearText), m = DateFields::Number(monthText), d = DateFields::Number(dayText);
  std::string refusal = DateRefusal(env_, y, m, d);
  if (!refusal.empty()) {
    ShowMessage(refusal);
    focus = Focus::Day;
    return false;
  }
  year = y;
  month = m;
  day = d;
  return true;
}
