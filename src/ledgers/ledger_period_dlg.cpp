#include "ledgers/ledger_period_dlg.h"

#include "base/platform.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "ledgers/ledger_line.h"

int DialogMonth(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 2) return 0;
  for (char c : t)
    if (c < '0' || c > '9') return 0;
  int m = std::stoi(t);
  return m >= 1 && m <= 12 ? m : 0;
}

bool CheckMonths(const std::string& startText, const std::string& endText, int& start, int& end,
                 std::string& focus) {
  start = DialogMonth(startText);
  if (start == 0) {
    ShowMessage("起始月不合理，输入一数!", MsgIcon::Stop);
    focus = "start";
    return false;
  }
  end = DialogMonth(endText);
  if (end == 0 || end < start) {
    ShowMessage("终止月不合理，输入一数!", MsgIcon::Stop);
    focus = "end";
    return false;
  }
  return true;
}

CLedgerPeriodDlg::CLedgerPeriodDlg(CVyDataEnv& env, std::string code, const std::string& start,
                                 const std::string& end, bool reached)
    : reached(reached), env_(env), code_(std::move(code)) {
  yearText = Format("%d", env.year);
  startMonth = Format("%d", MonthNumber(start) > 0 ? MonthNumber(start) : 1);
  endMonth = Format("%d", MonthNumber(end) > 0 ? MonthNumber(end) : 12);
}

bool CLedgerPeriodDlg::Confirm() {
  int s = 0, e = 0;
  if (!CheckMonths(startMonth, endMonth, s, e, focus)) return false;
  std::string k = jet::SqlText(code_);
  long n =
      env_.QueryLong(Format("select count(*) from p0 where (trim(kno)='%s' or trim(kno) \t\tlike '%s-*') "
                            "and val(tt)>=%d and val(tt)<=%d",
                            k.c_str(), k.c_str(), s, e) +
                     (reached ? " and mk='4'" : " and rn>0 and mk='0'"));
  if (n == 0) {
    ShowMessage("没有满足条件的记录", MsgIcon::Stop);
    focus = "start";
    return false;
  }
  periodText = LedgerPeriodText(env_.year, s, e, !reached);
  start = Format("%d", env_.year * 100 + s);
  end = Format("%d", env_.year * 100 + e);
  focus.clear();
  return true;
}
