#pragma once
// What the ledger tests share: the book fixture and a view's rows as tab-joined lines.
#include <string>
#include <vector>

#include "formview/report_view.h"
#include "ledger_book.h"

inline std::vector<std::string> RowTexts(CVyReportView& view) {
  std::vector<std::string> out;
  for (const auto& row : view.ReportRows()) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) line += (i ? "\t" : "") + row[i];
    out.push_back(line);
  }
  return out;
}
