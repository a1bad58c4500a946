#include "ledgers/multi_column_ledger.h"

#include <cmath>

#include "accounts/account_full_name.h"
#include "accounts/chart_queries.h"
#include "base/cell_text.h"
#include "base/platform.h"
#include "base/text.h"
#include "base/wait_cursor.h"
#include "formview/view_input.h"
#include "ledgers/aux_catalogue_dlg.h"
#include "ledgers/ledger_commands.h"

CQirnzb2::CQirnzb2() {
  nFlag = 4;
  detail = false;
  pagePrefix_ = "本帐户第";
  for (int i = 0; i < 4; ++i) columns_.push_back({"", Format("第 %d 栏", i + 1), i < 2 ? 1 : -1, 12});
}

void CQirnzb2::SetupForm() {
  CVyReportView::SetupForm();
  rulesThrough_ = 0;
  SetSections(20, 3, 0, 2, 0);
  SetColumns({3, 3, 38, 12, 12, 12, 12, 2, 12});
  SetItems("HEAD", 0, {{10, 92}});
  SetItems("HEAD", 1, {{10, 24}, {440, 36}, {890, 16}});
  AppendMenuItem("", 0);
  AppendMenuItem("输出明细记录", ledgercmd::kDetailMode);
  AppendMenuItem("输出汇总记录", ledgercmd::kSummaryMode);
}

bool CQirnzb2::HasContent(CVyDataEnv& env, const std::string& account, int endPeriod, const char* message) {
  if (LedgerRows(env, account, endPeriod, true) > 0) return true;
  ShowMessage(message, MsgIcon::Stop);
  return false;
}

void CQirnzb2::Build() {
  CVyDataEnv& env = *DataEnv();
  int s = MonthNumber(startMonth), e = MonthNumber(endMonth);
  if (LedgerRows(env, code, e, true) == 0) return;
  WaitCursorScope waiting;
  SetMissingColumnSides(env, code);
  columns_ = ReadAnalysisColumns(env, code);
  debitColumns = creditColumns = 0;
  for (const AnalysisColumn& c : columns_) (c.side > 0 ? debitColumns : creditColumns)++;
  std::string texts = MultiColumnRows(env, YearOf(env), {code, s, e, detail}, columns_);

  const size_t n = columns_.size();
  std::vector<LedgerLine> lines;
  for (auto& f : SplitRowTexts(texts)) {
    f.resize(n + 4);
    LedgerLine line;
    line.voucher = Trim(f[1]);
    line.cells = {MonthOf(f[0]), DayOf(f[0]), f[2]};
    for (size_t i = 0; i < n; ++i) line.cells.push_back(MoneyText(FieldNumber(f[3 + i])));
    double balance = FieldNumber(f[3 + n]);
    line.cells.push_back(BalanceDirection(balance));
    line.cells.push_back(MoneyText(std::fabs(balance)));
    lines.push_back(std::move(line));
  }
  fullName = AccountFullName(env, code, 84);
  std::vector<int> widths{3, 3, 38};
  for (const AnalysisColumn& c : columns_) widths.push_back(c.width);
  widths.push_back(2);
  widths.push_back(12);
  if (widths != ColumnWidths()) ResetColumns(widths);
  align_ = {"MID", "MID", "LEFT"};
  align_.insert(align_.end(), n, "RIGHT");
  align_.push_back("MID");
  align_.push_back("RIGHT");
  SetLines(std::move(lines));
}

bool CQirnzb2::ChangeAccount() {
  CAuxCatalogueDlg dialog(*DataEnv(), CAuxCatalogueDlg::kMultiColumn, code, startMonth, endMonth);
  if (!AskAuxCatalogue(dialog)) return false;
  if (dialog.code == code && dialog.start == startMonth && dialog.end == endMonth) return false;
  if (!HasContent(*DataEnv(), dialog.code, MonthNumber(dialog.end), "本帐户无经济内容!")) return false;
  Open(dialog.code, dialog.start, dialog.end, dialog.periodText);
  return true;
}

void CQirnzb2::SetDetail(bool on) {
  detail = on;
  if (!code.empty()) Build();
}

bool CQirnzb2::OnCommand(int command) {
  switch (command) {
    case ledgercmd::kDetailMode:
      SetDetail(true);
      return true;
    case ledgercmd::kSummaryMode:
      SetDetail(false);
      return true;
    default:
      return CLedgerView::OnCommand(command);
  }
}

bool CQirnzb2::IsCommandEnabled(int command) {
  switch (command) {
    case ledgercmd::kDetailMode:
      return !detail;
    case ledgercmd::kSummaryMode:
      return detail;
    default:
      return CLedgerView::IsCommandEnabled(command);
  }
}

std::vector<int> CQirnzb2::SumColumns() const {
  std::vector<int> c;
  for (size_t i = 0; i < columns_.size(); ++i) c.push_back(3 + static_cast<int>(i));
  return c;
}

LedgerLine CQirnzb2::CarryLine(const LedgerLine& previous, const std::vector<double>& sums,
                               const std::string& text) {
  std::vector<std::string> summed;
  for (double s : sums) summed.push_back(MoneyText(s));
  return CarryLineOf(previous, text, summed, previous.cells.size() - 2);
}

std::vector<std::string> CQirnzb2::ColumnCaptions() {
  std::vector<std::string> c{"月", "日", "摘          要     "};
  for (const AnalysisColumn& col : columns_) c.push_back((col.side > 0 ? "借方/" : "贷方/") + col.name);
  c.push_back("借或贷");
  c.push_back("余      额");
  return c;
}

// The analysis columns and the balance are amounts; the direction between them is text.
ReportColumnKind CQirnzb2::ColumnKind(int col) {
  int direction = 3 + static_cast<int>(columns_.size());
  return col >= 3 && col != direction ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}

// " 借 方" over the debit columns: N blanks, "借", N blanks, "方", N the columns' width in characters / 3.
static std::string GroupCaption(int width, const char* side) {
  int n = width / 3;
  return std::string(static_cast<size_t>(n), ' ') + side + std::string(static_cast<size_t>(n), ' ') + "方";
}

void CQirnzb2::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, Topic(), "MID", "TOPIC");
  int n = static_cast<int>(columns_.size());
  if (n > 0)
    DrawFormHeadRules(dc, {{0, 1}, {3, n + 2}});
  else
    DrawFormHeadRules(dc, {{0, 1}});
  int year = DataEnv() ? DataEnv()->year : 0;
  DrawCellText(0, 0, dc, Format(" %4d年", year), "NOCUT", "FORMHEAD");
  DrawCellText(2, 0, dc, "月", "MID", "FORMHEAD");
  DrawCellText(2, 1, dc, "日", "MID", "FORMHEAD");
  DrawCellText(1, 2, dc, "摘          要     ", "MID", "FORMHEAD");
  int debitWidth = 0, creditWidth = 0;
  for (int i = 0; i < n; ++i) {
    const AnalysisColumn& c = columns_[static_cast<size_t>(i)];
    (c.side > 0 ? debitWidth : creditWidth) += ColumnWidths()[static_cast<size_t>(3 + i)];
    DrawCellText(2, 3 + i, dc, c.name, "MID", "FORMHEAD");
  }
  if (debitWidth / 3 > 0) DrawCellText(0, 3, dc, GroupCaption(debitWidth, "借"), "NOCUT", "FORMHEAD");
  if (creditWidth / 3 > 0)
    DrawCellText(0, debitColumns + 3, dc, GroupCaption(creditWidth, "贷"), "NOCUT", "FORMHEAD");
  DrawCellText(0, n + 3, dc, "借", "MID", "FORMHEAD");
  DrawCellText(1, n + 3, dc, "或", "MID", "FORMHEAD");
  DrawCellText(2, n + 3, dc, "贷", "MID", "FORMHEAD");
  DrawCellText(1, n + 4, dc, "余      额", "MID", "FORMHEAD");
}
