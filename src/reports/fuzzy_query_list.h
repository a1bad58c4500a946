#pragma once
// CHobdzb7, 模糊查询帐页: the postings the fuzzy query found, month, day, the account's full name, the
// summary, the side and the amount, ending in a total row.
#include <map>
#include <string>
#include <vector>

#include "formview/report_view.h"
#include "reports/fuzzy_query_dlg.h"

class CHobdzb7 : public CVyReportView {
 public:
  CHobdzb7();

  // The query's results; Build reads the hits.
  void SetParameters(const CFuzzyQueryDlg& dlg);
  void Build();
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  // The date of each hit row.
  const std::vector<std::string>& Dates() const { return dates_; }


  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  bool OnCommand(int command) override;
  std::vector<std::string> ReportHead() override;
  std::vector<std::string> ColumnCaptions() override;
  ReportColumnKind ColumnKind(int col) override;

 private:
  std::string FullName(const std::string& code);

  std::string conditionText_, hitSql_;
  long hits_ = 0;
  std::vector<std::vector<std::string>> rows_;
  std::vector<std::string> dates_;
  std::map<std::string, std::string> fullNames_;
};
