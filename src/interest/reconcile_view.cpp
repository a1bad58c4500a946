// The reconciliation statement window: its two-line form head over the two halves, and its cells.
#include "interest/reconcile_view.h"

#include <algorithm>

#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/db_guard.h"

namespace {

const char* const kColumnCaptions[] = {"日   期", "摘           要", "金    额"};
const char* const kHalfCaptions[] = {"本   帐   帐   户", "对   方   帐   户"};

}  // namespace

CQirnpz4::CQirnpz4(CVyDataEnv& env) : env_(env) {
  SetDataEnv(&env);
}

void CQirnpz4::SetupForm() {
  CVyReportView::SetupForm();
  SetMargins(5, 10, 5, 10);
  // The inner rules stop at the body: the halves' captions span their three columns.
  rulesThrough_ = 0;
  SetSections(20, 2, 0, 2, 0);
  SetColumns({11, 30, 12, 11, 30, 12});  // a date "2026.01.10" whole
  SetItems("HEAD", 0, {{5, 100}});
  SetItems("HEAD", 1, {{5, 60}, {860, 12}});
}

bool CQirnpz4::Build(const ReconcileParams& params) {
  std::vector<ReconcileRow> rows;
  std::string account;
  if (!RunCatchingDbErrors([&] {
        account = ReconcileAccountText(env_, params);
        rows = BuildReconciliation(env_, params);
      }))
    return false;
  params_ = params;
  accountText_ = account;
  dateText_ = ReconcileDateText(params);
  rows_ = std::move(rows);
  SetRowCount(static_cast<int>(rows_.size()));
  SetCurrent(0, 0, 0, "TEXT");
  Redraw();
  return true;
}

void CQirnpz4::Reopen() {
  CReconcileDlg dlg(env_);
  dlg.OnInitDialog();
  dlg.Prefill(params_);
  if (AskDialog(dlg)) Build(dlg.params);
}

std::string CQirnpz4::Text(int row, int col) const {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || col < 0 || col >= 6) return {};
  return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void CQirnpz4::DrawFrame(VyDC& dc) {
  bool printing = dc.IsPrinting();
  DrawLineText(0, dc, " 余额调节表 ", "MID", "TOPIC");
  DrawCellText(0, 1, dc, kHalfCaptions[0], "MID", "FORMHEAD");
  DrawCellText(0, 4, dc, kHalfCaptions[1], "MID", "FORMHEAD");
  for (int c = 0; c < 6; ++c) DrawCellText(1, c, dc, kColumnCaptions[c % 3], "MID", "FORMHEAD");
  // The rule under the halves' captions, and the column rules of the captions' second line; the rule
  // between the halves runs through both lines.
  int x0 = GetRuleX(0, printing, "TEXT", 0), xn = GetRuleX(6, printing, "TEXT", 0);
  int top = RuleY(0, printing, "FORMHEAD"), under = RuleY(1, printing, "FORMHEAD");
  int body = RuleY(FirstRow(printing), printing, "TEXT");
  uint32_t rule = Page().FormLine;
  dc.Line(x0, under, xn, under, rule);
  for (int c = 1; c < 6; ++c) {
    int x = GetRuleX(c, printing, "TEXT", 0);
    dc.Line(x, c == 3 ? top : under, x, body, rule);
  }
}

void CQirnpz4::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD") {
    if (row == 0 && col == 0) DrawCellText(0, 0, dc, accountText_, "LEFT", section);
    if (row == 1 && col == 0) DrawCellText(1, 0, dc, dateText_, "LEFT", section);
    if (row == 1 && col == 1 && dc.IsPrinting())
      DrawCellText(1, 1, dc, Format("第 %4d 页", FirstRow(true) / std::max(1, RowsPerPage(true)) + 1), "LEFT",
                   section);
    return;
  }
  if (section != "TEXT") return;
  DrawCellText(row, col, dc, Text(row, col), col % 3 == 2 ? "RIGHT" : "LEFT", section);
}

void CQirnpz4::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.text = section == "TEXT" ? Text(row, col) : std::string();
  cell.mask = "STRING NOT |[]'\"";
  cell.maxLength = 40;
  cell.decimals = 0;
}

bool CQirnpz4::OnCommand(int command) {
  if (command == vycmd::kOpen) {
    Reopen();
    return true;
  }
  return CVyReportView::OnCommand(command);
}

std::string CQirnpz4::WindowSubject() {
  return params_.code;
}

std::vector<std::string> CQirnpz4::ReportHead() {
  return {" 余额调节表 ", accountText_, dateText_};
}

std::vector<std::string> CQirnpz4::ColumnCaptions() {
  // Without the spacing that stretches them over their cells: "本帐帐户 日期".
  std::vector<std::string> captions;
  for (int half = 0; half < 2; ++half)
    for (const char* c : kColumnCaptions)
      captions.push_back(ReplaceAll(kHalfCaptions[half], " ", "") + " " + ReplaceAll(c, " ", ""));
  return captions;
}

// Each half is date, summary and amount.
ReportColumnKind CQirnpz4::ColumnKind(int col) {
  return col % 3 == 2 ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}
