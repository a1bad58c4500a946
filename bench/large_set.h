#pragma once
// Builds a large account set through the core, for benchmarks: a four-level chart of about 2,000 accounts
// and 200,000 rows of P0 (opening rows included).
#include <string>
#include <vector>

struct LargeSet {
  std::string path;                   // the year file
  std::vector<std::string> accounts;  // every account code, parents first
  int year = 2026;
};

// Makes the set in folder (which must not hold it yet), or reuses it when it is already there.
LargeSet MakeLargeSet(const std::string& folder, int postings = 200000);
