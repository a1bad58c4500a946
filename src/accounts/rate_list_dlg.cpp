#include "accounts/rate_list_dlg.h"

#include <algorithm>

#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/count_first.h"
#include "data/db_guard.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

CRateListDlg::CRateListDlg(CVyDataEnv& env) : env_(env) {}

bool CRateListDlg::OnInitDialog() {
  const char* sql = "SELECT TRIM(WNO),trim(na) FROM WBT ORDER BY val(WNO)";
  bool empty = false;
  bool ok = RunCatchingDbErrors([&] {
    currencyLines.clear();
    currencyCodes.clear();
    if (CountFirst(env_, sql) == 0) {
      empty = true;
      return;
    }
    CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
    rs.Open(sql);
    for (; !rs.IsEOF(); rs.MoveNext()) {
      currencyCodes.push_back(rs.GetText(0));
      currencyLines.push_back(Format("%4s  %s", rs.GetText(0).c_str(), rs.GetText(1).c_str()));
    }
    selectedCurrency = 0;
    FillRates();
  });
  if (empty) ShowMessage("本年度尚未设置外币目录，不能设置汇率！", MsgIcon::Stop);
  return ok && !empty;
}

std::string CRateListDlg::SelectedCurrency() const {
  if (selectedCurrency < 0 || selectedCurrency >= static_cast<int>(currencyCodes.size())) return {};
  return currencyCodes[static_cast<size_t>(selectedCurrency)];
}

void CRateListDlg::FillRates() {
  rateLines.clear();
  rates.clear();
  selectedRate = -1;
  if (selectedCurrency < 0) return;
  std::string sql =
      Format("select trim(t),trim(cstr(my1)),trim(cstr(my2)) from wbr where wno='%s' order by t",
             SqlText(SelectedCurrency()).c_str());
  if (CountFirst(env_, sql) == 0) return;
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001", "Expr1002"});
  rs.Open(sql);
  for (; !rs.IsEOF(); rs.MoveNext()) {
    Rate r{rs.GetText(0), rs.GetText(1), rs.GetText(2)};
    rateLines.push_back(Format("%-10s%10s%10s", r.date.c_str(), r.foreign.c_str(), r.base.c_str()));
    rates.push_back(std::move(r));
  }
  selectedRate = 0;
}

void CRateListDlg::OnCurrencySelected(int index) {
  if (index < 0 || index >= static_cast<int>(currencyCodes.size()) || index == selectedCurrency) return;
  int before = selectedCurrency;
  if (!RunCatchingDbErrors([&] {
        selectedCurrency = index;
        FillRates();
      }))
    selectedCurrency = before;
}

void CRateListDlg::OnRateSelected(int index) {
  if (index >= 0 && index < static_cast<int>(rates.size())) selectedRate = index;
}

void CRateListDlg::AfterChange(const std::string& date) {
  RunCatchingDbErrors([&] {
    FillRates();
    for (int i = 0; i < static_cast<int>(rates.size()); ++i)
      if (rates[static_cast<size_t>(i)].date == date) selectedRate = i;
  });
}

void CRateListDlg::OnAdd() {
  if (SelectedCurrency().empty()) return;
  CRateDlg dialog(env_, CRateDlg::Mode::Add, SelectedCurrency());
  if (AskDialog(dialog)) AfterChange(dialog.Date());
}

void CRateListDlg::OnModify() {
  if (rates.empty()) {
    ShowMessage("无可修改内容，请先设置！", MsgIcon::Stop);
    return;
  }
  if (selectedRate < 0) return;
  const Rate& r = rates[static_cast<size_t>(selectedRate)];
  CRateDlg dialog(env_, CRateDlg::Mode::Modify, SelectedCurrency(), r.date, r.foreign, r.base);
  if (AskDialog(dialog)) AfterChange(dialog.Date());
}

void CRateListDlg::OnDeleteKey() {
  if (selectedRate < 0 || selectedRate >= static_cast<int>(rates.size())) {
    ShowMessage("对不起，没有选择删除对象!", MsgIcon::Stop);
    return;
  }
  int index = selectedRate;
  const std::string date = rates[static_cast<size_t>(index)].date;
  bool ok = env_.RunInTransaction([&] {
    env_.Execute(Format("delete from wbr where wno='%s' and t='%s'", SqlText(SelectedCurrency()).c_str(),
                        SqlText(date).c_str()));
  });
  if (!ok) return;
  RunCatchingDbErrors([&] {
    FillRates();
    if (!rates.empty()) selectedRate = std::min(index, static_cast<int>(rates.size()) - 1);
  });
}
