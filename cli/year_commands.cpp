// tavrel-cli's commands on account sets and year files: create-set, new-year, open, sql, periods, fullname;
// and eval, the calculator without a file.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "accounts/account_full_name.h"
#include "accounts/chart_templates.h"
#include "accounts/period.h"
#include "app/command_table.h"
#include "base/text.h"
#include "calc/evaluator.h"
#include "cli_support.h"
#include "data/data_env.h"
#include "data/database.h"
#include "data/year_files.h"

namespace {

using Args = std::vector<std::string>;

int CreateSet(const Args& a) {
  std::string folder, chart;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == "--chart" && i + 1 < a.size())
      chart = a[++i];
    else if (folder.empty() && a[i].rfind("--", 0) != 0)
      folder = a[i];
    else
      return -1;
  }
  if (folder.empty()) return -1;
  if (chart == "none") chart.clear();
  if (!chart.empty() && !FindChartTemplate(chart)) {
    std::string known;
    for (const ChartTemplate& c : ChartTemplates()) known += std::string(known.empty() ? "" : "、") + c.name;
    return Fail("找不到科目表“" + chart + "”（可选：" + known + "、none）。");
  }
  int year = Plat().Now().year;
  if (IsAccountSetFolder(folder)) return Fail("该路径已被Tavrel用户使用！");
  if (!MakeFolders(folder, kPrivateFolderMode)) return Fail("所给路径非法，不能建立目录");
  std::string error;
  std::string path = CreateAccountSetWithChart(folder, year, chart, error);
  if (path.empty()) return Fail(error);
  Print(path + " 帐套建立成功！");
  return 0;
}

int NewYear(const Args& a) {
  if (a.size() != 2) return -1;
  const std::string& year = a[1];
  CVyDataEnv env;
  if (!OpenYear(env, a[0], cmd::kNewYear)) return 1;
  if (!CanCreateYear(year, YearList(env.dataDir, env.extension)))
    return Fail("“" + year + "”不能作为新的年度：应为 4 位数字，不小于 1990，且该年度文件尚不存在。");
  CreateNextYearFile(env, std::atoi(year.c_str()));
  Print(year + "年数据文件建立完毕！");
  return 0;
}

int Open(const Args& a) {
  if (a.empty() || a.size() > 2) return -1;
  if (a.size() == 2) CliOperator() = a[1];
  CVyDataEnv env;
  if (!OpenYear(env, a[0], 0)) return 1;
  Print("文件\t" + env.dataFile);
  Print("单位名\t" + env.unitName);
  Print("会计主管\t" + env.chiefAccountant);
  Print(Format("年度\t%d", env.year));
  Print(Format("已月结月\t%d", env.closedMonth));
  Print("年初日\t" + env.startDate);
  Print("年末日\t" + env.endDate);
  Print("月结日\t" + env.closingDay);
  Print("操作员\t" + env.opno + " " + env.opName);
  Print("权限\t" + env.rights);
  return 0;
}

int Sql(const Args& a) {
  if (a.size() != 2) return -1;
  const std::string& statement = a[1];
  size_t start = statement.find_first_not_of(" \t\r\n(");
  bool isSelect = start != std::string::npos && strncasecmp(statement.c_str() + start, "select", 6) == 0;
  // A statement reaches everything in the file, operators and passwords too: the administrator's right,
  // as for the operators' dialog. Any file of ours will do (a backup where it lies); a SELECT only reads.
  CVyDataEnv env;
  if (!OpenAnyFile(env, a[0], cmd::kOperators, isSelect)) return 1;
  jet::Database& db = *env.Db();
  if (!isSelect) {
    Print(Format("%d", db.Execute(statement)));
    return 0;
  }
  auto c = db.Query(statement);
  std::string line;
  for (int i = 0; i < c->ColumnCount(); ++i) line += (i ? "\t" : "") + c->ColumnName(i);
  Print(line);
  for (; !c->AtEnd(); c->Next()) {
    line.clear();
    for (int i = 0; i < c->ColumnCount(); ++i) line += (i ? "\t" : "") + c->Text(i);
    Print(line);
  }
  return 0;
}

int Eval(const Args& a) {
  if (a.size() != 1) return -1;
  CCaculate calc;
  CalcValue value;
  if (!calc.Evaluate(a[0], value)) {
    CalcError e = calc.GetError();
    return Fail(Format("%s 位置：%d", e.message.c_str(), e.position));
  }
  Print(value.text);
  return 0;
}

int Periods(const Args& a) {
  if (a.size() != 1) return -1;
  CVyDataEnv env;
  if (!OpenYear(env, a[0], 0)) return 1;
  AccountingYear year = YearOf(env);
  for (int p = 1; p <= 12; ++p) {
    PeriodDates dates = AccountingPeriod(year, p);
    Print(Format("%d\t%s\t%s", p, dates.first.c_str(), dates.last.c_str()));
  }
  return 0;
}

int FullName(const Args& a) {
  if (a.size() != 3) return -1;
  const std::string& width = a[2];
  if (width.empty() || width.find_first_not_of("0123456789") != std::string::npos || width.size() > 4)
    return Fail("宽度应为字节数（一个不大的正整数）。");
  CVyDataEnv env;
  if (!OpenYear(env, a[0], cmd::kAccountQuery)) return 1;
  std::string name = AccountFullName(env, a[1], std::atoi(width.c_str()));
  if (name.empty()) return Fail("帐户代码“" + a[1] + "”不存在！");
  Print(name);
  return 0;
}

const RegisterCliCommand kCommands[] = {
    RegisterCliCommand({"create-set",
                        "create-set FOLDER [--chart standard|small|project]  make an account set with this year's "
                        "file, its chart of accounts empty or the one named",
                        CreateSet}),
    RegisterCliCommand(
        {"new-year", "new-year FILE YEAR         make the next year's file beside FILE", NewYear}),
    RegisterCliCommand(
        {"open", "open FILE [OPNO]           validate and log in; print the year's settings and the rights",
         Open}),
    RegisterCliCommand(
        {"sql", "sql FILE STATEMENT         run one statement of the program's SQL dialect (administrator)",
         Sql}),
    RegisterCliCommand(
        {"eval", "eval EXPRESSION            compute an expression as the calculator does", Eval}),
    RegisterCliCommand(
        {"periods", "periods FILE               the year's accounting periods and their dates", Periods}),
    RegisterCliCommand({"fullname",
                        "fullname FILE CODE WIDTH   an account's name with its ancestors, cut to WIDTH bytes",
                        FullName}),
};

}  // namespace
