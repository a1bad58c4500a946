#include "accounts/opening_browser_dlg.h"

#include <cmath>

#include "accounts/account_code.h"
#include "accounts/chart_queries.h"
#include "accounts/opening_balance.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

namespace {

// Two decimals; a sum that is zero but for rounding shows as 0.00, never -0.00.
std::string TwoDecimals(double value) {
  return money::CentsText(money::ToCents(value));
}

}  // namespace

COpeningBrowserDlg::COpeningBrowserDlg(CVyDataEnv& env) : env_(env) {}

bool COpeningBrowserDlg::OnInitDialog() {
  if (env_.QueryLong("SELECT count(*) FROM subt where clas=1") == 0) {
    ShowMessage("警  告：\r\r  本年度尚未建立科目，\r\r  无需录入或调整期初余额。");
    return false;
  }
  List("");
  return true;
}

bool COpeningBrowserDlg::OpenLevel(const std::string& parent) {
  if (!parent.empty() && CountDirectChildren(env_, parent) <= 0) return false;
  List(parent);
  return true;
}

void COpeningBrowserDlg::List(const std::string& parent) {
  parent_ = parent;
  lines_.clear();
  debitTotal = creditTotal = 0;
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
  if (parent.empty()) {
    rs.Open("SELECT trim(kno),trim(na) FROM subt WHERE clas=1 ORDER BY VAL(kno)");
  } else {
    rs.Open(
        Format("SELECT trim(kno),trim(na) FROM subt WHERE kno \t\t\t\tLIKE '%s-*' and clas-%d=0 ORDER BY "
               "VAL(MID$(kno,%d))",
               SqlText(parent).c_str(), CodeLevel(parent) + 1, static_cast<int>(parent.size()) + 2));
  }
  for (; !rs.IsEOF(); rs.MoveNext()) {
    Line l;
    l.code = rs.GetText(0);
    l.name = rs.GetText(1);
    lines_.push_back(std::move(l));
  }
  rs.Close();
  for (Line& l : lines_) {
    l.balance = OpeningBalance(env_, l.code);
    l.side = BalanceSide(l.balance);
    l.amount = TwoDecimals(std::fabs(l.balance));
    if (l.balance > 0)
      debitTotal += l.balance;
    else
      creditTotal -= l.balance;
  }
  selected = lines_.empty() ? -1 : 0;
}

std::string COpeningBrowserDlg::SelectedCode() const {
  if (selected < 0 || selected >= static_cast<int>(lines_.size())) return "";
  return lines_[static_cast<size_t>(selected)].code;
}

void COpeningBrowserDlg::Select(const std::string& code) {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].code == code) selected = static_cast<int>(i);
}

COpeningBrowserDlg::EnterResult COpeningBrowserDlg::OnEnter() {
  const std::string code = SelectedCode();
  if (code.empty()) return EnterResult::Nothing;
  if (CountDirectChildren(env_, code) > 0) {
    List(code);
    return EnterResult::Descended;
  }
  return EnterResult::Edit;
}

bool COpeningBrowserDlg::OnEscape() {
  if (parent_.empty()) return false;
  const std::string left = parent_;
  List(ParentCode(left));
  Select(left);
  return true;
}

void COpeningBrowserDlg::OnClose() {
  List("");
  const money::Cents debit = money::ToCents(debitTotal), credit = money::ToCents(creditTotal);
  if (debit == credit) return;
  ShowMessage("年初余额借贷不平衡：借 " + DebitText() + "，贷 " + CreditText() + "，差额 " +
                  money::CentsText(debit > credit ? debit - credit : credit - debit) +
                  "。\n\n录入的余额都已保存；请补录或改正，使借贷相等。",
              MsgIcon::Information);
}

void COpeningBrowserDlg::Refresh() {
  const int keep = selected;
  List(parent_);
  if (keep >= 0 && keep < static_cast<int>(lines_.size())) selected = keep;
}

std::string COpeningBrowserDlg::DebitText() const {
  return TwoDecimals(debitTotal);
}

std::string COpeningBrowserDlg::CreditText() const {
  return TwoDecimals(creditTotal);
}

std::string COpeningBrowserDlg::DifferenceText() const {
  return TwoDecimals(debitTotal - creditTotal);
}
