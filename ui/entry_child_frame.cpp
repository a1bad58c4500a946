#include "entry_child_frame.h"

#include "entry/entry_frame.h"
#include "entry/entry_view.h"
#include "form_view_widget.h"

bool EntryChildFrame::QueryClose() {
  auto* widget = qobject_cast<FormViewWidget*>(View());
  auto* view = widget ? dynamic_cast<CEntryView*>(&widget->View()) : nullptr;
  if (!view) return true;
  return view->Owner().QueryClose(app_.Shutdown());
}
