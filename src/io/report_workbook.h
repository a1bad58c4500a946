#pragma once
// A report written as an Excel workbook: one sheet named after the report, the title and head lines above
// the table, the column captions as a frozen header row, then the rows. Amounts and other figures become
// numeric cells (amounts formatted "#,##0.00", quantities and prices with the decimals the window shows);
// codes, names and directions stay text, and so does any text that looks like a formula.
#include <optional>
#include <string>

class CVyReportView;

// Writes the workbook to a file-system path; false with a message (GBK) when it cannot be written.
bool WriteReportWorkbook(CVyReportView& view, const std::string& utf8Path, std::string& error);

// The value of a figure's cell text as the window shows it ("1,234.50", "-3.0000", blanks around):
// nullopt when the text is no plain number (blank, a word, an overflow mark). decimals gets the places shown.
std::optional<double> FigureValue(const std::string& text, int* decimals = nullptr);

// A sheet name from the report's title: without the characters a sheet name may not hold, at most 31
// characters, "报表" when nothing is left. GBK in, GBK out.
std::string SheetName(const std::string& title);
