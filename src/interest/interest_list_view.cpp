// The interest list window: its form, its cells and its two commands.
#include "interest/interest_list_view.h"

#include <algorithm>

#include "base/cell_text.h"
#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/db_error.h"
#include "interest/interest_dlg.h"
#include "interest/interest_post_dlg.h"
#include "interest/interest_posting.h"

namespace {

const char* const kCaptions[] = {"帐    号", "帐   户   名   称", "积    数", "利    息"};

}  // namespace

CQirnpz3::CQirnpz3(CVyDataEnv& env) : env_(env) {
  editable_ = 1;
  SetDataEnv(&env);
}

void CQirnpz3::SetupForm() {
  CVyReportView::SetupForm();
  SetMargins(5, 10, 5, 10);
  SetSections(20, 1, 0, 1, 0);
  SetColumns({14, 40, 16, 12});
  SetItems("HEAD", 0, {{5, 80}, {860, 12}});
  AppendMenuItem("记帐(&J)", vycmd::kPostInterest);
}

bool CQirnpz3::Calculate(const InterestParams& params, const std::vector<YearFileSpan>& yearFiles) {
  std::vector<InterestRow> rows;
  Plat().BeginWaitCursor();
  try {
    rows = ComputeInterest(env_, yearFiles, params);
  } catch (const jet::DbError& e) {
    Plat().EndWaitCursor();
    ShowMessage(e.what(), MsgIcon::Stop);
    return false;
  }
  Plat().EndWaitCursor();
  params_ = params;
  yearFiles_ = yearFiles;
  rows_ = std::move(rows);
  unposted_ = true;
  SetRowCount(static_cast<int>(rows_.size()));
  SetCurrent(0, 0, 0, "TEXT");
  SetModified(false);
  Redraw();
  return true;
}

void CQirnpz3::Reopen() {
  CInterestDlg dlg(env_);
  dlg.OnInitDialog();
  dlg.Prefill(params_);
  if (!AskDialog(dlg)) return;
  if (dlg.params == params_) return;
  Calculate(dlg.params, dlg.yearFiles);
}

void CQirnpz3::Post() {
  if (!unposted_) return;
  CInterestPostDlg dlg(env_, params_.end);
  if (!AskDialog(dlg)) return;
  if (!PostInterest(env_, rows_, dlg.date, dlg.summary, params_.credit, dlg.counter)) return;
  unposted_ = false;
  ShowMessage("记帐完毕！", MsgIcon::None);
}

void CQirnpz3::OnRowCountChanged(int delta) {
  rows_.resize(static_cast<size_t>(std::max(0, static_cast<int>(rows_.size()) + delta)));
}

std::string CQirnpz3::Text(int row, int col) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
  const InterestRow& r = rows_[static_cast<size_t>(row)];
  return CellOf({r.code, r.name, r.product, r.interest}, col);
}

void CQirnpz3::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, " 利息计算表 ", "MID", "TOPIC");
  for (int c = 0; c < 4; ++c) DrawCellText(0, c, dc, kCaptions[c], "MID", "FORMHEAD");
}

void CQirnpz3::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD") {
    if (col == 0) DrawCellText(row, 0, dc, "计息时间：" + params_.HeaderText(), "LEFT", section);
    if (col == 1 && dc.IsPrinting())
      DrawCellText(row, 1, dc, Format("第 %4d 页", FirstRow(true) / std::max(1, RowsPerPage(true)) + 1),
                   "LEFT", section);
    return;
  }
  if (section != "TEXT") return;
  const VyCellPos& cur = Current();
  bool editing = IsEditable() && cur.section == "TEXT" && cur.row == row && cur.col == col;
  DrawCellText(row, col, dc, Text(row, col), col >= 2 && !editing ? "RIGHT" : "LEFT", section);
}

void CQirnpz3::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.text = section == "TEXT" ? Text(row, col) : std::string();
  cell.mask = "STRING NOT |[]'\"";
  cell.maxLength = 40 - col;
  cell.decimals = 0;
}

void CQirnpz3::PutCell(int row, int col, const std::string& section, const std::string& text) {
  if (section != "TEXT" || row < 0 || row >= static_cast<int>(rows_.size())) return;
  InterestRow& r = rows_[static_cast<size_t>(row)];
  switch (col) {
    case 0:
      r.code = text;
      break;
    case 1:
      r.name = text;
      break;
    case 2:
      r.product = text;
      break;
    case 3:
      r.interest = text;
      break;
  }
}

bool CQirnpz3::OnCommand(int command) {
  switch (command) {
    case vycmd::kOpen:
      Reopen();
      return true;
    case vycmd::kPostInterest:
      Post();
      return true;
    default:
      return CVyReportView::OnCommand(command);
  }
}

bool CQirnpz3::IsCommandEnabled(int command) {
  if (command == vycmd::kPostInterest) return unposted_;
  return CVyReportView::IsCommandEnabled(command);
}

std::string CQirnpz3::WindowSubject() {
  if (params_.start.empty()) return "";
  return params_.code.empty() ? "全部帐户" : params_.code;
}

std::vector<std::string> CQirnpz3::ReportHead() {
  return {" 利息计算表 ", "计息时间：" + params_.HeaderText()};
}

std::vector<std::string> CQirnpz3::ColumnCaptions() {
  return {kCaptions[0], kCaptions[1], kCaptions[2], kCaptions[3]};
}

// The product of balance and days is a figure, the interest an amount.
ReportColumnKind CQirnpz3::ColumnKind(int col) {
  return col == 2 ? ReportColumnKind::kFigure : col == 3 ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}
