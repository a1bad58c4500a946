#pragma once
// The dialog of 结转损益: a month, the postings closing it would make (worked out again whenever the month
// changes), and 记帐, which posts them after a question. What stands in the way (no template naming the
// accounts to close, a profit account with sub-accounts) is shown in place of the postings, and so is a
// month with nothing left to close.
#include <string>
#include <vector>

#include "statements/pl_closing.h"

class CVyDataEnv;

class CClosingDlg {
 public:
  explicit CClosingDlg(CVyDataEnv& env);

  static std::string Caption() { return "结转损益"; }
  static const char* const kNothingToClose;
  // Presets the month as the statements' dialog does and plans it.
  void OnInitDialog();
  // Plans the month of monthText into lines and note. False when it is no month (note says so, focus
  // "month") or the books could not be read (the database's message shown).
  bool OnPlan();
  // 记帐: plans the month again (the books may have changed since), asks, and posts in one transaction. True
  // when posted (and said so); otherwise the refusal, the empty plan or the database's message was shown, or
  // the question was answered 否. After posting the month is planned again, so the list shows what is left.
  bool OnOk();
  bool CanPost() const { return plan.refusal.empty() && !plan.postings.empty(); }

  std::string monthText;
  std::vector<std::string> lines;  // the plan's postings, PlanLines
  std::string note;                // under the lines: the date and profit account, or why nothing is posted
  std::string focus;
  ClosingPlan plan;
  size_t posted = 0;  // rows made by the last 记帐

 private:
  CVyDataEnv& env_;
};
