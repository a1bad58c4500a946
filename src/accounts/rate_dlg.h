#pragma once
// The dialog "请设置、修改外币汇率": one rate of a currency, MY1 units of it worth MY2 units of the base
// currency on a day of the open year. A currency has at most one rate a day.
#include <string>

#include "base/input_mask.h"
#include "base/platform.h"
#include "data/data_env.h"

class CRateDlg {
 public:
  enum class Mode { Add, Modify };
  enum class Focus { Year, Month, Day, Foreign, Base };

  // For Modify, date is the rate's 'YYYYMMDD' and the amounts its texts as listed.
  CRateDlg(CVyDataEnv& env, Mode mode, std::string currency, const std::string& date = "",
           std::string foreign = "", std::string base = "");

  static std::string Caption() { return "请设置、修改外币汇率"; }
  static FieldMask YearMask() { return {"NUMBER 1990 9999", 4}; }
  static FieldMask MonthMask() { return {"NUMBER 1 12", 2}; }
  static FieldMask DayMask() { return {"NUMBER 1 31", 2}; }
  static FieldMask AmountMask() { return {"NUMBER", 10, 6}; }

  // &S.确认: true when the rate was written and the dialog closes.
  bool OnOk();

  Mode mode() const { return mode_; }
  const std::string& Currency() const { return currency_; }
  // The rate's date as written, once accepted.
  const std::string& Date() const { return date_; }

  // Fields of the dialog.
  std::string year, month, day, foreign, base;
  Focus focus = Focus::Year;

 private:
  CVyDataEnv& env_;
  Mode mode_;
  std::string currency_, oldDate_, date_;
};
