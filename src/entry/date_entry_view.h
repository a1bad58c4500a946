#pragma once
// CQirnpz2: the view of 按日期录入. It shows every posting of one day, of any lowest-level accounts, lets
// the user type and correct them, and writes the day back on saving. Its rows live in the day sheet of its
// frame. Five columns until a row's account keeps quantities or a foreign currency, seven from then on.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "entry/date_entry_frame.h"
#include "entry/entry_view.h"

class CQirnpz2 : public CEntryView {
 public:
  CQirnpz2();
  ~CQirnpz2() override;

  CQirnpzFrm2& Frame() { return *frame_; }
  DaySheet& Day() { return frame_->Sheet(); }

  // Reads the postings of the day.
  void Load(int year, int month, int day);
  CEntryFrame& Owner() override { return *frame_; }
  bool IsLoaded() const override { return frame_->Sheet().year != 0; }
  EntrySheet& Sheet() override { return frame_->Sheet().rows; }
  bool SevenColumns() const { return frame_->Sheet().variant == 2; }

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  bool CanEditCell(int row, int col, const std::string& section) override;
  bool IsCommandEnabled(int command) override;
  std::vector<std::string> ReportHead() override;
  std::string WindowSubject() override;
  std::vector<std::string> ColumnCaptions() override;
  std::string ItemText(const std::string& section, int line, int index) override;

 protected:
  CellMap Cells() const override;
  int CellOfColumn(int col) const override;
  void GetOwnCell(int row, int cell, VyCellInfo& info) override;
  std::string OwnCellText(int row, int cell) override;
  void OwnCellChanged(int row, int cell) override;
  std::string TotalsCaption() const override { return "合       计"; }
  // The day's totals are the books': 对方达 rows stand beside the caption, outside the balance.
  bool CountsOtherSideRows() const override { return false; }
  bool ShowsDifference() const override { return true; }
  std::string UnbalancedQuestion() override;
  std::string RowAccount(const EntryRow& row) const override;
  bool CheckRows() override;
  std::string ChangedQuestion() override;
  int WriteRows() override;
  std::unique_ptr<CVyRecordset> OpenSavedRows() override;
  std::string SheetName() override;
  void AskAndReload() override;
  bool LookUpAccount() override;

 private:
  // What the chart says of a code: -1 not a lowest-level account, else its FZ. Asked once per code.
  int AuxOf(const std::string& code);
  void TakeSevenColumns();

  std::unique_ptr<CQirnpzFrm2> frame_;
  std::map<std::string, int> aux_;
  std::map<std::string, std::string> names_;
};
