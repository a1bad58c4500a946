#pragma once
// One level of the opening-balance browser as a report: the accounts of the level with the side and the
// amount of their opening balances, and the level's totals in the page head. The rows are the browser's
// own (COpeningBrowserDlg, which the view holds), so the list in the dialog and the printed or exported level
// never differ.
#include <string>
#include <vector>

#include "accounts/opening_browser_dlg.h"
#include "formview/report_view.h"

class COpeningLevelView : public CVyReportView {
 public:
  static constexpr int kFormFlag = 20;  // a form of its own: no stored settings of another form apply

  explicit COpeningLevelView(CVyDataEnv& env);

  // The browser whose current level the view shows; the dialog walks the chart with it.
  COpeningBrowserDlg& Browser() { return browser_; }
  // The browser's level changed (another level, a save): the grid follows.
  void Reload();

  std::vector<std::string> ReportHead() override;
  std::vector<std::string> ColumnCaptions() override;
  ReportColumnKind ColumnKind(int col) override;

  void SetupForm() override;
  void DrawFrame(VyDC& dc) override;
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override;
  void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit) override;
  bool CanEditCell(int, int, const std::string&) override { return false; }

 private:
  std::string Text(int row, int col, const std::string& section) const;
  std::string Totals() const;
  COpeningBrowserDlg browser_;
};
