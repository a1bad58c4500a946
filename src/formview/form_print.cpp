// Printing and the page set-up as the view takes part in them.
#include "base/platform.h"
#include "formview/form_view.h"

int CVyFormView::BeginPrinting() {
  if (RowsPerPage(true) <= 0) {
    Plat().MessageBox("行距太大，或纸张太小！", "Tavrel财务软件", MsgIcon::Exclamation, MsgButtons::Ok,
                      MsgAnswer::Ok);
    return 0;
  }
  OnBeginPrinting();
  int pages = PageCount(true);
  OnEndPrinting();
  ps_.MaxPage = pages;
  return pages;
}

void CVyFormView::ApplyPageSettings(const PageSettings& ps) {
  if (!(ps == ps_)) {
    ps_ = ps;
    ApplyWidths();
    first_ = std::min(first_, VScrollMax());
    LayOut();
    MakeCurrentVisible();
  }
  SaveSettings();
}
