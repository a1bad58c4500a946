#pragma once
// The row texts of the three-column ledger, composed by the statements themselves: a detail row is
// date, voucher, summary, debit, credit, balance; a summary row is date, row kind, debit, credit, balance.
// The running balance and the month and year totals are carried here.
#include <string>

#include "accounts/period.h"
#include "data/vy_data_env.h"

struct ThreeColumnQuery {
  std::string code;
  int start = 1, end = 12;  // periods
  bool reached = true;      // reviewed postings (MK '4'); false: this book's unreached items (MK '0')
};

std::string ThreeColumnDetailRows(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q);
std::string ThreeColumnSummaryRows(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q);
