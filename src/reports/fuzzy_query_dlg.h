#pragma once
// The dialog of the fuzzy ledger query: reviewed postings of a range of months found by a text in the
// summary, an account with its descendants, an amount or an amount range, and the side. An account or an
// amount must be given.
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"

class CFuzzyQueryDlg {
 public:
  explicit CFuzzyQueryDlg(CVyDataEnv& env) : env_(env) {}

  enum Side { kDebit, kCredit, kAuto };
  static FieldMask SummaryMask() { return {"STRING NOT |[]'\"", 40}; }
  static FieldMask CodeMask() { return {"CLASSNOSTRING", 14}; }
  static FieldMask AmountMask() { return {"STRING 0123456789.-", 20}; }
  static FieldMask MonthMask() { return {"STRING 0123456789", 2}; }

  void OnInitDialog();
  // 确认 is enabled only while the account or one of the amounts is filled in.
  bool ConfirmEnabled() const { return !code.empty() || !amount1.empty() || !amount2.empty(); }
  // 浏览科目: the account query dialog, any account, preset with the field.
  void OnBrowse();
  // 确认: the checks in order, then counts the hits; true when the dialog closes.
  bool OnOK();

  std::string yearText;  // shown, not edited
  std::string summary, code, amount1, amount2;
  std::string startMonth = "1", endMonth = "12";
  Side side = kAuto;
  std::string focus;  // "summary", "code", "amount1", "amount2", "startMonth" or "endMonth"

  // The results.
  std::string countSql, hitSql, conditionText;
  long hits = 0;

 private:
  CVyDataEnv& env_;
};
