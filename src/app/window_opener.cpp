#include "app/window_opener.h"

#include "base/platform.h"

bool OpenDataWindow(const CommandInfo& command, WindowOpener& opener) {
  const DocTemplate* tmpl = FindTemplate(command.templateNo);
  if (!tmpl) return false;
  if (!opener.AskParameters(command)) return false;
  if (!opener.CreateFrame(*tmpl, command)) {
    ShowMessage("命令失败。");
    return false;
  }
  opener.LoadView(command);
  return true;
}
