// Runs tavrel-cli as a user would and reads what it prints.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/temp_dir.h"

namespace {

struct Result {
  int status;
  std::string out;
};

Result RunCli(const std::string& args) {
  std::string cmd = std::string(TAVREL_CLI) + " " + args + " 2>&1";
  Result r{0, {}};
  FILE* p = popen(cmd.c_str(), "r");
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  r.status = WEXITSTATUS(pclose(p));
  return r;
}

}  // namespace

TEST(Cli, CreatesOpensAndQueriesAnAccountSet) {
  TempDir dir;
  std::string folder = dir.Path() + "/帐套";
  Result made = RunCli("create-set '" + folder + "'");
  ASSERT_EQ(made.status, 0) << made.out;
  std::string year = made.out.substr(made.out.find(".vyx") - 4, 4);
  std::string file = folder + "/" + year + ".vyx";
  EXPECT_EQ(made.out, file + " 帐套建立成功！\n");

  Result opened = RunCli("open '" + file + "'");
  ASSERT_EQ(opened.status, 0) << opened.out;
  EXPECT_NE(opened.out.find("单位名\t××单位\n"), std::string::npos);
  EXPECT_NE(opened.out.find("操作员\t102 ×××\n"), std::string::npos);
  EXPECT_NE(opened.out.find("权限\t0201 0202 0203 0204 0301"), std::string::npos);
  Result admin = RunCli("open '" + file + "' 101");
  EXPECT_NE(admin.out.find("权限\t0101 \n"), std::string::npos);

  Result q = RunCli("sql '" + file + "' \"SELECT rtrim(NA),rtrim(KJ),PY,MM,JT,T1,T13 FROM SYSTAB\"");
  EXPECT_EQ(q.out, "Expr1000\tExpr1001\tPY\tMM\tJT\tT1\tT13\n××单位\t×××\t" + year + "\t0\t031\t" + year +
                       "0101\t" + year + "1231\n");
  Result ins = RunCli("sql '" + file + "' \"insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('" + year +
                      "0105','0',1,'收款','101',-1,12.5,0,'4','01')\"");
  EXPECT_EQ(ins.out, "1\n");
  Result sum =
      RunCli("sql '" + file + "' \"select count(*),sum(f*my),cstr(70) from p0 where trim(kno)='101'\"");
  EXPECT_EQ(sum.out, "Expr1000\tExpr1001\tExpr1002\n1\t-12.5\t70\n");

  Result next = RunCli("new-year '" + file + "' " + std::to_string(std::stoi(year) + 1));
  EXPECT_EQ(next.status, 0) << next.out;
  Result again = RunCli("new-year '" + file + "' " + std::to_string(std::stoi(year) + 1));
  EXPECT_EQ(again.status, 1);
}

TEST(Cli, ReportsErrorsWithStatusOne) {
  TempDir dir;
  Result missing = RunCli("open '" + dir.Path() + "/2001.vyx'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "该文件不存在！\n");
  RunCli("create-set '" + dir.Path() + "'");
  std::string file = dir.Path() + "/" + "*.vyx";
  Result bad = RunCli("sql " + file + " \"select nosuch from opr\"");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("nosuch"), std::string::npos);
  EXPECT_EQ(RunCli("bogus").status, 2);
}
