// The tool as the books' guard: it logs in with the password and checks rights as the menus do, never
// writes a report over a book, lists the backups, numbers rows right when two imports run at once, and says
// that another program is writing when a file stays locked.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A new account set whose administrator has the password "秘密1", an operator 103 without rights, and one
// account.
struct Book {
  TempDir dir;
  std::string file, year;
  Book() {
    CliResult made = RunCli("create-set " + dir.Path() + "/s");
    year = made.out.substr(made.out.find(".vyx") - 4, 4);
    file = dir.Path() + "/s/" + year + ".vyx";
    Write(dir.File("accounts.csv"), "code,name,kind,unit,multi,side,width\n1001,现金,,,,,\n");
    EXPECT_EQ(RunCli("import accounts " + file + " " + dir.File("accounts.csv")).status, 0);
    EXPECT_EQ(RunAdmin("sql " + file + " \"insert into opr(opno,na,psd) values('103','查帐','')\"").status, 0);
    EXPECT_EQ(RunAdmin("sql " + file + " \"update opr set psd='秘密1' where opno='101'\"").status, 0);
  }
};

TEST(CliSafety, EveryCommandLogsInWithThePasswordAndNeedsItsMenuCommandsRight) {
  Book b;
  const std::string f = b.file, d = b.year + "1231";
  struct Case {
    std::string prefix;  // the environment and the tool
    std::string args;
    int status;
    std::string says;  // a part of what it prints
  } cases[] = {
      // The administrator's password, given the way scripts give it; wrong or missing, nothing runs.
      {"TAVREL_PASSWORD='秘密1' ", "open " + f + " 101", 0, "操作员\t101 管理员"},
      {"TAVREL_PASSWORD=wrong ", "open " + f + " 101", 1, "操作员口今不正确！"},
      {"TAVREL_PASSWORD= ", "carry-forward " + f + " --operator 101", 1, "操作员口今不正确！"},
      // Without the variable the password is asked on the terminal; without a terminal it cannot be.
      {"env -u TAVREL_PASSWORD setsid -w ", "open " + f + " 101", 1, "TAVREL_PASSWORD"},
      // The default operator (102) keeps the books but does not administer them.
      {"", "report balance " + f + " --date " + d, 0, ""},
      {"", "carry-forward " + f, 1, "操作员102没有“帐务管理”权限（0101），不能执行“转帐”。"},
      {"", "copy-info " + f + " " + f + " --pages", 1, "（0101），不能执行“拷贝会计信息”"},
      {"", "backup " + f, 1, "（0101）"},
      {"", "sql " + f + " \"select psd from opr\"", 1, "（0101）"},
      {"", "new-year " + f + " 2090", 1, "（0101）"},
      // An operator without rights reads and writes nothing.
      {"", "report balance " + f + " --date " + d + " --operator 103", 1,
       "操作员103没有“帐簿余额表”权限（0305），不能执行“余额表”。"},
      {"", "report ledger " + f + " --code 1001 --operator 103", 1, "（0301）"},
      {"", "import accounts " + f + " " + b.dir.File("accounts.csv") + " --operator 103", 1, "（0403）"},
      {"", "fullname " + f + " 1001 20 --operator 103", 1, "（0401）"},
      {"", "open " + f + " 103", 0, "权限\t\n"},
      {"TAVREL_PASSWORD='秘密1' ", "backup " + f + " --operator 101", 0, "备份"},
      {"TAVREL_PASSWORD='秘密1' ", "sql " + f + " \"select count(*) from opr\" --operator 101", 0, "3"},
  };
  for (const Case& c : cases) {
    CliResult r = RunCommand(c.prefix + TAVREL_CLI + " " + c.args + " </dev/null");
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
    EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << "\n" << r.out;
  }
  // Nothing refused has changed the book: no second year, no backup but the administrator's.
  EXPECT_FALSE(fs::exists(b.dir.Path() + "/s/2090.vyx"));
  EXPECT_EQ(std::distance(fs::directory_iterator(b.dir.Path() + "/s/备份"), fs::directory_iterator()), 1);
}

TEST(CliSafety, AReportNeverReplacesABookAndReplacesAnotherFileOnlyWithForce) {
  Book b;
  const std::string report = "report balance " + b.file + " --date " + b.year + "1231 --format csv --output ";
  ::chmod(b.file.c_str(), 0640);
  std::string book = Read(b.file);
  std::string other = b.dir.File("notes.sqlite");
  fs::copy_file(b.file, other);
  for (const std::string& target :
       {b.file, other, b.dir.Path() + "/s/" + b.year + ".VYX", b.dir.File("2031.vyx")}) {
    CliResult r = RunCli(report + target + " --force");
    EXPECT_EQ(r.status, 1) << target;
    EXPECT_NE(r.out.find("不能写到它上面"), std::string::npos) << r.out;
  }
  EXPECT_EQ(Read(b.file), book);
  EXPECT_EQ(Read(other), book);
  EXPECT_FALSE(fs::exists(b.dir.File("2031.vyx")));

  std::string out = b.dir.File("balance.csv");
  Write(out, "mine");
  CliResult kept = RunCli(report + out);
  EXPECT_EQ(kept.status, 1);
  EXPECT_NE(kept.out.find("--force"), std::string::npos);
  EXPECT_EQ(Read(out), "mine");
  EXPECT_EQ(RunCli(report + out + " -f").status, 0);
  EXPECT_EQ(Read(out).substr(0, 3), "\xEF\xBB\xBF");
  struct stat st {};
  ::stat(out.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // as open as the book, no more
}

TEST(CliSafety, BackupListShowsEachCopyAndWhetherItOpens) {
  Book b;
  ASSERT_EQ(RunCliAs("101", "秘密1", "backup " + b.file).status, 0);
  std::string folder = b.dir.Path() + "/s/备份/";
  Write(folder + b.year + "-20200101-000000.vyx", "not a year file");
  CliResult list = RunCliAs("101", "秘密1", "backup --list " + b.file);
  ASSERT_EQ(list.status, 0) << list.out;
  EXPECT_NE(list.out.find(folder + b.year + "-20200101-000000.vyx\t2020-01-01 00:00:00\t随时备份\t不能打开"),
            std::string::npos)
      << list.out;
  EXPECT_NE(list.out.find("\t随时备份\t可以打开\n"), std::string::npos) << list.out;
}

// Another program holds the file: a statement waits as long as a writer would, then says what is going on.
TEST(CliSafety, AReportOnAFileLockedByAWriterSaysSo) {
  Book b;
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(b.file.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  auto start = std::chrono::steady_clock::now();
  CliResult r = RunCli("report balance " + b.file + " --date " + b.year + "1231");
  double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "数据文件正被其他程序使用（已锁定），请稍后再试。\n");
  EXPECT_GT(waited, 1.0);
  EXPECT_LT(waited, 10.0);
}

// Two imports of the same day and account at once: the second waits for the first and numbers its rows
// after the first one's. The first holds its transaction open until the second has started and read what
// it reads before it writes.
TEST(CliSafety, TwoImportsAtOnceNeverNumberADaysRowsTwice) {
  Book b;
  std::string rows = "date,account,summary,debit,credit,mark,quantity\n";
  for (int i = 0; i < 5; ++i) rows += b.year + "0305,1001,第" + std::to_string(i) + "笔,1.00,,0,\n";
  Write(b.dir.File("p.csv"), rows);
  const std::string import = std::string(TAVREL_CLI) + " import postings " + b.file + " " + b.dir.File("p.csv");
  for (int round = 0; round < 2; ++round) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(b.file.c_str(), &db), SQLITE_OK);
    sqlite3_busy_timeout(db, 5000);
    // The first import, written the way the tool writes one: its own rows of the day, numbered after the
    // day's rows, inside its write transaction.
    ASSERT_EQ(sqlite3_exec(db,
                           ("BEGIN IMMEDIATE; INSERT INTO P0(t,mry,cer,kno,f,my,nu,mk,rn,tt) SELECT '" + b.year +
                            "0305','first','0','1001',1,1,0,'4',coalesce(max(rn),0)+1,'03' FROM P0 WHERE t='" +
                            b.year + "0305' AND trim(kno)='1001'")
                               .c_str(),
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    FILE* second = popen((import + " 2>&1").c_str(), "r");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ASSERT_EQ(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    std::string said;
    char buf[512];
    for (size_t n; (n = fread(buf, 1, sizeof buf, second)) > 0;) said.append(buf, n);
    EXPECT_EQ(WEXITSTATUS(pclose(second)), 0) << said;
    std::string twice;
    sqlite3_exec(
        db, "SELECT t||' '||trim(kno)||' '||rn FROM P0 WHERE rn>0 GROUP BY t,trim(kno),rn HAVING count(*)>1",
        [](void* out, int, char** v, char**) {
          *static_cast<std::string*>(out) += std::string(v[0]) + "\n";
          return 0;
        },
        &twice, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(twice, "") << "round " << round;
  }
  CliResult count = RunCliAs("101", "秘密1", "sql " + b.file + " \"select count(*),max(rn) from p0 where rn>0\"");
  EXPECT_EQ(count.out, "Expr1000\tExpr1001\n12\t12\n");
}

}  // namespace
