// The checks of the interest parameters, in the order the user meets them.
#include "interest/interest_dlg.h"

#include <cstdlib>

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/sql_text.h"

using jet::SqlText;

CInterestDlg::CInterestDlg(CVyDataEnv& env) : env_(env) {}

bool CInterestDlg::MayStart(CVyDataEnv& env) {
  if (env.QueryLong("select count(*) from subt") == 0) {
    ShowMessage("本年度未建立帐户无需计息！", MsgIcon::Stop);
    return false;
  }
  if (env.QueryLong("select count(*) from p0 where mk='4'") == 0) {
    ShowMessage("本年度无任何数据，无需计息！", MsgIcon::Stop);
    return false;
  }
  return true;
}

void CInterestDlg::OnInitDialog() {
  refusedYearFiles.clear();
  yearFiles = ListInterestYearFiles(env_.dataDir, env_.extension, &refusedYearFiles);
  start.Set(env_.startDate);
  DateTime now = Plat().Now();
  end.year = Format("%d", env_.year);
  end.month = Format("%d", now.month);
  end.day = Format("%d", now.day);
  focus = Focus::StartYear;
}

void CInterestDlg::Prefill(const InterestParams& p) {
  start.Set(p.start);
  end.Set(p.end);
  code = p.code;
  rateText = Format("%.6f", p.rate);
  while (rateText.back() == '0') rateText.pop_back();
  if (rateText.back() == '.') rateText.pop_back();
  method = p.method;
  credit = p.credit;
}

void CInterestDlg::OnBrowse() {
  if (auto chosen = AskAccount(accountquery::kAnyAccount, code)) code = *chosen;
  focus = Focus::Code;
}

bool CInterestDlg::RefuseBeyondFiles(const char* message, Focus field, int fromYear, int toYear) {
  std::string why = RefusedYearFileIn(refusedYearFiles, fromYear, toYear);
  return Refuse(focus, field, why.empty() ? message : std::string(message) + "\n\n" + why, MsgIcon::Stop);
}

bool CInterestDlg::OnOk() {
  bool ok = false;
  RunCatchingDbErrors([&] { ok = Check(); });
  return ok;
}

bool CInterestDlg::Check() {
  if (!CheckDateParts(start, focus, Focus::StartYear, Focus::StartMonth, Focus::StartDay, "起息日的",
                      "不合理，请重输!", MsgIcon::Stop))
    return false;
  if (!CheckDateParts(end, focus, Focus::EndYear, Focus::EndMonth, Focus::EndDay, "止息日的",
                      "不合理，请重输!", MsgIcon::Stop))
    return false;
  std::string s = start.Date(), e = end.Date();
  int startYear = std::atoi(s.substr(0, 4).c_str()), endYear = std::atoi(e.substr(0, 4).c_str());
  if (yearFiles.empty() || s < yearFiles.front().first)
    return RefuseBeyondFiles("起息日小于本系统的最小年度的年初日，请重输!", Focus::StartYear, startYear - 1,
                             yearFiles.empty() ? endYear + 1 : std::atoi(yearFiles.front().title.c_str()) - 1);
  if (e > yearFiles.back().last)
    return RefuseBeyondFiles("止息日大于本系统的最大年度的年末日，请重输!", Focus::EndYear,
                             std::atoi(yearFiles.back().title.c_str()) + 1, endYear + 1);
  if (s >= e) return Refuse(focus, Focus::EndYear, "止息日不合理，请重输!", MsgIcon::Stop);

  std::string k = Trim(code);
  if (!k.empty()) {
    // A code that is not one (a wildcard typed in) names no account.
    if (!IsValidCode(k)) return Refuse(focus, Focus::Code, "指定帐户不存在，请重输!", MsgIcon::Stop);
    std::string q = SqlText(k);
    if (env_.QueryLong(Format("select count(*) from subt where trim(kno) like '%s' or trim(kno) like '%s-*'",
                              q.c_str(), q.c_str())) < 1)
      return Refuse(focus, Focus::Code, "指定帐户不存在，请重输!", MsgIcon::Stop);
    if (env_.QueryLong(Format("select count(*) from p0 where (trim(kno) like '%s' or trim(kno) like '%s-*') "
                              "and mk='4'",
                              q.c_str(), q.c_str())) < 1)
      return Refuse(focus, Focus::Code, "指定帐户本年度无任何数据，请重新指定其他帐户！", MsgIcon::Stop);
  }
  double rate = ParseNumber(rateText);
  if (rate < money::kBalanceZero)
    return Refuse(focus, Focus::Rate, "日利率是一个万分数，且不得小于或等“0”，请重输!", MsgIcon::Stop);

  params = {s, e, k, rate, method, credit};
  return true;
}
