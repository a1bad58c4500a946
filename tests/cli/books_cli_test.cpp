// tavrel-cli print-books and report --printer: the refusals of their options, a year's books written into
// a PDF folder by the twin that prints, as every output is written (never through a link, never over a
// file without --force), and only the kinds of ledger the operator may see.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A year with one posting on 1001, whose books are the ledger of 1001 and the balance table.
std::string BookWithOnePosting(const TempDir& dir) {
  std::string file = CreateAccountSetFile(dir.Path(), 2026);
  RunAdmin("sql '" + file +
           "' \"insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values('1001','库存现金',1,'0','0','0',0,0)\"");
  RunAdmin("sql '" + file +
           "' \"insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260203','2',1,'收款','1001',1,1234.5,0,'4','02')\"");
  return file;
}

bool HasPrintingTwin() {
  return std::filesystem::exists(std::filesystem::path(TAVREL_CLI).parent_path() / "tavrel-cli-pdf");
}

TEST(CliBooks, APdfFolderNeverWritesThroughALinkNorOverAFileWithoutForce) {
  if (!HasPrintingTwin()) GTEST_SKIP() << "built without the Qt program";
  namespace fs = std::filesystem;
  TempDir dir, elsewhere;
  const std::string file = BookWithOnePosting(dir);
  const std::string victim = CreateAccountSetFile(elsewhere.Path(), 2026);  // another account set's year
  const std::string before = Read(victim);
  const std::string books = dir.Path() + "/帐页", run = "print-books '" + file + "' --pdf '" + books + "'";
  fs::create_directory(books);
  struct Case {
    std::string name;
    bool symbolic;
  } links[] = {{"全部帐页.pdf", true}, {"余额表.pdf", false}, {"1001.pdf", true}};
  for (const Case& c : links) {
    const std::string at = books + "/" + c.name;
    if (c.symbolic)
      fs::create_symlink(victim, at);
    else
      fs::create_hard_link(victim, at);
    CliResult r = RunCli(run + " --force");
    EXPECT_EQ(r.status, 1) << c.name << "\n" << r.out;
    EXPECT_NE(r.out.find("不能写到它上面"), std::string::npos) << c.name << "\n" << r.out;
    EXPECT_EQ(Read(victim), before) << c.name;
    fs::remove(at);
  }
  EXPECT_TRUE(fs::is_empty(books));  // a refusal prints nothing at all

  std::ofstream(books + "/余额表.pdf") << "mine";
  CliResult kept = RunCli(run);
  EXPECT_EQ(kept.status, 1);
  EXPECT_NE(kept.out.find("余额表.pdf”已存在；要替换它，请加 --force（或 -f）。"), std::string::npos) << kept.out;
  EXPECT_EQ(Read(books + "/余额表.pdf"), "mine");
  EXPECT_FALSE(fs::exists(books + "/1001.pdf"));
  CliResult replaced = RunCli(run + " -f");
  ASSERT_EQ(replaced.status, 0) << replaced.out;
  for (const char* name : {"1001.pdf", "余额表.pdf", "全部帐页.pdf"})
    EXPECT_EQ(Read(books + "/" + name).substr(0, 5), "%PDF-") << name;
  int entries = 0;
  for (auto& e : fs::directory_iterator(books)) entries += e.is_regular_file();
  EXPECT_EQ(entries, 3);  // no working file left behind
}

TEST(CliBooks, PrintsOnlyTheKindsTheOperatorMaySeeAndSaysWhichWereLeftOut) {
  if (!HasPrintingTwin()) GTEST_SKIP() << "built without the Qt program";
  TempDir dir;
  const std::string file = BookWithOnePosting(dir);
  RunAdmin("sql '" + file + "' \"insert into opr(opno,na,psd) values('103','记帐','')\"");
  RunAdmin("sql '" + file + "' \"insert into pwr(opno,pwr) values('103','0301')\"");
  const std::string books = dir.Path() + "/帐页";
  CliResult r = RunCli("print-books '" + file + "' --pdf '" + books + "' --operator 103");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("没有打印多栏式帐、数量金额式帐、复币式帐、余额表：操作员103没有查看这些帐页的权限（0302、0303、"
                       "0304、0305）。"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(std::filesystem::exists(books + "/1001.pdf"));
  EXPECT_FALSE(std::filesystem::exists(books + "/余额表.pdf"));
  // Asked only for what the operator may not see: refused, nothing printed.
  r = RunCli("print-books '" + file + "' --pdf '" + dir.Path() + "/none' --kinds balance --operator 103");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("没有打印余额表：操作员103没有查看这些帐页的权限（0305）。"), std::string::npos) << r.out;
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/none/全部帐页.pdf"));
}

}  // namespace
