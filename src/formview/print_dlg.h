#pragma once
// The print dialog "Tavrel财务软件－打印", and in set-up mode "Tavrel财务软件－打印机设置": the printer,
// the page range and the copies. Besides the installed printers it always offers printing to a PDF file,
// so that a machine without a printer can print too.
#include <string>
#include <vector>

#include "data/page_settings.h"

class CVyPrintDlg {
 public:
  static constexpr const char* kPdfEntry = "打印到 PDF 文件";
  enum Field { kPrinter, kFrom, kTo, kCopies };

  // installed: the system's printers (a name may come twice; it is listed once). The preselected printer is
  // current, else defaultPrinter, else the first.
  CVyPrintDlg(bool setupMode, const std::vector<std::string>& installed, const std::string& current,
              const std::string& defaultPrinter, bool pdfAvailable = true);

  std::string Caption() const;
  bool SetupMode() const { return setupMode_; }
  // False, after the warning, when there is nothing at all to print on: the dialog closes as cancelled.
  bool Open();

  std::vector<std::string> printers;
  int selected = 0;
  bool IsPdf() const;
  std::string SelectedPrinter() const;

  // The range and copies fields, from the view's page settings and its page count.
  void SetPages(const PageSettings& ps, int pageCount);
  bool allPages = true;
  std::string fromText = "1", toText = "1", copiesText = "1";
  Field focus = kPrinter;

  // "确认": in print mode the range and the copies are checked; the results are below.
  bool Confirm();
  int fromPage = 1, toPage = 1, copies = 1;
  // The range and copies written back into page settings.
  void StoreInto(PageSettings& ps) const;

 private:
  bool setupMode_;
  bool pdfAvailable_;
  int installedCount_ = 0;
  int pageCount_ = 1;
};
