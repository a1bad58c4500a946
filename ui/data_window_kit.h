#pragma once
// What a data-window command brings to the main window: its parameter dialog, its view, and how the view
// receives the parameters. The work that builds a window registers its kit with CMainFrame::SetDataWindowKit.
#include <QWidget>
#include <functional>

#include "app/doc_templates.h"

class CChildFrame;

struct DataWindowKit {
  // The modal parameter dialog, pre-filled from the data environment; false when cancelled.
  std::function<bool(QWidget* parent)> ask;
  // The new window's view; nullptr when it cannot be made.
  std::function<QWidget*()> createView;
  // Hands the dialog's results to the view, which then reads its rows.
  std::function<void(QWidget* view)> load;
  // 新建窗口: a second view showing what source shows. Empty when the window cannot be doubled.
  std::function<QWidget*(QWidget* source)> duplicate;
  // The entry windows' frames, which ask to save before they close. Empty: a plain CChildFrame.
  std::function<CChildFrame*(const DocTemplate&)> createFrame;
};
