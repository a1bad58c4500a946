#pragma once
// Printing one form view: the print dialog, the printer or PDF file, the paper, the pages, print preview
// and printer set-up. The view decides what a page holds; this class only gives it a printer to draw on.
#include <QPageLayout>
#include <QString>
#include <functional>
#include <optional>

#include "formview/form_view.h"
#include "paper_layout.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>

class QWidget;
class QPrintPreviewDialog;
class PrintDialog;

// Where pages go without a dialog: a PDF file when pdfPath is given, else a print queue of the system's
// print service (an empty name: its default queue).
struct PrintTarget {
  QString pdfPath;
  QString printer;
  QString title = QStringLiteral("Tavrel");  // the job's name in the queue
  // One paper for every view of the job; without it a PDF page takes the form's own size and a queue the
  // nearest of its papers.
  std::optional<QPageSize> paper;
};

// One job of one or more views: each view starts on a new page, on its own paper, and counts its pages
// from 1. The job is sent (or the file closed) by Finish; a job never finished prints nothing.
class PrintJob {
 public:
  explicit PrintJob(PrintTarget target);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  // Draws pages from..to (0: the first / the last) of a view; false when there is no page or the printer
  // fails (Error says why).
  bool Add(CVyFormView& view, int from = 0, int to = 0);
  bool Finish();
  void Abort();
  int Pages() const { return pages_; }
  const QString& Error() const { return error_; }
  QPrinter& Printer() { return printer_; }

 private:
  PrintTarget target_;
  QPrinter printer_{QPrinter::HighResolution};
  QPainter painter_;
  int pages_ = 0;
  bool ended_ = false;
  QString error_;
};

class FormPrinting {
 public:
  FormPrinting(CVyFormView& view, QWidget* parent);

  bool Print();
  void Preview();
  void Setup();
  // Prints pages from..to (0: the first / the last) into a PDF file without asking anything.
  bool PrintToPdf(const QString& path, int from = 0, int to = 0);
  // Prints every page to a target without asking anything; error says why it could not.
  bool PrintTo(const PrintTarget& target, QString& error);
  // Resolution (dots per inch) of the printer the view prints on; 0 when there is none.
  int Resolution() const;
  bool PrintsToPdf() const { return pdf_; }
  const QString& PrinterName() const { return printerName_; }

  // Asks the name of the PDF file (a save-file dialog); tests replace it.
  std::function<QString()> askPdfFile;
  // Runs a print dialog; true when confirmed. Tests replace it.
  std::function<bool(PrintDialog&)> runDialog;
  // Shows the print preview; tests replace it to look at its pages.
  std::function<void(QPrintPreviewDialog&)> runPreview;

  static constexpr int kPdfResolution = 600;

 private:
  bool SetUpPrinter(QPrinter& printer, bool pdf, const QString& pdfPath);

  CVyFormView& view_;
  QWidget* parent_;
  QString printerName_;  // empty: the system's default printer
  bool pdf_ = false;
  std::optional<QPageLayout> layout_;  // chosen in the printer's properties
};
