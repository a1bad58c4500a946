#pragma once
// Changes to the chart of accounts that must carry the year's postings along. Each runs as one transaction:
// when any statement fails, nothing is changed and the engine's message is shown. The checks of the account
// dialog (codes, names, attributes, duplicates) come first and show their messages; here a malformed code,
// a code already taken or an account that is not there is only refused (false), with nothing changed.
#include <string>

#include "accounts/account.h"
#include "data/data_env.h"

// Adds account (its level is taken from its code, OP is '0'). When it is the first child of its parent,
// everything booked on the parent — postings and opening balances — and the currencies whose exchange-gain
// account the parent was, move to it, so that postings stay on lowest-level accounts.
bool InsertAccount(CVyDataEnv& env, const Account& account);

// Rewrites the account oldCode as changed (same parent; the own part may differ). When the own part
// changed, its postings, its descendants' codes and postings, and the exchange-gain references to it and
// to its descendants follow.
bool ChangeAccount(CVyDataEnv& env, const std::string& oldCode, const Account& changed);
