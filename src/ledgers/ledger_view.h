#pragma once
// CLedgerView: what the ledger windows share. The rows live here as lines of cell texts (the cells as the
// window shows them), with the voucher number beside each; printing swaps in a copy of the lines with the
// carry lines at the page breaks; the page head's items are answered by the derived view, which knows
// whether a page number belongs there.
#include <string>
#include <utility>
#include <vector>

#include "formview/report_view.h"
#include "ledgers/ledger_line.h"

class CLedgerView : public CVyReportView {
 public:
  const std::vector<LedgerLine>& Lines() const { return lines_; }
  // The lines while printing (carry lines included), else the data lines.
  const std::vector<LedgerLine>& Shown() const { return printing_ ? print_ : lines_; }
  bool Printing() const { return printing_; }

  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  bool CanEditCell(int, int, const std::string&) override { return false; }
  void OnBeginPrinting() override;
  void OnEndPrinting() override;
  std::vector<std::string> ReportHead() override;
  int ReportRowCount() override { return static_cast<int>(Shown().size()); }
  // DrawCell draws the cell's text whole (the engine cuts it only to the column on the page).
  std::string ReportCell(int row, int col) override;

 protected:
  virtual std::string Topic() const = 0;
  // The text of an item of the page head; printing adds the page number's item.
  virtual std::string HeadItem(int line, int item, bool printing) = 0;
  // Whether the printed copy gets carry lines (detail ledgers only), and which columns it sums.
  virtual bool CarriesSums() const = 0;
  virtual std::vector<int> SumColumns() const = 0;
  virtual LedgerLine CarryLine(const LedgerLine& previous, const std::vector<double>& sums,
                               const std::string& text) = 0;

  // Takes new lines: the row count follows and the first cell becomes current.
  void SetLines(std::vector<LedgerLine> lines);
  // The printed page being drawn, counted from 1.
  int PrintedPage();
  // The alignment of each column's cells ("LEFT", "MID", "RIGHT").
  std::vector<std::string> align_;

  // The rules of the form head drawn by the view (the column rules start at the first row): an outer
  // frame of every column, and for each group of columns under one caption a rule at mid height across
  // the group with the rules between its columns only below it.
  void DrawFormHeadRules(VyDC& dc, const std::vector<std::pair<int, int>>& groups);
  // One text in the form head, over columns first..last, centred, uncut, shifted by dy.
  void DrawOverColumns(VyDC& dc, int line, int first, int last, const std::string& text, int dy = 0);

 private:
  std::vector<LedgerLine> lines_, print_;
  bool printing_ = false;
};
