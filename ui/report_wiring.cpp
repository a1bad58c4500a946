#include "report_wiring.h"

#include <memory>

#include "app/application.h"
#include "app/command_table.h"
#include "balance_date_dialog.h"
#include "form_view_widget.h"
#include "fuzzy_query_dialog.h"
#include "main_frame.h"
#include "progress_window.h"
#include "report_kit.h"
#include "reports/balance_date_dlg.h"
#include "reports/balance_table.h"
#include "reports/fuzzy_query_dlg.h"
#include "reports/fuzzy_query_list.h"
#include "reports/trial_balance.h"
#include "reports/turnover_table.h"
#include "turnover_range_dialog.h"

void WireReportCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  auto* progress = new ProgressWindow(&frame);
  progress->Install();
  frame.SetDataWindowKit(cmd::kBalanceTable, ReportKit<CHobdzb5, CBalanceDateDlg>(
                                                 env,
                                                 [&env](CBalanceDateDlg& dlg) {
                                                   if (!CBalanceDateDlg::HasAccounts(env)) return false;
                                                   dlg.OnInitDialog();
                                                   return true;
                                                 }));
  frame.SetDataWindowKit(cmd::kTurnoverTable, ReportKit<CHobdzb6, CTurnoverRangeDlg>(
                                                  env,
                                                  [&env](CTurnoverRangeDlg& dlg) {
                                                    if (!CBalanceDateDlg::HasAccounts(env)) return false;
                                                    dlg.OnInitDialog();
                                                    return true;
                                                  }));
  frame.SetDataWindowKit(cmd::kTrialBalance, ReportKit<CTrialBalanceView, CTrialMonthDlg>(env, [](CTrialMonthDlg& dlg) {
                           dlg.OnInitDialog();
                           return true;
                         }));
  frame.SetDataWindowKit(cmd::kFuzzyQuery, ReportKit<CHobdzb7, CFuzzyQueryDlg>(
                                               env,
                                               [](CFuzzyQueryDlg& dlg) {
                                                 dlg.OnInitDialog();
                                                 return true;
                                               }));
}
