#include "io/report_export.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/gbk.h"
#include "formview/vy_report_view.h"

namespace {

std::string JoinTabs(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) line += '\t';
    line += cells[i];
  }
  return line;
}

std::string CsvLine(const std::vector<std::string>& gbkCells) {
  std::string line;
  for (size_t i = 0; i < gbkCells.size(); ++i) {
    if (i) line += ',';
    line += CsvField(gbk::ToUtf8(gbkCells[i]));
  }
  return line + "\r\n";
}

}  // namespace

std::string ReportAsText(CVyReportView& view, bool head) {
  std::string out;
  if (head) {
    for (const std::string& line : view.ReportHead()) out += line + "\n";
    out += JoinTabs(view.ColumnCaptions()) + "\n";
  }
  for (const auto& row : view.ReportRows()) out += JoinTabs(row) + "\n";
  if (head)
    for (const std::string& line : view.ReportFoot()) out += line + "\n";
  return out;
}

std::string ReportAsCsv(CVyReportView& view) {
  std::string out = "\xEF\xBB\xBF";
  out += CsvLine(view.ColumnCaptions());
  for (const auto& row : view.ReportRows()) out += CsvLine(row);
  return out;
}

std::string CsvField(const std::string& utf8) {
  bool quote = utf8.find_first_of(",\"\r\n") != std::string::npos ||
               (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '));
  if (!quote) return utf8;
  std::string q = "\"";
  for (char c : utf8) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

bool WriteFileBytes(const std::string& path, const std::string& bytes, std::string& error) {
  FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) error = std::strerror(errno);
  return ok;
}
