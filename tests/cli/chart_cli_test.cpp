// The chart's reports and the import of opening balances through tavrel-cli.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "data/database.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

class ChartCli : public ::testing::Test {
 protected:
  void SetUp() override {
    CliResult made = RunCli("create-set '" + dir.Path() + "'");
    ASSERT_EQ(made.status, 0) << made.out;
    path = made.out.substr(0, made.out.find(".vyx") + 4);
    file = "'" + path + "'";
  }
  // Puts accounts into SUBT in one go: code and UTF-8 name, and the kind (0, 1 quantity, 2 currency).
  void AddAccounts(const std::vector<std::vector<std::string>>& rows) {
    jet::Database db;
    db.Open(path);
    db.Begin();
    for (const auto& r : rows) {
      int level = 1;
      for (char c : r[0]) level += c == '-';
      const std::string kind = r.size() > 2 ? r[2] : "0";
      db.Execute(*gbk::FromUtf8("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('" + r[0] + "','" +
                                r[1] + "'," + std::to_string(level) + ",'0','" + kind + "'," +
                                (kind == "0" ? "NULL" : "'个'") + ",'0',0,0)"));
    }
    db.Commit();
  }
  std::string Csv(const std::string& name, const std::string& text) {
    std::string p = dir.File(name);
    std::ofstream(p) << text;
    return "'" + p + "'";
  }
  long Openings() {
    CliResult r = RunAdmin("sql " + file + " \"select count(*) from p0 where strcomp(cer,'    ',0)=0\"");
    return std::stol(r.out.substr(r.out.find('\n') + 1));
  }

  TempDir dir;
  std::string path, file;
};

TEST_F(ChartCli, OpeningsAreImportedWholeAndShownByLevel) {
  AddAccounts({{"1001", "库存现金"},
               {"1002", "银行存款"},
               {"1002-1", "工行"},
               {"1002-2", "建行"},
               {"1002-1-1", "人民币户"},
               {"1403", "原材料", "1"}});
  struct Bad {
    const char* line;
    const char* message;
  } bad[] = {
      {"1002,debit,5,", "第 3 行：帐户代码不存在或非最低明细帐户"},
      {"9999,debit,5,", "第 3 行：帐户代码不存在或非最低明细帐户"},
      {"1001,left,5,", "第 3 行：方向应为 debit 或 credit"},
      {"1001,debit,-5,", "第 3 行：金额应为不小于零的数，最多两位小数，请重输!"},
      {"1001,debit,1.234,", "第 3 行：金额应为不小于零的数，最多两位小数，请重输!"},
      {"1001,debit,5,3", "第 3 行：该帐户不是数量金额或外币核算，不能有数量!"},
      {"1002-2,credit,7,", "第 3 行：该帐户的期初余额已在第 2 行给出"},
  };
  for (const Bad& b : bad) {
    CliResult r =
        RunCli("import openings " + file + " " +
               Csv("bad.csv", std::string("code,side,amount,quantity\n1002-2,credit,30,\n") + b.line + "\n"));
    EXPECT_EQ(r.status, 1) << b.line;
    EXPECT_EQ(r.out, std::string(b.message) + "\n") << b.line;
    EXPECT_EQ(Openings(), 0) << b.line;  // the good line before it is not kept either
  }
  EXPECT_EQ(RunCli("import openings " + file + " " + Csv("short.csv", "code,side\n1001,debit\n")).out,
            "第 1 行：缺少列：amount,quantity\n");

  CliResult ok = RunCli("import openings " + file + " " +
                        Csv("good.csv",
                            "\xEF\xBB\xBF"
                            "code,side,amount,quantity\n1002-1-1,debit,100,\n"
                            "1002-2,credit,30,\n1403,debit,25,10\n1001,debit,,\n"));
  ASSERT_EQ(ok.status, 0) << ok.out;
  EXPECT_EQ(ok.out, "4 行已导入。\n");
  EXPECT_EQ(Openings(), 3);  // an empty amount saves no row

  struct Report {
    std::string args, out;
  } reports[] = {
      {"", "1001\t库存现金\t平\t0.00\n1002\t银行存款\t借\t70.00\n1403\t原材料\t借\t25.00\n"},
      {"--code 1002", "1002-1\t工行\t借\t100.00\n1002-2\t建行\t贷\t30.00\n"},
      {"--code 1002 --head",
       "科目期初余额调整\n单位：××单位\t上级科目：1002\n本级借方余额合计：100.00\t本级贷方余额合计：30."
       "00\t借－贷＝70.00\n"
       "科目代码\t科  目  名  称\t借或贷\t金 额 余 额\n1002-1\t工行\t借\t100.00\n1002-2\t建行\t贷\t30.00\n"},
  };
  for (const Report& r : reports) {
    CliResult got = RunCli("report openings " + file + " " + r.args);
    EXPECT_EQ(got.status, 0) << r.args;
    EXPECT_EQ(got.out, r.out) << r.args;
  }
  CliResult refused = RunCli("report openings " + file + " --code 1001");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "该科目不存在或没有子科目，请重输！\n");
  CliResult quantity = RunAdmin("sql " + file + " \"select my,nu from p0 where trim(kno)='1403'\"");
  EXPECT_EQ(quantity.out, "MY\tNU\n25\t10\n");
}

TEST_F(ChartCli, TheCatalogueHasALinePerAccountDepthFirst) {
  CliResult empty = RunCli("report catalogue " + file);
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.out, "本年度尚未设置科目！\n");
  AddAccounts({{"1002", "银行存款"},
               {"1002-10", "建行"},
               {"1002-2", "工行"},
               {"1002-2-1", "美元户", "2"},
               {"1001", "库存现金"}});
  struct Case {
    std::string args, out;
  } cases[] = {
      {"",
       "1001\t库存现金\t1\t\t\t\n1002\t银行存款\t1\t\t\t\n1002-2\t  工行\t2\t\t\t\n"
       "1002-2-1\t    美元户\t3\t\t\t外币\n1002-10\t  建行\t2\t\t\t\n"},
      {"--code 1002-2", "1002-2-1\t    美元户\t3\t\t\t外币\n"},
      {"--code 1001", "该科目不存在或没有子科目，请重输！\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RunCli("report catalogue " + file + " " + c.args).out, c.out) << c.args;
  CliResult csv = RunCli("report catalogue " + file + " --format csv");
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n') + 1),
            "\xEF\xBB\xBF科 目 代 码,科   目   名   "
            "称,级别,辅助核算：多栏,辅助核算：多栏方向,辅助核算：数量或外币\r\n");
  std::string pdf = dir.File("catalogue.pdf");
  CliResult printed = RunCli("report catalogue " + file + " --format pdf --output '" + pdf + "'");
  // A tool built without the Qt program (the sanitizer build) says it cannot print.
  if (printed.out.find("没有打印功能") != std::string::npos) GTEST_SKIP() << printed.out;
  EXPECT_EQ(printed.status, 0) << printed.out;
  EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
}

// The benchmark book's chart and opening balances: every balance goes in and the catalogue lists every
// account.
TEST_F(ChartCli, TheBenchBooksOpeningsGoIn) {
  // The generator lies beside the program's folders, a few levels above the tool.
  std::filesystem::path script;
  for (auto at = std::filesystem::absolute(TAVREL_CLI).parent_path();
       script.empty() && at != at.parent_path(); at = at.parent_path())
    for (const char* place : {"shared/bench/make_book.py", "bench/make_book.py"})
      if (std::filesystem::exists(at / place)) script = at / place;
  if (script.empty() || std::system("python3 --version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "the book generator is not at hand";
  const std::string book = dir.File("book");
  ASSERT_EQ(std::system(("python3 '" + script.string() + "' --n 2 --out '" + book + "' > /dev/null").c_str()),
            0);
  std::ifstream accounts(book + "/accounts.csv");
  std::string line;
  std::getline(accounts, line);
  std::vector<std::vector<std::string>> chart;
  while (std::getline(accounts, line)) {
    std::stringstream fields(line);
    std::string code, name;
    std::getline(fields, code, ',');
    std::getline(fields, name, ',');
    chart.push_back({code, name});
  }
  AddAccounts(chart);

  CliResult imported = RunCli("import openings " + file + " '" + book + "/openings.csv'");
  ASSERT_EQ(imported.status, 0) << imported.out.substr(0, 500);
  std::ifstream openings(book + "/openings.csv");
  long lines = -1;
  while (std::getline(openings, line)) ++lines;
  EXPECT_EQ(imported.out, std::to_string(lines) + " 行已导入。\n");
  // The book balances: debit and credit totals of the top level agree.
  CliResult top = RunCli("report openings " + file + " --head");
  EXPECT_NE(top.out.find("借－贷＝0.00\n"), std::string::npos) << top.out.substr(0, 400);

  CliResult catalogue = RunCli("report catalogue " + file);
  ASSERT_EQ(catalogue.status, 0);
  EXPECT_EQ(static_cast<size_t>(std::count(catalogue.out.begin(), catalogue.out.end(), '\n')), chart.size());
}

}  // namespace
