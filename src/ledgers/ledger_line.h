#pragma once
// A line of a ledger page and what every ledger does with its lines: the row texts the statements compose
// (fields split at carriage returns, rows ended by line feeds), the balance direction, the period text of the
// page head, and the printed copy with the carry lines at page breaks.
#include <functional>
#include <string>
#include <vector>

struct LedgerLine {
  std::vector<std::string> cells;
  std::string voucher;  // the posting's voucher number; empty on opening and total rows
  bool IsPosting() const { return !voucher.empty(); }
};

// "借" above money::kBalanceZero, "贷" below its negative, else "平".
std::string BalanceDirection(double balance);
// The rows of a text: each ended by "\n", its fields separated by "\r".
std::vector<std::vector<std::string>> SplitRowTexts(const std::string& text);
// A number as the statements write it ("1234.5", "-3", "1E-05"), read as val() reads it; "," are left
// out; "" is 0.
double FieldNumber(const std::string& text);
// Month and day of a date 'YYYYMMDD' (characters 5-6 and 7-8).
std::string MonthOf(const std::string& date);
std::string DayOf(const std::string& date);
// "2026 年  3 月", "2026 年  1 月 至 12 月"; unreached appends "  (本帐未达项)".
std::string LedgerPeriodText(int year, int start, int end, bool unreached = false);
// The period number of a month text 'YYYYMM' (its last two digits); 0 when it has none.
int MonthNumber(const std::string& yyyymm);
// 'YYYYMM' of a year and a month, blanks as zeros.
std::string MonthKey(int year, int month);

// The printed copy of a detail ledger: before a posting that would fall on the last line of a page, the
// line gets "  过  次  页" with the sums of the postings since the last non-posting line (columns sumColumns)
// and the next page opens with the same line as "  承  前  页"; when the line before is not a posting, the
// page's last line stays blank instead. carry(previous, sums, text) makes a carry line.
using CarryMaker = std::function<LedgerLine(const LedgerLine& previous, const std::vector<double>& sums,
                                            const std::string& text)>;
std::vector<LedgerLine> CarryPrintCopy(const std::vector<LedgerLine>& lines, int rowsPerPage,
                                       const std::vector<int>& sumColumns, const CarryMaker& carry);
