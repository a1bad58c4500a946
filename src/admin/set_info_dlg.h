#pragma once
// The dialog "修改帐套信息": the unit name, the chief accountant, the year's start and end dates and the
// month-closing day of the open year file.
#include <string>
#include <vector>

#include "data/data_env.h"
#include "base/input_mask.h"

class CAccountInfoDlg {
 public:
  enum class Focus { None, UnitName, Chief, StartDate, EndDate, ClosingDay };

  explicit CAccountInfoDlg(CVyDataEnv& env);

  static std::string Caption() { return "修改帐套信息"; }
  static FieldMask UnitNameMask() { return {"STRING NOT |[]'\"", 40}; }
  static FieldMask ChiefMask() { return {"STRING NOT |[]'\"", 8}; }

  // Fills the fields and lists; false when the file could not be read (the message was shown).
  bool OnInitDialog();
  // 确认: true when the dialog closes.
  bool OnOk();

  // Fields of the dialog.
  std::string fileText, yearText, closedMonthText;  // display only
  std::string unitName, chief;
  std::vector<std::string> startDates, endDates, closingDays;
  int selectedStart = -1, selectedEnd = -1, selectedClosing = -1;
  bool closingEnabled = true;
  Focus focus = Focus::None;

 private:
  // The checks and the writing of 确认; a database error escapes to OnOk.
  bool Save();
  CVyDataEnv& env_;
};
