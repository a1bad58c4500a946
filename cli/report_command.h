#pragma once
// tavrel-cli report KIND FILE [options] [--format text|csv|pdf|xlsx] [--output PATH [--force]] [--operator OPNO]
// [--head]:
// a report kind fills its window's parameter dialog from the options, runs the dialog's checks (a refusal
// shows the dialog's own message, on standard error here) and builds the window's own view, which is then
// written out. Each kind adds itself with RegisterReportKind in a file of its own.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli_support.h"

class CVyDataEnv;
class CVyReportView;

struct ReportKind {
  std::string name;
  int command;                     // the menu command whose window this is: its right is needed

  std::string options;             // its options, for the usage text
  std::vector<std::string> flags;  // its options that take no value
  // The loaded view (InitForm done, rows built); nullptr after a refusal's message.
  std::function<std::unique_ptr<CVyReportView>(CVyDataEnv& env, const CliOptions& options)> build;
};
struct RegisterReportKind {
  explicit RegisterReportKind(ReportKind k);
};

// Every report kind, in the order the files registered them.
const std::vector<ReportKind>& ReportKinds();
// The options every kind takes, after its own.
extern const char* const kReportCommonOptions;
// The usage of one kind: the command line with its own options and the common ones.
std::string ReportKindUsage(const ReportKind& kind);

// Prints a view's pages into a PDF file through the program's printing path (cli/report_pdf.cpp).
bool PrintReportPdf(CVyReportView& view, const std::string& utf8Path, std::string& error);
// The tool a PDF report is handed to (the same command line), "" when this one prints PDF itself.
std::string PdfTool();
