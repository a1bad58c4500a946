#include "report_command.h"

#include <cstdio>

#include "base/gbk.h"
#include "data/vy_data_env.h"
#include "formview/vy_report_view.h"
#include "io/report_export.h"

namespace {

std::vector<ReportKind>& Kinds() {
  static std::vector<ReportKind> kinds;
  return kinds;
}

int Report(const std::vector<std::string>& args) {
  if (args.size() < 2) return -1;
  const ReportKind* kind = nullptr;
  for (const ReportKind& k : Kinds())
    if (k.name == args[0]) kind = &k;
  if (!kind) return Fail("没有这种报表：“" + args[0] + "”。");
  std::vector<std::string> flags = kind->flags;
  flags.push_back("head");
  CliOptions options;
  std::string error;
  if (!ParseOptions({args.begin() + 1, args.end()}, flags, options, error)) return Fail(error);
  if (options.positional.size() != 1) return -1;
  std::string format = options.Get("format", "text");
  if (format != "text" && format != "csv" && format != "pdf") return Fail("格式应为 text、csv 或 pdf。");
  std::string output = options.Get("output");
  const bool toPrinter = options.Has("printer");
  if (toPrinter && (options.Has("format") || options.Has("output")))
    return Fail("--printer 把报表的页送往打印机，不能与 --format 或 --output 同用。");
  if (toPrinter && options.Get("printer").empty()) return Fail("--printer 需要打印机名（或 default）。");
  if (format == "pdf" && output.empty()) return Fail("PDF 输出需要 --output 文件名。");
  if ((format == "pdf" || toPrinter) && !PdfTool().empty()) return RunInstead(PdfTool());

  CVyDataEnv env;
  if (!OpenYear(env, options.positional[0], options.Get("operator"))) return 1;
  std::unique_ptr<CVyReportView> view = kind->build(env, options);
  if (!view) return 1;

  if (format == "pdf" || toPrinter) {
    if (!PrintReport(*view, {output, options.Get("printer")}, error)) return Fail(error);
    return 0;
  }
  std::string utf8Output = gbk::ToUtf8(output);
  std::string bytes =
      format == "csv" ? ReportAsCsv(*view) : gbk::ToUtf8(ReportAsText(*view, options.Has("head")));
  if (output.empty()) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return 0;
  }
  if (!WriteFileBytes(utf8Output, bytes, error)) return Fail("无法写入“" + output + "”：" + error);
  return 0;
}

std::string KindsUsage() {
  std::string text;
  for (const ReportKind& k : Kinds()) text += "      " + k.name + " " + k.options + "\n";
  return text;
}

const RegisterCliCommand kReport(
    {"report",
     "report KIND FILE [options] [--format text|csv|pdf] [--output PATH] [--printer NAME|default] "
     "[--operator OPNO] [--head]",
     Report,
     KindsUsage});

}  // namespace

std::string QueueName(const std::string& printerOption) {
  return printerOption == "default" ? std::string() : printerOption;
}

RegisterReportKind::RegisterReportKind(ReportKind k) {
  Kinds().push_back(std::move(k));
}
