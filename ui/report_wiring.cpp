#include "report_wiring.h"

#include <memory>

#include "app/application.h"
#include "app/command_table.h"
#include "balance_date_dialog.h"
#include "base/dialog_asker.h"
#include "data_window_kit.h"
#include "form_view_widget.h"
#include "fuzzy_query_dialog.h"
#include "main_frame.h"
#include "progress_window.h"
#include "reports/balance_date_dlg.h"
#include "reports/balance_table.h"
#include "reports/fuzzy_query_dlg.h"
#include "reports/fuzzy_query_list.h"
#include "reports/trial_balance.h"
#include "reports/turnover_table.h"
#include "turnover_range_dialog.h"

namespace {

// A report window's kit: its dialog (the model kept until the view takes it) and its view, which asks the
// same dialog again on Ctrl+O.
template <class View, class Dlg>
DataWindowKit ReportKit(CVyDataEnv& env, std::function<bool(Dlg&)> prepare) {
  auto pending = std::make_shared<std::unique_ptr<Dlg>>();
  DataWindowKit kit;
  kit.ask = [&env, pending, prepare](QWidget*) {
    auto dlg = std::make_unique<Dlg>(env);
    if (!prepare(*dlg) || !AskDialog(*dlg)) return false;
    *pending = std::move(dlg);
    return true;
  };
  kit.createView = [&env]() -> QWidget* {
    auto view = std::make_unique<View>();
    view->SetDataEnv(&env);
    return new FormViewWidget(std::move(view));
  };
  kit.load = [pending](QWidget* widget) {
    auto& view = static_cast<View&>(static_cast<FormViewWidget*>(widget)->View());
    view.SetParameters(**pending);
    pending->reset();
    view.Build();
  };
  return kit;
}

}  // namespace

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
