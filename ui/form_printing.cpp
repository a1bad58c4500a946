#include "form_printing.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <climits>

#include "base/platform.h"
#include "formview/paper_choice.h"
#include "formview/print_dlg.h"
#include "gbk_qt.h"
#include "print_dialog.h"
#include "qt_dc.h"

namespace {

std::vector<std::string> InstalledPrinters() {
  std::vector<std::string> names;
  for (const QString& n : QPrinterInfo::availablePrinterNames())
    if (auto g = G(n)) names.push_back(*g);
  return names;
}

}  // namespace

FormPrinting::FormPrinting(CVyFormView& view, QWidget* parent) : view_(view), parent_(parent) {
  pdf_ = QPrinterInfo::availablePrinterNames().isEmpty();
  askPdfFile = [this] {
    return QFileDialog::getSaveFileName(parent_, Q("打印到 PDF 文件"), QString(), Q("PDF 文件 (*.pdf)"));
  };
  runDialog = [](PrintDialog& d) { return d.exec() == QDialog::Accepted; };
}

int FormPrinting::Resolution() const {
  if (pdf_) return kPdfResolution;
  QPrinterInfo info =
      printerName_.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName_);
  if (info.isNull()) return 0;
  QPrinter printer(info, QPrinter::HighResolution);
  return printer.resolution();
}

bool FormPrinting::SetUpPrinter(QPrinter& printer, bool pdf, const QString& pdfPath) {
  const PageSettings& ps = view_.Page();
  printer.setFullPage(true);
  if (pdf) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setResolution(kPdfResolution);
    // A PDF page can have the form's own size.
    double w = ps.PageWidth / 10.0, l = ps.PageLength / 10.0;
    QPageSize size(QSizeF(std::min(w, l), std::max(w, l)), QPageSize::Millimeter, QString(),
                   QPageSize::ExactMatch);
    return printer.setPageLayout(
        QPageLayout(size, w > l ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  }
  if (!printerName_.isEmpty()) printer.setPrinterName(printerName_);
  if (!printer.isValid()) return false;
  if (layout_) return printer.setPageLayout(*layout_);
  QList<QPageSize> sizes = QPrinterInfo(printer).supportedPageSizes();
  std::vector<VyPaper> papers;
  for (const QPageSize& s : sizes) {
    QSizeF mm = s.size(QPageSize::Millimeter);
    papers.push_back({"", static_cast<int>(mm.width() * 10), static_cast<int>(mm.height() * 10)});
  }
  VyPaperChoice choice = ChoosePaper(papers, ps.PageWidth, ps.PageLength);
  if (choice.index < 0) return true;
  return printer.setPageLayout(QPageLayout(sizes[choice.index],
                                           choice.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                           QMarginsF(0, 0, 0, 0)));
}

int FormPrinting::DrawPages(QPrinter& printer, int from, int to) {
  view_.SetPrintResolution(printer.resolution());
  // The pages are counted with the printer's own metrics, the same the pages are drawn with.
  QtDC measure(nullptr, &printer, true);
  view_.SetPrintDC(&measure);
  view_.OnBeginPrinting();
  struct EndPrinting {
    CVyFormView& v;
    ~EndPrinting() {
      v.OnEndPrinting();
      v.SetPrintDC(nullptr);
    }
  } end{view_};
  int pages = view_.PageCount(true);
  if (pages <= 0) return 0;
  from = std::clamp(from, 1, pages);
  to = std::clamp(to, from, pages);
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  QtDC dc(&painter, &printer, true);
  for (int p = from; p <= to; ++p) {
    if (p > from) printer.newPage();
    view_.DrawPrintPage(dc, p);
  }
  painter.end();
  return to - from + 1;
}

bool FormPrinting::Print() {
  int pages = view_.BeginPrinting();
  if (pages <= 0) return false;
  std::string current = pdf_ ? std::string(CVyPrintDlg::kPdfEntry) : G(printerName_).value_or("");
  CVyPrintDlg model(false, InstalledPrinters(), current, G(QPrinterInfo::defaultPrinterName()).value_or(""));
  model.SetPages(view_.Page(), pages);
  if (!model.Open()) return false;
  PrintDialog dialog(model, parent_);
  if (!runDialog(dialog)) return false;
  model.StoreInto(view_.Page());
  pdf_ = model.IsPdf();
  printerName_ = pdf_ ? QString() : Q(model.SelectedPrinter());
  layout_ = dialog.Layout();
  QString path;
  if (pdf_) {
    path = askPdfFile();
    if (path.isEmpty()) return false;
  }
  QPrinter printer(QPrinter::HighResolution);
  if (!SetUpPrinter(printer, pdf_, path)) return false;
  printer.setCopyCount(model.copies);
  return DrawPages(printer, model.fromPage, model.toPage) > 0;
}

bool FormPrinting::PrintToPdf(const QString& path, int from, int to) {
  if (view_.BeginPrinting() <= 0) return false;
  QPrinter printer(QPrinter::HighResolution);
  if (!SetUpPrinter(printer, true, path)) return false;
  return DrawPages(printer, from > 0 ? from : 1, to > 0 ? to : INT_MAX) > 0;
}

void FormPrinting::Preview() {
  if (view_.BeginPrinting() <= 0) return;
  QPrinter printer(QPrinter::HighResolution);
  if (!SetUpPrinter(printer, pdf_, QString())) return;
  QPrintPreviewDialog dialog(&printer, parent_);
  dialog.setWindowTitle(Q("打印预览"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [this](QPrinter* p) { DrawPages(*p, 1, INT_MAX); });
  dialog.exec();
}

void FormPrinting::Setup() {
  if (view_.RowsPerPage(true) <= 0) {
    Plat().MessageBox("行距太大，或纸张太小！", "Tavrel财务软件", MsgIcon::Exclamation, MsgButtons::Ok,
                      MsgAnswer::Ok);
    return;
  }
  std::string current = pdf_ ? std::string(CVyPrintDlg::kPdfEntry) : G(printerName_).value_or("");
  CVyPrintDlg model(true, InstalledPrinters(), current, G(QPrinterInfo::defaultPrinterName()).value_or(""));
  if (!model.Open()) return;
  PrintDialog dialog(model, parent_);
  if (!runDialog(dialog)) return;
  pdf_ = model.IsPdf();
  printerName_ = pdf_ ? QString() : Q(model.SelectedPrinter());
  layout_ = dialog.Layout();
  view_.SetPrintResolution(Resolution());
}
