#include "accounts/opening_level_view.h"

#include <algorithm>

#include "base/cell_text.h"
#include "base/text.h"
#include "data/data_env.h"

COpeningLevelView::COpeningLevelView(CVyDataEnv& env) : browser_(env) {
  nFlag = kFormFlag;
  SetDataEnv(&env);
}

void COpeningLevelView::SetupForm() {
  CVyReportView::SetupForm();
  SetSections(10, 1, 0, 2, 0);
  SetColumns({14, 32, 6, 18});
  SetItems("HEAD", 0, {{10, 40}, {600, 40}});
  SetItems("HEAD", 1, {{10, 30}, {360, 30}, {700, 30}});
}

void COpeningLevelView::Reload() {
  SetRowCount(static_cast<int>(browser_.Lines().size()));
  SetCurrent(std::max(0, browser_.selected), 0, 0, "TEXT");
  Redraw();
}

std::string COpeningLevelView::Totals() const {
  return Text(1, 0, "HEAD") + "\t" + Text(1, 1, "HEAD") + "\t" + Text(1, 2, "HEAD");
}

std::string COpeningLevelView::Text(int row, int col, const std::string& section) const {
  if (section == "HEAD") {
    if (row == 0 && col == 0) return "单位：" + (DataEnv() ? DataEnv()->unitName : std::string());
    if (row == 0 && col == 1)
      return browser_.Parent().empty() ? "一级科目" : "上级科目：" + browser_.Parent();
    if (row == 1 && col == 0) return "本级借方余额合计：" + browser_.DebitText();
    if (row == 1 && col == 1) return "本级贷方余额合计：" + browser_.CreditText();
    if (row == 1 && col == 2) return "借－贷＝" + browser_.DifferenceText();
    return "";
  }
  const auto& lines = browser_.Lines();
  if (section != "TEXT" || row < 0 || row >= static_cast<int>(lines.size())) return "";
  const COpeningBrowserDlg::Line& l = lines[static_cast<size_t>(row)];
  return CellOf({l.code, l.name, l.side, l.amount}, col);
}

void COpeningLevelView::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.text = Text(row, col, section);
  cell.mask = "STRING";
  cell.maxLength = 0;
  cell.decimals = 0;
}

void COpeningLevelView::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD") {
    if (const VyItem* item = Item(section, row, col))
      DrawCellText(row, item->pos, dc, Text(row, col, section), "PERCENT", section);
    return;
  }
  DrawCellText(row, col, dc, Text(row, col, section),
               col == 3   ? "RIGHT"
               : col == 2 ? "MID"
                          : "LEFT",
               section);
}

void COpeningLevelView::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, COpeningBrowserDlg::Caption(), "MID", "TOPIC");
  const auto captions = COpeningBrowserDlg::ColumnCaptions();
  for (int c = 0; c < static_cast<int>(captions.size()); ++c)
    DrawCellText(0, c, dc, captions[static_cast<size_t>(c)], "MID", "FORMHEAD");
}

std::vector<std::string> COpeningLevelView::ReportHead() {
  return {COpeningBrowserDlg::Caption(), Text(0, 0, "HEAD") + "\t" + Text(0, 1, "HEAD"), Totals()};
}

std::vector<std::string> COpeningLevelView::ColumnCaptions() {
  std::vector<std::string> captions;
  for (const std::string& c : COpeningBrowserDlg::ColumnCaptions()) captions.push_back(Trim(c));
  return captions;
}

ReportColumnKind COpeningLevelView::ColumnKind(int col) {
  return col == 3 ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}
