#include "reports/trial_balance.h"

#include <set>

#include "accounts/period.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/data_env.h"
#include "reports/documented_balances.h"

namespace {

const char* const kCaptions[] = {"科目代码", "科  目  名  称", "期初借方", "期初贷方", "本期借方",
                                 "本期贷方", "期末借方",       "期末贷方"};

// An amount cell: blank for nothing, as in the balance tables; the total row writes 0.00.
std::string Amount(money::Cents cents, bool total) {
  if (cents == 0) return total ? "0.00" : "";
  return FormatAmount(money::FromCents(cents), 0, 2, 2);
}

std::vector<std::string> LineCells(const TrialLine& l, bool total) {
  return {l.code,
          l.name,
          Amount(l.opening.debit, total),
          Amount(l.opening.credit, total),
          Amount(l.turnover.debit, total),
          Amount(l.turnover.credit, total),
          Amount(l.closing.debit, total),
          Amount(l.closing.credit, total)};
}

// "平", or the side that is larger and by how much.
std::string PairVerdict(const SideSums& s) {
  if (s.Balanced()) return "平";
  money::Cents d = s.Difference();
  return (d > 0 ? "借多 " : "贷多 ") + Trim(FormatAmount(money::FromCents(d > 0 ? d : -d), 0, 2, 2));
}

}  // namespace

void CTrialMonthDlg::OnInitDialog() {
  yearText = Format("%d", env_.year);
  AccountingYear year = YearOf(env_);
  DateTime now = Plat().Now();
  std::string today = Format("%04d%02d%02d", now.year, now.month, now.day);
  int period = PeriodOfDate(year, today);
  monthText = Format("%d", period > 0 ? period : 12);
}

bool CTrialMonthDlg::OnOK() {
  std::string text = Trim(monthText);
  int m = text.empty() || text.find_first_not_of("0123456789") != std::string::npos ? 0 : std::atoi(text.c_str());
  if (m < 1 || m > 12) {
    ShowMessage("月份应为 1 至 12。", MsgIcon::Exclamation);
    return false;
  }
  month = m;
  return true;
}

TrialSheet BuildTrialSheet(CVyDataEnv& env, int period) {
  const BookTally tally = ReadBookTally(env);
  TrialSheet sheet;
  std::set<std::string> listed;
  auto add = [&](const std::string& code, const std::string& name) {
    const TrialFigures f = tally.Over(code, period, period);
    if (f.opening == 0 && f.debit == 0 && f.credit == 0 && f.closing == 0) return;
    TrialLine line{code, name, OnItsSide(f.opening), {f.debit, f.credit}, OnItsSide(f.closing)};
    sheet.total.opening += line.opening;
    sheet.total.turnover += line.turnover;
    sheet.total.closing += line.closing;
    sheet.lines.push_back(std::move(line));
  };
  for (const ListedAccount& a : DocumentedBalances(env).Accounts("")) {
    listed.insert(a.code);
    add(a.code, a.name);
  }
  // Rows on a code the chart lacks are money all the same: they are listed under their code.
  for (const std::string& code : tally.Codes())
    if (!listed.count(code)) add(code, "");
  sheet.total.name = "合    计";
  return sheet;
}

CTrialBalanceView::CTrialBalanceView() : CTextRowsView("试 算 平 衡 表", {std::begin(kCaptions), std::end(kCaptions)}) {
  nFlag = kFormFlag;
}

void CTrialBalanceView::SetupForm() {
  CVyReportView::SetupForm();
  SetSections(10, 2, 0, 2, 0);
  SetColumns({8, 16, 15, 15, 15, 15, 15, 15});
  SetItems("HEAD", 0, {{10, 40}, {600, 40}});
  SetItems("HEAD", 1, {{10, 80}});
}

std::string CTrialBalanceView::Verdict() const {
  if (sheet_.Balanced()) return "平";
  return "借贷不平：期初 " + PairVerdict(sheet_.total.opening) + "；本期 " + PairVerdict(sheet_.total.turnover) +
         "；期末 " + PairVerdict(sheet_.total.closing);
}

void CTrialBalanceView::Build() {
  sheet_ = BuildTrialSheet(*DataEnv(), month_);
  std::vector<std::vector<std::string>> rows;
  for (const TrialLine& l : sheet_.lines) rows.push_back(LineCells(l, false));
  rows.push_back(LineCells(sheet_.total, true));
  const TrialLine& t = sheet_.total;
  rows.push_back({"", "试算结果", "", PairVerdict(t.opening), "", PairVerdict(t.turnover), "",
                  PairVerdict(t.closing)});
  ShowRows(std::move(rows));
}

std::string CTrialBalanceView::HeadText(int line, int item) const {
  if (line == 0 && item == 0) return "单位：" + (DataEnv() ? DataEnv()->unitName : std::string());
  if (line == 0 && item == 1) return DataEnv() ? Format("%d 年 %d 月", DataEnv()->year, month_) : std::string();
  if (line == 1 && item == 0) return Verdict();
  return "";
}

std::string CTrialBalanceView::WindowSubject() {
  return DataEnv() && month_ ? Format("%d年%d月", DataEnv()->year, month_) : "";
}

ReportColumnKind CTrialBalanceView::ColumnKind(int col) {
  return col < 2 ? ReportColumnKind::kText : ReportColumnKind::kAmount;
}
