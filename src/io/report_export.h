#pragma once
// A report written out as text (one line a row, cells joined by tabs) or as CSV (UTF-8 with a byte-order
// mark, RFC 4180 quoting, the captions first). The window's 导出 and the command-line tool both write here.
#include <string>
#include <vector>

class CVyReportView;

// GBK text: the rows; with head, the topic and head lines and the column captions before them.
std::string ReportAsText(CVyReportView& view, bool head);
// UTF-8 bytes of the CSV file.
std::string ReportAsCsv(CVyReportView& view);
// One CSV field quoted when it must be (a comma, a quote, a line break, blanks at its ends).
std::string CsvField(const std::string& utf8);
// Writes bytes to a file (a file-system path); false with the system's reason when it cannot be written.
bool WriteFileBytes(const std::string& path, const std::string& bytes, std::string& error);
