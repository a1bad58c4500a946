// tavrel-cli report balance | turnover | trial | search: the balance table, the balance-and-turnover table,
// the trial balance and the fuzzy ledger query, each through its window's dialog and view.
#include <unistd.h>

#include <cstdio>

#include "app/command_table.h"
#include "base/gbk.h"
#include "data/data_env.h"
#include "report_command.h"
#include "reports/balance_date_dlg.h"
#include "reports/balance_table.h"
#include "reports/fuzzy_query_dlg.h"
#include "reports/fuzzy_query_list.h"
#include "reports/report_progress.h"
#include "reports/trial_balance.h"
#include "reports/turnover_table.h"

namespace {

// A date option as typed: its year, month and day fields, checked by the dialog.
void FillDate(DateFields& fields, const std::string& date) {
  fields.year = date.substr(0, 4);
  fields.month = date.size() > 4 ? date.substr(4, 2) : "";
  fields.day = date.size() > 6 ? date.substr(6) : "";
}

// The share done, on the terminal only, so that piped output and logs stay clean.
void ShowProgressOnTerminal() {
  if (!isatty(STDERR_FILENO)) return;
  SetProgressSink([](int percent) {
    if (percent < 0)
      std::fputs("\r     \r", stderr);
    else
      std::fputs(("\r" + gbk::ToUtf8(ProgressText(percent))).c_str(), stderr);
    std::fflush(stderr);
  });
}

template <class View>
std::unique_ptr<View> MakeView(CVyDataEnv& env) {
  auto view = std::make_unique<View>();
  view->SetDataEnv(&env);
  view->InitForm();
  return view;
}

const RegisterReportKind kBalance(
    {"balance", cmd::kBalanceTable, "--date D [--code C] [--nonzero]", {"nonzero"}, [](CVyDataEnv& env, const CliOptions& o) {
       std::unique_ptr<CVyReportView> none;
       if (!CBalanceDateDlg::HasAccounts(env)) return none;
       CBalanceDateDlg dlg(env);
       dlg.OnInitDialog(o.Get("code"));
       if (o.Has("date")) FillDate(dlg.date, o.Get("date"));
       dlg.nonzero = o.Has("nonzero");
       if (!dlg.OnOK()) return none;
       ShowProgressOnTerminal();
       auto view = MakeView<CHobdzb5>(env);
       view->SetParameters(dlg);
       view->Build();
       return std::unique_ptr<CVyReportView>(std::move(view));
     }});

const RegisterReportKind kTurnover({"turnover",
                                    cmd::kTurnoverTable,
                                    "--from D --to D [--code C] [--all-levels] [--nonzero]",
                                    {"all-levels", "nonzero"},
                                    [](CVyDataEnv& env, const CliOptions& o) {
                                      std::unique_ptr<CVyReportView> none;
                                      if (!CBalanceDateDlg::HasAccounts(env)) return none;
                                      CTurnoverRangeDlg dlg(env);
                                      dlg.OnInitDialog();
                                      dlg.code = o.Get("code");
                                      dlg.allLevels = o.Has("all-levels");
                                      dlg.nonzero = o.Has("nonzero");
                                      if (o.Has("from")) FillDate(dlg.from, o.Get("from"));
                                      if (o.Has("to")) FillDate(dlg.to, o.Get("to"));
                                      if (!dlg.OnOK()) return none;
                                      ShowProgressOnTerminal();
                                      auto view = MakeView<CHobdzb6>(env);
                                      view->SetParameters(dlg);
                                      view->Build();
                                      return std::unique_ptr<CVyReportView>(std::move(view));
                                    }});

const RegisterReportKind kTrial(
    {"trial", cmd::kTrialBalance, "[--month M]", {}, [](CVyDataEnv& env, const CliOptions& o) {
       std::unique_ptr<CVyReportView> none;
       CTrialMonthDlg dlg(env);
       dlg.OnInitDialog();
       dlg.monthText = o.Get("month", dlg.monthText);
       if (!dlg.OnOK()) return none;
       auto view = MakeView<CTrialBalanceView>(env);
       view->SetParameters(dlg);
       view->Build();
       return std::unique_ptr<CVyReportView>(std::move(view));
     }});

const RegisterReportKind kSearch(
    {"search",
     cmd::kFuzzyQuery,
     "[--summary T] [--code C] [--amount A] [--amount2 B] [--from M] [--to M] [--side debit|credit|auto]",
     {},
     [](CVyDataEnv& env, const CliOptions& o) {
       std::unique_ptr<CVyReportView> none;
       CFuzzyQueryDlg dlg(env);
       dlg.OnInitDialog();
       dlg.summary = o.Get("summary");
       dlg.code = o.Get("code");
       dlg.amount1 = o.Get("amount");
       dlg.amount2 = o.Get("amount2");
       dlg.startMonth = o.Get("from", dlg.startMonth);
       dlg.endMonth = o.Get("to", dlg.endMonth);
       std::string side = o.Get("side", "auto");
       if (side != "debit" && side != "credit" && side != "auto") {
         ShowMessage("--side 应为 debit、credit 或 auto。", MsgIcon::Warning);
         return none;
       }
       dlg.side = side == "debit"    ? CFuzzyQueryDlg::kDebit
                  : side == "credit" ? CFuzzyQueryDlg::kCredit
                                     : CFuzzyQueryDlg::kAuto;
       // The window's 确认 cannot be pressed without an account or an amount.
       if (!dlg.ConfirmEnabled()) {
         ShowMessage("科目代码和金额必须至少指定其一。", MsgIcon::Warning);
         return none;
       }
       if (!dlg.OnOK()) return none;
       ShowProgressOnTerminal();
       auto view = MakeView<CHobdzb7>(env);
       view->SetParameters(dlg);
       view->Build();
       return std::unique_ptr<CVyReportView>(std::move(view));
     }});

}  // namespace
