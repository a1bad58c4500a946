#pragma once
// CHobdzb5, 帐户余额表: the balance of every account of one level up to a closing date, with a total row.
#include <string>
#include <vector>

#include "reports/balance_date_dlg.h"
#include "reports/balance_level_view.h"

class CHobdzb5 : public CBalanceLevelView {
 public:
  CHobdzb5();

  // The dialog's results; Build reads the rows.
  void SetParameters(const CBalanceDateDlg& dlg);
  const std::string& ClosingDate() const { return closingDate_; }
  void Build() override;

  void SetupForm() override;
  std::string WindowSubject() override;

 protected:
  bool AskAgain() override;

 private:
  std::string closingDate_;
  int period_ = 0;
};
