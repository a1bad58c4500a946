#include "form_printing.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <climits>

#include "base/platform.h"
#include "formview/print_dlg.h"
#include "gbk_qt.h"
#include "paper_layout.h"
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
  runPreview = [](QPrintPreviewDialog& d) { d.exec(); };
}

int FormPrinting::Resolution() const {
  if (pdf_) return kPdfResolution;
  QPrinterInfo info =
      printerName_.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName_);
  if (info.isNull()) return 0;
  QPrinter printer(info, QPrinter::HighResolution);
  return printer.resolution();
}

namespace {

// Points a printer at a PDF file or a queue ("" the default one); false when there is no such queue.
bool AimPrinter(QPrinter& printer, bool pdf, const QString& pdfPath, const QString& queue) {
  printer.setFullPage(true);
  if (pdf) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setResolution(FormPrinting::kPdfResolution);
    return true;
  }
  // An unknown name would quietly turn the printer into a PDF writer without a file.
  QPrinterInfo info = queue.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(queue);
  if (info.isNull()) return false;
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName(info.printerName());
  return printer.isValid() && printer.outputFormat() == QPrinter::NativeFormat;
}

// Draws pages from..to of a view. The painter is begun with the first page of a job; a view drawn after
// another starts on a new page, with its own paper. Returns the pages drawn; 0 when none could be.
int DrawPages(CVyFormView& view, QPrinter& printer, QPainter& painter, int from, int to,
              const std::optional<QPageLayout>& layout) {
  const bool first = !painter.isActive();
  // A layout set while painting takes effect with the next page.
  if (layout) printer.setPageLayout(*layout);
  // A page larger than its paper is drawn smaller rather than cut at the paper's edge.
  const double scale = PageScale(printer.pageLayout(), view.Page());
  view.SetPrintResolution(printer.resolution());
  // The pages are counted with the printer's own metrics, the same the pages are drawn with.
  QtDC measure(nullptr, &printer, true);
  view.SetPrintDC(&measure);
  view.OnBeginPrinting();
  struct EndPrinting {
    CVyFormView& v;
    ~EndPrinting() {
      v.OnEndPrinting();
      v.SetPrintDC(nullptr);
    }
  } end{view};
  int pages = view.PageCount(true);
  if (pages <= 0) return 0;
  from = std::clamp(from, 1, pages);
  to = std::clamp(to, from, pages);
  if (first) {
    if (!painter.begin(&printer)) return 0;
  } else if (!printer.newPage()) {
    return 0;
  }
  QtDC dc(&painter, &printer, true);
  for (int p = from; p <= to; ++p) {
    if (p > from && !printer.newPage()) return 0;
    painter.setTransform(QTransform::fromScale(scale, scale));
    view.DrawPrintPage(dc, p);
  }
  return to - from + 1;
}

}  // namespace

bool FormPrinting::SetUpPrinter(QPrinter& printer, bool pdf, const QString& pdfPath) {
  if (!AimPrinter(printer, pdf, pdfPath, printerName_)) return false;
  if (!pdf && layout_) return printer.setPageLayout(*layout_);
  if (auto paper = FormPaper(view_.Page(), printer)) return printer.setPageLayout(*paper);
  return true;
}

PrintJob::PrintJob(PrintTarget target) : target_(std::move(target)) {
  const bool pdf = !target_.pdfPath.isEmpty();
  if (!AimPrinter(printer_, pdf, target_.pdfPath, target_.printer))
    error_ = target_.printer.isEmpty() ? Q("没有默认打印机。") : Q("没有打印机“") + target_.printer + Q("”。");
  printer_.setDocName(target_.title);
  printer_.setCreator(Q("Tavrel项目核算软件"));
}

PrintJob::~PrintJob() {
  if (painter_.isActive()) Abort();
}

bool PrintJob::Add(CVyFormView& view, int from, int to) {
  if (!error_.isEmpty() || ended_) return false;
  if (view.RowsPerPage(true) <= 0) {
    error_ = Q("行距太大，或纸张太小！");
    return false;
  }
  std::optional<QPageLayout> paper =
      target_.paper ? FittedPaper(*target_.paper, view.Page()) : FormPaper(view.Page(), printer_);
  int drawn = DrawPages(view, printer_, painter_, from > 0 ? from : 1, to > 0 ? to : INT_MAX, paper);
  if (drawn <= 0) {
    error_ = target_.pdfPath.isEmpty() ? Q("无法打印到“") + printer_.printerName() + Q("”。")
                                       : Q("无法写入“") + target_.pdfPath + Q("”。");
    return false;
  }
  pages_ += drawn;
  return true;
}

bool PrintJob::Finish() {
  if (ended_ || !painter_.isActive()) return false;
  ended_ = true;
  return painter_.end();
}

void PrintJob::Abort() {
  if (ended_) return;
  ended_ = true;
  if (painter_.isActive()) {
    printer_.abort();
    painter_.end();
  }
}

bool FormPrinting::Print() {
  int pages = view_.BeginPrinting();
  if (pages <= 0) return false;
  std::string current = pdf_ ? std::string(CVyPrintDlg::kPdfEntry) : G(printerName_).value_or("");
  CVyPrintDlg model(false, InstalledPrinters(), current, G(QPrinterInfo::defaultPrinterName()).value_or(""));
  model.SetPages(view_.Page(), pages);
  if (!model.Open()) return false;
  PrintDialog dialog(model, parent_, view_.Page());
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
  QPainter painter;
  int drawn = DrawPages(view_, printer, painter, model.fromPage, model.toPage, std::nullopt);
  return painter.isActive() && painter.end() && drawn > 0;
}

bool FormPrinting::PrintToPdf(const QString& path, int from, int to) {
  if (view_.BeginPrinting() <= 0) return false;
  PrintJob job({path, QString()});
  return job.Add(view_, from, to) && job.Finish();
}

bool FormPrinting::PrintTo(const PrintTarget& target, QString& error) {
  if (view_.BeginPrinting() <= 0) {
    error = Q("行距太大，或纸张太小！");
    return false;
  }
  PrintJob job(target);
  if (job.Add(view_) && job.Finish()) return true;
  error = job.Error().isEmpty() ? Q("打印失败。") : job.Error();
  return false;
}

void FormPrinting::Preview() {
  if (view_.BeginPrinting() <= 0) return;
  QPrinter printer(QPrinter::HighResolution);
  if (!SetUpPrinter(printer, pdf_, QString())) return;
  QPrintPreviewDialog dialog(&printer, parent_);
  dialog.setWindowTitle(Q("打印预览"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [this](QPrinter* p) {
                     QPainter painter;
                     DrawPages(view_, *p, painter, 1, INT_MAX, std::nullopt);
                     if (painter.isActive()) painter.end();
                   });
  runPreview(dialog);
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
  PrintDialog dialog(model, parent_, view_.Page());
  if (!runDialog(dialog)) return;
  pdf_ = model.IsPdf();
  printerName_ = pdf_ ? QString() : Q(model.SelectedPrinter());
  layout_ = dialog.Layout();
  view_.SetPrintResolution(Resolution());
}
