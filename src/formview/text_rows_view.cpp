#include "formview/text_rows_view.h"

#include "base/text.h"

std::vector<std::string> CTextRowsView::ReportHead() {
  return {ReplaceAll(topic_, " ", ""), HeadText(0, 0) + "\t" + HeadText(0, 1), HeadText(1, 0)};
}

void CTextRowsView::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, topic_, "MID", "TOPIC");
  for (size_t c = 0; c < captions_.size(); ++c)
    DrawCellText(0, static_cast<int>(c), dc, captions_[c], "MID", "FORMHEAD");
}

std::string CTextRowsView::ReportCell(int row, int col) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || col < 0) return "";
  const std::vector<std::string>& cells = rows_[static_cast<size_t>(row)];
  return col < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(col)] : "";
}

void CTextRowsView::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell = VyCellInfo{};
  cell.text = section == "HEAD" ? HeadText(row, col) : section == "TEXT" ? ReportCell(row, col) : "";
  cell.mask = "STRING";
}

void CTextRowsView::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD") {
    if (const VyItem* item = Item(section, row, col))
      DrawCellText(row, item->pos, dc, HeadText(row, col), "PERCENT", section);
    return;
  }
  if (section == "TEXT") DrawCellText(row, col, dc, ReportCell(row, col), ColumnAlign(col), section);
}

void CTextRowsView::ShowRows(std::vector<std::vector<std::string>> rows) {
  rows_ = std::move(rows);
  SetRowCount(static_cast<int>(rows_.size()));
  SetCurrent(0, 0, 0, "TEXT");
  Redraw();
}
