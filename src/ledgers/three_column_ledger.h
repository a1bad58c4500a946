#pragma once
// CQirnzb1: the three-column ledger (三栏式帐页) of one account over a range of periods: the opening line,
// the postings of the account and all its sub-accounts (or one line per period), month and year totals,
// the running balance with its direction. Printed in detail it carries the page's sums over page breaks.
#include <string>
#include <vector>

#include "ledgers/ledger_view.h"

class CQirnzb1 : public CLedgerView {
 public:
  CQirnzb1();

  bool reached = true;
  int outputMode = 0;  // 0 automatic, 1 detail, 2 summary; detail is the mode in use
  bool hasSubAccounts = false;

  // Whether an account has anything to show up to a period: "本科目(帐户)无经济内容!" when it has not.
  static bool HasContent(CVyDataEnv& env, const std::string& code, int endPeriod);
  // The account query dialog, preset, then the content test; the chosen code or "".
  static std::string ChooseAccount(CVyDataEnv& env, const std::string& preset, int endPeriod);

  // A new window's start: the account over the whole year, reviewed postings, then the build.
  void Open(const std::string& account);
  // Reads the rows again from the database.
  void Build();
  // Detail lines come the quick way unless the composed rows of the statements are asked for.
  void UseDocumentedStatements(bool on) { documented_ = on; }
  // Ctrl+O: another account through the query dialog.
  bool ChangeAccount() override;
  // 改变时间和类型: the period-and-type dialog; rebuilds when something changed.
  bool ChangePeriod();
  // An output mode; rebuilds only when the mode in use changes.
  void SetOutputMode(int mode);

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  bool OnCommand(int command) override;
  bool IsCommandEnabled(int command) override;
  std::vector<std::string> ColumnCaptions() override;
  ReportColumnKind ColumnKind(int col) override;

 protected:
  std::string Topic() const override { return " 三栏式帐页 "; }
  std::vector<int> SumColumns() const override { return {3, 4}; }
  LedgerLine CarryLine(const LedgerLine& previous, const std::vector<double>& sums,
                       const std::string& text) override;

 private:
  bool DetailFor(int mode) const;
  bool documented_ = false;
};
