// Plugs the entry windows into the main window: 按帐户录入 and 按日期录入 with their parameter dialogs,
// views and frames, and the dialogs that 打开 of a loaded view asks again.
#include "entry_wiring.h"

#include <memory>

#include "account_entry_dialog.h"
#include "app/application.h"
#include "app/command_table.h"
#include "base/dialog_asker.h"
#include "date_entry_dialog.h"
#include "entry/account_entry_view.h"
#include "entry/date_entry_view.h"
#include "entry_child_frame.h"
#include "form_view_widget.h"
#include "main_frame.h"

namespace {

template <class View>
View& ViewOf(QWidget* widget) {
  return static_cast<View&>(static_cast<FormViewWidget*>(widget)->View());
}

}  // namespace

void WireEntryCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;

  // The parameters asked last, handed to the view the kit makes next.
  auto month = std::make_shared<CAccountEntryDlg>(env);
  DataWindowKit byAccount;
  byAccount.ask = [month](QWidget*) {
    month->Prefill();
    return AskDialog(*month);
  };
  byAccount.createView = [&env] {
    auto view = std::make_unique<CQirnpz1>();
    view->SetDataEnv(&env);
    return new FormViewWidget(std::move(view));
  };
  byAccount.load = [month](QWidget* w) {
    ViewOf<CQirnpz1>(w).Load(month->code, month->year, month->month, month->fz);
  };
  byAccount.createFrame = [&app](const DocTemplate&) { return new EntryChildFrame(cmd::kByAccount, app); };
  frame.SetDataWindowKit(cmd::kByAccount, byAccount);

  auto day = std::make_shared<CDateEntryDlg>(env);
  DataWindowKit byDate;
  byDate.ask = [day](QWidget*) {
    day->Prefill();
    return AskDialog(*day);
  };
  byDate.createView = [&env] {
    auto view = std::make_unique<CQirnpz2>();
    view->SetDataEnv(&env);
    return new FormViewWidget(std::move(view));
  };
  byDate.load = [day](QWidget* w) { ViewOf<CQirnpz2>(w).Load(day->year, day->month, day->day); };
  byDate.createFrame = [&app](const DocTemplate&) { return new EntryChildFrame(cmd::kByDate, app); };
  frame.SetDataWindowKit(cmd::kByDate, byDate);
}
