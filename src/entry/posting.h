#pragma once
// A posting as the entry windows write it into P0, and the rules that turn a row of cells into one: the
// side and amount, the reconciliation mark and the state it gives, the period key, the line number.
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"

namespace jet {
class PreparedStatement;
}

struct Posting {
  std::string date;        // T, 'YYYYMMDD'
  std::string summary;     // MRY
  std::string code;        // KNO
  int side = 1;            // F: 1 debit, -1 credit
  double amount = 0;       // MY, not negative
  double second = 0;       // NU: quantity or foreign amount
  std::string mark = "0";  // CER
  int line = 1;            // RN
  int period = 1;          // TT
};

// The entry windows' masks of the amount cells (twelve integer digits, two decimals) and of the quantity or
// foreign-amount cell (twelve and four). Whatever writes postings takes no number these would refuse.
inline FieldMask AmountCellMask() {
  return {"NUMBER", 12, 2};
}
inline FieldMask QuantityCellMask() {
  return {"NUMBER", 12, 4};
}

// An amount or quantity cell read as a number ("," removed); 0 when empty.
double CellNumber(const std::string& text);
// An amount cell counts as empty below money::kAmountZero.
bool IsBlankAmount(double value);
// The side and amount of a row: the debit when it holds an amount, else the credit. False when neither does.
bool SideOf(const std::string& debit, const std::string& credit, int& side, double& amount);
// The stored mark: "1" (对方达) and "2" (双方达) as typed, anything else "0" (本帐达).
std::string MarkOf(const std::string& cell);
// MK: a posting known only to the counter-party is outside the books.
std::string StateOf(const std::string& mark);
// TT: "01".."12".
std::string PeriodKey(int period);
// A date the calendar has.
bool IsCalendarDay(int year, int month, int day);

// Writes one posting (fail-on-error: throws jet::DbError).
void WritePosting(CVyDataEnv& env, const Posting& p);
// The same statement prepared once, for writers of many rows: prepare kInsertPosting, then bind and run.
extern const char* const kInsertPosting;
void BindPosting(jet::PreparedStatement& statement, const Posting& p);
