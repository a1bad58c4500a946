#pragma once
// The rows an entry window holds while the user works on them: seven text cells a row, in the order they
// are shown, the last row always empty for new input. The sheet follows every change of the grid's row
// count, so that a save writes exactly the rows on the screen and never a row the user removed.
#include <array>
#include <string>
#include <vector>

using EntryRow = std::array<std::string, 7>;

class EntrySheet {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  EntryRow& Row(int r);  // grows the sheet when r lies beyond its end
  const std::vector<EntryRow>& Rows() const { return rows_; }
  void Clear() { rows_.clear(); }
  void AppendEmpty(int n = 1);
  // The grid's row count changed by delta. New rows come empty at the end. Removed rows have already been
  // covered by the rows below them (the grid moves them up cell by cell), so the stale copies at the end go.
  void FollowCount(int delta);
  // Rows at..lastOld move down by count and the count rows opened at `at` are emptied.
  void OpenRows(int at, int lastOld, int count);

 private:
  std::vector<EntryRow> rows_;
};

// The month sheet of entry by account (owned by its CQirnpzFrm).
struct MonthSheet {
  int year = 0, month = 0;
  int offset = 0;  // 0: five columns; 2: quantity or foreign amount and price before the amounts
  std::string code;
  EntrySheet rows;
};

// The day sheet of entry by date (owned by its CQirnpzFrm2). Cells: summary, account, debit, credit, mark,
// quantity, price, whatever the columns shown.
struct DaySheet {
  int year = 0, month = 0, day = 0;
  int variant = 0;  // 2 once a row's account has quantity or currency accounting: seven columns
  EntrySheet rows;
};
