#pragma once
// A read-only report whose rows are worked out once as texts (数据检查, 试算平衡表): the grid shows the rows
// as they are, each column aligned its own way, and the head's items come from HeadText at their positions.
#include <string>
#include <vector>

#include "formview/report_view.h"

class CTextRowsView : public CVyReportView {
 public:
  // topic as the page's title shows it ("试 算 平 衡 表"), the column captions as the form head shows them.
  CTextRowsView(std::string topic, std::vector<std::string> captions)
      : topic_(std::move(topic)), captions_(std::move(captions)) {}

  // The title without its spacing, then the head lines.
  std::vector<std::string> ReportHead() override;
  std::vector<std::string> ColumnCaptions() override { return captions_; }
  void DrawFrame(VyDC& dc) override;
  std::string ReportCell(int row, int col) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  bool CanEditCell(int, int, const std::string&) override { return false; }

 protected:
  // The text of head item `item` of head line `line`.
  virtual std::string HeadText(int line, int item) const = 0;
  // "LEFT", "MID" or "RIGHT".
  virtual const char* ColumnAlign(int col) const = 0;
  // Shows rows, the caret on the first cell.
  void ShowRows(std::vector<std::vector<std::string>> rows);

 private:
  std::string topic_;
  std::vector<std::string> captions_;
  std::vector<std::vector<std::string>> rows_;
};
