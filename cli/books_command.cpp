// tavrel-cli print-books FILE [--from M] [--to M] [--kinds K,…] (--printer NAME | --pdf DIR [--force]):
// every account's ledger of the year and the balance table, as 打印全部帐页 prints them in the window, of
// the kinds the operator may see. The files of a PDF folder replace what is there only with --force.
#include "app/command_table.h"
#include "cli_support.h"
#include "data/data_env.h"
#include "report_command.h"
#include "reports/year_books_dlg.h"

namespace {

int PrintBooks(const std::vector<std::string>& args) {
  CliOptions options;
  std::string error;
  std::vector<std::string> rest = args;
  for (std::string& a : rest)
    if (a == "-f") a = "--force";
  if (!ParseOptions(rest, {"force"}, options, error)) return Fail(error);
  if (options.positional.size() != 1) return -1;
  const bool toPrinter = options.Has("printer"), toFolder = options.Has("pdf");
  if (toPrinter == toFolder) return Fail("需要 --printer 打印机名（或 default）或 --pdf 文件夹，二者取一。");
  if (toPrinter ? options.Get("printer").empty() : options.Get("pdf").empty())
    return Fail(toPrinter ? "--printer 需要打印机名（或 default）。" : "--pdf 需要文件夹名。");
  for (const auto& [name, value] : options.values)
    if (name != "printer" && name != "pdf" && name != "from" && name != "to" && name != "kinds" &&
        name != "operator" && name != "force")
      return Fail("print-books 没有选项 --" + name + "。");
  if (!PdfTool().empty()) return RunInstead(PdfTool());

  CVyDataEnv env;
  if (!OpenYear(env, options.positional[0], cmd::kPrintBooks)) return 1;
  CYearBooksDlg dialog(env);
  dialog.startMonth = options.Get("from", dialog.startMonth);
  dialog.endMonth = options.Get("to", dialog.endMonth);
  if (options.Has("kinds") && !ParseBookKinds(options.Get("kinds"), dialog.kinds, error)) return Fail(error);
  if (!dialog.Confirm()) return 1;
  if (!dialog.withheld.empty()) Fail(dialog.withheld);
  PrintOrder order;
  if (toPrinter)
    order.printer = options.Get("printer");
  else
    order.pdfPath = options.Get("pdf");
  order.replace = options.Has("force");
  return PrintBooksTo(env, dialog, order);
}

const RegisterCliCommand kPrintBooks(
    {"print-books",
     "print-books FILE [--from M] [--to M] [--kinds ledger,multi,quantity,currency,balance] "
     "(--printer NAME|default | --pdf DIR [--force])",
     PrintBooks});

}  // namespace
