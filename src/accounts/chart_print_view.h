#pragma once
// CHobdSubjectPrint: the account catalogue " 会计科目表 " — the chart, or the sub-tree of one account, depth
// first, each account with its level and its auxiliary-accounting marks, ready to print. It opens empty;
// Ctrl+O (or Enter on the empty table) asks the starting point. Enter on an account with sub-accounts shows
// the catalogue from that account, Esc goes back to its parent's.
#include <functional>
#include <string>
#include <vector>

#include "accounts/chart_print_dlg.h"
#include "base/platform.h"
#include "formview/report_view.h"

class CHobdSubjectPrint : public CVyReportView {
 public:
  struct Row {
    std::string code;
    std::string name;  // indented by two blanks a level below the first
    int level = 1;
    std::string multi, side, kind;  // "多栏"; "借" or "贷"; "数量金额" or "外币"
  };
  static constexpr int kFormFlag = 8;

  CHobdSubjectPrint();

  // Repaints the window at once, so the progress bar shows while the table is built.
  std::function<void()> paintNow;

  // Ctrl+O: asks the starting point and builds the catalogue; false when the year has no accounts or the
  // dialog was cancelled.
  bool AskStart();
  // A confirmed choice: keeps the starting code, stamps today as the print time, builds the catalogue.
  void Confirm(const CSubjectChoiceDlg& choice);
  // Builds the catalogue from start ("" the whole chart); the current cell goes to the first row.
  void Build(const std::string& start);

  const std::string& StartCode() const { return start_; }
  const std::vector<Row>& Rows() const { return rows_; }
  const std::string& PrintTime() const { return printTime_; }
  // Percent of the rows built while building, else -1.
  int Progress() const { return progress_; }

  std::vector<std::string> ReportHead() override;
  std::string WindowSubject() override;
  std::vector<std::string> ColumnCaptions() override;

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  bool CanEditCell(int, int, const std::string&) override { return false; }
  void OnKeyDown(VyKey key, bool shift, bool ctrl) override;
  bool OnCommand(int command) override;
  bool IsCommandEnabled(int command) override;

 private:
  void Walk(const std::string& parent, long total);
  std::string Text(int row, int col, const std::string& section);
  void DrawProgress(VyDC& dc);

  std::string start_;
  std::vector<Row> rows_;
  std::string printTime_ = "打印时间：×× 年 × 月 × 日";
  int progress_ = -1;
};
