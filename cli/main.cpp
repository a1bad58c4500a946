// tavrel-cli: account sets, year files, the SQL dialect, the calculator, periods and account names from the
// command line. Arguments are UTF-8; everything printed is UTF-8.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "accounts/account_full_name.h"
#include "accounts/period.h"
#include "base/gbk.h"
#include "base/platform.h"
#include "base/text.h"
#include "calc/caculate.h"
#include "data/jet/database.h"
#include "data/jet/db_error.h"
#include "data/vy_data_env.h"
#include "data/year_files.h"

namespace {

void Print(const std::string& gbkText) {
  std::fputs((gbk::ToUtf8(gbkText) + "\n").c_str(), stdout);
}
int Fail(const std::string& gbkText) {
  std::fputs((gbk::ToUtf8(gbkText) + "\n").c_str(), stderr);
  return 1;
}

// Messages of the core go to standard output as they come; questions take their default answer.
class CliPlatform : public Platform {
 public:
  CliPlatform() : base_(Plat()) { SetPlatform(this); }
  MsgAnswer MessageBox(const std::string& text, const std::string&, MsgIcon, MsgButtons,
                       MsgAnswer defaultButton) override {
    Print(text);
    return defaultButton;
  }
  std::string ClipboardText() override { return {}; }
  void SetClipboardText(const std::string&) override {}
  DateTime Now() override { return base_.Now(); }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  std::optional<std::string> ReadSetting(const std::string&) override { return std::nullopt; }
  bool WriteSetting(const std::string&, const std::string&) override { return true; }
  FileFacts QueryFile(const std::string& path) override { return base_.QueryFile(path); }
  std::vector<std::string> Printers() override { return {}; }

 private:
  Platform& base_;
};

bool ToGbk(const char* utf8, std::string& out) {
  auto g = gbk::FromUtf8(utf8);
  if (!g) return false;
  out = *g;
  return true;
}

int Usage() {
  std::fputs(
      "usage:\n"
      "  tavrel-cli create-set FOLDER          make an account set with this year's file\n"
      "  tavrel-cli new-year FILE YEAR         make the next year's file beside FILE\n"
      "  tavrel-cli open FILE [OPNO]           validate and log in; print the year's settings\n"
      "  tavrel-cli sql FILE STATEMENT         run one statement of the program's SQL dialect\n"
      "  tavrel-cli eval EXPRESSION            compute an expression as the calculator does\n"
      "  tavrel-cli periods FILE               the year's accounting periods and their dates\n"
      "  tavrel-cli fullname FILE CODE WIDTH   an account's name with its ancestors, cut to WIDTH bytes\n",
      stderr);
  return 2;
}

int CreateSet(const std::string& folder) {
  int year = Plat().Now().year;
  if (IsAccountSetFolder(folder)) return Fail("该路径已被Tavrel用户使用！");
  if (!MakeFolders(folder)) return Fail("所给路径非法，不能建立目录");
  std::string path = CreateAccountSetFile(folder, year);
  Print(path + " 帐套建立成功！");
  return 0;
}

int NewYear(const std::string& file, const std::string& year) {
  CVyDataEnv env;
  if (!env.Open(file, "", 1)) return 1;
  if (!CanCreateYear(year, YearList(env.dataDir, env.extension)))
    return Fail("“" + year + "”不能作为新的年度：应为 4 位数字，不小于 1990，且该年度文件尚不存在。");
  CreateNextYearFile(env, std::atoi(year.c_str()));
  Print(year + "年数据文件建立完毕！");
  return 0;
}

int Open(const std::string& file, const std::string& opno) {
  CVyDataEnv env;
  if (!env.Open(file, opno, 1)) return 1;
  env.LoadRights();
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

int Sql(const std::string& file, const std::string& statement) {
  jet::Database db;
  db.Open(file);
  size_t start = statement.find_first_not_of(" \t\r\n(");
  bool isSelect = start != std::string::npos && strncasecmp(statement.c_str() + start, "select", 6) == 0;
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

int Eval(const std::string& expression) {
  CCaculate calc;
  CalcValue value;
  if (!calc.Evaluate(expression, value)) {
    CalcError e = calc.GetError();
    return Fail(Format("%s 位置：%d", e.message.c_str(), e.position));
  }
  Print(value.text);
  return 0;
}

int Periods(const std::string& file) {
  CVyDataEnv env;
  if (!env.Open(file, "", 1)) return 1;
  AccountingYear year = YearOf(env);
  for (int p = 1; p <= 12; ++p) {
    PeriodDates dates = AccountingPeriod(year, p);
    Print(Format("%d\t%s\t%s", p, dates.first.c_str(), dates.last.c_str()));
  }
  return 0;
}

int FullName(const std::string& file, const std::string& code, const std::string& width) {
  if (width.empty() || width.find_first_not_of("0123456789") != std::string::npos || width.size() > 4)
    return Fail("宽度应为字节数（一个不大的正整数）。");
  CVyDataEnv env;
  if (!env.Open(file, "", 1)) return 1;
  std::string name = AccountFullName(env, code, std::atoi(width.c_str()));
  if (name.empty()) return Fail("帐户代码“" + code + "”不存在！");
  Print(name);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) return Usage();
  CliPlatform platform;
  std::vector<std::string> args;
  for (int i = 2; i < argc; ++i) {
    std::string g;
    if (!ToGbk(argv[i], g)) return Fail(Format("参数“%s”含有 GBK 不能表示的字符。", argv[i]));
    args.push_back(g);
  }
  std::string cmd = argv[1];
  try {
    if (cmd == "create-set" && args.size() == 1) return CreateSet(args[0]);
    if (cmd == "new-year" && args.size() == 2) return NewYear(args[0], args[1]);
    if (cmd == "open" && (args.size() == 1 || args.size() == 2))
      return Open(args[0], args.size() == 2 ? args[1] : "");
    if (cmd == "sql" && args.size() == 2) return Sql(args[0], args[1]);
    if (cmd == "eval" && args.size() == 1) return Eval(args[0]);
    if (cmd == "periods" && args.size() == 1) return Periods(args[0]);
    if (cmd == "fullname" && args.size() == 3) return FullName(args[0], args[1], args[2]);
  } catch (const jet::DbError& e) {
    return Fail(e.what());
  }
  return Usage();
}
