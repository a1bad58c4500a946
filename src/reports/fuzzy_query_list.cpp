#include "reports/fuzzy_query_list.h"

#include <cmath>
#include <cstdlib>

#include "accounts/account_full_name.h"
#include "base/dialog_asker.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/recordset.h"
#include "reports/balance_level_view.h"
#include "reports/report_progress.h"

namespace {
const std::vector<std::string> kCaptions = {
    "月", "日", "科          目     ", "摘          要     ", "借或贷", "金     额"};
}  // namespace

CHobdzb7::CHobdzb7() {
  nFlag = 10;
}

void CHobdzb7::SetupForm() {
  CVyReportView::SetupForm();
  AppendMenuItem("重新查询(&O)...", vycmd::kOpen);
  SetMargins(5, 10, 5, 10);
  SetSections(20, 3, 0, 2, 0);
  SetColumns({3, 3, 30, 38, 2, 12});
  SetItems("HEAD", 1, {{10, 80}, {860, 12}});
}

void CHobdzb7::SetParameters(const CFuzzyQueryDlg& dlg) {
  conditionText_ = dlg.conditionText;
  hitSql_ = dlg.hitSql;
  hits_ = dlg.hits;
}

std::string CHobdzb7::FullName(const std::string& code) {
  auto it = fullNames_.find(code);
  if (it == fullNames_.end()) it = fullNames_.emplace(code, AccountFullName(*DataEnv(), code, 30)).first;
  return it->second;
}

void CHobdzb7::Build() {
  Plat().BeginWaitCursor();
  rows_.clear();
  dates_.clear();
  fullNames_.clear();
  money::Cents sum = 0;
  {
    ReportProgress progress(hits_);
    CVyRecordset rs(DataEnv()->Db(), {"f"}, {"my"}, {"t", "cer", "Expr1002", "Expr1003"});
    for (rs.Open(hitSql_); !rs.IsEOF(); rs.MoveNext()) {
      const std::string t = rs.GetText(0);
      const double my = rs.GetDouble(0);
      const int f = rs.GetLong(0);
      sum += f * money::ToCents(my);
      rows_.push_back({Format("%d", std::atoi(t.substr(4, 2).c_str())),
                       Format("%d", std::atoi(t.substr(6, 2).c_str())), FullName(rs.GetText(2)),
                       rs.GetText(3), f == 1 ? "借" : "贷", FormatAmount(my, 0, 2, 2)});
      dates_.push_back(t);
      progress.Step();
    }
  }
  // Hits that net to zero are 平, as in the balance tables.
  rows_.push_back({"", "", "", "     合    计", DirectionOf(sum), AmountCell(sum)});
  SetRowCount(static_cast<int>(rows_.size()));
  SetCurrent(0, 0, 0, "TEXT");
  MakeCurrentVisible();
  Redraw();
  Plat().EndWaitCursor();
}

bool CHobdzb7::OnCommand(int command) {
  if (command != vycmd::kOpen) return CVyReportView::OnCommand(command);
  if (!DataEnv()) return true;
  CFuzzyQueryDlg dlg(*DataEnv());
  dlg.OnInitDialog();
  if (AskDialog(dlg)) {
    SetParameters(dlg);
    Build();
  }
  return true;
}

void CHobdzb7::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.text.clear();
  if (section == "TEXT" && row >= 0 && row < static_cast<int>(rows_.size()) && col >= 0 && col < 6)
    cell.text = rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  else if (section == "HEAD" && row == 1 && col == 0)
    cell.text = conditionText_;
}

void CHobdzb7::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD" && row == 1 && col == 1) {
    if (dc.IsPrinting())
      DrawCellText(row, col, dc, Format("第 %4d 页", FirstRow(true) / std::max(1, RowsPerPage(true)) + 1),
                   "LEFT", section);
    return;
  }
  VyCellInfo cell;
  GetCell(row, col, section, cell, false);
  std::string align = "LEFT";
  if (section == "TEXT") align = col == 5 || col < 2 ? "RIGHT" : col == 4 ? "MID" : "LEFT";
  DrawCellText(row, col, dc, cell.text, align, section);
}

void CHobdzb7::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, " 模糊查询帐页 ", "MID", "TOPIC");
  std::string year = DataEnv() ? Format("%4d年", DataEnv()->year) : "";
  // The year stands over month and day together.
  DrawCellText(0, 0, dc, year, "NOCUT", "FORMHEAD");
  DrawCellText(2, 0, dc, "月", "MID", "FORMHEAD");
  DrawCellText(2, 1, dc, "日", "MID", "FORMHEAD");
  DrawCellText(1, 2, dc, kCaptions[2], "MID", "FORMHEAD");
  DrawCellText(1, 3, dc, kCaptions[3], "MID", "FORMHEAD");
  const char* words[] = {"借", "或", "贷"};
  for (int line = 0; line < 3; ++line) DrawCellText(line, 4, dc, words[line], "MID", "FORMHEAD");
  DrawCellText(1, 5, dc, kCaptions[5], "MID", "FORMHEAD");
}

std::vector<std::string> CHobdzb7::ReportHead() {
  return {" 模糊查询帐页 ", conditionText_};
}

std::vector<std::string> CHobdzb7::ColumnCaptions() {
  return kCaptions;
}

ReportColumnKind CHobdzb7::ColumnKind(int col) {
  return col == 5 ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}
