#pragma once
// How a window of this subsystem shows a dialog again from its own commands (打开, 记帐): the front end
// installs one runner per dialog model, tests install scripted ones. Without a runner nothing is asked.
#include <functional>

template <class Dialog>
struct DialogRunner {
  // Shows the dialog over the filled model; true when it closed through its OK.
  static inline std::function<bool(Dialog&)> run;
  static bool Run(Dialog& dialog) { return run && run(dialog); }
};
