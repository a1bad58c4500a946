// Administration of an account set on the server: work that must be alone holds the account set's lock and
// a second program is told who holds it; copies of a year are kept in the database under the same rule
// as a year file's copies.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/text.h"
#include "data/database.h"
#include "data/jet/server_engine.h"
#include "data/data_env.h"
#include "data/recordset.h"
#include "data/year_files.h"
#include "entry/date_entry_view.h"
#include "entry/entry_fixture.h"
#include "io/backup.h"
#include "support/child_counts.h"
#include "support/cli_run.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace {

std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}

// A child process holding the account set's lock until the parent writes to the pipe; returns once the
// lock is held.
struct Holder {
  pid_t pid = -1;
  int go[2] = {-1, -1};
  Holder(const std::string& uri, const std::string& who, const std::string& work) {
    int ready[2];
    if (pipe(ready) != 0 || pipe(go) != 0) return;
    pid = fork();
    if (pid == 0) {
      close(ready[0]);
      close(go[1]);
      AloneWork alone(uri, who, work);
      char c = alone.Refusal().empty() ? 'y' : 'n';
      if (write(ready[1], &c, 1) != 1) _exit(2);
      read(go[0], &c, 1);
      _exit(0);
    }
    close(ready[1]);
    close(go[0]);
    char c = 'n';
    if (read(ready[0], &c, 1) != 1 || c != 'y') pid = -1;
    close(ready[0]);
  }
  void Release() {
    if (pid <= 0) return;
    char c = 'x';
    if (write(go[1], &c, 1) == 1) waitpid(pid, nullptr, 0);
    close(go[1]);
    pid = -1;
  }
  ~Holder() { Release(); }
};

// While another program holds the lock, the second is refused, told who holds it and for what; the
// tool's administration commands say the same and change nothing; once the holder is gone, all may go.
TEST(ServerAlone, ASecondAdministratorIsToldWhoHoldsTheLock) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  std::string set = server.Uri();
  ASSERT_EQ(RunCli("create-set " + Quoted(set) + " --chart standard").status, 0);
  CliResult next = RunAdmin("new-year " + Quoted(set + "#2026") + " 2027");
  ASSERT_EQ(next.status, 0) << next.out;
  {
    Holder holder(set, "101 管理员", "转帐");
    ASSERT_GT(holder.pid, 0);
    AloneWork second(set, "102 记帐", "删除年度");
    EXPECT_EQ(second.Refusal().substr(0, second.Refusal().find("（")), "101 管理员 正在进行“转帐”");
    EXPECT_NE(second.Refusal().find("，此时不能进行“删除年度”，请稍后再试。"), std::string::npos)
        << second.Refusal();
    // The tool speaks UTF-8.
    const std::string held = reinterpret_cast<const char*>(u8"正在进行“转帐”");
    const std::vector<std::string> commands = {
        "carry-forward " + Quoted(set + "#2027") + " --accounts --yes",
        "copy-info " + Quoted(set + "#2027") + " " + Quoted(set + "#2026") + " --accounts",
    };
    for (const std::string& command : commands) {
      CliResult r = RunAdmin(command);
      EXPECT_EQ(r.status, 1) << command << ": " << r.out;
      EXPECT_NE(r.out.find(held), std::string::npos) << command << ": " << r.out;
    }
    EXPECT_EQ(jet::ServerEngine::Backups(set).size(), 0u) << "a refused command took a copy";
  }
  // The server lets the holder's lock go when it notices the holder's connection is gone, a moment after
  // the process has ended.
  auto alone = std::make_unique<AloneWork>(set, "102 记帐", "删除年度");
  for (int tries = 0; !alone->Refusal().empty() && tries < 50; ++tries) {
    alone.reset();
    usleep(100000);
    alone = std::make_unique<AloneWork>(set, "102 记帐", "删除年度");
  }
  ASSERT_EQ(alone->Refusal(), "");
  CliResult r = RunAdmin("carry-forward " + Quoted(set + "#2027") + " --accounts --yes");
  EXPECT_NE(r.status, 0) << "the lock of this process is held: " << r.out;
}

// Copies on the server: each a schema beside the year, whole, named by time and what it preceded; each
// year keeps its newest ten, and the newest before each kind of command.
TEST(ServerBackups, KeepTheNewestTenAndTheNewestOfEachKind) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  ScriptedPlatform platform;
  std::string set = server.Uri();
  std::string year = CreateAccountSetFile(set, 2026);
  jet::Database db;
  db.Open(year);
  platform.now.minute = 0;
  BackupOutcome carry = BackupYear(db, set, 2026, BackupReason::CarryForward);
  ASSERT_TRUE(carry.Ok()) << carry.error;
  EXPECT_EQ(carry.path, set + "#backup-2026-20261207-090000-结转");
  for (int i = 1; i <= 12; ++i) {
    platform.now.minute = i;
    ASSERT_TRUE(BackupYear(db, set, 2026).Ok());
  }
  // Two within one second are told apart.
  EXPECT_EQ(BackupYear(db, set, 2026).path, set + "#backup-2026-20261207-091200-2");
  std::vector<std::string> kept = YearBackups(set, 2026);
  ASSERT_EQ(kept.size(), 11u);
  EXPECT_EQ(kept.front(), carry.path);
  EXPECT_EQ(kept[1], set + "#backup-2026-20261207-090400");
  EXPECT_EQ(kept.back(), set + "#backup-2026-20261207-091200-2");
  for (const BackupEntry& e : ListBackups(set, 2026, true)) EXPECT_EQ(e.problem, "") << e.path;

  // A copy holds the year as it stood.
  db.Execute("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('101','现金',1,'0','0',NULL,'0',0,0)");
  BackupOutcome last = BackupYear(db, set, 2026, BackupReason::Delete);
  ASSERT_TRUE(last.Ok()) << last.error;
  db.Close();
  jet::ServerConnection conn(set);
  std::string schema = last.path.substr(last.path.rfind('#') + 1);
  EXPECT_EQ(conn.Value("SELECT count(*) FROM \"" + schema + "\".\"SUBT\""),
            conn.Value("SELECT count(*) FROM y2026.\"SUBT\""));
  EXPECT_EQ(YearBackups(set, 2026).size(), 11u);  // the deletion's copy is kept, the oldest plain one went
}

// The program's clock runs backwards: each new copy carries an earlier name than those before it, yet it
// is the newest, and the ones that go are the first taken.
TEST(ServerBackups, GoByWhenTheyWereMadeNotByTheirNames) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  ScriptedPlatform platform;
  std::string set = server.Uri();
  jet::Database db;
  db.Open(CreateAccountSetFile(set, 2026));
  std::vector<std::string> taken;
  for (int i = 0; i < 13; ++i) {
    platform.now.minute = 50 - i;
    BackupOutcome b = BackupYear(db, set, 2026);
    ASSERT_TRUE(b.Ok()) << b.error;
    taken.push_back(b.path);
    std::vector<std::string> kept = YearBackups(set, 2026);
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept.back(), b.path) << i;
  }
  EXPECT_EQ(YearBackups(set, 2026), std::vector<std::string>(taken.begin() + 3, taken.end()));
}

// Two programs save the same day in the entry window again and again, each its own rows: whichever saves
// last, the day holds one program's rows, never both sets (each save replaces the day's rows, and two
// saves that meet are refused whole, one of them).
struct DayTyping : EntryTest {
  using EntryTest::TypeRow;
};

TEST(ServerWriters, TwoProgramsSavingOneDayNeverLeaveBothSetsOfRows) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  std::string year;
  {
    ScriptedPlatform platform;
    year = CreateAccountSetFile(server.Uri(), 2026);
    jet::Database db;
    db.Open(year);
    for (const char* code : {"101", "201"})
      db.Execute(std::string("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('") + code +
                 "','帐户',1,'0','0',null,'0',0,0)");
  }
  const time_t until = std::time(nullptr) + 5;
  const char* writers[] = {"甲", "乙"};
  std::vector<pid_t> children;
  for (const char* writer : writers) {
    pid_t pid = fork();
    if (pid == 0) {
      ScriptedPlatform platform;
      CVyDataEnv env;
      if (!env.Open(year, "", 1)) _exit(100);
      int saved = 0;
      for (int round = 0; std::time(nullptr) < until; ++round) {
        CQirnpz2 view;
        view.SetDataEnv(&env);
        view.InitForm();
        view.OnSize(1400, 900);
        view.Load(2026, 3, 9);
        for (int row = 0; row < 3; ++row)
          DayTyping::TypeRow(view, row,
                             {std::string(writer) + std::to_string(round), row % 2 ? "201" : "101", "10"});
        platform.answers.push_back(MsgAnswer::Yes);
        platform.answers.push_back(MsgAnswer::Yes);  // three debits: saved although the day does not balance
        int result = view.SaveFlow();
        if (result == CEntryView::kSaved)
          ++saved;
        else if (result != CEntryView::kFailed)
          _exit(100);
      }
      _exit(saved > 99 ? 99 : saved);
    }
    children.push_back(pid);
  }
  int saves = SumOfChildCounts(children, "a save failed for another reason than a collision");
  EXPECT_GT(saves, 1);
  ScriptedPlatform platform;
  jet::Database db;
  db.Open(year);
  std::set<std::string> writersLeft;
  int rows = 0;
  for (auto c = db.Query("select trim(mry) from p0 where rn>0 and t='20260309'"); !c->AtEnd(); c->Next()) {
    ++rows;
    writersLeft.insert(c->Text(0).substr(0, 2));  // a writer's mark is one character of two bytes
  }
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(writersLeft.size(), 1u);
}

// Programs logged in to one year on the server are each told who else is: the operator, named as the year
// names them, and since when; a connection that logged nobody in (a probe, the tool) is not listed, nor is a
// program that has gone. A year file keeps no such list.
TEST(ServerSessions, ALoggedInProgramIsToldWhoElseWorksInTheYear) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  ScriptedPlatform platform;
  std::string year = CreateAccountSetFile(server.Uri(), 2026);
  CVyDataEnv a, b, probe;
  ASSERT_TRUE(a.Open(year, "102", 1));
  a.AnnounceLogin();
  EXPECT_TRUE(a.OthersLoggedIn().empty());
  ASSERT_TRUE(b.Open(year, "101", 1));
  b.AnnounceLogin();
  ASSERT_TRUE(probe.Open(year, "102", 1));
  std::vector<std::string> others = a.OthersLoggedIn();
  ASSERT_EQ(others.size(), 1u);
  const std::string named = "101 " + Trim(b.opName) + "（";
  EXPECT_EQ(others[0].substr(0, named.size()), named);
  EXPECT_EQ(others[0].size(), named.size() + std::string("2026-12-08 08:10 起）").size()) << others[0];
  ASSERT_EQ(b.OthersLoggedIn().size(), 1u);
  EXPECT_EQ(b.OthersLoggedIn()[0].substr(0, 4), "102 ");
  b.Close();
  // The server forgets a session a moment after its program has gone.
  for (int wait = 0; wait < 50 && !a.OthersLoggedIn().empty(); ++wait) usleep(100000);
  EXPECT_TRUE(a.OthersLoggedIn().empty());

  TempDir dir;
  CVyDataEnv file;
  ASSERT_TRUE(file.Open(CreateAccountSetFile(dir.Path(), 2026), "102", 1));
  file.AnnounceLogin();
  EXPECT_TRUE(file.OthersLoggedIn().empty());
}

}  // namespace
