#pragma once
// The small window that shows "%3d％" and a bar while a report is computed; the core's progress reports
// drive it, and it paints at once, since the build runs on this thread. A report that is done within a
// moment shows no window at all, and a longer one redraws it a few times a second, not at every percent:
// each redraw lets the program's other windows draw too, which cost more than the report.
#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;

class ProgressWindow : public QWidget {
 public:
  explicit ProgressWindow(QWidget* parent);
  // 0..100 shows the window with the share; -1 hides it.
  void Show(int percent);
  // Makes this window the one the core's reports drive.
  void Install();
  // What the core's reports call: percent of the running report, -1 when it is done.
  void Report(int percent);
  // Milliseconds on a steady clock; tests give their own.
  std::function<long long()> clock;

 private:
  long long started_ = -1, drawn_ = 0;
  QLabel* text_;
  QProgressBar* bar_;
};
