// A tool built without the Qt program has no printing path: --format pdf says so.
#include "report_command.h"

std::string PdfTool() {
  return {};
}

bool PrintReportPdf(CVyReportView&, const std::string&, std::string& error) {
  error = "这个 tavrel-cli 没有打印功能（构建时未包括 Qt 程序）。";
  return false;
}
