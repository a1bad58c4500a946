// The checks of the interest posting's date and summary.
#include "interest/interest_post_dlg.h"

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "accounts/chart_queries.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"

CInterestPostDlg::CInterestPostDlg(CVyDataEnv& env, const std::string& endDate) : env_(env) {
  fields.Set(endDate);
}

bool CInterestPostDlg::OnOk() {
  if (!CheckDateParts(fields, focus, Focus::Year, Focus::Month, Focus::Day, "记帐日期的", "不合理，请重输!",
                      MsgIcon::Stop))
    return false;
  std::string d = fields.Date();
  if (d < env_.startDate || d > env_.endDate)
    return Refuse(focus, Focus::Year, "记帐日期已不在当前注册年度内，请重输!", MsgIcon::Stop);
  if (Trim(summaryText).empty()) return Refuse(focus, Focus::Summary, "摘要不能为空，请重输!", MsgIcon::Stop);
  std::string c = Trim(counterText);
  if (!c.empty() && !(IsValidCode(c) && IsLowestLevel(env_, c)))
    return Refuse(focus, Focus::Counter, "对方科目不存在或非最低明细帐户，请重输!", MsgIcon::Stop);
  date = d;
  summary = summaryText;
  counter = c;
  return true;
}

void CInterestPostDlg::OnBrowseCounter() {
  if (auto chosen = AskAccount(accountquery::kLowestLevel, Trim(counterText))) counterText = *chosen;
  focus = Focus::Counter;
}
