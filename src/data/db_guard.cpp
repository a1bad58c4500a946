#include "data/db_guard.h"

#include "base/platform.h"
#include "data/db_error.h"

bool RunCatchingDbErrors(const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const jet::DbError& e) {
    ShowMessage(*e.what() ? e.what() : "命令失败。", MsgIcon::Stop);
    return false;
  }
}
