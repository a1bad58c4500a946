#pragma once
// The dialog of the balance-and-turnover table: a date range inside the accounting year, an optional
// account whose sub-accounts are listed, and whether only the level below it or every level is listed.
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"
#include "base/date_fields.h"

class CTurnoverRangeDlg {
 public:
  explicit CTurnoverRangeDlg(CVyDataEnv& env) : env_(env) {}

  static FieldMask CodeMask() { return {"CLASSNOSTRING", 14}; }
  // "%d 年 %d 月 %d 日" with as much of the end date as differs from the start.
  static std::string RangeText(const DateFields& from, const DateFields& to);

  // Preset: from the year's first day to the closing day of today's period (the year's last day when
  // today is outside the year); the window's current values when the dialog is opened again.
  void OnInitDialog();
  void OnInitDialog(const std::string& code, bool allLevels, const std::string& from, const std::string& to);
  void OnBrowse();
  // &S.确认: the checks in order; true when the dialog closes.
  bool OnOK();

  std::string yearText;
  DateFields from, to;
  std::string code;
  bool allLevels = false;  // 查询方式: 下一级 (false) or 所有下级 (true)
  bool nonzero = false;    // accounts whose four figures are all zero are left out
  std::string focus;       // "fromYear", "fromMonth", "fromDay", "toYear", "toMonth", "toDay" or "code"

  // The results.
  std::string startDate, endDate;
  int startPeriod = 0, endPeriod = 0;
  std::string rangeText;

 private:
  CVyDataEnv& env_;
};
