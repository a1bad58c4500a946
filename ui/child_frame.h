#pragma once
// A child window of the main window, hosting one view. It always opens maximised. The entry windows derive
// from it and answer QueryClose by asking their view to save.
#include <QMdiSubWindow>

#include "app/view_command_target.h"

class CChildFrame : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit CChildFrame(int commandId, QWidget* parent = nullptr);

  void SetView(QWidget* view);
  QWidget* View() const { return view_; }
  // The view's commands, when the view takes any.
  ViewCommandTarget* Commands() const;
  int CommandId() const { return commandId_; }
  // Closed, though perhaps not yet deleted.
  bool IsClosed() const { return closed_; }

 protected:
  // Whether the window may close now. Plain windows always may.
  virtual bool QueryClose() { return true; }
  void closeEvent(QCloseEvent* event) override;

 private:
  int commandId_;
  QWidget* view_ = nullptr;
  bool closed_ = false;
};
