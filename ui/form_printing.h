#pragma once
// Printing one form view: the print dialog, the printer or PDF file, the paper, the pages, print preview
// and printer set-up. The view decides what a page holds; this class only gives it a printer to draw on.
#include <QPageLayout>
#include <QString>
#include <functional>
#include <optional>

#include "formview/vy_form_view.h"

class QPrinter;
class QWidget;
class PrintDialog;

class FormPrinting {
 public:
  FormPrinting(CVyFormView& view, QWidget* parent);

  bool Print();
  void Preview();
  void Setup();
  // Prints pages from..to (0: the first / the last) into a PDF file without asking anything.
  bool PrintToPdf(const QString& path, int from = 0, int to = 0);
  // Resolution (dots per inch) of the printer the view prints on; 0 when there is none.
  int Resolution() const;
  bool PrintsToPdf() const { return pdf_; }
  const QString& PrinterName() const { return printerName_; }

  // Asks the name of the PDF file (a save-file dialog); tests replace it.
  std::function<QString()> askPdfFile;
  // Runs a print dialog; true when confirmed. Tests replace it.
  std::function<bool(PrintDialog&)> runDialog;

  static constexpr int kPdfResolution = 600;

 private:
  bool SetUpPrinter(QPrinter& printer, bool pdf, const QString& pdfPath);
  int DrawPages(QPrinter& printer, int from, int to);

  CVyFormView& view_;
  QWidget* parent_;
  QString printerName_;  // empty: the system's default printer
  bool pdf_ = false;
  std::optional<QPageLayout> layout_;  // chosen in the printer's properties
};
