#include "entry/account_entry_dlg.h"

#include <cstdlib>

#include "accounts/account_asker.h"
#include "base/date.h"
#include "base/date_fields.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "data/sql_text.h"

using jet::SqlText;

CAccountEntryDlg::CAccountEntryDlg(CVyDataEnv& env) : env_(env) {}

void CAccountEntryDlg::Prefill() {
  Prefill(env_.year, Plat().Now().month, "");
}

void CAccountEntryDlg::Prefill(int y, int m, const std::string& c) {
  yearText = Format("%d", y);
  monthText = Format("%d", m);
  code = c;
  // A year that lies inside one calendar year leaves nothing to choose.
  yearEnabled = env_.startDate.substr(0, 4) != env_.endDate.substr(0, 4);
}

bool CAccountEntryDlg::OnInitDialog() {
  if (env_.QueryLong("select count(*) from subt") == 0) {
    ShowMessage("本年度尚未设置会计科目");
    return false;
  }
  return true;
}

void CAccountEntryDlg::OnBrowse() {
  if (std::optional<std::string> chosen = AskAccount(accountquery::kLowestLevel, code)) code = *chosen;
  focus = Focus::Code;
}

bool CAccountEntryDlg::OnOk() {
  // A whole number or nothing: "2.9" or "2026x" are no month or year, not February or 2026.
  int y = DateFields::Number(yearText), m = DateFields::Number(monthText);
  std::string key = MakeMonthKey(y, m);
  if (key < env_.startDate.substr(0, 6) || key > env_.endDate.substr(0, 6) || m < 1 || m > 12)
    return Refuse(focus, Focus::Month, "录入日期已不在本年度内，请重录入");
  std::string c = Trim(code);
  if (c.empty()) return Refuse(focus, Focus::Code, "未录入帐户代码");
  const std::string k = SqlText(c);
  if (env_.QueryLong(Format("select count(*) from subt where trim(kno)='%s' or trim(kno) like '%s-*'",
                            k.c_str(), k.c_str())) != 1)
    return Refuse(focus, Focus::Code, "帐户代码不存在或非最低明细帐户");
  year = y;
  month = m;
  code = c;
  fz = static_cast<int>(env_.QueryLong(Format("select val(FZ) from subt where trim(kno)='%s'", k.c_str())));
  return true;
}
