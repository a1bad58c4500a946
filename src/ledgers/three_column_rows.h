#pragma once
// The row texts of the three-column ledger, composed by the statements themselves: a detail row is
// date, voucher, summary, debit, credit, balance; a summary row is date, row kind, debit, credit, balance.
// The running balance and the month and year totals are carried here.
#include <optional>
#include <string>
#include <vector>

#include "accounts/period.h"
#include "data/data_env.h"
#include "ledgers/ledger_line.h"

struct ThreeColumnQuery {
  std::string code;
  int start = 1, end = 12;  // periods
  bool reached = true;      // reviewed postings (MK '4'); false: this book's unreached items (MK '0')
};

std::string ThreeColumnDetailRows(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q);
std::string ThreeColumnSummaryRows(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q);
// The lines of the composed rows (detail or summary), each cell as the ledger shows it.
std::vector<LedgerLine> ThreeColumnLines(const std::string& texts, bool detail);
// The detail lines the quick way, equal to ThreeColumnLines of the detail rows: the same statements, but
// the postings are read as columns and their lines made at once, without composing texts and splitting
// them again. nullopt for a book whose postings a composed text would not carry as they are.
std::optional<std::vector<LedgerLine>> ThreeColumnDetailLines(CVyDataEnv& env, const AccountingYear& year,
                                                              const ThreeColumnQuery& q);
