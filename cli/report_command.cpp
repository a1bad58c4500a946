#include "report_command.h"

#include <cstdio>
#include <map>

#include "base/gbk.h"
#include "data/data_env.h"
#include "formview/report_view.h"
#include "base/file_facts.h"
#include "io/report_export.h"
#include "report_options.h"
#include "io/safe_output.h"
#include "io/report_workbook.h"

namespace {

std::vector<ReportKind>& Kinds() {
  static std::vector<ReportKind> kinds;
  return kinds;
}

const ReportKind* FindKind(const std::string& name) {
  for (const ReportKind& k : Kinds())
    if (k.name == name) return &k;
  return nullptr;
}

// report --help: every kind's usage; report KIND --help: that kind's.
int Help(const std::vector<std::string>& args) {
  const ReportKind* kind = args.empty() ? nullptr : FindKind(args[0]);
  if (kind) {
    PrintKindHelp(*kind);
    return 0;
  }
  for (const ReportKind& k : Kinds()) PrintKindHelp(k);
  return 0;
}

int Report(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--help") return Help(args);
  if (args.size() < 2) return -1;
  const ReportKind* kind = FindKind(args[0]);
  if (!kind) return Fail("没有这种报表：“" + args[0] + "”。");
  std::vector<std::string> flags = kind->flags;
  flags.push_back("head");
  flags.push_back("force");
  std::vector<std::string> rest(args.begin() + 1, args.end());
  for (std::string& a : rest)
    if (a == "-f") a = "--force";
  CliOptions options;
  std::string error;
  if (!ParseOptions(rest, flags, options, error)) return Fail(error);
  if (options.positional.size() != 1) return -1;
  if (std::string wrong = ReportOptionRefusal(kind->options, options); !wrong.empty()) return Fail(wrong);
  std::string format = options.Get("format", "text");
  if (format != "text" && format != "csv" && format != "pdf" && format != "xlsx")
    return Fail("格式应为 text、csv、pdf 或 xlsx。");
  std::string output = options.Get("output");
  const bool toPrinter = options.Has("printer");
  if (toPrinter && (options.Has("format") || options.Has("output")))
    return Fail("--printer 把报表的页送往打印机，不能与 --format 或 --output 同用。");
  if (toPrinter && options.Get("printer").empty()) return Fail("--printer 需要打印机名（或 default）。");
  if (format == "pdf" && output.empty()) return Fail("PDF 输出需要 --output 文件名。");
  // The output is looked at before anything else runs: a refusal costs no report.
  OutputTarget target{output, ResolveIgnoringCase(options.positional[0]), options.Has("force")};
  if (!output.empty()) {
    std::string refusal = OutputRefusal(target.path, target.book);
    if (!refusal.empty()) return Fail(refusal);
    if (!target.replace && OutputExists(output))
      return Fail(ExistingRefusal({output}));
  }
  if (format == "xlsx" && output.empty()) return Fail("Excel 工作簿需要 --output 文件名。");
  if ((format == "pdf" || toPrinter) && !PdfTool().empty()) return RunInstead(PdfTool());

  CVyDataEnv env;
  if (!OpenYear(env, options.positional[0], kind->command)) return 1;
  if (std::string wrong = ReportCodeRefusal(env, kind->options, options); !wrong.empty()) return Fail(wrong);
  std::unique_ptr<CVyReportView> view = kind->build(env, options);
  if (!view) return 1;
  target.book = env.dataFile;
  // The report is written whatever went wrong inside it, and what did is told and ends the run with 1.
  const std::vector<std::string> problems = view->ReportProblems();
  for (const std::string& p : problems) Fail(p);
  const int done = problems.empty() ? 0 : 1;

  if (toPrinter) {
    if (!PrintReport(*view, {"", options.Get("printer")}, error)) return Fail(error);
    return done;
  }
  if (format == "pdf") {
    bool ok = WriteOutputFile(
        target,
        [&](const std::string& native, int, std::string& why) {
          return PrintReport(*view, {gbk::FromUtf8(native).value_or(native), ""}, why);
        },
        error);
    return ok ? done : Fail(error);
  }
  if (format == "xlsx") {
    bool ok = WriteOutputFile(
        target, [&](const std::string& native, int, std::string& why) { return WriteReportWorkbook(*view, native, why); },
        error);
    return ok ? done : Fail(error);
  }
  std::string bytes =
      format == "csv" ? ReportAsCsv(*view) : gbk::ToUtf8(ReportAsText(*view, options.Has("head")));
  if (output.empty()) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return done;
  }
  if (!WriteOutputFile(target, bytes, error)) return Fail(error);
  return done;
}

std::string KindsUsage() {
  std::string text;
  for (const ReportKind& k : Kinds()) text += "      " + k.name + " " + k.options + "\n";
  return text;
}

const RegisterCliCommand kReport({"report", std::string("report KIND FILE [options] ") + kReportCommonOptions,
                                  Report, KindsUsage});

}  // namespace

const char* const kReportCommonOptions = "[--format text|csv|pdf|xlsx] [--output PATH [--force]] [--printer NAME|default] [--operator OPNO] [--head]";

const std::vector<ReportKind>& ReportKinds() {
  return Kinds();
}

std::string ReportKindUsage(const ReportKind& kind) {
  return "tavrel-cli report " + kind.name + " FILE " + kind.options + " " + kReportCommonOptions;
}

std::string QueueName(const std::string& printerOption) {
  return printerOption == "default" ? std::string() : printerOption;
}

namespace {
std::map<std::string, std::function<std::string()>>& Details() {
  static std::map<std::string, std::function<std::string()>> details;
  return details;
}
}  // namespace

RegisterKindDetails::RegisterKindDetails(const std::string& kind, std::function<std::string()> details) {
  Details()[kind] = std::move(details);
}

std::string KindDetails(const std::string& kind) {
  auto it = Details().find(kind);
  return it == Details().end() ? "" : it->second();
}

void PrintKindHelp(const ReportKind& kind) {
  Print(ReportKindUsage(kind));
  if (std::string more = KindDetails(kind.name); !more.empty()) std::fputs(gbk::ToUtf8(more).c_str(), stdout);
}

RegisterReportKind::RegisterReportKind(ReportKind k) {
  Kinds().push_back(std::move(k));
}
