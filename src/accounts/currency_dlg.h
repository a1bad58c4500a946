#pragma once
// The dialog "请增加、修改、外币币种": a currency's code, name and exchange-gain account (汇兑损益科目).
// A code changed in modifying carries the currency's rates and its foreign-currency accounts along, in one
// transaction with the currency itself.
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"

class CCurrencyDlg {
 public:
  enum class Mode { Add, Modify };
  enum class Focus { Code, Name, GainAccount };

  // For Modify, the currency as listed.
  CCurrencyDlg(CVyDataEnv& env, Mode mode, std::string code = "", std::string name = "",
               std::string gainAccount = "");

  static std::string Caption() { return "请增加、修改、外币币种"; }
  static FieldMask CodeMask() { return {"NUMBER 0123456789", 4}; }
  // The code takes digits only, and the field drops anything else; this says why, once a letter (USD) or
  // another non-digit was typed. "" for a refusal that is no such character (a fifth digit).
  static std::string CodeRefusalText(const std::string& typed);
  static FieldMask NameMask() { return {"STRING NOT |[]'\"", 10}; }
  // Codes of at most six levels; the field itself holds at most 14 characters.
  static FieldMask GainAccountMask() { return {"CLASSNOSTRING", 5}; }

  // &S.确认 is enabled only while every field is filled.
  bool OkEnabled() const { return !code.empty() && !name.empty() && !gainAccount.empty(); }
  // 浏览...: the exchange-gain account chosen in the account query dialog.
  void OnBrowseAccount();
  // &S.确认: true when the currency was written and the dialog closes.
  bool OnOk();

  Mode mode() const { return mode_; }
  const std::string& OldCode() const { return oldCode_; }

  // Fields of the dialog; code holds the stored form ("007" becomes "7") once it was accepted.
  std::string code, name, gainAccount;
  Focus focus = Focus::Code;

 private:
  void Write();

  CVyDataEnv& env_;
  Mode mode_;
  std::string oldCode_;
};
