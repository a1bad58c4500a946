#include "support/sample_form_view.h"

#include <algorithm>

#include "base/text.h"
#include "base/input_mask.h"

SampleFormView::SampleFormView() {
  columns_ = {{"摘要", "STRING", 40, 0},
              {"借方", "NUMBER", 10, 2},
              {"数量", "NUMBER 0", 6, 0},
              {"贷方", "NUMBER", 10, 2},
              {"备注", "MDBSTRING", 36, 0}};
  const char* head[] = {"2026", "年", "12", "月", "1页"};
  for (int i = 0; i < 5; ++i) items_[{"HEAD", 0, i}] = head[i];
  items_[{"FOOT", 0, 0}] = "制表";
}

void SampleFormView::SetupForm() {
  CVyFormView::SetupForm();
  rows_.resize(static_cast<size_t>(TextRows()), std::vector<std::string>(columns_.size()));
}

void SampleFormView::SetRows(std::vector<std::vector<std::string>> rows) {
  rows_ = std::move(rows);
  for (auto& r : rows_) r.resize(columns_.size());
  SetRowCount(static_cast<int>(rows_.size()));
  if (rows_.empty()) rows_.resize(1, std::vector<std::string>(columns_.size()));
}

std::string SampleFormView::Text(int row, int col, const std::string& section) const {
  if (section == "TEXT") {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || col < 0 ||
        col >= static_cast<int>(columns_.size()))
      return {};
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  }
  auto it = items_.find({section == "TAIL" ? "FOOT" : section, row, col});
  return it == items_.end() ? std::string() : it->second;
}

void SampleFormView::OnRowCountChanged(int delta) {
  size_t n = static_cast<size_t>(std::max(1, static_cast<int>(rows_.size()) + delta));
  rows_.resize(n, std::vector<std::string>(columns_.size()));
}

void SampleFormView::OnInsertRows(int atRow, int lastOldRow, int count) {
  for (int r = lastOldRow; r >= atRow; --r)
    rows_[static_cast<size_t>(r + count)] = rows_[static_cast<size_t>(r)];
  for (int r = atRow; r < atRow + count; ++r) rows_[static_cast<size_t>(r)].assign(columns_.size(), "");
}

void SampleFormView::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, title, "MID", "TOPIC");
  if (FormHeadLines() > 0)
    for (int c = 0; c < ColumnCount() && c < static_cast<int>(columns_.size()); ++c)
      DrawCellText(0, c, dc, columns_[static_cast<size_t>(c)].caption, "MID", "FORMHEAD");
  if (FormFootLines() < 1 || !totals) return;
  DrawCellText(0, 0, dc, "合计", "MID", "FORMFOOT");
  for (int c = 1; c < ColumnCount() && c < static_cast<int>(columns_.size()); ++c) {
    const Column& col = columns_[static_cast<size_t>(c)];
    if (!MaskHas(col.mask, "NUMBER")) continue;
    double sum = 0;
    for (auto& r : rows_) sum += ParseNumber(r[static_cast<size_t>(c)]);
    DrawCellText(0, c, dc, FormatAmount(sum, 0, col.decimals, col.decimals), "RIGHT", "FORMFOOT");
  }
}

void SampleFormView::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  std::string align = "LEFT";
  if (section == "TEXT" && MaskHas(columns_[static_cast<size_t>(col)].mask, "NUMBER")) {
    // Numbers stand right, except in the cell being typed into, where the caret follows the text.
    const VyCellPos& cur = Current();
    bool editing = IsEditable() && cur.section == "TEXT" && cur.row == row && cur.col == col;
    align = editing ? "LEFT" : "RIGHT";
  }
  DrawCellText(row, col, dc, Text(row, col, section), align, section);
}

void SampleFormView::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.text = Text(row, col, section);
  if (section == "TEXT" && col >= 0 && col < static_cast<int>(columns_.size())) {
    const Column& c = columns_[static_cast<size_t>(col)];
    cell.mask = c.mask;
    cell.maxLength = c.maxLength;
    cell.decimals = c.decimals;
  } else {
    cell.mask = "STRING";
    cell.maxLength = 20;
    cell.decimals = 0;
  }
}

void SampleFormView::PutCell(int row, int col, const std::string& section, const std::string& text) {
  if (section == "TEXT") {
    if (row < 0 || col < 0 || col >= static_cast<int>(columns_.size())) return;
    if (row >= static_cast<int>(rows_.size()))
      rows_.resize(static_cast<size_t>(row) + 1, std::vector<std::string>(columns_.size()));
    rows_[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
    return;
  }
  items_[{section == "TAIL" ? "FOOT" : section, row, col}] = text;
}
