#include "report_command.h"

#include <cstdio>

#include "base/gbk.h"
#include "data/vy_data_env.h"
#include "formview/vy_report_view.h"
#include "io/report_export.h"
#include "report_options.h"

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
  if (std::string wrong = ReportOptionRefusal(kind->options, options); !wrong.empty()) return Fail(wrong);
  std::string format = options.Get("format", "text");
  if (format != "text" && format != "csv" && format != "pdf") return Fail("格式应为 text、csv 或 pdf。");
  std::string output = options.Get("output");
  if (format == "pdf" && output.empty()) return Fail("PDF 输出需要 --output 文件名。");
  if (format == "pdf" && !PdfTool().empty()) return RunInstead(PdfTool());

  CVyDataEnv env;
  if (!OpenYear(env, options.positional[0], options.Get("operator"))) return 1;
  if (std::string wrong = ReportCodeRefusal(env, kind->options, options); !wrong.empty()) return Fail(wrong);
  std::unique_ptr<CVyReportView> view = kind->build(env, options);
  if (!view) return 1;

  std::string utf8Output = gbk::ToUtf8(output);
  if (format == "pdf") {
    if (!PrintReportPdf(*view, utf8Output, error)) return Fail(error);
    return 0;
  }
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
     "report KIND FILE [options] [--format text|csv|pdf] [--output PATH] [--operator OPNO] [--head]", Report,
     KindsUsage});

}  // namespace

RegisterReportKind::RegisterReportKind(ReportKind k) {
  Kinds().push_back(std::move(k));
}
