#pragma once
// 试算平衡表: every level-1 account's opening balance, debit and credit turnover and closing balance of one
// accounting period, each balance on its side, the totals, and whether debits and credits agree ("平") or by
// how much they differ. Postings are one-sided rows, so this is where a bookkeeper without the
// administrator's 数据检查 sees that a counter posting is missing. The figures are BookTally's, which
// 数据检查 and the status bar read too.
#include <string>
#include <vector>

#include "base/input_mask.h"
#include "entry/book_balance.h"
#include "formview/text_rows_view.h"

class CVyDataEnv;

// The window's dialog: the period (month) of the open year.
class CTrialMonthDlg {
 public:
  explicit CTrialMonthDlg(CVyDataEnv& env) : env_(env) {}
  static FieldMask MonthMask() { return {"NUMBER 0", 2}; }
  // Preset: today's period when today lies in the year, else the last.
  void OnInitDialog();
  // 确认: false with the message shown when the month is not 1 to 12.
  bool OnOK();

  std::string yearText, monthText;
  int month = 0;  // the result

 private:
  CVyDataEnv& env_;
};

// One line of the table, in cents; the balances by side.
struct TrialLine {
  std::string code, name;
  SideSums opening, turnover, closing;
};

struct TrialSheet {
  std::vector<TrialLine> lines;  // the level-1 accounts that have a figure or are in the chart
  TrialLine total;
  // Every pair of the totals agrees.
  bool Balanced() const {
    return total.opening.Balanced() && total.turnover.Balanced() && total.closing.Balanced();
  }
};

// The trial balance of one period of the open year.
TrialSheet BuildTrialSheet(CVyDataEnv& env, int period);

class CTrialBalanceView : public CTextRowsView {
 public:
  static constexpr int kFormFlag = 25;  // a form of its own

  CTrialBalanceView();
  void SetParameters(const CTrialMonthDlg& dlg) { month_ = dlg.month; }
  void Build();
  const TrialSheet& Sheet() const { return sheet_; }
  // The last line's words: "平" or "借贷不平 差额 …" for each pair of totals.
  std::string Verdict() const;

  ReportColumnKind ColumnKind(int col) override;
  std::string WindowSubject() override;

  void SetupForm() override;

 protected:
  std::string HeadText(int line, int item) const override;
  const char* ColumnAlign(int col) const override { return col < 2 ? "LEFT" : "RIGHT"; }

 private:
  int month_ = 0;
  TrialSheet sheet_;
};
