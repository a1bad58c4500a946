#include "interest_wiring.h"

#include <memory>

#include "app/application.h"
#include "app/command_table.h"
#include "data_window_kit.h"
#include "form_view_widget.h"
#include "base/dialog_asker.h"
#include "interest/interest_list_view.h"
#include "interest/reconcile_view.h"
#include "interest_dialog.h"
#include "interest_post_dialog.h"
#include "main_frame.h"
#include "reconcile_dialog.h"

namespace {

template <class View>
View* ViewOf(QWidget* widget) {
  auto* host = dynamic_cast<FormViewWidget*>(widget);
  return host ? dynamic_cast<View*>(&host->View()) : nullptr;
}

}  // namespace

void WireInterestCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;

  // The parameters asked live until the window has taken them.
  auto interest = std::make_shared<std::unique_ptr<CInterestDlg>>();
  DataWindowKit interestKit;
  interestKit.ask = [&env, interest](QWidget*) {
    if (!CInterestDlg::MayStart(env)) return false;
    *interest = std::make_unique<CInterestDlg>(env);
    (*interest)->OnInitDialog();
    return AskDialog(**interest);
  };
  interestKit.createView = [&env]() -> QWidget* {
    return new FormViewWidget(std::make_unique<CQirnpz3>(env));
  };
  interestKit.load = [interest](QWidget* widget) {
    if (CQirnpz3* view = ViewOf<CQirnpz3>(widget); view && *interest)
      view->Calculate((*interest)->params, (*interest)->yearFiles);
  };
  frame.SetDataWindowKit(cmd::kInterest, std::move(interestKit));

  auto reconcile = std::make_shared<ReconcileParams>();
  DataWindowKit reconcileKit;
  reconcileKit.ask = [&env, reconcile](QWidget*) {
    CReconcileDlg model(env);
    model.OnInitDialog();
    if (!AskDialog(model)) return false;
    *reconcile = model.params;
    return true;
  };
  reconcileKit.createView = [&env]() -> QWidget* {
    return new FormViewWidget(std::make_unique<CQirnpz4>(env));
  };
  reconcileKit.load = [reconcile](QWidget* widget) {
    if (CQirnpz4* view = ViewOf<CQirnpz4>(widget)) view->Build(*reconcile);
  };
  frame.SetDataWindowKit(cmd::kReconcile, std::move(reconcileKit));
}
