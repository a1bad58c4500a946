#pragma once
// The ledgers opened through the auxiliary-accounting catalogue (multi-column, quantity-amount and
// multi-currency): one account over a span of months, as the catalogue dialog chose them.
#include <string>

#include "ledgers/ledger_view.h"

class CCatalogueLedgerView : public CLedgerView {
 public:
  CCatalogueLedgerView() { periodText = "×× 年 × 月 至 × 月"; }

  // Takes the catalogue dialog's results and builds.
  void Open(const std::string& account, const std::string& start, const std::string& end,
            const std::string& period) {
    code = account;
    startMonth = start;
    endMonth = end;
    periodText = period;
    Build();
  }
  // Reads the rows again from the database.
  virtual void Build() = 0;
};
