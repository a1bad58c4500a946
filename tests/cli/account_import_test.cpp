// tavrel-cli import accounts: a chart goes in whole, or nothing of it does.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/temp_dir.h"

namespace {

// The tool's exit status and everything it printed.
std::pair<int, std::string> Tool(const std::string& args) {
  FILE* p = popen((std::string(TAVREL_CLI) + " " + args + " 2>&1").c_str(), "r");
  std::string out;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  return {WEXITSTATUS(pclose(p)), out};
}

class AccountImport : public ::testing::Test {
 protected:
  void SetUp() override {
    auto [status, out] = Tool("create-set '" + dir.Path() + "/set'");
    ASSERT_EQ(status, 0) << out;
    file = "'" + out.substr(0, out.find(".vyx") + 4) + "'";
    // Statements are the administrator's.
    ASSERT_EQ(Tool("sql " + file + " \"insert into wbt(wno,na,ho) values('1','美元','')\" --operator 101").first,
              0);
  }
  std::string Csv(const std::string& text) {
    std::string path = dir.Path() + "/accounts.csv";
    std::ofstream(path) << "\xEF\xBB\xBF"
                        << "code,name,kind,unit,multi,side,width\n"
                        << text;
    return "'" + path + "'";
  }
  std::string Chart() {
    return Tool("sql " + file +
                " \"select trim(kno),trim(na),fz,rtrim(fzn),dl,dlf,dlw from subt order by kno\" --operator 101")
        .second;
  }
  TempDir dir;
  std::string file;
};

}  // namespace

TEST_F(AccountImport, AddsEveryLineAsTheAccountDialogDoes) {
  auto [status, out] = Tool("import accounts " + file + " " +
                            Csv("101,现金,,,,,\n"
                                "1403,原材料,,,yes,,\n"
                                "1403-1,钢 材,quantity,吨,,debit,\n"
                                "1403-02,美元户,currency,1,,credit,8\n"));
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "4 行已导入。\n");
  EXPECT_EQ(Chart(),
            "Expr1000\tExpr1001\tFZ\tExpr1003\tDL\tDLF\tDLW\n"
            "101\t现金\t0\t\t0\t0\t0\n"
            "1403\t原材料\t0\t\t1\t0\t0\n"
            "1403-1\t钢材\t1\t吨\t0\t1\t3\n"  // the width follows the name as typed
            "1403-2\t美元户\t2\t1\t0\t-1\t8\n");
}

TEST_F(AccountImport, OneBadLineAmongGoodOnesImportsNothing) {
  const std::string before = Chart();
  auto [status, out] = Tool("import accounts " + file + " " +
                            Csv("101,现金,,,,,\n"
                                "101-1,人民币,,,,,\n"
                                "102-1,无父,,,,,\n"
                                "101-2,,,,,,\n"
                                "103,存货,quantity,,,,\n"
                                "101-1,重复,,,,,\n"));
  EXPECT_EQ(status, 1);
  EXPECT_EQ(out,
            "第 4 行：其父科目“102”不存在!\n"
            "第 5 行：名称不能为空，请重输!\n"
            "第 6 行：数量单位不能为空，请重输!\n"
            "第 7 行：该代码已存在，请重输!\n");
  EXPECT_EQ(Chart(), before);
}
