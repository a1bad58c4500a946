#pragma once
// The window of a financial statement, read-only: the unit, the month and 单位：元 over the lines, each
// with its 行次 and its two figures; a statement with a right half (the balance sheet's liabilities and
// equity) shows it beside the left one, or below it when laid out narrow. Under the lines the check says
// 平 or the difference, never hiding it, and the formulas that failed are named with their lines.
#include <string>
#include <vector>

#include "formview/report_view.h"
#include "statements/statement.h"

class CVyDataEnv;
class CStatementDlg;

class CStatementView : public CVyReportView {
 public:
  explicit CStatementView(CVyDataEnv& env);

  // Works the statement out from the books; a database error is shown and false returned.
  bool Build(const std::string& name, int month, bool narrow);
  bool Build(const CStatementDlg& dlg);
  // Build as the window opens it: formulas that failed are also named in a message, so that they are not
  // missed under the lines.
  bool Open(const CStatementDlg& dlg);
  const StatementResult& Result() const { return result_; }

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  bool OnCommand(int command) override;

  std::vector<std::string> ReportHead() override;
  std::vector<std::string> ReportFoot() override;
  std::vector<std::string> ReportProblems() override { return result_.errors; }
  std::vector<std::string> ColumnCaptions() override;
  ReportColumnKind ColumnKind(int col) override;
  std::string WindowSubject() override;

 private:
  int Columns() const { return sideBySide_ ? 8 : 4; }
  int FootLinesWanted();
  std::string Text(int row, int col) const;
  std::string Title() const;
  std::string MonthText() const;
  void Layout();

  CVyDataEnv& env_;
  StatementResult result_;
  bool narrow_ = false, sideBySide_ = false;
  std::vector<std::vector<std::string>> rows_;
};
