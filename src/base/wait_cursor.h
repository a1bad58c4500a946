#pragma once
// The wait cursor over a scope: it ends however the scope is left (a failed statement throws).
#include "base/platform.h"

class WaitCursorScope {
 public:
  WaitCursorScope() { Plat().BeginWaitCursor(); }
  ~WaitCursorScope() { Plat().EndWaitCursor(); }
  WaitCursorScope(const WaitCursorScope&) = delete;
  WaitCursorScope& operator=(const WaitCursorScope&) = delete;
};
