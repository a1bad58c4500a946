#include "child_frame.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(int commandId, QWidget* parent) : QMdiSubWindow(parent), commandId_(commandId) {
  setAttribute(Qt::WA_DeleteOnClose);
}

void CChildFrame::SetView(QWidget* view) {
  view_ = view;
  setWidget(view);
}

ViewCommandTarget* CChildFrame::Commands() const {
  return dynamic_cast<ViewCommandTarget*>(view_);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (!QueryClose()) {
    event->ignore();
    return;
  }
  closed_ = true;
  QMdiSubWindow::closeEvent(event);
}
