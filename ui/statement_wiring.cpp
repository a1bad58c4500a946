// The financial statements' commands in the main window. 财务报表 opens a report window the way the balance
// table does (the dialog first, then the view, which asks it again on Ctrl+O).
#include "statement_wiring.h"

#include "app/application.h"
#include "app/command_table.h"
#include "main_frame.h"
#include "report_kit.h"
#include "statements/pl_closing_dlg.h"
#include "statements/statement_template_dlg.h"
#include "statements/statement_dlg.h"
#include "statements/statement_view.h"

void WireStatementCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  frame.SetDataWindowKit(cmd::kStatements, ReportKit<CStatementView, CStatementDlg>(
                                               env, [](CStatementDlg& dlg) { return dlg.OnInitDialog(); }));
  frame.SetCommandHandler(cmd::kStatementTemplates, [&env] {
    CTemplateDlg dlg(env);
    if (dlg.OnInitDialog()) AskDialog(dlg);
  });
  frame.SetCommandHandler(cmd::kClosePl, [&env] {
    CClosingDlg dlg(env);
    dlg.OnInitDialog();
    AskDialog(dlg);
  });
}
