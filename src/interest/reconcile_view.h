#pragma once
// CQirnpz4: the balance reconciliation statement window, read-only. 打开 asks the parameters again and
// rebuilds the statement.
#include <string>
#include <vector>

#include "data/data_env.h"
#include "formview/report_view.h"
#include "interest/reconcile_statement.h"

class CQirnpz4 : public CVyReportView {
 public:
  explicit CQirnpz4(CVyDataEnv& env);

  // Takes the parameters and builds the texts and the statement. On a database error the message is shown
  // and the window keeps what it showed; false then.
  bool Build(const ReconcileParams& params);
  void Reopen();

  const ReconcileParams& Params() const { return params_; }
  const std::vector<ReconcileRow>& Rows() const { return rows_; }
  const std::string& AccountText() const { return accountText_; }
  const std::string& DateText() const { return dateText_; }

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  bool OnCommand(int command) override;

  std::vector<std::string> ReportHead() override;
  std::string WindowSubject() override;
  std::vector<std::string> ColumnCaptions() override;
  ReportColumnKind ColumnKind(int col) override;

 private:
  std::string Text(int row, int col) const;

  CVyDataEnv& env_;
  ReconcileParams params_;
  std::string accountText_, dateText_;
  std::vector<ReconcileRow> rows_;
};
