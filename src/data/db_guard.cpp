// A database error shown and the action ended.
#include "data/db_guard.h"

#include "base/platform.h"
#include "data/jet/db_error.h"

bool ShowDbErrors(const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const jet::DbError& e) {
    ShowMessage(e.what(), MsgIcon::Stop);
    return false;
  }
}
