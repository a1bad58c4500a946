#pragma once
// 数据检查: what is wrong in a year file, found by reading it once — postings on codes the chart lacks or
// on accounts that have sub-accounts, rows outside the year's accounting periods, marks, states and sides
// the program never writes, control characters in texts, amounts and quantities the entry masks would
// refuse — each with the rows concerned; and, for information, the trial balance of the year. It reads
// only: nothing is repaired.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CVyDataEnv;

// A row a finding concerns: a posting or opening row of P0, or an account of SUBT (table "SUBT", the
// account's name in summary).
struct CheckedRow {
  std::string table = "P0";
  std::string date, code, summary, mark, state, period;  // T, KNO, MRY, CER, MK, TT as stored, trimmed
  long line = 0;                                          // RN
  long side = 0;                                          // F
  double amount = 0, quantity = 0;                        // MY, NU
};

struct BookFinding {
  std::string what;              // the rule the rows break
  long count = 0;                // how many rows break it
  std::vector<CheckedRow> rows;  // the first kListedRows of them, in the order of code, date and line
};

// The year's figures in cents, as the books count them (MK '4').
struct TrialBalance {
  int64_t openingDebit = 0, openingCredit = 0;  // level-1 accounts' opening balances, by their sides
  std::array<int64_t, 12> debit{}, credit{};    // postings of each period
  int64_t closingDebit = 0, closingCredit = 0;  // level-1 accounts' balances at the year's end
};

struct BookCheck {
  static constexpr size_t kListedRows = 200;
  std::vector<BookFinding> findings;  // only the rules some row breaks, in a fixed order
  TrialBalance trial;
  bool Clean() const { return findings.empty(); }
};

// Checks the open year file. Database errors are thrown (jet::DbError).
BookCheck CheckBook(CVyDataEnv& env);

// "平" when debit and credit agree, else the side that is larger.
std::string TrialSide(int64_t debitCents, int64_t creditCents);
