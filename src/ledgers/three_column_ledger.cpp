#include "ledgers/three_column_ledger.h"

#include "accounts/account_asker.h"
#include "accounts/account_full_name.h"
#include "accounts/period.h"
#include "base/cell_text.h"
#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "base/wait_cursor.h"
#include "data/sql_text.h"
#include "formview/view_input.h"
#include "ledgers/ledger_commands.h"
#include "ledgers/ledger_period_dlg.h"
#include "ledgers/three_column_rows.h"

CQirnzb1::CQirnzb1() {
  nFlag = 3;
  align_ = {"MID", "MID", "LEFT", "RIGHT", "RIGHT", "MID", "RIGHT"};
}

void CQirnzb1::SetupForm() {
  CVyReportView::SetupForm();
  SetMargins(5, 10, 5, 10);
  rulesThrough_ = 0;
  SetSections(20, 3, 0, 2, 0);
  SetColumns({3, 3, 40, 12, 12, 2, 12});
  SetItems("HEAD", 0, {{10, 92}});
  SetItems("HEAD", 1, {{10, 24}, {410, 36}, {860, 16}});
  AppendMenuItem("改变时间和类型(&K)", ledgercmd::kChangePeriod);
  AppendMenuItem("", 0);
  AppendMenuItem("自动选择输出方式", ledgercmd::kAutoMode);
  AppendMenuItem("输出明细记录", ledgercmd::kDetailMode);
  AppendMenuItem("输出汇总记录", ledgercmd::kSummaryMode);
}

bool CQirnzb1::HasContent(CVyDataEnv& env, const std::string& account, int endPeriod) {
  std::string k = jet::SqlText(account);
  long n =
      env.QueryLong(Format("select count(*) from p0 where (trim(kno)='%s' or trim(kno) \t\t\tlike '%s-*') "
                           "and val(tt)<=%d and mk<>'1'",
                           k.c_str(), k.c_str(), endPeriod));
  if (n > 0) return true;
  ShowMessage("本科目(帐户)无经济内容!", MsgIcon::Stop);
  return false;
}

std::string CQirnzb1::ChooseAccount(CVyDataEnv& env, const std::string& preset, int endPeriod) {
  std::optional<std::string> chosen = AskAccount(accountquery::kAnyAccount, preset);
  if (!chosen || chosen->empty() || !HasContent(env, *chosen, endPeriod)) return {};
  return *chosen;
}

void CQirnzb1::Open(const std::string& account) {
  int year = DataEnv()->year;
  code = account;
  startMonth = MonthKey(year, 1);
  endMonth = MonthKey(year, 12);
  periodText = LedgerPeriodText(year, 1, 12, !reached);
  Build();
}

bool CQirnzb1::DetailFor(int mode) const {
  if (mode == 1) return true;
  if (mode == 2) return false;
  return !hasSubAccounts;
}

void CQirnzb1::Build() {
  CVyDataEnv& env = *DataEnv();
  WaitCursorScope waiting;
  hasSubAccounts = env.QueryLong(Format("select count(*) from subt where trim(kno) like '%s-*'",
                                        jet::SqlText(code).c_str())) > 0;
  detail = DetailFor(outputMode);
  ThreeColumnQuery q{code, MonthNumber(startMonth), MonthNumber(endMonth), reached};
  AccountingYear year = YearOf(env);
  std::optional<std::vector<LedgerLine>> lines;
  if (detail && !documented_) lines = ThreeColumnDetailLines(env, year, q);
  if (!lines)
    lines = ThreeColumnLines(
        detail ? ThreeColumnDetailRows(env, year, q) : ThreeColumnSummaryRows(env, year, q), detail);
  // An empty build empties the table too: the head shows the account now chosen, and its rows must not
  // be another account's.
  SetLines(std::move(*lines));
  fullName = AccountFullName(env, code, 84);
  Redraw();
}

bool CQirnzb1::ChangeAccount() {
  std::string chosen = ChooseAccount(*DataEnv(), code, MonthNumber(endMonth));
  if (chosen.empty() || chosen == code) return false;
  code = chosen;
  Build();
  return true;
}

bool CQirnzb1::ChangePeriod() {
  CLedgerPeriodDlg dialog(*DataEnv(), code, startMonth, endMonth, reached);
  if (!AskDialog(dialog)) return false;
  periodText = dialog.periodText;
  bool changed = dialog.start != startMonth || dialog.end != endMonth || dialog.reached != reached;
  startMonth = dialog.start;
  endMonth = dialog.end;
  reached = dialog.reached;
  if (changed && !code.empty()) Build();
  Redraw();
  return changed;
}

void CQirnzb1::SetOutputMode(int mode) {
  outputMode = mode;
  if (DetailFor(mode) != detail && !code.empty()) Build();
}

bool CQirnzb1::OnCommand(int command) {
  switch (command) {
    case ledgercmd::kChangePeriod:
      ChangePeriod();
      return true;
    case ledgercmd::kAutoMode:
      SetOutputMode(0);
      return true;
    case ledgercmd::kDetailMode:
      SetOutputMode(1);
      return true;
    case ledgercmd::kSummaryMode:
      SetOutputMode(2);
      return true;
    default:
      return CLedgerView::OnCommand(command);
  }
}

bool CQirnzb1::IsCommandEnabled(int command) {
  switch (command) {
    case ledgercmd::kChangePeriod:
    case ledgercmd::kAutoMode:
    case ledgercmd::kDetailMode:
    case ledgercmd::kSummaryMode:
      return true;
    default:
      return CLedgerView::IsCommandEnabled(command);
  }
}

std::vector<std::string> CQirnzb1::ColumnCaptions() {
  return {"月", "日", "摘          要     ", "借方发生额", "贷方发生额", "借或贷", "余     额"};
}

// The two turnovers and the balance are amounts; the month, day, summary and direction are text.
ReportColumnKind CQirnzb1::ColumnKind(int col) {
  return col == 3 || col == 4 || col == 6 ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}

void CQirnzb1::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, Topic(), "MID", "TOPIC");
  DrawFormHeadRules(dc, {{0, 1}});
  int half = (FontHeight(2, dc.IsPrinting()) + Spacing(dc.IsPrinting())) / 2;
  int year = DataEnv() ? DataEnv()->year : 0;
  DrawOverColumns(dc, 0, 0, 1, Format("%4d年", year), half);
  DrawCellText(2, 0, dc, "月", "MID", "FORMHEAD", -half);
  DrawCellText(2, 1, dc, "日", "MID", "FORMHEAD", -half);
  DrawCellText(1, 2, dc, "摘          要     ", "MID", "FORMHEAD");
  DrawCellText(1, 3, dc, "借方发生额", "MID", "FORMHEAD");
  DrawCellText(1, 4, dc, "贷方发生额", "MID", "FORMHEAD");
  DrawCellText(1, 6, dc, "余     额", "MID", "FORMHEAD");
  DrawCellText(0, 5, dc, "借", "MID", "FORMHEAD", 5);
  DrawCellText(1, 5, dc, "或", "MID", "FORMHEAD");
  DrawCellText(2, 5, dc, "贷", "MID", "FORMHEAD", -5);
}

LedgerLine CQirnzb1::CarryLine(const LedgerLine& previous, const std::vector<double>& sums,
                               const std::string& text) {
  return CarryLineOf(previous, text, {MoneyText(sums[0]), MoneyText(sums[1])}, 5);
}
