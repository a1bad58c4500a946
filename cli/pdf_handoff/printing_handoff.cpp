// The everyday tool leaves the Qt libraries out: loading them would cost every run, text and CSV ones too,
// more time than a small report takes to build. Printing (a PDF report, --printer, print-books) is handed to
// the twin built beside it, tavrel-cli-pdf, which has the window's printing path and gets the same command
// line.
#include <unistd.h>

#include <climits>

#include "report_command.h"

std::string PdfTool() {
  char self[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string();
  size_t slash = path.rfind('/');
  return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/tavrel-cli-pdf";
}

bool PrintReport(CVyReportView&, const PrintOrder&, std::string& error) {
  error = "打印由 tavrel-cli-pdf 完成。";
  return false;
}

int PrintBooksTo(CVyDataEnv&, const CYearBooksDlg&, const PrintOrder&) {
  return Fail("打印由 tavrel-cli-pdf 完成。");
}
