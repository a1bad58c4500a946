// The financial statement window: its head, its halves and its check.
#include "statements/statement_view.h"

#include <algorithm>

#include "base/cell_text.h"
#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/db_guard.h"
#include "statements/statement_dlg.h"

namespace {

constexpr int kFormFlag = 22;

std::string Figure(const StatementCell& cell) {
  if (cell.blank) return "";
  return cell.value == 0 ? "0.00" : MoneyText(money::FromCents(cell.value));
}

}  // namespace

CStatementView::CStatementView(CVyDataEnv& env) : env_(env) {
  SetDataEnv(&env);
}

void CStatementView::SetupForm() {
  CVyReportView::SetupForm();
  nFlag = kFormFlag;
  sFieldMode = sideBySide_ ? "1" : "0";
  editable_ = 0;
  SetMargins(5, 10, 5, 10);
  SetSections(20, 1, 0, 1, FootLinesWanted());
  if (sideBySide_) {
    SetColumns({30, 4, 14, 14, 30, 4, 14, 14});
    SetItems("HEAD", 0, {{0, 40}, {380, 30}, {900, 12}});
  } else {
    SetColumns({40, 5, 18, 18});
    SetItems("HEAD", 0, {{0, 40}, {315, 30}, {840, 12}});
  }
  for (int line = 0; line < FootLines(); ++line) SetItems("FOOT", line, {{0, 100}});
}

bool CStatementView::Build(const CStatementDlg& dlg) {
  return Build(dlg.name, dlg.month, dlg.narrow);
}

bool CStatementView::Open(const CStatementDlg& dlg) {
  if (!Build(dlg)) return false;
  const std::vector<std::string>& errors = result_.errors;
  if (errors.empty()) return true;
  constexpr size_t kShown = 10;
  std::string text = Format("报表“%s”有 %zu 个公式出错，出错的项目空着：", result_.form.name.c_str(), errors.size());
  for (size_t i = 0; i < errors.size() && i < kShown; ++i) text += "\n" + errors[i];
  if (errors.size() > kShown) text += "\n……";
  ShowMessage(text, MsgIcon::Exclamation);
  return true;
}

// The check's line and one line for each formula that failed: the foot grows to hold them all.
int CStatementView::FootLinesWanted() {
  return std::max(1, static_cast<int>(ReportFoot().size()));
}

bool CStatementView::Build(const std::string& name, int month, bool narrow) {
  StatementResult result;
  bool found = false;
  if (!RunCatchingDbErrors([&] {
        StatementTemplate form;
        found = LoadStatement(env_, name, form);
        if (!found) return;
        StatementFigures figures(env_);
        result = ComputeStatement(form, month, figures);
      }))
    return false;
  if (!found) {
    ShowMessage("没有报表“" + name + "”。");
    return false;
  }
  result_ = std::move(result);
  narrow_ = narrow;
  bool sideBySide = result_.form.TwoSided() && !narrow;
  if (sideBySide != sideBySide_ || !ColumnCount() || FootLines() != FootLinesWanted()) {
    sideBySide_ = sideBySide;
    ReleaseForm();
    InitForm();
  }
  Layout();
  SetRowCount(static_cast<int>(rows_.size()));
  SetCurrent(0, 0, 0, "TEXT");
  Redraw();
  return true;
}

void CStatementView::Layout() {
  rows_.clear();
  const StatementTemplate& form = result_.form;
  auto cells = [&](size_t i) {
    const StatementLine& l = form.lines[i];
    std::string caption = std::string(static_cast<size_t>(l.indent) * 2, ' ') + l.caption;
    return std::vector<std::string>{caption, l.lineNo ? Format("%d", l.lineNo) : "", Figure(result_.cells[i][0]),
                                    Figure(result_.cells[i][1])};
  };
  std::vector<size_t> left, right;
  for (size_t i = 0; i < form.lines.size(); ++i) (form.lines[i].side == 1 ? right : left).push_back(i);
  if (!sideBySide_) {
    for (size_t i : left) rows_.push_back(cells(i));
    for (size_t i : right) rows_.push_back(cells(i));
    return;
  }
  for (size_t r = 0; r < std::max(left.size(), right.size()); ++r) {
    std::vector<std::string> row = r < left.size() ? cells(left[r]) : std::vector<std::string>(4);
    std::vector<std::string> more = r < right.size() ? cells(right[r]) : std::vector<std::string>(4);
    row.insert(row.end(), more.begin(), more.end());
    rows_.push_back(std::move(row));
  }
}

std::string CStatementView::Title() const {
  return " " + result_.form.name + " ";
}

std::string CStatementView::MonthText() const {
  return Format("%d年%d月", env_.year, result_.month);
}

std::string CStatementView::Text(int row, int col) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
  const auto& r = rows_[static_cast<size_t>(row)];
  return col >= 0 && col < static_cast<int>(r.size()) ? r[static_cast<size_t>(col)] : std::string();
}

std::vector<std::string> CStatementView::ColumnCaptions() {
  const StatementTemplate& form = result_.form;
  bool balance = form.TwoSided();
  std::vector<std::string> half = {balance ? "资产" : "项目", "行次", form.columns[0], form.columns[1]};
  if (!sideBySide_) {
    if (balance) half[0] = "资产／负债和所有者权益";
    return half;
  }
  std::vector<std::string> both = half;
  both.insert(both.end(), {"负债和所有者权益（或股东权益）", "行次", form.columns[0], form.columns[1]});
  return both;
}

ReportColumnKind CStatementView::ColumnKind(int col) {
  return col % 4 >= 2 ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}

void CStatementView::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, Title(), "MID", "TOPIC");
  std::vector<std::string> captions = ColumnCaptions();
  for (int c = 0; c < static_cast<int>(captions.size()); ++c)
    DrawCellText(0, c, dc, captions[static_cast<size_t>(c)], "MID", "FORMHEAD");
}

void CStatementView::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD") {
    std::vector<std::string> head = ReportHead();
    if (row == 0 && col >= 0 && col < 3) {
      std::vector<std::string> items = {"编制单位：" + env_.unitName, MonthText(), "单位：元"};
      DrawCellText(0, col, dc, items[static_cast<size_t>(col)], col == 0 ? "LEFT" : col == 1 ? "MID" : "RIGHT",
                   section);
    }
    return;
  }
  if (section == "FOOT") {
    std::vector<std::string> foot = ReportFoot();
    if (col == 0 && row >= 0 && row < static_cast<int>(foot.size()))
      DrawCellText(row, 0, dc, foot[static_cast<size_t>(row)], "LEFT", section);
    return;
  }
  if (section != "TEXT") return;
  DrawCellText(row, col, dc, Text(row, col), col % 4 >= 2 ? "RIGHT" : col % 4 == 1 ? "MID" : "LEFT", section);
}

void CStatementView::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.text = section == "TEXT" ? Text(row, col) : std::string();
  cell.mask = "STRING NOT |[]'\"";
  cell.maxLength = 80;
  cell.decimals = 0;
}

bool CStatementView::OnCommand(int command) {
  if (command == vycmd::kOpen) {
    CStatementDlg dlg(env_);
    dlg.name = result_.form.name;
    dlg.monthText = Format("%d", result_.month);
    dlg.narrow = narrow_;
    if (dlg.OnInitDialog() && AskDialog(dlg)) Open(dlg);
    return true;
  }
  return CVyReportView::OnCommand(command);
}

std::vector<std::string> CStatementView::ReportHead() {
  return {Title(), "编制单位：" + env_.unitName + "\t" + MonthText() + "\t单位：元"};
}

std::vector<std::string> CStatementView::ReportFoot() {
  std::vector<std::string> foot;
  const StatementTemplate& form = result_.form;
  if (!Trim(form.checkFormula).empty()) {
    std::string line = "校验：" + form.checkCaption;
    for (int c = 0; c < 2; ++c) {
      const StatementCell& cell = result_.check[static_cast<size_t>(c)];
      line += "  " + form.columns[c] + (cell.blank ? " 公式有错" : cell.value == 0 ? " 平" : " 不平，差额 " + Figure(cell));
    }
    foot.push_back(line);
  }
  for (const std::string& e : result_.errors) foot.push_back("公式出错：" + e);
  return foot;
}

std::string CStatementView::WindowSubject() {
  return result_.form.name.empty() ? "" : MonthText();
}
