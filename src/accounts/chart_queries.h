#pragma once
// What the chart of accounts and the year's postings tell about an account. A malformed code (IsValidCode)
// is answered as absent, so a "*" or "?" typed into a code field can never select other accounts; only the
// content tests run it as given, where a wider match can only refuse more. Database errors are thrown
// (jet::DbError).
#include <optional>
#include <string>

#include "accounts/account.h"
#include "data/data_env.h"

// The account's row, or nothing when the code is not in SUBT.
std::optional<Account> ReadAccount(CVyDataEnv& env, const std::string& code);
// Rows of SUBT with exactly this code (more than one only in a damaged chart).
long CountCode(CVyDataEnv& env, const std::string& code);
// The account exists and has no descendants: it may carry postings.
bool IsLowestLevel(CVyDataEnv& env, const std::string& code);
// All accounts below code, at any depth.
long CountDescendants(CVyDataEnv& env, const std::string& code);
// Only the accounts one level below code.
long CountDirectChildren(CVyDataEnv& env, const std::string& code);
// The length of the longest descendant code; 0 when there is none.
long LongestDescendant(CVyDataEnv& env, const std::string& code);

// Actions on the chart that postings of the year forbid.
enum class ContentCheck {
  DeleteAccount,   // the account with its sub-tree
  DeleteChildren,  // the sub-accounts of the account
  MoveChildren,    // the sub-accounts of the account, moved elsewhere
  PasteTarget,     // sub-accounts pasted under the account
};
// Why the year's postings forbid the action on code; "" when they do not. Any row counts, opening balances
// included.
std::string ContentRefusal(CVyDataEnv& env, ContentCheck check, const std::string& code);

// Rows of the account (or, with subTree, of its descendants) up to period, other than MK '1': a ledger
// without any has nothing to show.
long LedgerRows(CVyDataEnv& env, const std::string& code, int period, bool subTree);
