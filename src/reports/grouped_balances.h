#pragma once
// The balance tables' figures the quick way: the chart is read once, the reviewed postings up to the last
// date once, added up by account, period and kind (opening row or posting), and carried up to every
// ancestor code. Each figure then comes from a few sums in memory instead of a statement per account.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/money.h"
#include "data/data_env.h"
#include "reports/balance_source.h"

class GroupedBalances : public BalanceSource {
 public:
  explicit GroupedBalances(CVyDataEnv& env) : env_(env) {}

  std::vector<ListedAccount> Accounts(const std::string& start) override;
  bool HasSubAccounts(const std::string& code) override;
  long ExpectedRows(const std::string& start, bool allLevels) override;
  double Balance(const std::string& code, const std::string& date, int period) override;
  TurnoverFigures Turnover(const std::string& code, int startPeriod, const std::string& endDate,
                           int endPeriod) override;

 private:
  struct Account {
    std::string code, name;
    long clas = 0;
  };
  // The rows of one account code (or of all its descendants) in one period of one kind.
  struct Bucket {
    uint32_t key = 0;  // the period text and the kind, packed
    std::string tt;    // as stored
    int period = 0;    // val(tt)
    bool opening = false;
    long count = 0;
    // Exact sums, whatever the order of the rows: the figures round them to cents as the statements' do.
    money::Micros signedSum = 0, debit = 0, credit = 0;
  };
  using Buckets = std::vector<Bucket>;

  void LoadChart();
  void ReadPostings(const std::string& lastDate);
  static Bucket& BucketOf(Buckets& buckets, std::string_view tt, bool opening);
  const Buckets* Find(const std::unordered_map<std::string, Buckets>& map, const std::string& code) const;
  long CountUpTo(const std::string& code, int period) const;

  CVyDataEnv& env_;
  bool chartRead_ = false;
  std::vector<Account> chart_;
  std::unordered_set<std::string> parents_;  // every code that has a descendant in the chart
  bool postingsRead_ = false;
  std::string postingsDate_;
  std::unordered_map<std::string, Buckets> own_;    // rows posted on the code itself
  std::unordered_map<std::string, Buckets> below_;  // rows posted on its descendants
};
