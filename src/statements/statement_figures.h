#pragma once
// The figures the statements' formulas ask for, read in one pass: the chart once, the reviewed postings
// once, added up by account and period in whole millionths of a yuan, and the closing postings of profit
// and loss (those of the fixed summary on a period's last day) kept apart, so that turnover can be seen
// with or without them. Every formula term is then a few additions in memory.
#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/money.h"

class CVyDataEnv;

// The summary of the postings that close profit and loss into the profit account at a period's end.
extern const char* const kClosingSummary;

class StatementFigures {
 public:
  // Reads the chart and, unless chartOnly, the postings of the open year.
  explicit StatementFigures(CVyDataEnv& env, bool chartOnly = false);

  // The accounts a code argument names: one account of the chart ("1122", "5001-2"), or every account of one
  // level under one parent whose own part lies in a range ("1401:1471": a range may hold none). False with
  // the reason when the text names no account or is no code or range.
  bool Accounts(const std::string& argument, std::vector<int>& found, std::string& error) const;
  const std::string& Code(int account) const { return accounts_[static_cast<size_t>(account)].code; }
  // The lowest-level accounts of a sub-tree (the account itself when it has none below).
  const std::vector<int>& Leaves(int account) const { return accounts_[static_cast<size_t>(account)].leaves; }

  // Balance of the account with its sub-tree, debit − credit, at the end of period (0: the year's opening).
  money::Micros Balance(int account, int period) const;
  // Debit or credit turnover over periods from..to, without the closing postings unless withClosing.
  money::Micros Debit(int account, int from, int to, bool withClosing = false) const {
    return Turnover(account, from, to, true, withClosing);
  }
  money::Micros Credit(int account, int from, int to, bool withClosing = false) const {
    return Turnover(account, from, to, false, withClosing);
  }

 private:
  struct Sums {
    money::Micros debit = 0, credit = 0;                // every reviewed row of the period
    money::Micros closingDebit = 0, closingCredit = 0;  // the closing postings among them
  };
  struct Account {
    std::string code;
    long long part = 0;  // the number its own part stands for
    std::array<Sums, 13> periods{};  // [0] the opening rows, [p] period p; the sub-tree's rows included
    std::vector<int> leaves;
  };
  money::Micros Turnover(int account, int from, int to, bool debit, bool withClosing) const;
  void ReadChart(CVyDataEnv& env);
  void ReadPostings(CVyDataEnv& env);
  int Find(const std::string& code) const;

  std::vector<Account> accounts_;  // in the order of the codes
  std::vector<bool> leaf_;          // the account has no sub-accounts
  std::unordered_map<std::string, int> index_;
  std::unordered_map<std::string, std::vector<int>> children_;  // by the parent's code ("" the top level)
};
