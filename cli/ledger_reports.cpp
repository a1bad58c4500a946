// The ledgers from the command line: each kind fills the ledger's own dialog from the options, runs its
// checks and builds the window's view.
#include <memory>

#include "app/command_table.h"
#include "data/data_env.h"
#include "ledgers/aux_catalogue_dlg.h"
#include "ledgers/ledger_period_dlg.h"
#include "ledgers/multi_column_ledger.h"
#include "ledgers/quantity_currency_ledger.h"
#include "ledgers/three_column_ledger.h"
#include "report_command.h"

namespace {

template <class View, class... Args>
std::unique_ptr<View> MakeView(CVyDataEnv& env, Args... args) {
  auto view = std::make_unique<View>(args...);
  view->SetDataEnv(&env);
  view->InitForm();
  return view;
}

bool NeedCode(const CliOptions& o) {
  if (!o.Get("code").empty()) return true;
  Fail("需要 --code 帐户代码。");
  return false;
}

std::unique_ptr<CVyReportView> ThreeColumn(CVyDataEnv& env, const CliOptions& o) {
  if (!NeedCode(o)) return nullptr;
  std::string mode = o.Get("mode", "auto");
  int outputMode = mode == "auto" ? 0 : mode == "detail" ? 1 : mode == "summary" ? 2 : -1;
  if (outputMode < 0) {
    Fail("--mode 应为 auto、detail 或 summary。");
    return nullptr;
  }
  std::string code = o.Get("code");
  if (!CQirnzb1::HasContent(env, code, 12)) return nullptr;
  CLedgerPeriodDlg dialog(env, code, "", "", !o.Has("unreached"));
  dialog.startMonth = o.Get("from", dialog.startMonth);
  dialog.endMonth = o.Get("to", dialog.endMonth);
  if (!dialog.Confirm()) return nullptr;
  auto view = MakeView<CQirnzb1>(env);
  view->code = code;
  view->startMonth = dialog.start;
  view->endMonth = dialog.end;
  view->reached = dialog.reached;
  view->periodText = dialog.periodText;
  view->outputMode = outputMode;
  view->Build();
  return view;
}

// The catalogue dialog of a mode, on the account given; nullopt after a refusal.
std::unique_ptr<CAuxCatalogueDlg> Catalogue(CVyDataEnv& env, int mode, const CliOptions& o) {
  if (!NeedCode(o)) return nullptr;
  auto dialog = std::make_unique<CAuxCatalogueDlg>(env, mode, o.Get("code"), "", "");
  if (!dialog->Open()) return nullptr;
  if (!dialog->SelectCode(o.Get("code"))) {
    Fail("帐户“" + o.Get("code") + "”不在" + dialog->Caption() + "中。");
    return nullptr;
  }
  dialog->startMonth = o.Get("from", dialog->startMonth);
  dialog->endMonth = o.Get("to", dialog->endMonth);
  if (!dialog->Confirm()) return nullptr;
  return dialog;
}

std::unique_ptr<CVyReportView> MultiColumn(CVyDataEnv& env, const CliOptions& o) {
  auto dialog = Catalogue(env, CAuxCatalogueDlg::kMultiColumn, o);
  if (!dialog || !CQirnzb2::HasContent(env, dialog->code, MonthNumber(dialog->end), "本科目无经济内容!"))
    return nullptr;
  auto view = MakeView<CQirnzb2>(env);
  view->detail = o.Has("detail");
  view->Open(dialog->code, dialog->start, dialog->end, dialog->periodText);
  return view;
}

std::unique_ptr<CVyReportView> QuantityOrCurrency(CVyDataEnv& env, const CliOptions& o, int kind) {
  auto dialog = Catalogue(env, kind == 0 ? CAuxCatalogueDlg::kQuantity : CAuxCatalogueDlg::kCurrency, o);
  if (!dialog || !CQirnzb3::CanShow(env, kind, dialog->code, MonthNumber(dialog->end))) return nullptr;
  auto view = MakeView<CQirnzb3>(env, kind);
  view->Open(dialog->code, dialog->start, dialog->end, dialog->periodText);
  return view;
}

const RegisterReportKind kLedger({"ledger",
                                  cmd::kThreeColumn,
                                  "--code C [--from M] [--to M] [--unreached] [--mode auto|detail|summary]",
                                  {"unreached"},
                                  ThreeColumn});
const RegisterReportKind kMulti(
    {"multi", cmd::kMultiColumn, "--code C [--from M] [--to M] [--detail]", {"detail"}, MultiColumn});
const RegisterReportKind kQuantity({"quantity",
                                    cmd::kQuantityLedger,
                                    "--code C [--from M] [--to M]",
                                    {},
                                    [](CVyDataEnv& env, const CliOptions& o) {
                                      return QuantityOrCurrency(env, o, 0);
                                    }});
const RegisterReportKind kCurrency({"currency",
                                    cmd::kCurrencyLedger,
                                    "--code C [--from M] [--to M]",
                                    {},
                                    [](CVyDataEnv& env, const CliOptions& o) {
                                      return QuantityOrCurrency(env, o, 1);
                                    }});

}  // namespace
