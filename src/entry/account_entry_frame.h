#pragma once
// CQirnpzFrm: the frame of an entry-by-account window. It owns the month sheet its CQirnpz1 view shows and
// edits, and closes only through the view's save flow.
#include "entry/entry_frame.h"
#include "entry/entry_sheet.h"

class CQirnpzFrm : public CEntryFrame {
 public:
  using CEntryFrame::CEntryFrame;
  MonthSheet& Sheet() { return sheet_; }

 private:
  MonthSheet sheet_;
};
