#pragma once
// CQirnpz3: the interest list window. It shows the product sum and the interest of every account asked for,
// lets the user correct codes and amounts, and posts the interest once per calculation (记帐).
#include <string>
#include <vector>

#include "data/data_env.h"
#include "formview/report_view.h"
#include "interest/interest_calc.h"
#include "interest/interest_params.h"
#include "interest/interest_year_files.h"

namespace vycmd {
constexpr int kPostInterest = 40016;  // 记帐(&J)
}

class CQirnpz3 : public CVyReportView {
 public:
  explicit CQirnpz3(CVyDataEnv& env);

  // Takes the parameters and computes the rows. On a database error (a year file that cannot be opened)
  // the message is shown and the window keeps what it showed; false then.
  bool Calculate(const InterestParams& params, const std::vector<YearFileSpan>& yearFiles);
  // 打开: the parameter dialog prefilled; recomputes when a parameter changed.
  void Reopen();
  // 记帐: asks the date and summary and posts the rows as they stand now.
  void Post();

  const InterestParams& Params() const { return params_; }
  const std::vector<InterestRow>& Rows() const { return rows_; }
  bool Unposted() const { return unposted_; }

  void SetupForm() override;
  void OnRowCountChanged(int delta) override;
  bool CanAppendRow() override { return false; }
  void DrawFrame(VyDC& dc) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  void PutCell(int row, int col, const std::string& section, const std::string& text) override;
  bool OnCommand(int command) override;
  bool IsCommandEnabled(int command) override;

  std::vector<std::string> ReportHead() override;
  std::string WindowSubject() override;
  std::vector<std::string> ColumnCaptions() override;
  ReportColumnKind ColumnKind(int col) override;

 private:
  std::string Text(int row, int col) const;

  CVyDataEnv& env_;
  InterestParams params_;
  std::vector<YearFileSpan> yearFiles_;
  std::vector<InterestRow> rows_;
  bool unposted_ = false;
};
