#pragma once
// The balance tables' figures as the program has always asked them: one or two statements per account.
// Slow on a large book, but the definition of every figure; the quick way is checked against it.
#include "data/data_env.h"
#include "reports/balance_source.h"

class DocumentedBalances : public BalanceSource {
 public:
  explicit DocumentedBalances(CVyDataEnv& env) : env_(env) {}

  std::vector<ListedAccount> Accounts(const std::string& start) override;
  bool HasSubAccounts(const std::string& code) override;
  long ExpectedRows(const std::string& start, bool allLevels) override;
  double Balance(const std::string& code, const std::string& date, int period) override;
  TurnoverFigures Turnover(const std::string& code, int startPeriod, const std::string& endDate,
                           int endPeriod) override;

 private:
  CVyDataEnv& env_;
};
