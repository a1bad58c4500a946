#include "app/shutdown_loop.h"

bool ShutdownLoop::Run(ShutdownHost& host) {
  do {
    keepClosing_ = true;
    int open = host.OpenChildCount();
    if (open == 0) return true;
    host.CloseActiveChild();
    // A window that stays open without saying so would otherwise be asked again for ever.
    if (host.OpenChildCount() >= open) keepClosing_ = false;
  } while (keepClosing_);
  return false;
}

bool EntryFrameMayClose(SaveAnswer answer, ShutdownLoop& loop) {
  if (answer == SaveAnswer::Cancel || answer == SaveAnswer::Retry) {
    loop.StopClosing();
    return false;
  }
  return true;
}
