#pragma once
// The interest of an account's sub-tree (or of every account) over a period: the product sum of its balance
// and the days it was held, read from every year file the period touches, times the daily rate.
#include <string>
#include <vector>

#include "data/data_env.h"
#include "interest/interest_params.h"
#include "interest/interest_year_files.h"

// A row of the interest list: the total row has an empty code.
struct InterestRow {
  std::string code, name, product, interest;
  bool operator==(const InterestRow&) const = default;
};

// An amount with exactly two decimals, grouped by three; zero is "0.00".
std::string AmountText(double value);

// The rows of the list: one per account asked for (a parent's row covers its sub-tree), then the total over
// the lowest-level accounts, unless a single account without sub-accounts was asked for. Throws
// jet::DbError, also when a year file of the period cannot be opened; nothing is written.
// A list is computed from one read of each year file's rows; documented: from the statements per account,
// which give the same rows and stay the reference.
std::vector<InterestRow> ComputeInterest(CVyDataEnv& env, const std::vector<YearFileSpan>& files,
                                         const InterestParams& p, bool documented = false);
