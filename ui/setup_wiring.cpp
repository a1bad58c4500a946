// 帐户设置 opens the chart browser over the open year file.
#include "setup_wiring.h"

#include "app/application.h"
#include "chart_setup_dialog.h"
#include "main_frame.h"

namespace {

constexpr int kAccountSetup = 40025;

}  // namespace

void WireSetupCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  frame.SetCommandHandler(kAccountSetup, [&env, &frame] {
    ChartSetupDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });
}
