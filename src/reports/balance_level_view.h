#pragma once
// What the balance table and the balance-and-turnover table share: a list of the accounts of one level
// ending in a total row, stepping down into an account (Enter, double click, 下一级) and back up (Esc,
// 上一级) with the row and column of each level remembered, the dialog again with Ctrl+O, and the page
// head and foot lines.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/money.h"
#include "formview/report_view.h"
#include "reports/balance_source.h"

namespace vycmd {
constexpr int kLevelDown = 32991;  // 下一级: the current row's sub-accounts
constexpr int kLevelUp = 40016;    // 上一级
}  // namespace vycmd

class CBalanceLevelView : public CVyReportView {
 public:
  // The table's topic and its columns' captions, "借或贷" over each direction column.
  CBalanceLevelView(std::string topic, std::vector<std::string> captions)
      : topic_(std::move(topic)), captions_(std::move(captions)) {}

  // The figures come the quicker way for each listing unless one way is asked for: the documented
  // statements (on), or the grouped pass (off).
  void UseDocumentedStatements(bool on) { figures_ = on ? kDocumented : kGrouped; }
  const std::string& StartCode() const { return start_; }
  void SetStartCode(const std::string& code) { start_ = code; }

  // Reads the rows for the current starting point and puts the current cell where this level left it.
  virtual void Build() = 0;
  // Lists the sub-accounts of the row's account (not of the total row, nor of an account without any).
  bool StepDown(int row);
  // Lists the level above and returns to the row that was opened there.
  void StepUp();

  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  int TotalRow() const { return totalRow_; }

  void OnKeyDown(VyKey key, bool shift, bool ctrl) override;
  void OnLButtonDblClk(int x, int y) override;
  void OnRButtonDown(int x, int y) override;
  bool OnCommand(int command) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  void DrawFrame(VyDC& dc) override;
  std::vector<std::string> ReportHead() override;
  std::vector<std::string> ColumnCaptions() override { return captions_; }
  // The codes, names and directions are text; every other column is an amount.
  ReportColumnKind ColumnKind(int col) override;

 protected:
  void SetupForm() override;
  virtual bool CanStepDown() const { return true; }
  // 上一级 (not Esc): the balance-and-turnover table leaves its all-levels listing.
  virtual void OnLevelUpCommand() {}
  // Ctrl+O: the window's dialog again; true when it was confirmed and the view took its values.
  virtual bool AskAgain() = 0;
  // The page head: the dialog's wording of the date or span over the unit, the page number beside it.
  std::string HeadText(int line, int item);
  std::string headText_;

  // Where the figures of a listing of `listed` accounts of one level come from. The documented statements
  // read only the listed accounts' rows, through the code index alone, and for a short listing that is
  // less than the grouped pass over every row of P0; a long listing, or one of every level, takes the pass.
  // Either way lists the accounts alike.
  BalanceSource& Source(size_t listed = SIZE_MAX);
  // Takes the rows (the total row last), then restores this level's remembered cell.
  void SetRows(std::vector<std::vector<std::string>> rows);
  std::string FootText(int item);

  std::string start_;
  // Accounts with nothing to show (no balance, no turnover) are left out of the listing; the totals, which
  // they add nothing to, stay as they are.
  bool nonzero_ = false;

 private:
  struct Remembered {
    int row = 0, col = 0;
  };
  enum Figures { kQuicker, kGrouped, kDocumented };
  Figures figures_ = kQuicker;
  std::unique_ptr<BalanceSource> documented_, grouped_;
  bool IsDirection(int col) const;

  std::string topic_;
  std::vector<std::string> captions_;
  std::vector<Remembered> stack_;
  Remembered restore_;
  std::vector<std::vector<std::string>> rows_;
  int totalRow_ = 0;
};

// The balance tables show every figure as whole cents, and add up the cents they show.
// "借" above zero, "贷" below, otherwise "平".
std::string DirectionOf(money::Cents value);
// The amount cell: the absolute value with two decimals, empty where the direction is "平".
std::string AmountCell(money::Cents value);
