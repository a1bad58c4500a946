// The closing dialog's model: the plan it shows is the one it posts, made again right before posting.
#include "statements/pl_closing_dlg.h"

#include "base/platform.h"
#include "base/text.h"
#include "data/db_guard.h"
#include "formview/report_view.h"
#include "ledgers/ledger_period_dlg.h"
#include "statements/statement_dlg.h"

const char* const CClosingDlg::kNothingToClose = "本月没有要结转的损益。";

CClosingDlg::CClosingDlg(CVyDataEnv& env) : env_(env) {}

void CClosingDlg::OnInitDialog() {
  if (monthText.empty()) monthText = PresetMonthText(env_);
  OnPlan();
}

bool CClosingDlg::OnPlan() {
  plan = ClosingPlan{};
  lines.clear();
  focus.clear();
  int month = DialogMonth(monthText);
  if (month == 0) {
    focus = "month";
    plan.refusal = note = "月份应为 1 到 12。";
    return false;
  }
  if (!RunCatchingDbErrors([&] { plan = PlanClosing(env_, month); })) {
    plan.refusal = note = "读帐簿时出错，没有算出要结转的损益。";
    return false;
  }
  lines = PlanLines(plan);
  if (!plan.refusal.empty())
    note = plan.refusal;
  else if (plan.postings.empty())
    note = kNothingToClose;
  else
    note = Format("%s结转到%s，共 %zu 笔。", CVyReportView::DateWords(plan.date).c_str(),
                  plan.profitAccount.c_str(), plan.postings.size());
  return true;
}

bool CClosingDlg::OnOk() {
  posted = 0;
  if (!OnPlan()) {
    if (focus == "month") ShowMessage(note);  // a database error has had its message
    return false;
  }
  if (!CanPost()) {
    ShowMessage(note, plan.refusal.empty() ? MsgIcon::Information : MsgIcon::Stop);
    return false;
  }
  std::string question = Format("结转%d月损益，记帐 %zu 笔吗？", plan.month, plan.postings.size());
  if (ShowMessage(question, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes) return false;
  if (!PostClosing(env_, plan)) return false;
  posted = plan.postings.size();
  OnPlan();
  note = Format("已记帐 %zu 笔。", posted);
  ShowMessage(note, MsgIcon::Information);
  return true;
}
