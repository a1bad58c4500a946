#pragma once
// The dialog of the balance table: an optional account whose sub-accounts are listed, and the closing
// date, which must lie inside the accounting year.
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"
#include "base/date_fields.h"

class CBalanceDateDlg {
 public:
  explicit CBalanceDateDlg(CVyDataEnv& env) : env_(env) {}

  // Whether the year has accounts at all; otherwise "本年度尚未设置科目(帐户)！" and nothing opens.
  static bool HasAccounts(CVyDataEnv& env);
  static FieldMask CodeMask() { return {"CLASSNOSTRING", 14}; }

  // The date preset: the closing day of today's period when today lies in the year, else the year's end;
  // a non-empty date (the window's current one) instead when the dialog is opened again.
  void OnInitDialog(const std::string& code = "", const std::string& date = "");
  // 浏览...: the account query dialog, any account.
  void OnBrowse();
  // &S.确认: the checks in order; true when the dialog closes.
  bool OnOK();

  std::string yearText;  // 年度, display only
  std::string code;
  // 只列有余额或发生额的科目: accounts without a balance and without a posting up to the date are left out.
  bool nonzero = false;
  DateFields date;
  std::string focus;  // the field an error leaves the focus in: "code", "year", "month" or "day"

  // The results.
  std::string closingDate;
  int period = 0;
  std::string headText;  // "截止时间：%d 年 %d 月 %d 日"

 private:
  CVyDataEnv& env_;
};
