#include "formview/report_view.h"

#include <algorithm>
#include <string_view>

#include "base/input_mask.h"

namespace {

// Keeps the texts a view draws, whole: it measures every text as zero wide, so nothing is cut to a width.
class TextCaptureDC : public VyDC {
 public:
  std::string text;
  bool IsPrinting() const override { return false; }
  VyFontSel SelectFont(const VyFontSel& font) override {
    VyFontSel old = font_;
    font_ = font;
    return old;
  }
  int TextWidth(std::string_view) override { return 0; }
  void SetTextColor(uint32_t) override {}
  void TextOut(int, int, std::string_view t) override { text.append(t); }
  void Line(int, int, int, int, uint32_t) override {}
  void FillRect(const VyRect&, uint32_t) override {}
  void FrameRect(const VyRect&, uint32_t) override {}
  void InvertRect(const VyRect&) override {}

 private:
  VyFontSel font_;
};

}  // namespace

CVyReportView::CVyReportView() {
  editable_ = 0;
}

void CVyReportView::SetupForm() {
  AppendMenuItem("", 0);
  AppendMenuItem("导出(&E)...", vycmd::kExport);
}

std::vector<std::vector<std::string>> CVyReportView::ReportRows() {
  std::vector<std::vector<std::string>> rows;
  int count = std::min(ReportRowCount(), TextRows());
  rows.reserve(static_cast<size_t>(std::max(0, count)));
  for (int r = 0; r < count; ++r) {
    std::vector<std::string> cells;
    cells.reserve(static_cast<size_t>(ColumnCount()));
    for (int c = 0; c < ColumnCount(); ++c) cells.push_back(ReportCell(r, c));
    rows.push_back(std::move(cells));
  }
  return rows;
}

std::string CVyReportView::ReportCell(int row, int col) {
  TextCaptureDC dc;
  DrawCell(dc, row, col, "TEXT");
  return std::move(dc.text);
}

std::string CVyReportView::WindowTitle() {
  std::vector<std::string> head = ReportHead();
  std::string title;
  for (char c : head.empty() ? std::string() : head.front())
    if (c != ' ') title += c;
  std::string subject = WindowSubject();
  return subject.empty() ? title : title + " " + subject;
}

std::string CVyReportView::DateWords(const std::string& date) {
  if (date.size() != 8 || date.find_first_not_of("0123456789") != std::string::npos) return date;
  return date.substr(0, 4) + "年" + std::to_string(std::stoi(date.substr(4, 2))) + "月" +
         std::to_string(std::stoi(date.substr(6, 2))) + "日";
}

ReportColumnKind CVyReportView::ColumnKind(int col) {
  VyCellInfo cell;
  GetCell(0, col, "TEXT", cell, false);
  if (!MaskHas(cell.mask, "NUMBER") || cell.decimals <= 0) return ReportColumnKind::kText;
  return cell.decimals == 2 ? ReportColumnKind::kAmount : ReportColumnKind::kFigure;
}
