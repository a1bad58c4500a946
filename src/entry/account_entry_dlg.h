#pragma once
// The parameter dialog of 按帐户录入 ("Tavrel软件(项目)"): the year, the month and the lowest-level account
// whose postings of that month the window shows.
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"

class CAccountEntryDlg {
 public:
  enum class Focus { None, Year, Month, Code };

  explicit CAccountEntryDlg(CVyDataEnv& env);

  static std::string Title() { return "Tavrel软件(项目)"; }
  static std::string Caption() { return "输入下列内容"; }
  static FieldMask YearMask() { return {"NUMBER 0", 4}; }
  static FieldMask MonthMask() { return {"NUMBER 0", 2}; }
  // Up to six levels: five separators; the field takes at most 14 characters.
  static FieldMask CodeMask() { return {"CLASSNOSTRING", 5}; }
  static constexpr int kCodeLength = 14;

  // The open year and the clock's month, or the given parameters (打开 of a loaded window).
  void Prefill();
  void Prefill(int year, int month, const std::string& code);
  // False when the chart has no accounts yet (the message was shown): the dialog closes.
  bool OnInitDialog();
  // 浏览...: the account query dialog chooses a lowest-level account.
  void OnBrowse();
  bool OkEnabled() const { return !code.empty(); }
  // &S.确认: true when the parameters are accepted (year, month, code and fz are then set).
  bool OnOk();

  std::string yearText, monthText, code;
  bool yearEnabled = true;
  Focus focus = Focus::None;
  int year = 0, month = 0, fz = 0;

 private:
  CVyDataEnv& env_;
};
