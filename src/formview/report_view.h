#pragma once
// CVyReportView: the base of every report window (ledgers, balance tables, queries, interest …). Beside the
// form engine it states what a report is outside of its picture — the topic and head lines, one caption per
// column — and offers 导出(&E)... in its context menu, so that every report can be written out as CSV rows
// or printed pages. The command-line tool prints a report through the same object.
#include <string>
#include <vector>

#include "formview/form_view.h"

namespace vycmd {
constexpr int kExport = 32990;  // 导出(&E)...: the host asks the file and writes it
}

// What a column's cells hold, for a writer that keeps figures as numbers (the Excel workbook): text (codes,
// names, directions, dates), an amount (two places, grouped), or another figure — a quantity, a price, a
// rate, a product — shown with its own decimals.
enum class ReportColumnKind { kText, kAmount, kFigure };

class CVyReportView : public CVyFormView {
 public:
  CVyReportView();

  // The title line and the page-head lines, as the page shows them (items of a line joined by tabs).
  virtual std::vector<std::string> ReportHead() = 0;
  // The page-foot lines the window shows under its rows (items of a line joined by tabs); none by default.
  virtual std::vector<std::string> ReportFoot() { return {}; }
  // What went wrong in working the report out while it could still be shown (a statement's formula that
  // failed): the tool prints them and ends with status 1; none by default.
  virtual std::vector<std::string> ReportProblems() { return {}; }
  // One caption per column of the grid, from the form head (group captions joined to their columns).
  virtual std::vector<std::string> ColumnCaptions() = 0;
  // The texts of the grid's rows, each cell as DrawCell draws it (never cut to the column's width).
  // Views whose page carries more than the grid's rows (a totals line) add it.
  virtual std::vector<std::vector<std::string>> ReportRows();
  // How many rows of the grid hold the report: all of them unless the view knows better (a ledger before
  // its first build has its empty starting rows, which are no report rows).
  virtual int ReportRowCount() { return TextRows(); }
  // One cell's text as DrawCell draws it; a view that holds its cells' texts may hand them over directly.
  virtual std::string ReportCell(int row, int col);
  // What column col holds. By default the first row's input mask says it: a number with two places is an
  // amount, with other places a figure, without places (a day, a mark) text. Read-only views, whose cells
  // carry no number masks, say it themselves.
  virtual ReportColumnKind ColumnKind(int col);

  // The window's title: the topic without its spacing ("三栏式帐页"), then what the window shows (the
  // account, the date) so that open windows can be told apart in the title bar and the 窗口 menu.
  std::string WindowTitle();
  // The account, date or span the window shows now; "" before anything is loaded.
  virtual std::string WindowSubject() { return ""; }
  // 'YYYYMMDD' as "2026年3月9日" for a title; other texts unchanged.
  static std::string DateWords(const std::string& date);

 protected:
  // Adds 导出(&E)... to the context menu. Derived views call it first from their own SetupForm.
  void SetupForm() override;
};
