#include "paper_layout.h"

#include <QPrinterInfo>
#include <cmath>
#include <vector>

#include "formview/paper_choice.h"
#include "gbk_qt.h"

namespace {

// Sides in millimetres as the core measures pages: tenths of a millimetre.
VyPaper Tenths(QSizeF mm) {
  return {"", static_cast<int>(std::lround(mm.width() * 10)),
          static_cast<int>(std::lround(mm.height() * 10))};
}

}  // namespace

std::optional<QPageLayout> FormPaper(const PageSettings& ps, QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    double w = ps.PageWidth / 10.0, l = ps.PageLength / 10.0;
    QPageSize size(QSizeF(std::min(w, l), std::max(w, l)), QPageSize::Millimeter, QString(),
                   QPageSize::ExactMatch);
    return QPageLayout(size, w > l ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
  }
  QList<QPageSize> sizes = QPrinterInfo(printer).supportedPageSizes();
  std::vector<VyPaper> papers;
  for (const QPageSize& s : sizes) papers.push_back(Tenths(s.size(QPageSize::Millimeter)));
  VyPaperChoice choice = ChoosePaper(papers, ps.PageWidth, ps.PageLength);
  if (choice.index < 0) return std::nullopt;
  return QPageLayout(sizes[choice.index], choice.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0));
}

QPageLayout FittedPaper(const QPageSize& paper, const PageSettings& ps) {
  VyPaperFit fit = FitOnPaper(Tenths(paper.size(QPageSize::Millimeter)), ps.PageWidth, ps.PageLength);
  return QPageLayout(paper, fit.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0));
}

double PageScale(const QPageLayout& paper, const PageSettings& ps) {
  VyPaper lying = Tenths(paper.fullRect(QPageLayout::Millimeter).size());
  return ShrinkToFit(lying.width, lying.length, ps.PageWidth, ps.PageLength);
}

QString PaperName(const QPageSize& paper, QSizeF mm) {
  return (paper.id() == QPageSize::Custom ? Q("帐页自身大小") : paper.name()) +
         Q("  %1×%2 毫米").arg(qRound(mm.width())).arg(qRound(mm.height()));
}

QString PaperText(const QPageLayout& paper, const PageSettings& ps) {
  QString text = PaperName(paper.pageSize(), paper.fullRect(QPageLayout::Millimeter).size());
  if (paper.orientation() == QPageLayout::Landscape) text += Q("（横放）");
  const double scale = PageScale(paper, ps);
  if (scale < 1)
    text += Q("，帐页 %1×%2 毫米，缩小到 %3% 打印")
                .arg(qRound(ps.PageWidth / 10.0))
                .arg(qRound(ps.PageLength / 10.0))
                .arg(static_cast<int>(scale * 100));
  return text;
}
