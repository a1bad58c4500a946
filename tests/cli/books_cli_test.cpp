// tavrel-cli print-books and report --printer: the refusals of their options, and a year's books written
// into a PDF folder by the twin that prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data/year_files.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

TEST(CliBooks, RefusesWhatItCannotDoAndWritesTheFolder) {
  TempDir dir;
  std::string file = CreateAccountSetFile(dir.Path(), 2026);
  ASSERT_EQ(RunAdmin("sql '" + file +
                   "' \"insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values('1001','库存现金',1,'0','0','0',0,0)\"")
                .status,
            0);
  ASSERT_EQ(RunAdmin("sql '" + file +
                   "' \"insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) "
                   "values('20260203','2',1,'收款','1001',1,1234.5,0,'4','02')\"")
                .status,
            0);
  const std::string books = dir.Path() + "/帐页";
  struct Case {
    std::string args, message;
  } refusals[] = {
      {"print-books '" + file + "'", "需要 --printer 打印机名（或 default）或 --pdf 文件夹，二者取一。"},
      {"print-books '" + file + "' --pdf x --printer y", "需要 --printer 打印机名（或 default）或 --pdf 文件夹，二者取一。"},
      {"print-books '" + file + "' --pdf x --kinds ledger,journal", "帐页种类“journal”不认识"},
      {"print-books '" + file + "' --pdf x --from 5 --to 4", "终止月不合理，输入一数!"},
      {"print-books '" + file + "' --pdf x --color red", "print-books 没有选项 --color。"},
      {"report ledger '" + file + "' --code 1001 --printer x --format csv", "不能与 --format 或 --output 同用"},
  };
  for (const Case& c : refusals) {
    CliResult r = RunCli(c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << "\n" << r.out;
  }
  EXPECT_FALSE(std::filesystem::exists("x"));

  // A build without the Qt program has no twin to print with (the sanitizer build).
  if (!std::filesystem::exists(std::filesystem::path(TAVREL_CLI).parent_path() / "tavrel-cli-pdf"))
    GTEST_SKIP() << "built without the Qt program";
  CliResult r = RunCli("print-books '" + file + "' --pdf '" + books + "' --kinds ledger,balance");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("2 个帐页"), std::string::npos) << r.out;
  for (const char* name : {"1001.pdf", "余额表.pdf", "全部帐页.pdf"})
    EXPECT_TRUE(std::filesystem::exists(books + "/" + name)) << name;
  // A queue the print service does not have is refused with its name.
  r = RunCli("report ledger '" + file + "' --code 1001 --printer no-such-queue");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("no-such-queue"), std::string::npos) << r.out;
}

}  // namespace
