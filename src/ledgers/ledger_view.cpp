#include "ledgers/ledger_view.h"

#include <algorithm>

#include "base/text.h"
#include "formview/view_input.h"

void CLedgerView::SetLines(std::vector<LedgerLine> lines) {
  lines_ = std::move(lines);
  SetRowCount(static_cast<int>(lines_.size()));
  SetCurrent(0, 0, 0, "TEXT");
  Redraw();
}

void CLedgerView::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD") {
    DrawCellText(row, col, dc, HeadItem(row, col, dc.IsPrinting()), "NOCUT", section);
    return;
  }
  if (section != "TEXT") return;
  const std::vector<LedgerLine>& shown = Shown();
  if (row < 0 || row >= static_cast<int>(shown.size())) return;
  const LedgerLine& line = shown[static_cast<size_t>(row)];
  if (col < 0 || col >= static_cast<int>(line.cells.size())) return;
  std::string align = col < static_cast<int>(align_.size()) ? align_[static_cast<size_t>(col)] : "LEFT";
  DrawCellText(row, col, dc, line.cells[static_cast<size_t>(col)], align, section);
}

std::string CLedgerView::ReportCell(int row, int col) {
  const std::vector<LedgerLine>& shown = Shown();
  if (row < 0 || row >= static_cast<int>(shown.size())) return {};
  const LedgerLine& line = shown[static_cast<size_t>(row)];
  return col >= 0 && col < static_cast<int>(line.cells.size()) ? line.cells[static_cast<size_t>(col)]
                                                               : std::string();
}

void CLedgerView::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.mask = "STRING NOT |[]'\"";
  cell.maxLength = 40;
  cell.decimals = 0;
  cell.text.clear();
  if (section == "HEAD") {
    cell.text = HeadItem(row, col, false);
    return;
  }
  if (section != "TEXT") return;
  const std::vector<LedgerLine>& shown = Shown();
  if (row < 0 || row >= static_cast<int>(shown.size())) return;
  const LedgerLine& line = shown[static_cast<size_t>(row)];
  if (col >= 0 && col < static_cast<int>(line.cells.size())) cell.text = line.cells[static_cast<size_t>(col)];
}

std::string CLedgerView::HeadItem(int line, int item, bool printing) {
  if (line == 0 && item == 0) return "帐户名：" + fullName;
  if (line != 1) return {};
  if (item == 0) return "帐户号：" + code;
  if (item == 1) return periodText;
  if (item == pageItem_ && printing) return pagePrefix_ + Format("%4d 页", PrintedPage());
  return {};
}

LedgerLine CLedgerView::CarryLineOf(const LedgerLine& previous, const std::string& text,
                                    const std::vector<std::string>& summed, size_t tail) {
  LedgerLine line;
  line.cells = {previous.cells[0], previous.cells[1], text};
  line.cells.insert(line.cells.end(), summed.begin(), summed.end());
  line.cells.insert(line.cells.end(), previous.cells.begin() + static_cast<std::ptrdiff_t>(tail),
                    previous.cells.end());
  return line;
}

bool CLedgerView::OnCommand(int command) {
  if (command != vycmd::kOpen) return CVyReportView::OnCommand(command);
  ChangeAccount();
  return true;
}

bool CLedgerView::IsCommandEnabled(int command) {
  return command == vycmd::kOpen || CVyReportView::IsCommandEnabled(command);
}

void CLedgerView::OnBeginPrinting() {
  printing_ = false;
  if (!detail) return;
  // The copy depends on the rows a printed page holds, which follow the printer: made anew each time.
  print_ = CarryPrintCopy(lines_, RowsPerPage(true), SumColumns(),
                          [this](const LedgerLine& p, const std::vector<double>& s, const std::string& t) {
                            return CarryLine(p, s, t);
                          });
  printing_ = true;
  SetRowCount(static_cast<int>(print_.size()));
}

void CLedgerView::OnEndPrinting() {
  if (!printing_) return;
  printing_ = false;
  print_.clear();
  SetRowCount(static_cast<int>(lines_.size()));
}

int CLedgerView::PrintedPage() {
  int r = RowsPerPage(true);
  return r > 0 ? FirstRow(true) / r + 1 : 1;
}

std::vector<std::string> CLedgerView::ReportHead() {
  std::vector<std::string> head{Topic()};
  for (int line = 0; line < HeadLines(); ++line) {
    std::string text;
    for (int i = 0; i < ItemCount("HEAD", line); ++i) {
      std::string item = HeadItem(line, i, false);
      if (item.empty()) continue;
      if (!text.empty()) text += '\t';
      text += item;
    }
    head.push_back(text);
  }
  return head;
}

void CLedgerView::DrawOverColumns(VyDC& dc, int line, int first, int last, const std::string& text, int dy) {
  bool printing = dc.IsPrinting();
  int fi = FontIndex("FORMHEAD");
  VyFontSel old = dc.SelectFont({Page().fonts[fi], FontHeight(fi, printing)});
  int x0 = GetColumnX(first, printing, "FORMHEAD", line, true);
  int x1 = GetColumnX(last, printing, "FORMHEAD", line, true) + CellWidth(last, printing, "FORMHEAD", line);
  int w = dc.TextWidth(text);
  dc.SetTextColor(SectionColour("FORMHEAD"));
  dc.TextOut(x0 + (x1 - x0 - w) / 2, GetRowY(line, printing, "FORMHEAD") + dy, text);
  dc.SetTextColor(dc.WindowTextColour());
  dc.SelectFont(old);
}

void CLedgerView::DrawFormHeadRules(VyDC& dc, const std::vector<std::pair<int, int>>& groups) {
  bool printing = dc.IsPrinting();
  uint32_t colour = Page().FormLine;
  int top = RuleY(0, printing, "FORMHEAD");
  int bottom = RuleY(FirstRow(printing), printing, "TEXT");
  int mid = (top + bottom) / 2;
  for (int c = 0; c <= ColumnCount(); ++c) {
    bool inner = false;
    for (auto [first, last] : groups) inner = inner || (c > first && c <= last);
    int x = GetRuleX(c, printing, "FORMHEAD", 0);
    dc.Line(x, inner ? mid : top, x, bottom, colour);
  }
  for (auto [first, last] : groups)
    dc.Line(GetRuleX(first, printing, "FORMHEAD", 0), mid, GetRuleX(last + 1, printing, "FORMHEAD", 0), mid,
            colour);
}
