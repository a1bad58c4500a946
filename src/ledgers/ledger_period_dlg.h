#pragma once
// The period-and-type dialog of the three-column ledger ("输入查询时条件"): start and end month of the open
// year and whether the ledger lists reviewed postings (本帐已达) or this book's unreached items (本帐未达).
// Its checks run on 确认; a refusal names the field that gets the focus and the dialog stays open.
#include <string>

#include "data/data_env.h"

class CLedgerPeriodDlg {
 public:
  // start, end: 'YYYYMM' texts of the ledger (their months preset the fields).
  CLedgerPeriodDlg(CVyDataEnv& env, std::string code, const std::string& start, const std::string& end,
                  bool reached);

  std::string yearText;  // shown only
  std::string startMonth, endMonth;
  bool reached = true;

  // Checks the months and that the account has rows of the chosen type in them; then the results are set.
  bool Confirm();
  std::string focus;  // "start" or "end" after a refusal
  // Results of a confirmation.
  std::string start, end, periodText;

 private:
  CVyDataEnv& env_;
  std::string code_;
};

// Month text of a dialog field: 1..12, or 0 when it is not a whole number in that range.
int DialogMonth(const std::string& text);
// The month checks the ledger dialogs share: start 1..12, end 1..12 and not before the start; a refusal
// shows its message and names the field ("start" or "end") in focus.
bool CheckMonths(const std::string& startText, const std::string& endText, int& start, int& end,
                 std::string& focus);
