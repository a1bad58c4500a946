#pragma once
// The parameter dialog of 按日期录入 ("Tavrel软件(项目核算)"): the day whose postings the window shows.
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"

class CDateEntryDlg {
 public:
  enum class Focus { None, Year, Month, Day };

  explicit CDateEntryDlg(CVyDataEnv& env);

  static std::string Title() { return "Tavrel软件(项目核算)"; }
  static std::string Caption() { return "输入下列内容"; }
  static FieldMask YearMask() { return {"NUMBER 0", 4}; }
  static FieldMask DayMask() { return {"NUMBER 0", 2}; }

  // The open year with the clock's month and day, or a given date (打开 of a loaded window).
  void Prefill();
  void Prefill(int year, int month, int day);
  // False when the chart has no accounts yet (the message was shown): the dialog closes.
  bool OnInitDialog();
  // &S.确认: true when the date is accepted (year, month and day are then set).
  bool OnOk();

  // Why a date cannot take postings of this year: outside the year's dates, or a day its month lacks.
  // "" when it can.
  static std::string DateRefusal(CVyDataEnv& env, int year, int month, int day);

  std::string yearText, monthText, dayText;
  Focus focus = Focus::None;
  int year = 0, month = 0, day = 0;

 private:
  CVyDataEnv& env_;
};
