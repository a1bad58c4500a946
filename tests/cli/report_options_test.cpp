// Report options are taken only as their dialog fields would take them, and codes only when they name an
// account; imports of accounts follow the code rules; check lists what is wrong in a year file.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

class ReportOptions : public ::testing::Test {
 protected:
  void SetUp() override {
    CliResult made = RunCli("create-set '" + dir.Path() + "/s'");
    ASSERT_EQ(made.status, 0) << made.out;
    y = made.out.substr(made.out.find(".vyx") - 4, 4);
    file = "'" + dir.Path() + "/s/" + y + ".vyx'";
    Csv("accounts.csv", "code,name,kind,unit,multi,side,width\n101,现金,,,,,\n102,银行存款,,,,,\n102-1,工行,,,,,\n");
    ASSERT_EQ(RunCli("import accounts " + file + " " + Csv("accounts.csv")).status, 0);
    Csv("postings.csv", "date,account,summary,debit,credit,mark,quantity\n" + y + "0105,101,收款,100,,0,\n" + y +
                            "0105,102-1,收款,,100,2,\n");
    ASSERT_EQ(RunCli("import postings " + file + " " + Csv("postings.csv")).status, 0);
  }
  std::string Csv(const std::string& name, const std::string& text = "") {
    std::string path = dir.Path() + "/" + name;
    if (!text.empty()) std::ofstream(path) << text;
    return "'" + path + "'";
  }
  TempDir dir;
  std::string y, file;
};

TEST_F(ReportOptions, EveryOptionIsCheckedAsItsFieldAndARefusalNamesIt) {
  const std::string code = "不合帐户代码的规则（各级为不以 0 开头的数字，以“-”相连，最多 14 个字符、6 级）";
  const std::string amount = "应为金额（数字，可带小数点和负号，不带千分位逗号）";
  const std::pair<std::string, std::string> cases[] = {
      {"ledger --code '1*'", "选项 --code 的值“1*”不对：" + code},
      {"ledger --code '100?'", "选项 --code 的值“100?”不对：" + code},
      {"ledger --code '1002-*'", "选项 --code 的值“1002-*”不对：" + code},
      {"ledger --code '[1]002'", "选项 --code 的值“[1]002”不对：" + code},
      {"ledger --code 0101", "选项 --code 的值“0101”不对：" + code},
      {"ledger --code 1009", "选项 --code 的值“1009”不对：科目表中没有这个帐户"},
      {"catalogue --code 103", "选项 --code 的值“103”不对：科目表中没有这个帐户"},
      {"balance --date " + y + "010599", "选项 --date 的值“" + y + "010599”不对：应为 YYYYMMDD 形式的日期（8 位数字）"},
      {"balance --date " + y + "0105abc", "选项 --date 的值“" + y + "0105abc”不对：应为 YYYYMMDD 形式的日期（8 位数字）"},
      {"entry-day --date 105", "选项 --date 的值“105”不对：应为 YYYYMMDD 形式的日期（8 位数字）"},
      {"entry-month --code 101 --year " + y + " --month 2.9", "选项 --month 的值“2.9”不对：应为月份（一到两位数字）"},
      {"entry-month --code 101 --year " + y + "x --month 1", "选项 --year 的值“" + y + "x”不对：应为四位数字的年份"},
      {"ledger --code 101 --from 1.5", "选项 --from 的值“1.5”不对：应为月份（一到两位数字）"},
      {"reconcile --code 102-1 --from " + y + "0101 --to " + y + "0131 --other 1,000",
       "选项 --other 的值“1,000”不对：" + amount},
      {"reconcile --code 102-1 --from " + y + "0101 --to " + y + "0131 --other abc",
       "选项 --other 的值“abc”不对：" + amount},
      {"reconcile --code 102-1 --from " + y + "0101 --to " + y + "0131 --other 1e3",
       "选项 --other 的值“1e3”不对：" + amount},
      {"search --amount 1,000", "选项 --amount 的值“1,000”不对：" + amount},
      {"interest --from " + y + "0101 --to " + y + "0131 --rate -1", "选项 --rate 的值“-1”不对：应为不小于零的利率数字"},
      {"ledger --code 101 --mode wide", "选项 --mode 的值“wide”不对：应为 auto、detail、summary 之一"},
      {"ledger --code 101 --colour red", "这种报表没有选项 --colour"},
      {"ledger --code 101 --code 102-1", "选项“--code”给了两次"},
  };
  for (const auto& [args, message] : cases) {
    std::string kind = args.substr(0, args.find(' '));
    CliResult r = RunCli("report " + kind + " " + file + args.substr(kind.size()));
    EXPECT_EQ(r.status, 1) << args;
    EXPECT_EQ(r.out, message + "。\n") << args;
  }
  // What the fields take still works.
  for (const std::string& args :
       {"balance " + file + " --date " + y + "0131", "ledger " + file + " --code 102-1 --from 01 --to 12",
        "reconcile " + file + " --code 102-1 --from " + y + "0101 --to " + y + "0131 --other -1000.50",
        "entry-month " + file + " --code 101 --year " + y + " --month 1"}) {
    CliResult r = RunCli("report " + args);
    EXPECT_EQ(r.status, 0) << args << "\n" << r.out;
  }
}

TEST_F(ReportOptions, ImportedAccountCodesFollowTheCodeRules) {
  CliResult r = RunCli("import accounts " + file + " " +
                       Csv("bad.csv", "code,name,kind,unit,multi,side,width\n-5,负,,,,,\n1--2,空级,,,,,\n1a,字母,,,,,\n"
                                      "102-,尾,,,,,\n"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "第 2 行：代码不能为空或小于 1，请重输!\n第 3 行：代码不能为空或小于 1，请重输!\n"
            "第 4 行：注意：代码必须是数字\n第 5 行：代码不能为空或小于 1，请重输!\n");
}

TEST_F(ReportOptions, CheckListsWhatIsWrongAndExitsOneOnlyThen) {
  CliResult clean = RunAdmin("check " + file);
  EXPECT_EQ(clean.status, 0) << clean.out;
  EXPECT_NE(clean.out.find("未发现问题。"), std::string::npos) << clean.out;
  EXPECT_NE(clean.out.find("试算平衡：第 1 期发生额\t\t\t\t借 100.00  贷 100.00\t平"), std::string::npos) << clean.out;
  ASSERT_EQ(RunAdmin("sql " + file +
                   " \"insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('" + y +
                   "0105','0',1,'孤','102',1,5,0,'4','01')\"")
                .status,
            0);
  CliResult found = RunAdmin("check " + file);
  EXPECT_EQ(found.status, 1);
  EXPECT_NE(found.out.find("发生额记在有下级帐户的帐户上（1 行）\t" + y + "0105\t102\t1\t孤\t借\t5.00"),
            std::string::npos)
      << found.out;
}

}  // namespace
