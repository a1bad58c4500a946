#pragma once
// A view that takes commands of the menus: saving, printing, the clipboard, row commands. The main window
// routes these commands to the view of the active child window and asks it whether each one is enabled.
class ViewCommandTarget {
 public:
  virtual ~ViewCommandTarget() = default;
  virtual bool TakesCommand(int id) const = 0;
  // Whether the command ran.
  virtual bool RunCommand(int id) = 0;
};
