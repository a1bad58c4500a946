#pragma once
// CHobdzb6, 帐户余额及发生额表: for every account of one level (or, with 所有下级, of every level below the
// starting point, depth first) its opening balance, debit and credit turnover over a date range and its
// closing balance, with a total row over the first level listed.
#include <string>
#include <vector>

#include "reports/balance_level_view.h"
#include "reports/turnover_range_dlg.h"

class CHobdzb6 : public CBalanceLevelView {
 public:
  CHobdzb6();

  void SetParameters(const CTurnoverRangeDlg& dlg);
  bool AllLevels() const { return allLevels_; }
  void Build() override;

  void SetupForm() override;
  std::string WindowSubject() override;

 protected:
  bool CanStepDown() const override { return !allLevels_; }
  void OnLevelUpCommand() override { allLevels_ = false; }
  bool AskAgain() override;

 private:
  struct Sums {
    money::Cents opening = 0, debit = 0, credit = 0, closing = 0;
  };
  void AddRows(const std::string& start, int level, std::vector<std::vector<std::string>>& rows, Sums& total,
               class ReportProgress& progress);

  bool allLevels_ = false;
  std::string startDate_, endDate_;
  int startPeriod_ = 0, endPeriod_ = 0;
};
