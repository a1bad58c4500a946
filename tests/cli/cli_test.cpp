// Runs tavrel-cli as a user would and reads what it prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/cli_run.h"
#include "support/temp_dir.h"

TEST(Cli, CreatesOpensAndQueriesAnAccountSet) {
  TempDir dir;
  std::string folder = dir.Path() + "/帐套";
  CliResult made = RunCli("create-set '" + folder + "'");
  ASSERT_EQ(made.status, 0) << made.out;
  std::string year = made.out.substr(made.out.find(".vyx") - 4, 4);
  std::string file = folder + "/" + year + ".vyx";
  EXPECT_EQ(made.out, file + " 帐套建立成功！\n");

  CliResult opened = RunCli("open '" + file + "'");
  ASSERT_EQ(opened.status, 0) << opened.out;
  EXPECT_NE(opened.out.find("单位名\t××单位\n"), std::string::npos);
  EXPECT_NE(opened.out.find("操作员\t102 ×××\n"), std::string::npos);
  EXPECT_NE(opened.out.find("权限\t0201 0202 0203 0204 0301"), std::string::npos);
  CliResult admin = RunCli("open '" + file + "' 101");
  EXPECT_NE(admin.out.find("权限\t0101 \n"), std::string::npos);

  CliResult q = RunAdmin("sql '" + file + "' \"SELECT rtrim(NA),rtrim(KJ),PY,MM,JT,T1,T13 FROM SYSTAB\"");
  EXPECT_EQ(q.out, "Expr1000\tExpr1001\tPY\tMM\tJT\tT1\tT13\n××单位\t×××\t" + year + "\t0\t031\t" + year +
                       "0101\t" + year + "1231\n");
  CliResult ins = RunAdmin("sql '" + file + "' \"insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('" +
                         year + "0105','0',1,'收款','101',-1,12.5,0,'4','01')\"");
  EXPECT_EQ(ins.out, "1\n");
  CliResult sum =
      RunAdmin("sql '" + file + "' \"select count(*),sum(f*my),cstr(70) from p0 where trim(kno)='101'\"");
  EXPECT_EQ(sum.out, "Expr1000\tExpr1001\tExpr1002\n1\t-12.5\t70\n");

  CliResult next = RunAdmin("new-year '" + file + "' " + std::to_string(std::stoi(year) + 1));
  EXPECT_EQ(next.status, 0) << next.out;
  CliResult again = RunAdmin("new-year '" + file + "' " + std::to_string(std::stoi(year) + 1));
  EXPECT_EQ(again.status, 1);
}

TEST(Cli, ReportsErrorsWithStatusOne) {
  TempDir dir;
  CliResult missing = RunCli("open '" + dir.Path() + "/2001.vyx'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "该文件不存在！\n");
  RunCli("create-set '" + dir.Path() + "'");
  std::string file = dir.Path() + "/" + "*.vyx";
  CliResult bad = RunAdmin("sql " + file + " \"select nosuch from opr\"");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("nosuch"), std::string::npos);
  EXPECT_EQ(RunCli("bogus").status, 2);
}

TEST(Cli, EvaluatesExpressions) {
  struct Case {
    const char* args;
    int status;
    const char* out;
  } cases[] = {
      {"eval 1/3", 0, "0.333333\n"},
      {"eval '2^3^2'", 0, "512\n"},
      {"eval 'sqrt(4)'", 0, "2.000000\n"},  // mathematical functions keep six decimals
      {"eval '\"3\"+4'", 0, "34\n"},
      {"eval '\"总\"+\"计\"'", 0, "总计\n"},
      {"eval 'money(10020.30)'", 0, "壹万零贰拾元叁角\n"},
      {"eval 'num(-305.7)'", 0, "-三○五\n"},
      {"eval '(1+2'", 1, "括号出错！ 位置：4\n"},
      {"eval '1 & 2'", 1, "运算符号出错！ 位置：3\n"},
      {"eval", 2, nullptr},
  };
  for (const Case& c : cases) {
    CliResult r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args;
    if (c.out) {
      EXPECT_EQ(r.out, c.out) << c.args;
    }
  }
}

TEST(Cli, ListsPeriodsAndFullNames) {
  TempDir dir;
  CliResult made = RunCli("create-set '" + dir.Path() + "'");
  ASSERT_EQ(made.status, 0) << made.out;
  std::string year = made.out.substr(made.out.find(".vyx") - 4, 4);
  std::string file = "'" + dir.Path() + "/" + year + ".vyx'";

  CliResult calendar = RunCli("periods " + file);
  ASSERT_EQ(calendar.status, 0) << calendar.out;
  EXPECT_EQ(calendar.out.substr(0, calendar.out.find('\n') + 1), "1\t" + year + "0101\t" + year + "0131\n");
  EXPECT_NE(calendar.out.find("\n12\t" + year + "1201\t" + year + "1231\n"), std::string::npos);
  // Closing on the 5th of the following month: period 12 spans the whole year.
  RunAdmin("sql " + file + " \"update systab set jt='105',t1='" + year + "0106',t13='" +
         std::to_string(std::stoi(year) + 1) + "0105'\"");
  CliResult next5th = RunCli("periods " + file);
  EXPECT_EQ(next5th.out.substr(0, next5th.out.find('\n') + 1), "1\t" + year + "0106\t" + year + "0205\n");
  EXPECT_NE(next5th.out.find("\n12\t" + year + "0106\t" + std::to_string(std::stoi(year) + 1) + "0105\n"),
            std::string::npos);

  for (std::string row : {"'1001','银行存款',1", "'1001-2','工商银行',2", "'1001-2-3','城西分理处',3"})
    RunAdmin("sql " + file + " \"insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values(" + row +
           ",'0','0','0',0,0)\"");
  EXPECT_EQ(RunCli("fullname " + file + " 1001-2-3 84").out, "银行存款/工商银行/城西分理处\n");
  EXPECT_EQ(RunCli("fullname " + file + " 1001-2-3 27").out, "银行存款/../城西分理处\n");
  CliResult missing = RunCli("fullname " + file + " 1001-9 84");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "帐户代码“1001-9”不存在！\n");
  EXPECT_EQ(RunCli("fullname " + file + " 1001 wide").status, 1);
}

TEST(Cli, PrintsWholeValuesAndFailsOnEveryRefusal) {
  TempDir dir;
  std::string folder = dir.Path() + "/s";
  ASSERT_EQ(RunCli("create-set '" + folder + "'").status, 0);
  CliResult made = RunAdmin("sql '" + folder + "/'*.vyx \"select opno from opr\"");
  ASSERT_EQ(made.status, 0) << made.out;
  CliResult nul = RunAdmin("sql '" + folder + "/'*.vyx 'select chr$(0)+\"x\", opno from opr order by opno'");
  EXPECT_EQ(nul.out,
            std::string("Expr1000\tOPNO\n") + std::string("\0x\t101\n", 7) + std::string("\0x\t102\n", 7));
  CliResult unknown = RunCli("open '" + folder + "/'*.vyx 999");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "无此操作员！\n");
}

// The tool itself never loads Qt: a text report pays nothing for printing, nor for the PostgreSQL client
// or the Excel writer, which are opened when a run needs them. A PDF report goes to the twin beside it, and
// a tool without its twin says so instead of writing nothing.
TEST(Cli, LeavesQtToThePdfTwin) {
  CliResult libs = RunCommand("LD_DEBUG=libs " + std::string(TAVREL_CLI) + " eval 1");
  EXPECT_NE(libs.out.find("libstdc++"), std::string::npos) << libs.out;
  for (const char* unneeded : {"libQt6", "libpq", "libxlsxwriter", "libsqlite3"})
    EXPECT_EQ(libs.out.find(unneeded), std::string::npos) << unneeded;

  // A build without the Qt program has no twin: its tool says it cannot print.
  if (!std::filesystem::exists(std::filesystem::path(TAVREL_CLI).parent_path() / "tavrel-cli-pdf"))
    GTEST_SKIP() << "built without the Qt program";
  TempDir dir;
  ASSERT_EQ(RunCli("create-set '" + dir.Path() + "'").status, 0);
  std::string file = dir.Path() + "/*.vyx";
  std::filesystem::path lonely = dir.File("alone/tavrel-cli");
  std::filesystem::create_directories(lonely.parent_path());
  std::filesystem::copy_file(TAVREL_CLI, lonely);
  std::string pdf = dir.File("catalogue.pdf");
  CliResult alone =
      RunCommand(lonely.string() + " report catalogue " + file + " --format pdf --output '" + pdf + "'");
  EXPECT_EQ(alone.status, 1);
  EXPECT_NE(alone.out.find("无法启动“" + lonely.parent_path().string() + "/tavrel-cli-pdf”"),
            std::string::npos)
      << alone.out;
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST(Cli, CreatesAnAccountSetWithAChartOfAccounts) {
  TempDir dir;
  struct Case {
    const char* chart;
    int status;
    std::string accounts;  // the count the new set's chart holds; "" when none is made
  } cases[] = {
      {" --chart standard", 0, "156"},
      {" --chart project", 0, "25"},
      {" --chart none", 0, "0"},
      {"", 0, "0"},
      {" --chart nonesuch", 1, ""},
      {" --chart", 2, ""},
  };
  int n = 0;
  for (const Case& c : cases) {
    std::string folder = dir.Path() + "/set" + std::to_string(++n);
    CliResult made = RunCli("create-set '" + folder + "'" + c.chart);
    EXPECT_EQ(made.status, c.status) << c.chart << ": " << made.out;
    if (c.accounts.empty()) {
      EXPECT_FALSE(std::filesystem::exists(folder) && !std::filesystem::is_empty(folder)) << c.chart;
      continue;
    }
    std::string file = made.out.substr(0, made.out.find(".vyx") + 4);
    CliResult count = RunAdmin("sql '" + file + "' \"select count(*) from subt\"");
    EXPECT_EQ(count.out, "Expr1000\n" + c.accounts + "\n") << c.chart;
  }
  CliResult refused = RunCli("create-set '" + dir.Path() + "/x' --chart nonesuch");
  EXPECT_EQ(refused.out, "找不到科目表“nonesuch”（可选：standard、small、project、none）。\n");
}
