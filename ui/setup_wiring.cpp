// 帐户设置 opens the chart browser over the open year file.
#include "setup_wiring.h"

#include "app/application.h"
#include "app/command_table.h"
#include "chart_setup_dialog.h"
#include "main_frame.h"

void WireSetupCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  frame.SetCommandHandler(cmd::kAccountSetup, [&env, &frame] {
    ChartSetupDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });
}
