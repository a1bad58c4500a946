#include "io/report_export.h"

#include <strings.h>

#include <cstring>
#include <string_view>

#include "base/gbk.h"
#include "base/platform.h"
#include "data/data_env.h"
#include "formview/report_view.h"
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

// kinds: what each column holds; a text cell gets the mark that keeps a spreadsheet from running it.
std::string CsvLine(const std::vector<std::string>& gbkCells, const std::vector<ReportColumnKind>& kinds) {
  std::string line;
  for (size_t i = 0; i < gbkCells.size(); ++i) {
    if (i) line += ',';
    bool figure = i < kinds.size() && kinds[i] != ReportColumnKind::kText && FigureValue(gbkCells[i]);
    line += CsvField(gbk::ToUtf8(figure ? gbkCells[i] : CsvText(gbkCells[i])));
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
  std::vector<ReportColumnKind> kinds;
  for (int c = 0; c < view.ColumnCount(); ++c) kinds.push_back(view.ColumnKind(c));
  std::string out = "\xEF\xBB\xBF";
  out += CsvLine(view.ColumnCaptions(), {});
  for (const auto& row : view.ReportRows()) out += CsvLine(row, kinds);
  return out;
}

std::string CsvText(const std::string& text) {
  if (text.empty() || std::string_view("=+-@\t\r").find(text.front()) == std::string_view::npos) return text;
  return "'" + text;
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
  if (!AskToReplace(ExistingOutputs({target.path}))) return false;
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
