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
class CYearBooksDlg;

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

// More lines of a kind's help (the functions a statement's formulas may call): added by the kind's file.
struct RegisterKindDetails {
  RegisterKindDetails(const std::string& kind, std::function<std::string()> details);
};
// The kind's further help, "" when it has none.
std::string KindDetails(const std::string& kind);
// The kind's usage and further help, on standard output.
void PrintKindHelp(const ReportKind& kind);

// Every report kind, in the order the files registered them.
const std::vector<ReportKind>& ReportKinds();
// The options every kind takes, after its own.
extern const char* const kReportCommonOptions;
// The usage of one kind: the command line with its own options and the common ones.
std::string ReportKindUsage(const ReportKind& kind);

// Where printed pages go (texts in GBK): the print queue of --printer when it is given ("default": the
// system's default queue), else a PDF file.
struct PrintOrder {
  std::string pdfPath;
  std::string printer;
  bool replace = false;  // existing files of a PDF folder may be replaced (--force)
};
// The queue name --printer gives: "" for "default".
std::string QueueName(const std::string& printerOption);

// Prints a view's pages through the program's printing path (cli/printing.cpp).
bool PrintReport(CVyReportView& view, const PrintOrder& order, std::string& error);
// print-books: the dialog's books to the queue of order.printer, or into the folder order.pdfPath (one PDF
// per ledger and the combined one); the exit status.
int PrintBooksTo(CVyDataEnv& env, const CYearBooksDlg& dialog, const PrintOrder& order);
// The tool printing is handed to (the same command line), "" when this one prints itself.
std::string PdfTool();
