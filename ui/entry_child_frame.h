#pragma once
// The child window of an entry view: asked to close, it lets the view's frame run the save flow, and stays
// open (stopping a running shutdown) when the user goes back to editing or the save failed.
#include "app/application.h"
#include "child_frame.h"

class EntryChildFrame : public CChildFrame {
  Q_OBJECT
 public:
  EntryChildFrame(int commandId, CQirnApp& app, QWidget* parent = nullptr)
      : CChildFrame(commandId, parent), app_(app) {}

 protected:
  bool QueryClose() override;

 private:
  CQirnApp& app_;
};
