// The chart-of-accounts windows of the main menu: 年初帐户余额 and 帐户目录打印.
#include "openings_wiring.h"

#include <QAbstractScrollArea>
#include <memory>

#include "accounts/chart_print_view.h"
#include "app/application.h"
#include "app/command_table.h"
#include "chart_print_dialog.h"
#include "form_view_widget.h"
#include "main_frame.h"
#include "opening_browser_dialog.h"

void WireOpeningsCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  frame.SetCommandHandler(cmd::kOpenings, [&env, &frame] {
    OpeningBalanceDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });

  // The catalogue opens empty; Ctrl+O or Enter asks where it starts.
  DataWindowKit catalogue;
  catalogue.createView = [&env]() -> QWidget* {
    auto view = std::make_unique<CHobdSubjectPrint>();
    CHobdSubjectPrint* print = view.get();
    view->SetDataEnv(&env);
    auto* widget = new FormViewWidget(std::move(view));
    print->paintNow = [widget] { widget->viewport()->repaint(); };
    return widget;
  };
  frame.SetDataWindowKit(cmd::kCatalogue, std::move(catalogue));
}
