// A tool built without the Qt program has no printing path: --format pdf, --printer and print-books say so.
#include "report_command.h"

namespace {
const char kNoPrinting[] = "这个 tavrel-cli 没有打印功能（构建时未包括 Qt 程序）。";
}

std::string PdfTool() {
  return {};
}

bool PrintReport(CVyReportView&, const PrintOrder&, std::string& error) {
  error = kNoPrinting;
  return false;
}

int PrintBooksTo(CVyDataEnv&, const CYearBooksDlg&, const PrintOrder&) {
  return Fail(kNoPrinting);
}
