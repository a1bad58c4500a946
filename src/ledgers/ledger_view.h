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
  // The account shown, over 'YYYYMM' months, with the head's texts for it.
  std::string code, startMonth, endMonth, periodText, fullName;
  // A detail ledger lists the postings; printed, it carries the page's sums over page breaks.
  bool detail = true;

  // Ctrl+O: another account through the ledger's own dialog; whether the window changed.
  virtual bool ChangeAccount() = 0;
  bool OnCommand(int command) override;
  bool IsCommandEnabled(int command) override;
  std::string WindowSubject() override { return code; }

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
  // The text of an item of the page head: the account's full name over its code and months; printing adds
  // the page number at pageItem_.
  virtual std::string HeadItem(int line, int item, bool printing);
  int pageItem_ = 2;
  std::string pagePrefix_ = "本帐户第 ";
  // The columns a printed detail ledger's carry lines sum.
  virtual std::vector<int> SumColumns() const = 0;
  virtual LedgerLine CarryLine(const LedgerLine& previous, const std::vector<double>& sums,
                               const std::string& text) = 0;
  // A carry line as the ledgers make it: the previous line's month and day, the text, the summed cells,
  // then the previous line's cells from tail on (its direction and balance).
  static LedgerLine CarryLineOf(const LedgerLine& previous, const std::string& text,
                                const std::vector<std::string>& summed, size_t tail);

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
