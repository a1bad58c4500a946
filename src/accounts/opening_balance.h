#pragma once
// Opening balances: the balance of an account at the start of the year, kept as one P0 row per
// lowest-level account (CER four blanks, RN 0, MRY "期初余额", MK '4', TT "01", dated the year's first day).
// The opening-balance dialog and the import of opening balances both write through SaveOpening, so a
// balance typed and a balance imported are the same row.
#include <optional>
#include <string>

#include "data/data_env.h"

struct OpeningRow {
  int side = 1;         // F: 1 debit, -1 credit
  double amount = 0;    // MY, never negative
  double quantity = 0;  // NU: the quantity or the foreign amount; 0 for ordinary accounts
};

// The opening balance of code summed over its sub-tree, debit positive; 0 without any row.
double OpeningBalance(CVyDataEnv& env, const std::string& code);
// The account's own opening row, if it has one.
std::optional<OpeningRow> ReadOpening(CVyDataEnv& env, const std::string& code);
// "借" above money::kBalanceZero, "贷" below its negative, else "平".
const char* BalanceSide(double balance);

// Replaces the opening row of code (aux is SUBT.FZ): the old row goes, and a new one is written when the
// amount (or, for quantity and currency accounts, the quantity) is not zero. Runs its statements as they
// come; the caller holds the transaction. Database errors are thrown.
void WriteOpening(CVyDataEnv& env, const std::string& code, int aux, const OpeningRow& row);
// WriteOpening as one transaction: on a failure the year file stays as it was and the engine's message is
// shown; false then.
bool SaveOpening(CVyDataEnv& env, const std::string& code, int aux, const OpeningRow& row);
