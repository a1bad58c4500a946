#pragma once
// The row texts of the multi-column ledger: date, voucher, summary or row kind, one amount per analysis
// column (signed by the column's side), balance. Each analysis column is a direct sub-account of the
// ledger's account; an aggregated column counts the sub-account and all of its descendants.
#include <string>
#include <vector>

#include "accounts/period.h"
#include "data/data_env.h"

struct AnalysisColumn {
  std::string code, name;
  int side = 1;    // 1 debit column, -1 credit column
  int width = 10;  // characters
};

struct MultiColumnQuery {
  std::string code;
  int start = 1, end = 12;
  bool detail = false;
};

// Sets the side of every direct sub-account that has none to debit, 5 characters of Chinese wide.
void SetMissingColumnSides(CVyDataEnv& env, const std::string& code);
// The direct sub-accounts as columns: debit columns first, each side in the order of their own codes.
std::vector<AnalysisColumn> ReadAnalysisColumns(CVyDataEnv& env, const std::string& code);
std::string MultiColumnRows(CVyDataEnv& env, const AccountingYear& year, const MultiColumnQuery& q,
                            const std::vector<AnalysisColumn>& columns);
