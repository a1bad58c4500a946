#pragma once
// The work of the year-end carry forward, from the previous year's file (source) into the logged-in one:
// the accounts and currencies the current year lacks, and the closing balances as its opening rows. The
// caller runs them inside one transaction; database errors are thrown (jet::DbError).
#include <string>

#include "data/data_env.h"

// How the work talks to its window.
class CarryReporter {
 public:
  virtual ~CarryReporter() = default;
  virtual void Status(const std::string& text) = 0;
  // A warning: the account is skipped whatever the answer.
  virtual void Warn(const std::string& text) = 0;
  // A question whose 否 skips the account (caption "黄牌警告：").
  virtual bool Ask(const std::string& text) = 0;
  virtual void RowDone() = 0;
};

// Every ancestor of code occurs exactly once in the year's chart (a top-level account always does).
bool IsLegalAccount(CVyDataEnv& env, const std::string& code);
// Removes an account and its rows.
void RemoveAccount(CVyDataEnv& env, const std::string& code);

// Adds the source's accounts that the current year lacks; when the current year had accounts before, its
// accounts that are not legal afterwards are removed with their rows.
void CopyAccounts(CVyDataEnv& current, CVyDataEnv& source, bool currentHadAccounts, CarryReporter& out);
// Adds the source's currencies that the current year lacks.
void CopyCurrencies(CVyDataEnv& current, CVyDataEnv& source, CarryReporter& out);
// Writes the source's closing balances as the current year's opening rows, account by account, warning
// about and asking about the accounts whose attributes changed. accountsCopied: the chart was copied in
// this run (then illegal accounts were removed already).
void CarryBalances(CVyDataEnv& current, CVyDataEnv& source, bool accountsCopied, CarryReporter& out);
