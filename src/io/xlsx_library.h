// The Excel writer is opened when the first workbook is written, not when the program starts.
#pragma once

#include <string>

// Opens libxlsxwriter if it is not open yet; empty when it is open, else what is missing.
std::string XlsxwriterMissing();
