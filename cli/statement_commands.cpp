// tavrel-cli's financial statements: `report statement` through the window's dialog and view,
// `statement-template` printing or loading a template as CSV, and `close-pl` closing a month's profit and
// loss as 结转损益 does (the postings are listed, and made only when the question is answered 是: --yes).
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "base/gbk.h"
#include "base/platform.h"
#include "base/text.h"
#include "cli_support.h"
#include "data/data_env.h"
#include "data/db_guard.h"
#include "report_command.h"
#include "statements/pl_closing.h"
#include "statements/statement.h"
#include "statements/statement_dlg.h"
#include "statements/statement_view.h"

namespace {

using Args = std::vector<std::string>;

const RegisterReportKind kStatement({"statement",
                                     cmd::kStatements,
                                     "--form NAME --month M [--narrow]",
                                     {"narrow"},
                                     [](CVyDataEnv& env, const CliOptions& o) {
                                       std::unique_ptr<CVyReportView> none;
                                       CStatementDlg dlg(env);
                                       dlg.monthText = o.Get("month");
                                       if (!dlg.OnInitDialog()) return none;
                                       dlg.name = o.Get("form", dlg.name);
                                       dlg.narrow = o.Has("narrow");
                                       if (!dlg.OnOK()) return none;
                                       auto view = std::make_unique<CStatementView>(env);
                                       view->InitForm();
                                       if (!view->Build(dlg)) return none;
                                       return std::unique_ptr<CVyReportView>(std::move(view));
                                     }});

std::string FunctionHelp() {
  std::string text = "公式中可用的函数（金额为借方减贷方，行次的金额按本栏计算）：\n";
  for (const std::string& line : StatementFunctionHelp()) text += "  " + line + "\n";
  return text;
}
const RegisterKindDetails kStatementHelp("statement", FunctionHelp);

int StatementTemplateCommand(const Args& a) {
  CliOptions o;
  std::string error;
  if (!ParseOptions(a, {}, o, error)) return Fail(error);
  if (o.positional.size() != 1 || (!o.Has("form") && !o.Has("load"))) return -1;
  for (const auto& [name, value] : o.values)
    if (name != "form" && name != "load") return -1;
  CVyDataEnv env;
  if (!OpenYear(env, o.positional[0], o.Has("load") ? cmd::kStatementTemplates : cmd::kStatements)) return 1;
  std::vector<std::string> names;
  if (!RunCatchingDbErrors([&] { names = StatementNamesInstalling(env); })) return 1;
  if (o.Has("load")) {
    std::ifstream in(gbk::ToUtf8(o.Get("load")), std::ios::binary);
    if (!in) return Fail("无法读取文件“" + o.Get("load") + "”。");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    StatementTemplate t;
    if (!ParseTemplateCsv(text, t, error)) return Fail(error);
    if (o.Has("form")) t.name = o.Get("form");
    bool ok = false;
    if (!RunCatchingDbErrors([&] {
          StatementFigures chart(env, true);
          error = FormulaRefusal(t, chart);
        }))
      return 1;
    if (!error.empty()) return Fail(error);
    ok = SaveStatement(env, t);
    if (!ok) return 1;
    Print("报表模板“" + t.name + "”已保存（" + Format("%zu", t.lines.size()) + " 行）。");
    return 0;
  }
  StatementTemplate t;
  bool found = false;
  if (!RunCatchingDbErrors([&] { found = LoadStatement(env, o.Get("form"), t); })) return 1;
  if (!found) return Fail("没有报表“" + o.Get("form") + "”。");
  std::string csv = TemplateCsv(t);
  std::fwrite(csv.data(), 1, csv.size(), stdout);
  return 0;
}

int ClosePl(const Args& a) {
  CliOptions o;
  std::string error;
  if (!ParseOptions(a, {"yes"}, o, error)) return Fail(error);
  if (o.positional.size() != 1 || !o.Has("month")) return -1;
  for (const auto& [name, value] : o.values)
    if (name != "month" && name != "yes") return -1;
  Cli().answerYes = o.Has("yes");
  CVyDataEnv env;
  if (!OpenYear(env, o.positional[0], cmd::kClosePl)) return 1;
  std::string m = o.Get("month");
  if (m.empty() || m.size() > 2 || m.find_first_not_of("0123456789") != std::string::npos)
    return Fail("选项 --month 应为 1 到 12 的月份。");
  ClosingPlan plan;
  if (!RunCatchingDbErrors([&] { plan = PlanClosing(env, std::atoi(m.c_str())); })) return 1;
  if (!plan.refusal.empty()) return Fail(plan.refusal);
  if (plan.postings.empty()) {
    Print(Format("%d月没有要结转的损益。", plan.month));
    return 0;
  }
  Print(Format("结转%d月损益，%s：", plan.month, plan.date.c_str()));
  for (const std::string& line : PlanLines(plan)) Print("  " + line);
  if (ShowMessage("记帐吗？", MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes) {
    Print("没有记帐（加 --yes 记帐）。");
    return 1;
  }
  if (!PostClosing(env, plan)) return 1;
  Print(Format("已记帐 %zu 笔。", plan.postings.size()));
  return 0;
}

const RegisterCliCommand kCommands[] = {
    RegisterCliCommand({"statement-template",
                        "statement-template FILE --form NAME | --load CSV [--form NAME]   print or load a "
                        "statement's template as CSV",
                        StatementTemplateCommand, FunctionHelp}),
    RegisterCliCommand({"close-pl", "close-pl FILE --month M [--yes]   close the month's profit and loss (结转损益)",
                        ClosePl}),
};

}  // namespace
