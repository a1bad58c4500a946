// The choice of a statement and its month.
#include "statements/statement_dlg.h"

#include <algorithm>

#include "accounts/period.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/db_guard.h"
#include "ledgers/ledger_period_dlg.h"
#include "statements/statement.h"

std::string PresetMonthText(CVyDataEnv& env) {
  DateTime now = Plat().Now();
  std::string today = Format("%04d%02d%02d", now.year, now.month, now.day);
  int m = PeriodOfDate(YearOf(env), today);
  return Format("%d", m ? m : 12);
}

CStatementDlg::CStatementDlg(CVyDataEnv& env) : env_(env) {}

bool CStatementDlg::OnInitDialog() {
  if (!RunCatchingDbErrors([&] { names = StatementNamesInstalling(env_); })) return false;
  if (names.empty()) {
    ShowMessage("本帐套没有报表模板：请用“报表模板”或 tavrel-cli statement-template 载入一个。");
    return false;
  }
  if (name.empty()) name = names.front();
  if (monthText.empty()) monthText = PresetMonthText(env_);
  return true;
}

bool CStatementDlg::OnOK() {
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    focus = "name";
    ShowMessage("没有报表“" + name + "”。可选的有：" + [&] {
      std::string list;
      for (const std::string& n : names) list += (list.empty() ? "" : "、") + n;
      return list;
    }());
    return false;
  }
  month = DialogMonth(monthText);
  if (month == 0) {
    focus = "month";
    ShowMessage("月份应为 1 到 12。");
    return false;
  }
  return true;
}
