#pragma once
// CQirnzb2: the multi-column ledger (多栏式帐页) of one account, analysed by its direct sub-accounts: one
// amount column per sub-account under "借方" or "贷方", then the direction and the balance of the account.
// It opens in summary (one month line per period) and can list the postings of the sub-accounts.
#include <string>
#include <vector>

#include "ledgers/catalogue_ledger_view.h"
#include "ledgers/multi_column_rows.h"

class CQirnzb2 : public CCatalogueLedgerView {
 public:
  CQirnzb2();

  int debitColumns = 2, creditColumns = 2;
  std::string fullName;
  const std::vector<AnalysisColumn>& Columns() const { return columns_; }

  // The content test of opening ("本科目无经济内容!") or of a change of account ("本帐户无经济内容!").
  static bool HasContent(CVyDataEnv& env, const std::string& code, int endPeriod, const char* message);

  void Build() override;
  // Ctrl+O: the catalogue dialog preset with the window's account and months.
  bool ChangeAccount() override;
  void SetDetail(bool on);

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  bool OnCommand(int command) override;
  bool IsCommandEnabled(int command) override;
  std::vector<std::string> ColumnCaptions() override;
  ReportColumnKind ColumnKind(int col) override;

 protected:
  std::string Topic() const override { return " 多栏式帐页 "; }
  std::vector<int> SumColumns() const override;
  LedgerLine CarryLine(const LedgerLine& previous, const std::vector<double>& sums,
                       const std::string& text) override;

 private:
  std::vector<AnalysisColumn> columns_;
};
