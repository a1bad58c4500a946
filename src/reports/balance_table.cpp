#include "reports/balance_table.h"

#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "reports/report_progress.h"

namespace {
const std::vector<std::string> kCaptions = {"科 目 代 码", "科  目  名  称", "借或贷", "余    额"};
}  // namespace

CHobdzb5::CHobdzb5() : CBalanceLevelView(" 帐户余额表 ", kCaptions) {
  nFlag = 8;
  headText_ = "截止时间：×× 年 × 月 × 日";
}

void CHobdzb5::SetupForm() {
  CBalanceLevelView::SetupForm();
  rulesThrough_ = 1;
  SetSections(10, 3, 0, 2, 1);
  SetColumns({16, 40, 4, 16});
  SetItems("HEAD", 0, {{400, 40}});
  SetItems("HEAD", 1, {{10, 50}, {890, 12}});
  SetItems("FOOT", 0, {{10, 20}, {430, 20}, {760, 24}});
}

void CHobdzb5::SetParameters(const CBalanceDateDlg& dlg) {
  start_ = dlg.code;
  closingDate_ = dlg.closingDate;
  period_ = dlg.period;
  headText_ = dlg.headText;
  nonzero_ = dlg.nonzero;
}

bool CHobdzb5::AskAgain() {
  if (!DataEnv()) return false;
  CBalanceDateDlg dlg(*DataEnv());
  dlg.OnInitDialog(start_, closingDate_);
  dlg.nonzero = nonzero_;
  if (!AskDialog(dlg)) return false;
  SetParameters(dlg);
  return true;
}

void CHobdzb5::Build() {
  Plat().BeginWaitCursor();
  std::vector<ListedAccount> accounts = Source().Accounts(start_);
  BalanceSource& source = Source(accounts.size());
  std::vector<std::vector<std::string>> rows;
  rows.reserve(accounts.size() + 1);
  money::Cents total = 0;
  {
    ReportProgress progress(static_cast<long>(accounts.size()));
    for (const ListedAccount& a : accounts) {
      // The row carries the balance as its statement wrote it, with two decimals.
      const money::Cents balance = money::ToCents(source.Balance(a.code, closingDate_, period_));
      progress.Step();
      if (nonzero_ && balance == 0) {
        const TurnoverFigures f = source.Turnover(a.code, 1, closingDate_, period_);
        if (money::ToCents(f.opening) == 0 && money::ToCents(f.debit) == 0 && money::ToCents(f.credit) == 0) continue;
      }
      total += balance;
      rows.push_back({a.code, a.name, DirectionOf(balance), AmountCell(balance)});
    }
  }
  rows.push_back(
      {"", "         合      计", DirectionOf(total), AmountCell(total)});
  SetRows(std::move(rows));
  Plat().EndWaitCursor();
}

std::string CHobdzb5::WindowSubject() {
  if (closingDate_.empty()) return "";
  std::string date = DateWords(closingDate_);
  return StartCode().empty() ? date : StartCode() + " " + date;
}
