#pragma once
// The window of 数据检查: the findings of the book check, each rule with the rows that break it, and the
// trial balance of the year under them. It reads only.
#include <string>
#include <vector>

#include "admin/book_check.h"
#include "formview/report_view.h"

class CBookCheckView : public CVyReportView {
 public:
  static constexpr int kFormFlag = 21;  // a form of its own

  CBookCheckView();

  // Checks the open year file and shows what it found.
  void Build();
  const BookCheck& Result() const { return result_; }

  std::vector<std::string> ReportHead() override;
  std::vector<std::string> ColumnCaptions() override;
  std::string ReportCell(int row, int col) override;

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  bool CanEditCell(int, int, const std::string&) override { return false; }

 private:
  std::string HeadText(int line, int item) const;
  BookCheck result_;
  std::vector<std::vector<std::string>> rows_;  // the grid's cells as shown
};
