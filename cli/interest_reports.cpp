// tavrel-cli report interest and report reconcile: the interest list and the reconciliation statement,
// asked through their windows' parameter dialogs.
#include <memory>

#include "app/command_table.h"
#include "base/date.h"
#include "data/db_error.h"
#include "interest/interest_dlg.h"
#include "interest/interest_list_view.h"
#include "interest/reconcile_dlg.h"
#include "interest/reconcile_view.h"
#include "report_command.h"

namespace {

// A date option 'YYYYMMDD' into the dialog's three fields; false with a message when it is not one.
bool DateOption(const CliOptions& o, const char* name, DateFields& fields) {
  std::string text = o.Get(name);
  int y = 0, m = 0, d = 0;
  if (!SplitDate(text, y, m, d)) {
    Fail(std::string("--") + name + " 应为 YYYYMMDD 形式的日期。");
    return false;
  }
  fields.Set(text);
  return true;
}

std::unique_ptr<CVyReportView> Interest(CVyDataEnv& env, const CliOptions& o) {
  try {
    if (!CInterestDlg::MayStart(env)) return nullptr;
    CInterestDlg dlg(env);
    dlg.OnInitDialog();
    if (!DateOption(o, "from", dlg.start) || !DateOption(o, "to", dlg.end)) return nullptr;
    dlg.code = o.Get("code");
    dlg.rateText = o.Get("rate");
    std::string method = o.Get("method", "equal"), side = o.Get("side", "debit");
    if ((method != "equal" && method != "actual") || (side != "debit" && side != "credit")) {
      Fail("--method 应为 equal 或 actual，--side 应为 debit 或 credit。");
      return nullptr;
    }
    dlg.method = method == "actual" ? DayCount::ActualMonths : DayCount::EqualMonths;
    dlg.credit = side == "credit";
    if (!dlg.OnOk()) return nullptr;
    auto view = std::make_unique<CQirnpz3>(env);
    view->InitForm();
    if (!view->Calculate(dlg.params, dlg.yearFiles)) return nullptr;
    return view;
  } catch (const jet::DbError& e) {
    Fail(e.what());
    return nullptr;
  }
}

std::unique_ptr<CVyReportView> Reconcile(CVyDataEnv& env, const CliOptions& o) {
  CReconcileDlg dlg(env);
  dlg.OnInitDialog();
  if (!DateOption(o, "from", dlg.start) || !DateOption(o, "to", dlg.end)) return nullptr;
  dlg.code = o.Get("code");
  dlg.balanceText = o.Get("other");
  if (!dlg.OnOk()) return nullptr;
  auto view = std::make_unique<CQirnpz4>(env);
  view->InitForm();
  if (!view->Build(dlg.params)) return nullptr;
  return view;
}

const RegisterReportKind kInterest(
    {"interest",
     cmd::kInterest,
     "--from D --to D --rate R [--code C] [--method equal|actual] [--side debit|credit]",
     {},
     Interest});
const RegisterReportKind kReconcile(
    {"reconcile", cmd::kReconcile, "--code C --from D --to D --other BALANCE", {}, Reconcile});

}  // namespace
