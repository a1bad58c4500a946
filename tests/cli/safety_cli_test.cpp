// The tool as the books' guard: it logs in with the password and checks rights as the menus do, never
// writes a report over a book, its journal or anything but a regular file, lists the backups, numbers rows
// right when two imports run at once, says that another program is writing when a file stays locked, fails
// when its output cannot be written, and gives the terminal back from its password prompt.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
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
      {"", "backup " + f, 1, "操作员102没有“帐务管理”权限（0101），不能执行“备份”。"},
      {"", "backup --list " + f, 1, "（0101），不能执行“列出备份”。"},
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

// A new account set is its owner's alone whatever the umask: the folders made for it and its year file;
// the next year's file takes the book's bits.
TEST(CliSafety, ANewAccountSetIsOpenToItsOwnerOnlyWhateverTheUmask) {
  TempDir dir;
  CliResult made = RunCommand("umask 000; " + std::string(TAVREL_CLI) + " create-set " + dir.Path() + "/a/b/s");
  ASSERT_EQ(made.status, 0) << made.out;
  const std::string year = made.out.substr(made.out.find(".vyx") - 4, 4);
  auto mode = [](const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
  };
  for (const char* folder : {"/a", "/a/b", "/a/b/s"}) EXPECT_EQ(mode(dir.Path() + folder), 0700u) << folder;
  const std::string file = dir.Path() + "/a/b/s/" + year + ".vyx";
  EXPECT_EQ(mode(file), 0600u);
  ::chmod(file.c_str(), 0640);
  const std::string next = std::to_string(std::stoi(year) + 1);
  ASSERT_EQ(RunCommand("umask 000; " + std::string(TAVREL_CLI) + " new-year " + file + " " + next +
                       " --operator 101 </dev/null")
                .status,
            0);
  EXPECT_EQ(mode(dir.Path() + "/a/b/s/" + next + ".vyx"), 0640u);
}

// A FIFO, standard output into a pipe, a database's journal and log: refused at once, with or without
// --force, and left as they were. (timeout turns a look that blocks into a failure.)
TEST(CliSafety, AReportGoesOnlyIntoARegularFileThatIsNoPartOfADatabase) {
  Book b;
  const std::string report = "timeout 10 " + std::string(TAVREL_CLI) + " report balance " + b.file +
                             " --date " + b.year + "1231 --format csv --output ";
  ASSERT_EQ(::mkfifo(b.dir.File("pipe.csv").c_str(), 0600), 0);
  const std::string journal = b.file + "-journal", log = b.file + "-wal";
  Write(journal, "a killed writer's pages");
  Write(log, "committed pages");
  struct Case {
    std::string target, says;
  } cases[] = {
      {b.dir.File("pipe.csv"), "是管道，不是普通文件，不能写入。"},
      {"/dev/stdout", "不能写入"},  // standard output is the pipe RunCommand reads
      {journal, "的附属文件，不能写到它上面。"},
      {log, "的附属文件，不能写到它上面。"},
  };
  for (const Case& c : cases)
    for (const char* force : {"", " --force"}) {
      CliResult r = RunCommand(report + c.target + force);
      EXPECT_EQ(r.status, 1) << c.target << force << "\n" << r.out;
      EXPECT_NE(r.out.find(c.says), std::string::npos) << c.target << "\n" << r.out;
    }
  EXPECT_EQ(Read(journal), "a killed writer's pages");
  EXPECT_EQ(Read(log), "committed pages");
  struct stat st {};
  ASSERT_EQ(::lstat(b.dir.File("pipe.csv").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// Whatever prints its result fails, saying so, when the result cannot be written: /dev/full takes nothing.
TEST(CliSafety, AResultThatCannotBeWrittenFailsTheCommand) {
  Book b;
  const std::string f = b.file, d = b.year + "1231", admin = "TAVREL_PASSWORD='秘密1' ";
  const std::string runs[][2] = {
      {"", "report balance " + f + " --date " + d},
      {"", "report balance " + f + " --date " + d + " --format csv"},
      {"", "report balance " + f + " --date " + d + " --head"},
      {admin, "sql " + f + " \"select count(*) from opr\" --operator 101"},
      {"", "eval 'money(1234.56)'"},
      {"", "open " + f},
      {"", "periods " + f},
      {"", "--version"},
  };
  for (const auto& [env, args] : runs) {
    // Standard error stays on the pipe; only standard output goes to the full device.
    CliResult r = RunCommand("{ " + env + TAVREL_CLI + " " + args + " >/dev/full; }");
    EXPECT_EQ(r.status, 1) << args << "\n" << r.out;
    EXPECT_NE(r.out.find("无法写出结果（标准输出）"), std::string::npos) << args << "\n" << r.out;
  }
  EXPECT_EQ(RunCommand(std::string(TAVREL_CLI) + " eval '1+1' >/dev/null").status, 0);
}

// The password prompt on a terminal of its own: however the prompt ends, the terminal has its echo again.
TEST(CliSafety, ThePasswordPromptGivesTheEchoBackHoweverItEnds) {
  Book b;
  struct Case {
    const char* how;
    std::string typed;  // typed at the prompt, or nothing
    int signal;         // sent to the tool instead, or 0
    int killedBy;       // the signal that ends the tool, or 0 when it exits
  } cases[] = {
      {"Ctrl+C", "\x03", 0, SIGINT},
      {"kill", "", SIGTERM, SIGTERM},
      {"hang-up", "", SIGHUP, SIGHUP},
      {"a wrong password", "wrong\n", 0, 0},
      {"end of input", "\x04", 0, 0},
  };
  for (const Case& c : cases) {
    int master = -1, slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    pid_t tool = ::fork();
    if (tool == 0) {
      ::setsid();
      ::ioctl(slave, TIOCSCTTY, 0);
      for (int fd = 0; fd < 3; ++fd) ::dup2(slave, fd);
      ::close(master);
      ::unsetenv("TAVREL_PASSWORD");
      ::execl(TAVREL_CLI, TAVREL_CLI, "open", b.file.c_str(), "101", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // Reads what the tool writes until it holds text or the time is up.
    std::string screen;
    auto readUntil = [&](const std::function<bool()>& done) {
      for (int i = 0; i < 200 && !done(); ++i) {
        pollfd p{master, POLLIN, 0};
        char buf[256];
        if (::poll(&p, 1, 50) > 0) {
          ssize_t n = ::read(master, buf, sizeof buf);
          if (n > 0) screen.append(buf, static_cast<size_t>(n));
        }
      }
      return done();
    };
    auto echo = [&] {
      termios t {};
      return ::tcgetattr(slave, &t) == 0 && (t.c_lflag & ECHO) != 0;
    };
    EXPECT_TRUE(readUntil([&] { return screen.find("操作员101的口令：") != std::string::npos && !echo(); }))
        << c.how << ": " << screen;
    if (c.signal)
      ::kill(tool, c.signal);
    else
      (void)!::write(master, c.typed.data(), c.typed.size());
    int status = 0;
    bool ended = false;
    EXPECT_TRUE(readUntil([&] { return ended = ended || ::waitpid(tool, &status, WNOHANG) == tool; })) << c.how;
    if (c.killedBy) {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.killedBy) << c.how << " " << status;
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.how << " " << status;
    }
    EXPECT_TRUE(echo()) << c.how << ": the terminal was left without echo";
    if (!ended) {
      ::kill(tool, SIGKILL);
      ::waitpid(tool, nullptr, 0);
    }
    ::close(master);
    ::close(slave);
  }
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
