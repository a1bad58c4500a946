// The tool's printing, through the window's own printing path: a report's pages into a PDF file or to a
// print queue, and print-books. Qt needs an application object for its fonts; without a display the
// offscreen platform serves.
#include <QApplication>
#include <QDir>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include "base/gbk.h"
#include "base/text.h"
#include "books_printing.h"
#include "form_printing.h"
#include "formview/report_view.h"
#include "gbk_qt.h"
#include "report_command.h"
#include "reports/report_progress.h"

namespace {

void EnsureApplication() {
  if (qApp) return;
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "tavrel-cli";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

PrintTarget TargetOf(const PrintOrder& order) {
  PrintTarget target;
  if (order.printer.empty())
    target.pdfPath = Q(order.pdfPath);
  else
    target.printer = Q(QueueName(order.printer));
  return target;
}

volatile std::sig_atomic_t interrupted = 0;

}  // namespace

std::string PdfTool() {
  return {};
}

bool PrintReport(CVyReportView& view, const PrintOrder& order, std::string& error) {
  EnsureApplication();
  FormPrinting printing(view, nullptr);
  QString why;
  if (printing.PrintTo(TargetOf(order), why)) return true;
  error = G(why).value_or("打印失败。");
  return false;
}

int PrintBooksTo(CVyDataEnv& env, const CYearBooksDlg& dialog, const PrintOrder& order) {
  EnsureApplication();
  QString folder;
  PrintTarget target = TargetOf(order);
  if (order.printer.empty()) {
    folder = Q(order.pdfPath);
    if (!QDir().mkpath(folder)) return Fail("无法建立文件夹“" + order.pdfPath + "”。");
    target.pdfPath = CombinedBooksFile(folder);
    // Every file is looked at before the first is printed: a refusal costs no printing.
    std::vector<std::string> existing;
    if (std::string refusal = CheckBooksFolder(env, dialog, folder, existing); !refusal.empty())
      return Fail(refusal);
    if (!order.replace && !existing.empty()) return Fail(ExistingRefusal(existing));
  }
  // Ctrl+C stops between two accounts: what was printed of the run is not sent.
  std::signal(SIGINT, [](int) { interrupted = 1; });
  if (isatty(STDERR_FILENO))
    SetProgressSink([](int percent) {
      std::fputs(percent < 0 ? "\n" : ("\r" + gbk::ToUtf8(ProgressText(percent))).c_str(), stderr);
      std::fflush(stderr);
    });
  BooksRun run = PrintBooks(env, dialog, target, folder, [] { return interrupted != 0; }, order.replace);
  SetProgressSink({});
  switch (run.outcome) {
    case BooksOutcome::kDone:
      Print(Format("%d 个帐页，%d 页。", run.ledgers, run.pages));
      return 0;
    case BooksOutcome::kCancelled:
      return Fail("打印已取消。");
    case BooksOutcome::kFailed:
      break;
  }
  return Fail(G(run.error).value_or("打印失败。"));
}
