#pragma once
// CQirnpz1: the view of 按帐户录入. It shows the postings of one lowest-level account in one month, one row
// a posting, lets the user type and correct them, and writes the month back on saving. Its rows live in
// the month sheet of its frame.
#include <memory>
#include <string>
#include <vector>

#include "entry/account_entry_frame.h"
#include "entry/entry_view.h"

class CQirnpz1 : public CEntryView {
 public:
  CQirnpz1();
  ~CQirnpz1() override;

  CQirnpzFrm& Frame() { return *frame_; }
  MonthSheet& Month() { return frame_->Sheet(); }

  // Reads the account's postings of the month and its balance at the month's start: the year's opening
  // rows and every reviewed row of the earlier months, as the three-column ledger has it before the month.
  void Load(const std::string& code, int year, int month, int fz);
  CEntryFrame& Owner() override { return *frame_; }
  bool IsLoaded() const override { return !frame_->Sheet().code.empty(); }
  EntrySheet& Sheet() override { return frame_->Sheet().rows; }

  double OpeningBalance() const { return opening_; }
  double ClosingBalance();
  const std::string& AuxLabel() const { return auxLabel_; }
  // The days of the month that can take postings of the open year.
  struct DayRange {
    int low = 1, high = 31;
  };
  DayRange ValidDays() const;

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  std::vector<std::string> ReportHead() override;
  std::vector<std::string> ReportFoot() override;
  std::string WindowSubject() override;
  std::vector<std::string> ColumnCaptions() override;
  std::string ItemText(const std::string& section, int line, int index) override;

 protected:
  CellMap Cells() const override;
  int CellOfColumn(int col) const override { return col; }
  void GetOwnCell(int row, int cell, VyCellInfo& info) override;
  std::string OwnCellText(int row, int cell) override;
  std::string TotalsCaption() const override { return "本  月  合  计"; }
  // The month's totals and its closing balance are this account's books: 对方达 rows stay outside.
  bool CountsOtherSideRows() const override { return false; }
  std::string SavedNote() override;
  std::string RowAccount(const EntryRow&) const override { return frame_->Sheet().code; }
  bool CheckRows() override;
  std::string ChangedQuestion() override;
  int WriteRows() override;
  std::unique_ptr<CVyRecordset> OpenSavedRows() override;
  std::string SheetName() override;
  void AskAndReload() override;

 private:
  std::string SavedRowsCondition();
  std::unique_ptr<CQirnpzFrm> frame_;
  std::string auxLabel_, fullName_;
  double opening_ = 0;
};
