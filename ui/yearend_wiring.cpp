#include "yearend_wiring.h"

#include "app/qirn_app.h"
#include "carry_forward_dialog.h"
#include "copy_info_dialog.h"
#include "main_frame.h"

namespace {

constexpr int kCarryForward = 40032;
constexpr int kCopyInfo = 40033;

}  // namespace

void WireYearendCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  frame.SetCommandHandler(kCarryForward, [&env, &frame] {
    CarryForwardDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });
  frame.SetCommandHandler(kCopyInfo, [&env, &frame] {
    CopyInfoDialog dialog(env, &frame);
    dialog.exec();
  });
}
