#include "ledgers/ledger_line.h"

#include <cstdlib>

#include "base/money.h"
#include "base/text.h"

std::string BalanceDirection(double balance) {
  if (balance > money::kBalanceZero) return "借";
  if (balance < -money::kBalanceZero) return "贷";
  return "平";
}

std::vector<std::vector<std::string>> SplitRowTexts(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::vector<std::string> fields;
    size_t f = start;
    while (true) {
      size_t cr = text.find('\r', f);
      if (cr == std::string::npos || cr > end) cr = end;
      fields.emplace_back(text, f, cr - f);
      if (cr == end) break;
      f = cr + 1;
    }
    rows.push_back(std::move(fields));
    start = end + 1;
  }
  return rows;
}

double FieldNumber(const std::string& text) {
  return money::ValNumber(ReplaceAll(text, ",", ""));
}

std::string MonthOf(const std::string& date) {
  return date.size() >= 6 ? date.substr(4, 2) : std::string();
}
std::string DayOf(const std::string& date) {
  return date.size() >= 8 ? date.substr(6, 2) : std::string();
}

std::string LedgerPeriodText(int year, int start, int end, bool unreached) {
  std::string text = start == end ? Format("%4d 年 %2d 月", year, start)
                                  : Format("%4d 年 %2d 月 至 %2d 月", year, start, end);
  if (unreached) text += "  (本帐未达项)";
  return text;
}

int MonthNumber(const std::string& yyyymm) {
  if (yyyymm.size() < 6) return 0;
  return std::atoi(yyyymm.substr(4, 2).c_str());
}

std::string MonthKey(int year, int month) {
  return ReplaceAll(Format("%4d%2d", year, month), " ", "0");
}

std::vector<LedgerLine> CarryPrintCopy(const std::vector<LedgerLine>& lines, int rowsPerPage,
                                       const std::vector<int>& sumColumns, const CarryMaker& carry) {
  std::vector<LedgerLine> out;
  out.reserve(lines.size() + lines.size() / 8 + 2);
  std::vector<double> sums(sumColumns.size(), 0.0);
  int r = rowsPerPage;
  for (size_t i = 0; i < lines.size(); ++i) {
    const LedgerLine& line = lines[i];
    if (!line.IsPosting()) sums.assign(sumColumns.size(), 0.0);
    if (line.IsPosting() && i > 0 && r > 0 &&
        static_cast<int>(out.size() % static_cast<size_t>(r)) == r - 1) {
      const LedgerLine& previous = lines[i - 1];
      if (previous.IsPosting()) {
        out.push_back(carry(previous, sums, "  过  次  页"));
        out.push_back(carry(previous, sums, "  承  前  页"));
      } else {
        out.push_back({std::vector<std::string>(line.cells.size()), {}});
      }
    }
    out.push_back(line);
    if (line.IsPosting())
      for (size_t k = 0; k < sumColumns.size(); ++k) {
        size_t c = static_cast<size_t>(sumColumns[k]);
        if (c < line.cells.size()) sums[k] += FieldNumber(line.cells[c]);
      }
  }
  return out;
}
