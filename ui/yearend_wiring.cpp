#include "yearend_wiring.h"

#include <memory>

#include "admin/book_check_view.h"
#include "app/application.h"
#include "app/command_table.h"
#include "backups_dialog.h"
#include "carry_forward_dialog.h"
#include "copy_info_dialog.h"
#include "data_window_kit.h"
#include "form_view_widget.h"
#include "main_frame.h"

void WireYearendCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  frame.SetCommandHandler(cmd::kCarryForward, [&env, &frame] {
    CarryForwardDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });
  frame.SetCommandHandler(cmd::kBackups, [&env, &frame] {
    BackupsDialog dialog(env, &frame);
    dialog.exec();
    // A restore may have brought another unit's name or operator with it.
    frame.ShowLoginState();
  });
  frame.SetCommandHandler(cmd::kCopyInfo, [&env, &frame] {
    CopyInfoDialog dialog(env, &frame);
    dialog.exec();
  });
  // 数据检查 asks nothing: its window checks the open year file and lists what it found.
  DataWindowKit check;
  check.ask = [](QWidget*) { return true; };
  check.createView = [&env]() -> QWidget* {
    auto view = std::make_unique<CBookCheckView>();
    view->SetDataEnv(&env);
    return new FormViewWidget(std::move(view));
  };
  check.load = [](QWidget* widget) {
    static_cast<CBookCheckView&>(static_cast<FormViewWidget*>(widget)->View()).Build();
  };
  frame.SetDataWindowKit(cmd::kBookCheck, std::move(check));
}
