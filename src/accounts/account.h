#pragma once
// One account of the chart (a row of SUBT) and the rules on its attributes.
#include <string>

// Auxiliary accounting (SUBT.FZ).
enum AccountAux { kAuxNone = 0, kAuxQuantity = 1, kAuxCurrency = 2 };

struct Account {
  std::string code;      // KNO
  std::string name;      // NA
  int level = 1;         // CLAS: always 1 + the number of "-" in the code
  bool special = false;  // OP: a special account takes no children and is never deleted
  int aux = kAuxNone;    // FZ
  std::string auxUnit;   // FZN: the quantity unit, or the currency code; empty with no auxiliary accounting
  bool multiColumn = false;  // DL: the ledger's columns are the direct children
  int columnSide = 0;        // DLF: 1 debit, -1 credit, 0 when the parent has no multi-column ledger
  int columnWidth = 0;       // DLW: in Chinese characters, 0 with DLF 0
};

constexpr int kMaxColumnWidth = 50;

// Why parent may not take a new child: special, quantity-amount or foreign currency, or the level and
// length limits; "" when it may.
std::string ParentRefusal(const Account& parent);
// The account dialog's own test of the parent when it saves a new account; the dialog then closes without
// saving. "" when the parent is acceptable.
std::string SavedParentRefusal(const Account& parent);

// An account's column in its parent's multi-column ledger is at least as wide as its name: (bytes + 1) / 2.
int MinColumnWidth(const std::string& name);
// Completes and checks columnSide and columnWidth of account under a parent with or without a multi-column
// ledger. Without one both become 0. With one the side and a width are required; a width below the name's
// minimum is refused and set to that minimum. Returns the refusal, "" when accepted.
std::string ColumnRefusal(bool parentMultiColumn, Account& account);
// A quantity-amount or foreign-currency account needs its unit or currency; without auxiliary accounting the
// unit is cleared. Returns the refusal, "" when accepted.
std::string AuxRefusal(Account& account);
