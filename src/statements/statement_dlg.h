#pragma once
// The dialog of 财务报表: which statement of the account set, for which month, and whether a statement of
// two halves is laid out side by side or one half below the other (for a narrow page).
#include <string>
#include <vector>

class CVyDataEnv;

// The month a statement's dialogs start at: today's inside the open year, else the year's last ("1".."12").
std::string PresetMonthText(CVyDataEnv& env);

class CStatementDlg {
 public:
  explicit CStatementDlg(CVyDataEnv& env);

  static std::string Caption() { return "财务报表"; }
  // Lists the statements (a file without any gets the shipped ones) and presets the month: the month of
  // today inside the open year, else its last. False when there is no statement to show (message shown).
  bool OnInitDialog();
  // Checks the choice; a refusal shows its message and names the field in focus ("name" or "month").
  bool OnOK();

  std::vector<std::string> names;
  std::string name;
  std::string monthText;
  bool narrow = false;

  std::string focus;
  int month = 0;  // after OnOK

 private:
  CVyDataEnv& env_;
};
