// The report's printed pages as a PDF file, through the window's own printing path. Qt needs an
// application object for its fonts; without a display the offscreen platform serves.
#include <QApplication>
#include <cstdlib>

#include "base/gbk.h"
#include "form_printing.h"
#include "formview/vy_report_view.h"
#include "report_command.h"

std::string PdfTool() {
  return {};
}

bool PrintReportPdf(CVyReportView& view, const std::string& utf8Path, std::string& error) {
  if (!qApp) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "tavrel-cli";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  FormPrinting printing(view, nullptr);
  if (printing.PrintToPdf(QString::fromStdString(utf8Path))) return true;
  error = "无法打印到“" + gbk::FromUtf8(utf8Path).value_or(utf8Path) + "”。";
  return false;
}
