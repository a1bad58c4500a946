#pragma once
// The way every data command opens its window: ask the parameters, make the frame, load the view.
#include "app/command_table.h"
#include "app/doc_templates.h"

// The main window's part in opening a data window.
class WindowOpener {
 public:
  virtual ~WindowOpener() = default;
  // Shows the command's modal parameter dialog, pre-filled from the data environment; false when cancelled.
  virtual bool AskParameters(const CommandInfo& command) = 0;
  // Makes a new child window of the template on the shared document and runs its first update; false
  // when no frame could be made.
  virtual bool CreateFrame(const DocTemplate& tmpl, const CommandInfo& command) = 0;
  // Hands the dialog's results to the new active window's view, which then reads its rows.
  virtual void LoadView(const CommandInfo& command) = 0;
};

// Runs the rule for a command that opens a data window; true when a window was opened. A frame that
// cannot be made is reported as "命令失败。" and the dialog's results are dropped.
bool OpenDataWindow(const CommandInfo& command, WindowOpener& opener);
