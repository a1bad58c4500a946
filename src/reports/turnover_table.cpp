#include "reports/turnover_table.h"

#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "reports/report_progress.h"

namespace {
const std::vector<std::string> kCaptions = {"科 目 代 码", "科   目   名   称", "借或贷", "期 初 余 额",
                                            "借方发生额",  "贷方发生额",        "借或贷", "期 末 余 额"};
constexpr double kTurnoverZero = 0.00001;

// A turnover cell of an account row: the amount with two decimals, a negative one (a reversal, interest
// posted on the other side) included.
std::string Turnover(double value) {
  return FormatAmount(value, 0, 2, 2);
}
// The total row's debit and credit: blank below 0.00001.
std::string TotalTurnover(double value) {
  return value < kTurnoverZero ? std::string() : FormatAmount(value, 0, 2, 2);
}
}  // namespace

CHobdzb6::CHobdzb6() {
  nFlag = 9;
}

void CHobdzb6::SetupForm() {
  CBalanceLevelView::SetupForm();
  leftMargin_ = 10, topMargin_ = 10, rightMargin_ = 10, bottomMargin_ = 20;
  rulesThrough_ = 1;
  SetSections(10, 3, 0, 2, 1);
  SetColumns({14, 30, 2, 14, 14, 14, 2, 14});
  SetItems("HEAD", 0, {{310, 50}});
  SetItems("HEAD", 1, {{10, 50}, {830, 12}});
  SetItems("FOOT", 0, {{10, 20}, {430, 20}, {760, 24}});
}

void CHobdzb6::SetParameters(const CTurnoverRangeDlg& dlg) {
  start_ = dlg.code;
  allLevels_ = dlg.allLevels;
  startDate_ = dlg.startDate;
  endDate_ = dlg.endDate;
  startPeriod_ = dlg.startPeriod;
  endPeriod_ = dlg.endPeriod;
  rangeText_ = dlg.rangeText;
}

bool CHobdzb6::AskAgain() {
  if (!DataEnv()) return false;
  CTurnoverRangeDlg dlg(*DataEnv());
  dlg.OnInitDialog(start_, allLevels_, startDate_, endDate_);
  if (!AskDialog(dlg)) return false;
  SetParameters(dlg);
  return true;
}

// The accounts below start, each followed (with 所有下级) by its own sub-accounts; the total counts the
// first level only, so no posting is counted twice.
void CHobdzb6::AddRows(const std::string& start, int level, std::vector<std::vector<std::string>>& rows,
                       Sums& total, ReportProgress& progress) {
  BalanceSource& source = Source();
  for (const ListedAccount& a : source.Accounts(start)) {
    TurnoverFigures f = source.Turnover(a.code, startPeriod_, endDate_, endPeriod_);
    double closing = f.opening + f.debit - f.credit;
    rows.push_back({a.code, a.name, DirectionOf(f.opening, kTurnoverZero),
                    AmountCell(f.opening, kTurnoverZero), Turnover(f.debit), Turnover(f.credit),
                    DirectionOf(closing, kTurnoverZero), AmountCell(closing, kTurnoverZero)});
    if (level == 0) {
      total.opening += f.opening;
      total.debit += f.debit;
      total.credit += f.credit;
      total.closing += closing;
    }
    progress.Step();
    if (allLevels_ && source.HasSubAccounts(a.code)) AddRows(a.code, level + 1, rows, total, progress);
  }
}

void CHobdzb6::Build() {
  Plat().BeginWaitCursor();
  std::vector<std::vector<std::string>> rows;
  Sums total;
  {
    ReportProgress progress(Source().ExpectedRows(start_, allLevels_));
    AddRows(start_, 0, rows, total, progress);
  }
  rows.push_back({"", "   合    计  ", DirectionOf(total.opening, kTurnoverZero),
                  AmountCell(total.opening, kTurnoverZero), TotalTurnover(total.debit), TotalTurnover(total.credit),
                  DirectionOf(total.closing, kTurnoverZero), AmountCell(total.closing, kTurnoverZero)});
  SetRows(std::move(rows));
  Plat().EndWaitCursor();
}

std::string CHobdzb6::HeadText(int line, int item) {
  if (line == 0 && item == 0) return rangeText_;
  if (line == 1 && item == 0) return Format("单位：%s", DataEnv() ? DataEnv()->unitName.c_str() : "");
  return "";
}

void CHobdzb6::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, " 帐户余额及发生额表 ", "MID", "TOPIC");
  DrawCaptions(dc, kCaptions, {2, 6});
}

std::string CHobdzb6::WindowSubject() {
  if (startDate_.empty()) return "";
  std::string span = DateWords(startDate_) + "至" + DateWords(endDate_);
  return StartCode().empty() ? span : StartCode() + " " + span;
}

std::vector<std::string> CHobdzb6::ReportHead() {
  return {" 帐户余额及发生额表 ", HeadText(0, 0), HeadText(1, 0)};
}

std::vector<std::string> CHobdzb6::ColumnCaptions() {
  return kCaptions;
}

// The balances and turnovers are amounts; the codes, names and directions text.
ReportColumnKind CHobdzb6::ColumnKind(int col) {
  return col == 3 || col == 4 || col == 5 || col == 7 ? ReportColumnKind::kAmount : ReportColumnKind::kText;
}
