// The checks of the interest posting's date and summary.
#include "interest/interest_post_dlg.h"

#include "base/platform.h"
#include "base/text.h"

CInterestPostDlg::CInterestPostDlg(CVyDataEnv& env, const std::string& endDate) : env_(env) {
  fields.Set(endDate);
}

bool CInterestPostDlg::Refuse(const char* message, Focus field) {
  ShowMessage(message, MsgIcon::Stop);
  focus = field;
  return false;
}

bool CInterestPostDlg::OnOk() {
  switch (fields.Check()) {
    case DateFields::kYear:
      return Refuse("记帐日期的年度不合理，请重输!", Focus::Year);
    case DateFields::kMonth:
      return Refuse("记帐日期的月份不合理，请重输!", Focus::Month);
    case DateFields::kDay:
      return Refuse("记帐日期的日不合理，请重输!", Focus::Day);
    case DateFields::kNone:
      break;
  }
  std::string d = fields.Date();
  if (d < env_.startDate || d > env_.endDate)
    return Refuse("记帐日期已不在当前注册年度内，请重输!", Focus::Year);
  if (Trim(summaryText).empty()) return Refuse("摘要不能为空，请重输!", Focus::Summary);
  date = d;
  summary = summaryText;
  return true;
}
