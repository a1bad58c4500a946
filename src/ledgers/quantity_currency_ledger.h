#pragma once
// CQirnzb3: the quantity-amount ledger (数量金额式帐页, kind 0) and the multi-currency ledger (复币式帐页,
// kind 1) of one lowest-level account: debit, credit and balance each as second value, price and amount,
// the price derived on every line, the balances added up line by line from the year's opening values.
#include <string>
#include <vector>

#include "ledgers/catalogue_ledger_view.h"

class CQirnzb3 : public CCatalogueLedgerView {
 public:
  explicit CQirnzb3(int kind = 0);

  int kind = 0;  // 0 quantity-amount, 1 multi-currency
  std::string unitName, fullName;

  // The tests of opening and of a change of account: no sub-accounts, something to show up to the end.
  static bool CanShow(CVyDataEnv& env, int kind, const std::string& code, int endPeriod);

  void Build() override;
  bool ChangeAccount() override;

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  std::vector<std::string> ColumnCaptions() override;
  ReportColumnKind ColumnKind(int col) override;

  // Price of an amount over a second value: only when both have one sign and the value is not zero.
  static double Price(double amount, double second);

 protected:
  std::string Topic() const override { return kind == 0 ? " 数量金额式帐页 " : " 复 币 式 帐 页 "; }
  std::string HeadItem(int line, int item, bool printing) override;
  std::vector<int> SumColumns() const override { return {3, 5, 6, 8}; }
  LedgerLine CarryLine(const LedgerLine& previous, const std::vector<double>& sums,
                       const std::string& text) override;

 private:
  std::vector<std::string> ValueCaptions() const;
};
