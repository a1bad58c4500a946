#pragma once
// The exchange-rate dialog: the currencies on the left, the rates of the selected one on the right, with
// adding (&A.设置汇率), modifying (Enter, double click) and deleting (Delete) a rate.
#include <string>
#include <vector>

#include "accounts/rate_dlg.h"
#include "data/data_env.h"

class CRateListDlg {
 public:
  struct Rate {
    std::string date, foreign, base;
  };

  explicit CRateListDlg(CVyDataEnv& env);

  static std::string Caption() { return "外币汇率设置"; }
  static std::vector<std::string> ColumnCaptions() {
    return {"币种代码及名称", "设置时间", "外 币 数", "本位币数"};
  }
  static std::string CurrencyHint() { return "选择：↑，↓。"; }
  static std::string RateHint() { return "修改：Enter，双击。\r删除：Delete。"; }
  static std::string AddButtonText() { return "&A.设置汇率"; }

  // Fills both lists on the first currency. False when there is no currency (the message was shown) or the
  // file could not be read: the dialog does not open.
  bool OnInitDialog();
  void OnCurrencySelected(int index);
  void OnRateSelected(int index);
  // &A.设置汇率: a new rate of the selected currency.
  void OnAdd();
  // Enter or a double click on a rate.
  void OnModify();
  // The Delete key in the rate list.
  void OnDeleteKey();

  std::string SelectedCurrency() const;

  // Fields of the dialog.
  std::vector<std::string> currencyLines;  // "%4s  %s": code, name
  std::vector<std::string> currencyCodes;
  int selectedCurrency = -1;
  std::vector<std::string> rateLines;  // "%-10s%10s%10s": date, foreign amount, base amount
  std::vector<Rate> rates;
  int selectedRate = -1;

 private:
  void FillRates();
  void AfterChange(const std::string& date);

  CVyDataEnv& env_;
};
