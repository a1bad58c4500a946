#pragma once
// The small window that shows "%3d％" and a bar while a report is computed; the core's progress reports
// drive it, and it paints at once, since the build runs on this thread.
#include <QWidget>

class QLabel;
class QProgressBar;

class ProgressWindow : public QWidget {
 public:
  explicit ProgressWindow(QWidget* parent);
  // 0..100 shows the window with the share; -1 hides it.
  void Show(int percent);
  // Makes this window the one the core's reports drive.
  void Install();

 private:
  QLabel* text_;
  QProgressBar* bar_;
};
