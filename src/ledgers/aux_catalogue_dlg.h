#pragma once
// The auxiliary-accounting catalogue dialog ("%s年度辅助核算目录(…)"): the accounts kept with quantities
// (mode 0), in a foreign currency (mode 1) or with a multi-column ledger (mode 2), and the months to show.
// The multi-column, quantity-amount and multi-currency ledgers open through it.
#include <string>
#include <vector>

#include "data/data_env.h"

class CAuxCatalogueDlg {
 public:
  static constexpr int kQuantity = 0, kCurrency = 1, kMultiColumn = 2;

  // start, end: 'YYYYMM' texts or empty (then months 1 and 12).
  CAuxCatalogueDlg(CVyDataEnv& env, int mode, std::string preset, const std::string& start,
                  const std::string& end);

  // Fills the list; an empty one shows "没有相应的辅助核算目录。" and the dialog closes (false).
  bool Open();
  std::string Caption() const;
  // The list's column headers (the third is empty in mode 2).
  std::vector<std::string> Headers() const;

  int mode;
  std::vector<std::string> lines;
  int selected = -1;
  std::string startMonth, endMonth;  // the month fields

  // Selects the line of a code; false when the list has none.
  bool SelectCode(const std::string& code);
  // The checks of 确认; afterwards the results below are set.
  bool Confirm();
  std::string focus;  // "start" or "end" after a refusal
  std::string code, start, end, periodText;

 private:
  CVyDataEnv& env_;
  std::string preset_;
};

// Opens the dialog's list and asks; false when the list is empty, the dialog cancelled or nothing can ask.
bool AskAuxCatalogue(CAuxCatalogueDlg& dialog);
