#pragma once
// A report written out as text (one line a row, cells joined by tabs) or as CSV (UTF-8 with a byte-order
// mark, RFC 4180 quoting, the captions first, texts that a spreadsheet would run as formulas marked). The window's 导出 and the command-line tool both write here.
#include <functional>
#include <string>
#include <vector>

class CVyReportView;

// GBK text: the rows; with head, the topic and head lines and the column captions before them.
std::string ReportAsText(CVyReportView& view, bool head);
// UTF-8 bytes of the CSV file.
std::string ReportAsCsv(CVyReportView& view);
// One CSV field quoted when it must be (a comma, a quote, a line break, blanks at its ends).
std::string CsvField(const std::string& utf8);
// A text cell as a CSV file holds it: one that begins with "=", "+", "-", "@", a tab or a carriage return,
// which a spreadsheet would take for a formula, gets a leading "'". Figures in a column of figures (an
// amount "-1,234.50") are written as they are.
std::string CsvText(const std::string& text);
// 导出: the rows as CSV, as an Excel workbook (a name ending in .xlsx), or (a name ending in .pdf) the printed pages through printPdf, which prints into
// the new file at the native path it is given. A year file or database is refused, an existing file is
// replaced only after the question, and the file is written whole (io/safe_output.h). Messages go through
// the platform; true when the file was written.
bool ExportReport(CVyReportView& view, const std::string& gbkPath,
                  const std::function<bool(const std::string& nativePath)>& printPdf);
