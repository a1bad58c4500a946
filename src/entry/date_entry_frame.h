#pragma once
// CQirnpzFrm2: the frame of an entry-by-date window. It owns the day sheet its CQirnpz2 view shows and
// edits, and closes only through the view's save flow.
#include "entry/entry_frame.h"
#include "entry/entry_sheet.h"

class CQirnpzFrm2 : public CEntryFrame {
 public:
  using CEntryFrame::CEntryFrame;
  DaySheet& Sheet() { return sheet_; }

 private:
  DaySheet sheet_;
};
