// tavrel-cli import postings and the entry-month and entry-day reports, as a script would use them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

// A new account set in dir with the accounts given as "('code','name',level)": the year file, quoted for the
// shell, and its year.
std::string SetWithAccounts(const TempDir& dir, std::string& y, std::initializer_list<const char*> accounts) {
  CliResult made = RunCli("create-set '" + dir.Path() + "/s'");
  y = made.out.substr(made.out.find(".vyx") - 4, 4);
  std::string file = "'" + dir.Path() + "/s/" + y + ".vyx'";
  for (const char* a : accounts)
    RunAdmin("sql " + file + " \"insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values" +
             std::string(a).insert(std::string(a).size() - 1, ",'0','0','0',0,0") + "\"");
  return file;
}

TEST(EntryCli, PostingsGoInWholeOrNotAtAllAndTheWindowsShowThem) {
  TempDir dir;
  std::string y;
  const std::string file = SetWithAccounts(dir, y, {"('101','现金',1)", "('102','银行存款',1)", "('102-1','工商银行',2)"});
  std::string head = "date,account,summary,debit,credit,mark,quantity\n";
  std::ofstream(dir.Path() + "/bad.csv")
      << head << y + "0105,101,收款,100,,2,\n" + y + "0105,102,收款,,100,,\n";
  CliResult bad = RunCli("import postings " + file + " '" + dir.Path() + "/bad.csv'");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "第 3 行：帐户代码不存在或非最低明细帐户\n");
  EXPECT_EQ(RunAdmin("sql " + file + " \"select count(*) from p0\"").out, "Expr1000\n0\n");

  std::ofstream(dir.Path() + "/good.csv")
      << head << y + "0105,101,收款,100,,2,\n" + y + "0105,102-1,收款,,100,,\n"
      << y + "0107,101,付款,,30.5,1,\n";
  CliResult good = RunCli("import postings " + file + " '" + dir.Path() + "/good.csv'");
  EXPECT_EQ(good.status, 0) << good.out;
  EXPECT_EQ(RunCli("report entry-month " + file + " --code 101 --year " + y + " --month 1").out,
            "05\t收款\t100.00\t\t双方达\n07\t付款\t\t30.50\t对方达\n"
            "\t本  月  合  计(对方达另计 贷 30.50)\t100.00\t0.00\t\n");
  // With the head, the foot lines too: what the window shows under its rows.
  std::string headed =
      RunCli("report entry-month " + file + " --code 101 --year " + y + " --month 1 --head").out;
  EXPECT_NE(headed.find("\t本  月  合  计(对方达另计 贷 30.50)\t100.00\t0.00\t\n"
                        "会计主管：×××\t记帐：×××\t出纳：\t月初：0.00\t月末：100.00(借)\n"),
            std::string::npos)
      << headed;
  EXPECT_EQ(RunCli("report entry-day " + file + " --date " + y + "0105").out,
            "收款\t现金\t100.00\t\t双方达\n收款\t银行存款/工商银行\t\t100.00\t本帐达\n借贷平衡\t合       "
            "计\t100.00\t100.00\t\n");
  CliResult refused = RunCli("report entry-day " + file + " --date " + y + "0230");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "2 月没有 30 日，请重输\n");
}

}  // namespace

namespace {

// An import whose days do not balance names them and goes in; with --balanced it refuses the whole file.
// The trial balance of the bookkeeper (not the administrator) then shows the difference.
TEST(EntryCli, UnbalancedDaysAreNamedRefusedWithBalancedAndShownInTheTrialBalance) {
  TempDir dir;
  std::string y;
  const std::string file = SetWithAccounts(dir, y, {"('101','现金',1)", "('102','银行存款',1)"});
  std::ofstream(dir.Path() + "/p.csv") << "date,account,summary,debit,credit,mark,quantity\n"
                                       << y + "0105,101,收款,100,,0,\n" + y + "0105,102,收款,,100,,\n"
                                       << y + "0107,101,付款,,30.5,0,\n" + y + "0108,102,存入,20,,1,\n";
  const std::string csv = " '" + dir.Path() + "/p.csv'";
  const std::string named = y + "0107 借贷不平衡：借 0.00，贷 30.50，差额 30.50\n";
  CliResult refused = RunCli("import postings --balanced " + file + csv);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "有 1 天借贷不平衡（--balanced），整个文件未导入：\n" + named);
  EXPECT_EQ(RunAdmin("sql " + file + " \"select count(*) from p0\"").out, "Expr1000\n0\n");
  EXPECT_EQ(RunCli("import openings --balanced " + file + csv).status, 2);  // only postings take it: the usage

  CliResult taken = RunCli("import postings " + file + csv);
  EXPECT_EQ(taken.status, 0);
  EXPECT_EQ(taken.out, named + "4 行已导入。\n");  // the 对方达 row is outside the books

  CliResult trial = RunCli("report trial " + file + " --month 1");
  EXPECT_EQ(trial.status, 0) << trial.out;
  EXPECT_EQ(trial.out,
            "101\t现金\t\t\t100.00\t30.50\t69.50\t\n"
            "102\t银行存款\t\t\t\t100.00\t\t100.00\n"
            "\t合    计\t0.00\t0.00\t100.00\t130.50\t69.50\t100.00\n"
            "\t试算结果\t\t平\t\t贷多 30.50\t\t贷多 30.50\n");
  EXPECT_NE(RunCli("report trial " + file + " --month 2 --head").out.find("借贷不平：期初 贷多 30.50"),
            std::string::npos);
  EXPECT_EQ(RunCli("report trial " + file + " --month 13").out, "月份应为 1 至 12。\n");
}

}  // namespace
