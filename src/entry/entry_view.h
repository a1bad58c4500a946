#pragma once
// CEntryView: what the two entry views share. Their rows live in their frame's sheet; this base shows and
// edits the amount, mark, quantity and price cells the same way in both, keeps a row to one side, turns
// quantity × price into the amount, sums the totals, and runs the save flow: its checks and questions, and
// the rewrite of the month or the day in one transaction, refused when another user changed them since the
// window read them.
#include <functional>
#include <memory>
#include <string>

#include "data/recordset.h"
#include "entry/entry_sheet.h"
#include "formview/report_view.h"

class CEntryFrame;

namespace vycmd {
constexpr int kAccountLookUp = 32826;  // F2: 查询帐户科目
}

class CEntryView : public CVyReportView {
 public:
  // Results of the save flow.
  enum SaveResult { kSaved = 1, kCancelled = 2, kFailed = 4, kNothingWritten = 6, kNotSaved = 7 };

  CEntryView();

  // Saves after the checks and the question; see SaveResult. Nothing happens (kNotSaved) when nothing was
  // changed or nothing is loaded. A failed save changes nothing in the file and keeps the window modified.
  int SaveFlow();
  // 打开: saves first (stops when the user goes back to editing or the save failed), then asks the
  // parameters again and reloads on OK.
  void OnOpen();

  virtual bool IsLoaded() const = 0;
  // The frame that owns the view's rows and closes through its save flow.
  virtual CEntryFrame& Owner() = 0;
  virtual EntrySheet& Sheet() = 0;

  bool OnCommand(int command) override;
  bool IsCommandEnabled(int command) override;
  void OnFileSave() override { SaveFlow(); }

  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  void PutCell(int row, int col, const std::string& section, const std::string& text) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void OnCellChanged(const std::string& text, int row, int col, const std::string& section) override;
  void OnEnterCell(int row, int col, const std::string& section) override;
  bool CanEditCell(int row, int col, const std::string& section) override;
  void OnRowCountChanged(int delta) override;
  void OnInsertRows(int atRow, int lastOldRow, int count) override;

  // The texts of the page head and foot items ("HEAD", "FOOT"), drawn at their positions.
  virtual std::string ItemText(const std::string& section, int line, int index) = 0;

  struct Totals {
    double debit = 0, credit = 0, quantity = 0;
    bool oneQuantityAccount = true;  // the rows with a quantity are all of one account
    // Rows marked 对方达 when the view leaves them out of its totals (see CountsOtherSideRows).
    double otherDebit = 0, otherCredit = 0;
  };
  Totals ComputeTotals();
  // "借贷差额 200.00" or "借贷平衡": the difference of the totals' sides.
  static std::string DifferenceText(const Totals& t);
  // The totals line, one text a column: its caption, then the totals under their columns.
  std::vector<std::string> TotalsLine();
  // The rows that hold something, then the totals line.
  std::vector<std::vector<std::string>> ReportRows() override;

 protected:
  // Where the shared cells of a row are (sheet cell indices); -1 for one the layout lacks.
  struct CellMap {
    int debit = -1, credit = -1, mark = -1, quantity = -1, price = -1;
  };
  virtual CellMap Cells() const = 0;
  // The sheet cell shown in a grid column, and back.
  virtual int CellOfColumn(int col) const = 0;
  int ColumnOfCell(int cell) const;

  // The cells only one view has (day, summary, account).
  virtual void GetOwnCell(int row, int cell, VyCellInfo& info) = 0;
  virtual std::string OwnCellText(int row, int cell) = 0;
  virtual void OwnCellChanged(int, int) {}

  // The save flow's steps: the view's own check of the rows (false: back to editing), its question and
  // the rewrite (inside the transaction; returns the rows written).
  virtual bool CheckRows() = 0;

 public:
  // While the caret is in the mark column, the legend of its three codes.
  std::string CellPrompt() override;
  static std::string MarkLegend() { return "0 本帐达  1 对方达  2 双方达"; }
  // The foot's signature items 0-2: 会计主管 as the account set names the chief accountant, 记帐 the
  // operator who keeps these books, 出纳 left to be signed by hand.
  std::string FootSignature(int index);

 protected:
  virtual std::string ChangedQuestion() = 0;
  // Asked after the save was confirmed when the rows leave the books unbalanced, 否 the default and back to
  // editing; "" when they balance.
  virtual std::string UnbalancedQuestion() { return ""; }
  // A line for the status bar after a save (the books it left unbalanced), "" for none; it stays until the
  // rows change again.
  virtual std::string SavedNote() { return ""; }
  // Whether the totals line shows its sides' difference (under the first column).
  virtual bool ShowsDifference() const { return false; }
  // The account of a row: whose quantities the totals may add up.
  virtual std::string RowAccount(const EntryRow& row) const = 0;
  virtual int WriteRows() = 0;
  // The rows of the year that the save rewrites, read as the window reads them when it loads; Load reads
  // them through ReadSavedRows, so that a save can tell whether another user changed them since.
  virtual std::unique_ptr<CVyRecordset> OpenSavedRows() = 0;
  // What the sheet is, for a message: "2026 年 5 月帐户 101".
  virtual std::string SheetName() = 0;
  // Reads the rows OpenSavedRows gives, each handed to take, and remembers them as the ones the window
  // opened with.
  void ReadSavedRows(const std::function<void(const CVyRecordset&)>& take);
  // 打开: the parameter dialog prefilled with what is shown; reloads on OK.
  virtual void AskAndReload() = 0;
  virtual bool LookUpAccount() { return false; }

  // A sheet cell, empty beyond the sheet's end.
  const std::string& Cell(int row, int cell);
  void SetCell(int row, int cell, const std::string& text);
  virtual std::string TotalsCaption() const = 0;
  // Whether rows marked 对方达 (recorded by the counter-party only, outside this account's books) count in
  // the totals; a view that leaves them out shows their sum beside its caption.
  virtual bool CountsOtherSideRows() const { return true; }
  // The totals line in the form foot.
  void DrawTotals(VyDC& dc);
  // Forgets the price typed last and the last save's note (a new load).
  void ForgetPrice() {
    priceRow_ = enteredRow_ = -1;
    savedNote_.clear();
  }
  // The changed cell being typed into is taken as if the caret had left it.
  void CommitEdit();
  // "本帐达", "对方达", "双方达" or blank.
  static std::string MarkName(const std::string& cell);
  // A balance as the page foot shows it: 50.00(贷).
  static std::string BalanceText(double balance);

 private:
  double RowPrice(int row);
  void KeepOneSide(int row, int changed);
  void ApplyQuantityPrice(int row);

  int priceRow_ = -1;  // the row of the price typed last, and its text
  std::string priceText_;
  int enteredRow_ = -1;  // the price of the row when the caret entered its quantity
  double enteredPrice_ = 0;
  // The saved rows as the window read them (their values, row after row), to be found unchanged by a save.
  std::string opened_;
  std::string SavedRowsNow();
  std::string savedNote_;

 protected:
  // The form every sheet of postings starts from: editable, the entry windows' margins, a body line per
  // sheet row (one empty row at least), the given columns.
  void SetupSheetForm(const std::vector<int>& columns);
};
