#include "reports/turnover_table.h"

#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "reports/report_progress.h"

namespace {
const std::vector<std::string> kCaptions = {"科 目 代 码", "科   目   名   称", "借或贷", "期 初 余 额",
                                            "借方发生额",  "贷方发生额",        "借或贷", "期 末 余 额"};

// A turnover cell of an account row: the amount with two decimals, a negative one (a reversal, interest
// posted on the other side) included.
std::string Turnover(money::Cents value) {
  return FormatAmount(money::FromCents(value), 0, 2, 2);
}
// The total row's debit and credit: blank unless above zero.
std::string TotalTurnover(money::Cents value) {
  return value <= 0 ? std::string() : Turnover(value);
}
// The closing balance is the exact sum of the figures, rounded once, as the balance table rounds it.
money::Cents ClosingCents(const TurnoverFigures& f) {
  using money::ToMicros;
  return money::ToCents(money::FromMicros(ToMicros(f.opening) + ToMicros(f.debit) - ToMicros(f.credit)));
}
}  // namespace

CHobdzb6::CHobdzb6() : CBalanceLevelView(" 帐户余额及发生额表 ", kCaptions) {
  nFlag = 9;
  headText_ = "×× 年 × 月 × 日 至 ×× 年 × 月 × 日";
}

void CHobdzb6::SetupForm() {
  CBalanceLevelView::SetupForm();
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
  headText_ = dlg.rangeText;
  nonzero_ = dlg.nonzero;
}

bool CHobdzb6::AskAgain() {
  if (!DataEnv()) return false;
  CTurnoverRangeDlg dlg(*DataEnv());
  dlg.OnInitDialog(start_, allLevels_, startDate_, endDate_);
  dlg.nonzero = nonzero_;
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
    const TurnoverFigures f = source.Turnover(a.code, startPeriod_, endDate_, endPeriod_);
    // The row's figures as it shows them, which the total adds up.
    const Sums row{money::ToCents(f.opening), money::ToCents(f.debit), money::ToCents(f.credit), 0};
    const money::Cents closing = ClosingCents(f);
    // Sub-accounts may cancel out in their parent's balance: with every level listed a parent stays, and its
    // sub-accounts are judged one by one.
    if (nonzero_ && row.opening == 0 && row.debit == 0 && row.credit == 0 && closing == 0 &&
        !(allLevels_ && source.HasSubAccounts(a.code))) {
      progress.Step();
      continue;
    }
    rows.push_back({a.code, a.name, DirectionOf(row.opening), AmountCell(row.opening), Turnover(row.debit),
                    Turnover(row.credit), DirectionOf(closing), AmountCell(closing)});
    if (level == 0) {
      total.opening += row.opening;
      total.debit += row.debit;
      total.credit += row.credit;
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
  rows.push_back({"", "   合    计  ", DirectionOf(total.opening), AmountCell(total.opening),
                  TotalTurnover(total.debit), TotalTurnover(total.credit), DirectionOf(total.closing),
                  AmountCell(total.closing)});
  SetRows(std::move(rows));
  Plat().EndWaitCursor();
}

std::string CHobdzb6::WindowSubject() {
  if (startDate_.empty()) return "";
  std::string span = DateWords(startDate_) + "至" + DateWords(endDate_);
  return StartCode().empty() ? span : StartCode() + " " + span;
}
