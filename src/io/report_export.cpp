#include "io/report_export.h"

#include <strings.h>

#include <cstring>

#include "base/gbk.h"
#include "base/platform.h"
#include "data/vy_data_env.h"
#include "formview/vy_report_view.h"
#include "io/report_workbook.h"
#include "io/safe_output.h"

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

bool ExportReport(CVyReportView& view, const std::string& gbkPath,
                  const std::function<bool(const std::string& nativePath)>& printPdf) {
  OutputTarget target{gbkPath, view.DataEnv() ? view.DataEnv()->dataFile : std::string(), true};
  std::string refusal = OutputRefusal(target.path, target.book);
  if (!refusal.empty()) {
    ShowMessage(refusal, MsgIcon::Stop);
    return false;
  }
  if (OutputExists(target.path) &&
      ShowMessage("“" + target.path + "”已存在。\r要替换它吗？", MsgIcon::Exclamation, MsgButtons::YesNo,
                  MsgAnswer::No) != MsgAnswer::Yes)
    return false;
  std::string error;
  auto endsWith = [&](const char* ext) {
    size_t n = strlen(ext);
    return gbkPath.size() > n && strcasecmp(gbkPath.c_str() + gbkPath.size() - n, ext) == 0;
  };
  bool pdf = endsWith(".pdf");
  bool ok = endsWith(".xlsx") ? WriteOutputFile(
                                    target,
                                    [&](const std::string& native, int, std::string& why) {
                                      return WriteReportWorkbook(view, native, why);
                                    },
                                    error)
          : pdf ? WriteOutputFile(
                      target,
                      [&](const std::string& native, int, std::string& why) {
                        if (printPdf(native)) return true;
                        why = "打印没有完成。";
                        return false;
                      },
                      error)
                : WriteOutputFile(target, ReportAsCsv(view), error);
  if (!ok) ShowMessage(error, MsgIcon::Stop);
  return ok;
}
