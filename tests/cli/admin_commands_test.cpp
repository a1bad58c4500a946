// carry-forward, copy-info and backup run as a script would run them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

bool Has(const CliResult& r, const std::string& text) {
  return r.out.find(text) != std::string::npos;
}

TEST(CliAdmin, CarryForwardAsksThroughYesAndCopyInfoRefusesWhatIsNotOffered) {
  TempDir dir;
  std::string set = dir.Path() + "/set", other = dir.Path() + "/other";
  ASSERT_EQ(RunCli("create-set " + set).status, 0);
  ASSERT_EQ(RunCli("create-set " + other).status, 0);
  std::string y = RunCli("open " + set + "/*.vyx").out;
  int year = std::stoi(y.substr(y.find("年度\t") + 7, 4));
  std::string first = set + "/" + std::to_string(year) + ".vyx";
  std::string next = set + "/" + std::to_string(year + 1) + ".vyx";
  RunAdmin(
      "sql " + first +
      " \"insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('101','现金',1,'0','0',NULL,'0',0,0)\"");
  RunAdmin("sql " + first + " \"insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('" +
         std::to_string(year) + "0105','0',1,'x','101',-1,1234.5,0,'4','01')\"");
  ASSERT_EQ(RunAdmin("new-year " + first + " " + std::to_string(year + 1)).status, 0);

  // Without --yes the first question is answered 否 and nothing happens.
  CliResult no = RunAdmin("carry-forward " + next + " --balances");
  EXPECT_EQ(no.status, 1);
  EXPECT_TRUE(Has(no, "以上选择正确吗？")) << no.out;
  EXPECT_EQ(RunAdmin("sql " + next + " \"select count(*) from subt\"").out, "Expr1000\n0\n");

  CliResult yes = RunAdmin("carry-forward " + next + " --balances --yes");
  EXPECT_EQ(yes.status, 0) << yes.out;
  EXPECT_TRUE(Has(yes, "贷方合计：1,234.50\n")) << yes.out;
  EXPECT_TRUE(Has(yes, "结转前的数据已备份到：\n" + set + "/备份/")) << yes.out;
  EXPECT_EQ(RunAdmin("sql " + next + " \"select trim(kno),f,my from p0\"").out,
            "Expr1000\tF\tMY\n101\t-1\t1234.5\n");

  CliResult refused =
      RunAdmin("copy-info " + next + " " + other + "/" + std::to_string(year) + ".vyx --accounts");
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(Has(refused, "不能拷贝会计科目")) << refused.out;
  CliResult self = RunAdmin("copy-info " + next + " " + next + " --pages");
  EXPECT_TRUE(Has(self, "不能把自己拷贝到自己，请重新选择！")) << self.out;
  CliResult pages = RunAdmin("copy-info " + next + " " + other + "/" + std::to_string(year) + ".vyx --pages");
  EXPECT_EQ(pages.status, 0) << pages.out;
  EXPECT_TRUE(Has(pages, "拷贝结束 ！")) << pages.out;

  CliResult backup = RunAdmin("backup " + next);
  EXPECT_EQ(backup.status, 0);
  EXPECT_EQ(backup.out.rfind(set + "/备份/" + std::to_string(year + 1) + "-", 0), 0u) << backup.out;
  EXPECT_EQ(RunAdmin("carry-forward " + next + " --bogus x").status, 2);
}

}  // namespace

namespace {

// Income and expense balances are not carried into the next year's openings unless the tool is told to keep
// them; closed month by month with close-pl, the year's profit is carried in 本年利润 instead.
TEST(CliAdmin, CarryForwardWaitsForProfitAndLossToBeClosed) {
  TempDir dir;
  std::string set = dir.Path() + "/set";
  ASSERT_EQ(RunCli("create-set " + set + " --chart standard").status, 0);
  std::string y = RunCli("open " + set + "/*.vyx").out;
  std::string year = y.substr(y.find("年度\t") + 7, 4);
  std::string first = set + "/" + year + ".vyx", next = set + "/" + std::to_string(std::stoi(year) + 1) + ".vyx";
  std::string csv = dir.Path() + "/p.csv";
  std::FILE* f = std::fopen(csv.c_str(), "w");
  std::fputs(("date,account,summary,debit,credit,mark,quantity\n" + year + "0110,1002,销售,5000.00,,2,\n" + year +
              "0110,6001,销售,,5000.00,2,\n" + year + "0215,6602,办公费,1200.00,,2,\n" + year +
              "0215,1002,办公费,,1200.00,2,\n")
                 .c_str(),
             f);
  std::fclose(f);
  ASSERT_EQ(RunCli("import postings " + first + " " + csv).status, 0);
  ASSERT_EQ(RunAdmin("new-year " + first + " " + std::to_string(std::stoi(year) + 1)).status, 0);
  auto openings = [&] {
    return RunAdmin("sql " + next + " \"select trim(kno),f,my from p0 where rn=0 order by kno\"").out;
  };

  CliResult refused = RunAdmin("carry-forward " + next + " --balances --yes");
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(Has(refused, "6001 主营业务收入 贷 5,000.00")) << refused.out;
  EXPECT_TRUE(Has(refused, "close-pl")) << refused.out;
  EXPECT_EQ(openings(), "Expr1000\tF\tMY\n");

  EXPECT_EQ(RunAdmin("carry-forward " + next + " --balances --yes --keep-pl").status, 0);
  EXPECT_EQ(openings(), "Expr1000\tF\tMY\n1002\t1\t3800\n6001\t-1\t5000\n6602\t1\t1200\n");

  CliResult listed = RunCli("close-pl " + first + " --month 1");
  EXPECT_EQ(listed.status, 1);
  EXPECT_TRUE(Has(listed, "6001 主营业务收入  借  5,000.00")) << listed.out;
  for (const char* m : {"1", "2"}) EXPECT_EQ(RunCli("close-pl " + first + " --month " + m + " --yes").status, 0);
  EXPECT_TRUE(Has(RunCli("close-pl " + first + " --month 2 --yes"), "没有要结转的损益"));
  CliResult carried = RunAdmin("carry-forward " + next + " --balances --yes");
  EXPECT_EQ(carried.status, 0) << carried.out;
  EXPECT_EQ(openings(), "Expr1000\tF\tMY\n1002\t1\t3800\n4103\t-1\t3800\n");

  // Templates travel with the page settings: another set's replace those of the same name.
  std::string other = dir.Path() + "/other";
  ASSERT_EQ(RunCli("create-set " + other + " --chart project").status, 0);
  std::string source = other + "/" + year + ".vyx";
  EXPECT_TRUE(Has(RunCli("report statement " + source + " --form 利润表 --month 1"), "项目收入"));
  EXPECT_FALSE(Has(RunCli("statement-template " + next + " --form 利润表"), "项目收入"));
  EXPECT_EQ(RunAdmin("copy-info " + next + " " + source + " --pages").status, 0);
  EXPECT_TRUE(Has(RunCli("statement-template " + next + " --form 利润表"), "项目收入"));
}

// A forgotten administrator's password: clear-password needs no login, takes a copy first and leaves the
// operator to log in without a password; a server's account set and an unknown operator are refused.
TEST(CliAdmin, AForgottenPasswordIsClearedWithACopyTakenFirst) {
  TempDir dir;
  const std::string set = "'" + dir.Path() + "/s'";
  ASSERT_EQ(RunCli("create-set " + set).status, 0);
  std::string year;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path() + "/s"))
    if (e.path().extension() == ".vyx") year = e.path().filename().string();
  const std::string yearFile = "'" + dir.Path() + "/s/" + year + "'";
  ASSERT_EQ(RunAdmin("sql " + yearFile + " \"update opr set psd='secret' where opno='101'\"").status, 0);
  EXPECT_EQ(RunCliAs("101", "", "sql " + yearFile + " \"select count(*) from opr\"").status, 1);

  CliResult unknown = RunCli("clear-password " + yearFile + " 109");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.out.find("109"), std::string::npos) << unknown.out;
  EXPECT_EQ(RunCli("clear-password 'postgresql://host/set#2026' 101").status, 1);
  CliResult cleared = RunCli("clear-password " + yearFile + " 101");
  EXPECT_EQ(cleared.status, 0) << cleared.out;
  EXPECT_NE(cleared.out.find("操作员 101 的口令已清除"), std::string::npos) << cleared.out;
  EXPECT_EQ(RunCliAs("101", "", "sql " + yearFile + " \"select trim(psd) from opr where opno='101'\"").out,
            "Expr1000\n\n");
  EXPECT_FALSE(std::filesystem::is_empty(dir.Path() + "/s/备份"));
}

}  // namespace
