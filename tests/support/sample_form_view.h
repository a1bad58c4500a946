#pragma once
// The engine's sample form with its cells kept in memory: a title, column captions, a totals line, head
// and foot items. It shows the engine at work without a database behind it.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "formview/form_view.h"

class SampleFormView : public CVyFormView {
 public:
  struct Column {
    std::string caption;
    std::string mask = "STRING";
    int maxLength = 0;
    int decimals = 0;
  };

  SampleFormView();

  // The rows of "TEXT"; a view made larger or smaller keeps its rows.
  void SetRows(std::vector<std::vector<std::string>> rows);
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  std::string Text(int row, int col, const std::string& section = "TEXT") const;
  std::vector<Column>& Columns() { return columns_; }
  std::string title = "样本表单";
  bool totals = true;  // the "合计" line sums every row

  void SetupForm() override;
  void OnRowCountChanged(int delta) override;
  void DrawFrame(VyDC& dc) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  void PutCell(int row, int col, const std::string& section, const std::string& text) override;
  void OnInsertRows(int atRow, int lastOldRow, int count) override;

 private:
  std::vector<Column> columns_;
  std::vector<std::vector<std::string>> rows_;
  std::map<std::tuple<std::string, int, int>, std::string> items_;
};
