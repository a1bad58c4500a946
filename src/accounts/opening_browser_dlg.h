#pragma once
// The dialog "科目期初余额调整": the chart walked one level at a time, each account with its opening balance
// (summed over its sub-tree), and the level's debit and credit totals. Enter on an account with
// sub-accounts lists them; on a lowest-level account it edits the account's opening balance
// (COpeningEditDlg). Esc goes back up and selects the account just left; at the top it closes.
#include <string>
#include <vector>

#include "data/data_env.h"

class COpeningBrowserDlg {
 public:
  struct Line {
    std::string code, name;
    double balance = 0;  // debit positive
    std::string side;    // "借", "贷" or "平"
    std::string amount;  // |balance| with two decimals
  };
  enum class EnterResult { Nothing, Descended, Edit };

  explicit COpeningBrowserDlg(CVyDataEnv& env);

  static std::string Caption() { return "科目期初余额调整"; }
  static std::vector<std::string> ColumnCaptions() {
    return {" 科目代码", "    科  目  名  称", "借或贷", "金 额 余 额"};
  }

  // Lists the top level with its first line selected; false (after its warning) when the year has no
  // accounts, and the dialog closes.
  bool OnInitDialog();
  // Lists the level below parent ("" the top level) and selects its first line; false when parent is not
  // an account with sub-accounts (nothing changes then).
  bool OpenLevel(const std::string& parent);
  // Enter on the selected line.
  EnterResult OnEnter();
  // Esc: true when the dialog stays open (it went up a level), false at the top level.
  bool OnEscape();
  // Lists the current level again (after a save), keeping the selection.
  void Refresh();
  // The dialog closes: when the level-1 accounts' openings do not balance, a note says by how much (the
  // balances are kept; nothing is refused). Lists the top level.
  void OnClose();

  const std::string& Parent() const { return parent_; }
  const std::vector<Line>& Lines() const { return lines_; }
  // The selected line's code; "" without a selection.
  std::string SelectedCode() const;
  int selected = -1;

  // The level's totals as shown: debit, credit, and debit − credit, each with two decimals.
  double debitTotal = 0, creditTotal = 0;
  std::string DebitText() const;
  std::string CreditText() const;
  std::string DifferenceText() const;

 private:
  void List(const std::string& parent);
  void Select(const std::string& code);
  CVyDataEnv& env_;
  std::string parent_;
  std::vector<Line> lines_;
};
