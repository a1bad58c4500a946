#pragma once
// The dialog "外币币种增加、修改、删除": the year's currencies, one line each, with adding, modifying
// (Enter, double click) and deleting (Delete). A currency that a foreign-currency account uses is never
// deleted; one with rates is deleted together with them, after a question, in one transaction.
#include <string>
#include <vector>

#include "accounts/currency_dlg.h"
#include "data/data_env.h"

class CCurrencyListDlg {
 public:
  struct Currency {
    std::string code, name, gainAccount;
  };

  explicit CCurrencyListDlg(CVyDataEnv& env);

  static std::string Caption() { return "外币币种增加、修改、删除"; }
  static std::string ListCaption() { return "币种目录资料："; }
  static std::vector<std::string> ColumnCaptions() { return {"币种代码", "币种名称", "汇兑损益科目"}; }
  static std::string Hint() { return "修改：Enter，双击。\r删除：Delete。"; }
  static std::string AddButtonText() { return "&A.增加"; }

  // Fills the list; an empty directory is told how to begin. False when the file could not be read.
  bool OnInitDialog();
  void OnSelect(int index);
  // &A.增加: the currency dialog again after every currency added, until it is cancelled.
  void OnAdd();
  // Enter or a double click: the selected currency in the currency dialog.
  void OnModify();
  // The Delete key.
  void OnDeleteKey();

  // Fields of the dialog.
  std::vector<std::string> lines;  // "%-8s%-16s%s": code, name, exchange-gain account
  std::vector<Currency> currencies;
  int selected = -1;

 private:
  void Fill();
  int IndexOfCode(const std::string& code) const;

  CVyDataEnv& env_;
};
