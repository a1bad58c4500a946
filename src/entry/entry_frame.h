#pragma once
// What the two entry frames share: the rule by which one closes. Closing runs its view's save flow; a
// cancelled or failed save keeps the window open and stops a running shutdown.
#include "app/shutdown_loop.h"

class CEntryView;

class CEntryFrame {
 public:
  explicit CEntryFrame(CEntryView& view) : view_(view) {}
  virtual ~CEntryFrame() = default;
  CEntryFrame(const CEntryFrame&) = delete;
  CEntryFrame& operator=(const CEntryFrame&) = delete;

  // Whether the window may close now.
  bool QueryClose(ShutdownLoop& loop);
  CEntryView& View() { return view_; }

 private:
  CEntryView& view_;
};

// The save flow's result as the close rule reads it.
SaveAnswer AnswerOf(int saveResult);
