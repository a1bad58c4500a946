#include "reports/report_progress.h"

#include <algorithm>

#include "base/text.h"

namespace {
ProgressSink& Sink() {
  static ProgressSink sink;
  return sink;
}
}  // namespace

void SetProgressSink(ProgressSink sink) {
  Sink() = std::move(sink);
}

const ProgressSink& CurrentProgressSink() {
  return Sink();
}

std::string ProgressText(int percent) {
  return Format("%3d％", percent);
}

ReportProgress::ReportProgress(long total) : total_(total) {
  Step(0);
}

ReportProgress::~ReportProgress() {
  if (Sink()) Sink()(-1);
}

void ReportProgress::Step(long done) {
  done_ += done;
  int percent = total_ > 0 ? static_cast<int>(std::min(done_, total_) * 100 / total_) : 100;
  if (percent == shown_ || !Sink()) return;
  shown_ = percent;
  Sink()(percent);
}
