#pragma once
// Where the balance tables take their figures from. The documented way asks the year file one or two
// statements per account (DocumentedBalances); the quick way reads the reviewed postings once and adds them
// up over the account tree (GroupedBalances). Both answer every question alike, which a test holds them to.
#include <string>
#include <vector>

struct ListedAccount {
  std::string code, name;  // both trimmed
};

struct TurnoverFigures {
  double opening = 0, debit = 0, credit = 0;
};

class BalanceSource {
 public:
  virtual ~BalanceSource() = default;
  // The level-1 accounts when start is empty, else start's direct sub-accounts, in the listing's order.
  virtual std::vector<ListedAccount> Accounts(const std::string& start) = 0;
  // Whether the chart holds accounts below code.
  virtual bool HasSubAccounts(const std::string& code) = 0;
  // The rows a listing is expected to hold: one level, or with allLevels every level below start.
  virtual long ExpectedRows(const std::string& start, bool allLevels) = 0;
  // The reviewed balance of code with its descendants up to date, within the periods up to period.
  virtual double Balance(const std::string& code, const std::string& date, int period) = 0;
  // Opening balance before the start period (opening rows always in it), debit and credit turnover from
  // the start period on, all up to endDate within the periods up to endPeriod.
  virtual TurnoverFigures Turnover(const std::string& code, int startPeriod, const std::string& endDate,
                                   int endPeriod) = 0;
};
