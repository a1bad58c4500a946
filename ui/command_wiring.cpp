#include "command_wiring.h"

#include "account_set_dialog.h"
#include "app/application.h"
#include "app/command_table.h"
#include "base/text.h"
#include "calculator_dialog.h"
#include "child_frame.h"
#include "entry_wiring.h"
#include "interest_wiring.h"
#include "ledger_wiring.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "new_year_dialog.h"
#include "openings_wiring.h"
#include "operators_dialog.h"
#include "password_dialog.h"
#include "query_wiring.h"
#include "report_wiring.h"
#include "set_info_dialog.h"
#include "setup_wiring.h"
#include "statement_wiring.h"
#include "year_books_dialog.h"
#include "yearend_wiring.h"

namespace {

std::string YearText(const CVyDataEnv& env) {
  return env.year > 0 ? Format("%d", env.year) : std::string();
}

}  // namespace

void WireCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  auto plug = [&](int id, std::function<void()> handler) { frame.SetCommandHandler(id, std::move(handler)); };

  plug(cmd::kPassword, [&] {
    PasswordDialog dialog(env, &frame);
    dialog.exec();
  });
  // In a form view the calculator works on the current cell; elsewhere it only computes.
  plug(cmd::kCalculator, [&] {
    if (CChildFrame* child = frame.ActiveChild())
      if (ViewCommandTarget* view = child->Commands(); view && view->TakesCommand(cmd::kCalculator)) {
        view->RunCommand(cmd::kCalculator);
        return;
      }
    RunCalculator(&frame, "", false, &env);
  });
  plug(cmd::kOperators, [&] {
    OperatorsDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
    frame.ShowLoginState();  // the logged-in operator's name may have changed
  });
  plug(cmd::kNewYear, [&] {
    NewYearDialog dialog(env, &frame);
    dialog.exec();
  });
  plug(cmd::kAccountSets, [&] { AccountSetDialog::Create(&frame, env.dataDir, YearText(env)); });
  plug(cmd::kSetInfo, [&] {
    AccountInfoDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
    frame.ShowLoginState();  // the unit name is in the title
  });

  plug(cmd::kPrintBooks, [&] { RunBooksCommand(env, &frame); });

  WireSetupCommands(app, frame);
  WireYearendCommands(app, frame);
  WireReportCommands(app, frame);
  WireStatementCommands(app, frame);

  LoginDialog::SetSearchHook([&env](QWidget* parent) -> std::optional<std::string> {
    std::string chosen = AccountSetDialog::Browse(parent, env.dataDir, YearText(env));
    if (chosen.empty()) return std::nullopt;
    return chosen;
  });
  WireLedgerCommands(app, frame);
  WireQueryCommands(app, frame);
  WireOpeningsCommands(app, frame);
  WireEntryCommands(app, frame);
  WireInterestCommands(app, frame);
}
