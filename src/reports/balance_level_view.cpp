#include "reports/balance_level_view.h"

#include <algorithm>
#include <cmath>

#include "accounts/account_code.h"
#include "base/text.h"
#include "data/data_env.h"
#include "reports/documented_balances.h"
#include "reports/grouped_balances.h"

std::string DirectionOf(money::Cents value) {
  return value > 0 ? "借" : value < 0 ? "贷" : "平";
}

std::string AmountCell(money::Cents value) {
  return value == 0 ? std::string() : FormatAmount(money::FromCents(value < 0 ? -value : value), 0, 2, 2);
}

void CBalanceLevelView::SetupForm() {
  CVyReportView::SetupForm();
  AppendMenuItem("下一级(&D)", vycmd::kLevelDown);
  AppendMenuItem("上一级(&U)", vycmd::kLevelUp);
  AppendMenuItem("重新查询(&O)...", vycmd::kOpen);
}

BalanceSource& CBalanceLevelView::Source(size_t listed) {
  // Up to this many accounts the statements' preparing costs less than the grouped pass saves.
  constexpr size_t kStatementsUpTo = 200;
  if (figures_ == kDocumented || (figures_ == kQuicker && listed <= kStatementsUpTo)) {
    if (!documented_) documented_ = std::make_unique<DocumentedBalances>(*DataEnv());
    return *documented_;
  }
  if (!grouped_) grouped_ = std::make_unique<GroupedBalances>(*DataEnv());
  return *grouped_;
}

void CBalanceLevelView::SetRows(std::vector<std::vector<std::string>> rows) {
  rows_ = std::move(rows);
  totalRow_ = static_cast<int>(rows_.size()) - 1;
  SetRowCount(static_cast<int>(rows_.size()));
  int row = std::min(restore_.row, std::max(0, totalRow_));
  SetCurrent(row, std::min(restore_.col, ColumnCount() - 1), 0, "TEXT");
  MakeCurrentVisible();
  Redraw();
}

bool CBalanceLevelView::StepDown(int row) {
  if (row < 0 || row >= totalRow_ || !CanStepDown()) return false;
  const std::string code = rows_[static_cast<size_t>(row)][0];
  if (code.empty() || !Source().HasSubAccounts(code)) return false;
  stack_.push_back({row, Current().col});
  start_ = code;
  restore_ = {};
  Build();
  return true;
}

void CBalanceLevelView::StepUp() {
  start_ = ParentCode(start_);
  if (!stack_.empty()) {
    restore_ = stack_.back();
    stack_.pop_back();
  } else {
    restore_ = {};
  }
  Build();
}

void CBalanceLevelView::OnKeyDown(VyKey key, bool shift, bool ctrl) {
  if (key == VyKey::Enter && Current().section == "TEXT") {
    StepDown(Current().row);
    return;
  }
  if (key == VyKey::Escape) {
    StepUp();
    return;
  }
  CVyReportView::OnKeyDown(key, shift, ctrl);
}

void CBalanceLevelView::OnLButtonDblClk(int x, int y) {
  VyHit hit = HitTest(x + HScrollPos(), y);
  if (hit.zone != "TEXT" || hit.row < 0 || hit.row >= TextRows()) return;
  SetCurrent(hit.row, std::max(0, hit.col), 0, "TEXT");
  StepDown(hit.row);
}

void CBalanceLevelView::OnRButtonDown(int x, int y) {
  VyHit hit = HitTest(x + HScrollPos(), y);
  if (hit.zone == "TEXT" && hit.row >= 0 && hit.row < TextRows())
    SetCurrent(hit.row, std::max(0, hit.col), 0, "TEXT");
}

bool CBalanceLevelView::OnCommand(int command) {
  switch (command) {
    case vycmd::kLevelDown:
      StepDown(Current().row);
      return true;
    case vycmd::kLevelUp:
      OnLevelUpCommand();
      StepUp();
      return true;
    case vycmd::kOpen:
      if (AskAgain()) {
        stack_.clear();
        restore_ = {};
        Build();
      }
      return true;
    default:
      return CVyReportView::OnCommand(command);
  }
}

void CBalanceLevelView::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.text.clear();
  if (section == "TEXT" && row >= 0 && row < static_cast<int>(rows_.size()) && col >= 0 &&
      col < static_cast<int>(rows_[static_cast<size_t>(row)].size()))
    cell.text = rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  else if (section == "HEAD")
    cell.text = HeadText(row, col);
  else if (section == "FOOT" || section == "TAIL")
    cell.text = FootText(col);
}

void CBalanceLevelView::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD" && row == 1 && col == 1) {
    if (dc.IsPrinting()) {
      int perPage = std::max(1, RowsPerPage(true));
      DrawCellText(row, col, dc, Format(" 第%4d 页", FirstRow(true) / perPage + 1), "LEFT", section);
    }
    return;
  }
  VyCellInfo cell;
  GetCell(row, col, section, cell, false);
  std::string align = "LEFT";
  if (section == "TEXT") {
    const std::string& caption = cell.text;
    bool direction = caption == "借" || caption == "贷" || caption == "平";
    if (direction)
      align = "MID";
    else if (col >= 2)
      align = "RIGHT";
  }
  DrawCellText(row, col, dc, cell.text, align, section);
}

bool CBalanceLevelView::IsDirection(int col) const {
  return col >= 0 && col < static_cast<int>(captions_.size()) &&
         captions_[static_cast<size_t>(col)] == "借或贷";
}

ReportColumnKind CBalanceLevelView::ColumnKind(int col) {
  return col >= 2 && !IsDirection(col) ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}

// The direction captions stand over three form-head lines, the others centred in line 1.
void CBalanceLevelView::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, topic_, "MID", "TOPIC");
  for (int c = 0; c < static_cast<int>(captions_.size()) && c < ColumnCount(); ++c) {
    if (IsDirection(c)) {
      const char* words[] = {"借", "或", "贷"};
      for (int line = 0; line < 3; ++line) DrawCellText(line, c, dc, words[line], "MID", "FORMHEAD");
    } else {
      DrawCellText(1, c, dc, captions_[static_cast<size_t>(c)], "MID", "FORMHEAD");
    }
  }
}

std::vector<std::string> CBalanceLevelView::ReportHead() {
  return {topic_, HeadText(0, 0), HeadText(1, 0)};
}

std::string CBalanceLevelView::HeadText(int line, int item) {
  if (line == 0 && item == 0) return headText_;
  if (line == 1 && item == 0) return Format("单位：%s", DataEnv() ? DataEnv()->unitName.c_str() : "");
  return "";
}

std::string CBalanceLevelView::FootText(int item) {
  switch (item) {
    case 0:
      return "会计主管：";
    case 1:
      return "复  核：";
    case 2:
      return Format("制  表：%s", DataEnv() ? DataEnv()->opName.c_str() : "");
    default:
      return "";
  }
}
