#include "entry/entry_frame.h"

#include "entry/entry_view.h"

SaveAnswer AnswerOf(int saveResult) {
  switch (saveResult) {
    case CEntryView::kSaved:
    case CEntryView::kNothingWritten:
      return SaveAnswer::Saved;
    case CEntryView::kCancelled:
      return SaveAnswer::Cancel;
    case CEntryView::kFailed:
      return SaveAnswer::Retry;
    default:
      return SaveAnswer::NotSaved;
  }
}

bool CEntryFrame::QueryClose(ShutdownLoop& loop) {
  return EntryFrameMayClose(AnswerOf(view_.SaveFlow()), loop);
}
