#pragma once
// How far a long report build has come, as the share of its accounts done. The window shows "%3d％" in a
// small progress window, the command-line tool on its terminal; the core only reports the figures.
#include <functional>
#include <string>

// Receives 0..100 while a build runs and -1 when it has ended.
using ProgressSink = std::function<void(int percent)>;

void SetProgressSink(ProgressSink sink);
// The sink in use (a run with a window of its own puts it back afterwards).
const ProgressSink& CurrentProgressSink();
// The text shown for a share: "%3d％".
std::string ProgressText(int percent);

// One build's progress: tells the sink each time the whole percentage changes, and the end.
class ReportProgress {
 public:
  explicit ReportProgress(long total);
  ~ReportProgress();
  ReportProgress(const ReportProgress&) = delete;
  ReportProgress& operator=(const ReportProgress&) = delete;

  void Step(long done = 1);

 private:
  long total_, done_ = 0;
  int shown_ = -1;
};
