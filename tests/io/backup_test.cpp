#include "io/backup.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <set>

#include "admin/new_year_dlg.h"
#include "base/file_facts.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/data_env.h"
#include "support/file_dump.h"
#include "support/year_file_fixture.h"

namespace {

using BackupTest = YearFileTest;

std::string NameOnly(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

TEST_F(BackupTest, EachYearKeepsItsNewestTenCopies) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  MakeFolders(BackupFolder(dir.Path()));
  WriteText(dir.File("notes.txt"), "");
  std::string foreign = BackupFolder(dir.Path()) + "/2003-mine.vyx";
  WriteText(NativePath(foreign), "kept");
  jet::Database db;
  db.Open(path);
  ASSERT_TRUE(BackupYear(db, dir.Path(), 2002).Ok());  // another year's copy stays whatever 2003 does
  for (int i = 0; i < 12; ++i) {
    platform.now.minute = i;
    // Two copies within one second are told apart, the later sorting last.
    BackupOutcome first = BackupYear(db, dir.Path(), 2003);
    ASSERT_TRUE(first.Ok()) << first.error;
    if (i == 11) {
      EXPECT_EQ(NameOnly(BackupYear(db, dir.Path(), 2003).path), "2003-20261207-091100-2.vyx");
    }
  }
  std::vector<std::string> kept = YearBackups(dir.Path(), 2003);
  ASSERT_EQ(kept.size(), 10u);
  EXPECT_EQ(NameOnly(kept.front()), "2003-20261207-090300.vyx");
  EXPECT_EQ(NameOnly(kept[8]), "2003-20261207-091100.vyx");
  EXPECT_EQ(NameOnly(kept.back()), "2003-20261207-091100-2.vyx");
  EXPECT_EQ(YearBackups(dir.Path(), 2002).size(), 1u);
  EXPECT_TRUE(QueryRealFile(foreign).exists);

  // The copy is the file as it stands, and a year file of the program.
  db.Execute(
      "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('101','现金',1,'0','0',NULL,'0',0,0)");
  BackupOutcome last = BackupYear(db, dir.Path(), 2003);
  db.Close();
  EXPECT_EQ(DumpYearFile(last.path), DumpYearFile(path));
  jet::Database copy;
  EXPECT_NO_THROW(copy.Open(last.path));
}

TEST_F(BackupTest, ACopyIsRefusedInsideATransactionOrOverAnotherFile) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  jet::Database db;
  db.Open(path);
  db.Begin();
  EXPECT_THROW(db.BackupTo(dir.File("copy.vyx")), jet::DbError);
  db.Rollback();
  EXPECT_THROW(db.BackupTo(path), jet::DbError);
  EXPECT_FALSE(QueryRealFile(dir.File("copy.vyx")).exists);
  BackupOutcome refused = BackupYearFile(dir.File("1999.vyx"));
  EXPECT_FALSE(refused.Ok());
}

TEST_F(BackupTest, DeletingAYearFileKeepsACopyFirst) {
  std::string path = CreateAccountSetFile(dir.Path(), 2002);
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "101", 1));
  std::string next = CreateNextYearFile(env, 2003);
  std::string before = DumpYearFile(next);
  CNewYearDlg dlg(env);
  dlg.OnInitDialog();
  dlg.OnYearSelected(1);
  platform.answers = {MsgAnswer::Yes};
  dlg.OnDeleteKey();
  EXPECT_FALSE(QueryRealFile(next).exists);
  std::vector<std::string> copies = YearBackups(dir.Path(), 2003);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(DumpYearFile(copies[0]), before);
  EXPECT_EQ(platform.LastText(), "2003年数据文件已删除。\r\r删除前的数据已备份到：\r" + copies[0]);
}

}  // namespace

namespace {

namespace fs = std::filesystem;

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  ::stat(NativePath(path).c_str(), &st);
  return st.st_mode & 0777;
}

TEST_F(BackupTest, BrokenCopiesAndLeftoversGoAndTheLastCopyBeforeACommandStays) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  std::string folder = BackupFolder(dir.Path());
  MakeFolders(folder);
  // What interrupted copies of older versions left under backups' names, and a copy's working file whose
  // process is gone (pid 1 never is: its file stays).
  WriteText(NativePath(folder + "/2003-20261201-000000.vyx"), "half a copy");
  WriteText(NativePath(folder + "/2003-20261201-000000.vyx-journal"), "");
  WriteText(NativePath(folder + "/2003-20261201-000001.vyx-journal"), "");
  WriteText(NativePath(folder + "/2003-20261201-000002.vyx.999999999.part"), "");
  WriteText(NativePath(folder + "/2003-20261201-000003.vyx.1.part"), "");
  jet::Database db;
  db.Open(path);
  platform.now.hour = 1;
  platform.now.minute = 0;
  ASSERT_TRUE(BackupYear(db, dir.Path(), 2003, BackupReason::CarryForward).Ok());
  platform.now.hour = 2;
  ASSERT_TRUE(BackupYear(db, dir.Path(), 2003, BackupReason::Copy).Ok());
  for (int i = 0; i < 12; ++i) {
    platform.now.hour = 3;
    platform.now.minute = i;
    ASSERT_TRUE(BackupYear(db, dir.Path(), 2003).Ok());
  }
  std::vector<std::string> names;
  for (auto& p : YearBackups(dir.Path(), 2003)) names.push_back(p.substr(p.rfind('/') + 1));
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names[0], "2003-20261207-010000-结转.vyx");
  EXPECT_EQ(names[1], "2003-20261207-020000-拷贝.vyx");
  EXPECT_EQ(names[2], "2003-20261207-030200.vyx");
  std::vector<std::string> left = ListFolder(folder, false);
  EXPECT_EQ(left.size(), 13u);  // the twelve and pid 1's working file
  EXPECT_TRUE(QueryRealFile(folder + "/2003-20261201-000003.vyx.1.part").exists);
  for (const BackupEntry& e : ListBackups(dir.Path(), 2003, true)) EXPECT_EQ(e.problem, "") << e.path;
  EXPECT_EQ(ListBackups(dir.Path(), 2003, false)[0].taken, "2026-12-07 01:00:00");
  EXPECT_EQ(ReasonText(ListBackups(dir.Path(), 2003, false)[0].reason), "结转前");

  // A copy that does not open is listed as such.
  WriteText(NativePath(folder + "/2003-20261207-235959.vyx"), "not a copy");
  EXPECT_NE(ListBackups(dir.Path(), 2003, false).back().problem, "");
}

TEST_F(BackupTest, CopiesAndNewYearsAreNoMoreOpenThanTheBookAndFollowNoLinks) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  std::string folder = BackupFolder(dir.Path());
  MakeFolders(folder);
  // A link planted where the next copy goes: the copy takes another name and nothing is written through it.
  std::string target = dir.File("planted.vyx");
  fs::create_symlink(target, NativePath(folder + "/2003-20261207-093000.vyx"));
  for (unsigned mode : {0600u, 0640u}) {
    ::chmod(NativePath(path).c_str(), mode);
    jet::Database db;
    db.Open(path);
    BackupOutcome b = BackupYear(db, dir.Path(), 2003);
    ASSERT_TRUE(b.Ok()) << b.error;
    EXPECT_EQ(ModeOf(b.path), mode);
    EXPECT_FALSE(IsSymbolicLink(b.path));
    db.Close();
    CVyDataEnv env;
    ASSERT_TRUE(env.Open(path, "101", 1));
    std::string next = CreateNextYearFile(env, 2004);
    EXPECT_EQ(ModeOf(next), mode);
    env.Close();
    fs::remove(NativePath(next));
  }
  // Nothing was written through the link, and a link is no copy: it does not stay among them.
  EXPECT_FALSE(fs::exists(target));
  EXPECT_FALSE(fs::is_symlink(NativePath(folder + "/2003-20261207-093000.vyx")));
  EXPECT_EQ(YearBackups(dir.Path(), 2003).size(), 2u);
}

// The file-size limit stands in for a full disk: every write beyond it fails.
TEST_F(BackupTest, AFullDiskLeavesNoCopyNoJournalAndNoHalfMadeYear) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "101", 1));
  for (int i = 0; i < 300; ++i)
    env.Execute(Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20030105','0',%d,"
                       "'摘要摘要摘要摘要摘要','101',1,%d,0,'4','01')",
                       i + 1, i));
  rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 8192;
  ::setrlimit(RLIMIT_FSIZE, &small);
  BackupOutcome b = BackupYear(*env.Db(), dir.Path(), 2003);
  bool madeNext = true;
  try {
    CreateNextYearFile(env, 2004);
  } catch (const jet::DbError&) {
    madeNext = false;
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(b.Ok());
  EXPECT_FALSE(madeNext);
  EXPECT_EQ(ListFolder(BackupFolder(dir.Path()), false), std::vector<std::string>{});
  EXPECT_EQ(ListFolder(dir.Path(), false), std::vector<std::string>{"2003.vyx"});
}

}  // namespace

namespace {

// One copy of a sequence: the command it precedes, the minute the program's clock stamps into its name,
// and whether the machine's clock was then years ahead (the file's own time then lies in the future and
// its name in 2030).
struct Taking {
  BackupReason reason = BackupReason::OnDemand;
  int minute = 0;
  bool clockAhead = false;
};

struct CopySequence {
  const char* name;
  std::vector<Taking> takings;
};

std::vector<Taking> Repeat(int times, BackupReason reason, int firstMinute, int step = 1, bool ahead = false) {
  std::vector<Taking> t;
  for (int i = 0; i < times; ++i) t.push_back({reason, firstMinute + i * step, ahead});
  return t;
}

std::vector<Taking> Then(std::vector<Taking> a, const std::vector<Taking>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Taken {
  BackupReason reason;
  std::string path;
  bool ahead;
};

// What the rule promises: of the copies in the order they were taken — those made while the clock was
// ahead counting as older than the rest, the one just taken the newest of all — the newest ten, and the
// newest taken before each kind of command.
std::set<std::string> ModelKeeps(const std::vector<Taken>& taken) {
  std::vector<Taken> order;
  for (bool ahead : {true, false})
    for (size_t i = 0; i + 1 < taken.size(); ++i)
      if (taken[i].ahead == ahead) order.push_back(taken[i]);
  order.push_back(taken.back());
  std::set<std::string> keep;
  for (size_t i = order.size() > kBackupsKept ? order.size() - kBackupsKept : 0; i < order.size(); ++i)
    keep.insert(order[i].path);
  for (BackupReason r : {BackupReason::CarryForward, BackupReason::Copy, BackupReason::Delete})
    for (size_t i = order.size(); i-- > 0;)
      if (order[i].reason == r) {
        keep.insert(order[i].path);
        break;
      }
  return keep;
}

void SetModified(const std::string& path, time_t when) {
  timespec times[2] = {{when, 0}, {when, 0}};
  ::utimensat(AT_FDCWD, NativePath(path).c_str(), times, AT_SYMLINK_NOFOLLOW);
}

class BackupSequenceTest : public YearFileTest, public ::testing::WithParamInterface<CopySequence> {};

TEST_P(BackupSequenceTest, KeepsTheNewestTenAndTheNewestBeforeEachCommand) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  jet::Database db;
  db.Open(path);
  // Files made in one tick of the file system's clock would share a time: each copy gets a time of its
  // own once it is made, a second apart, in the past, or years ahead for a clock set ahead.
  const time_t past = ::time(nullptr) - 86400, ahead = ::time(nullptr) + 4 * 366 * 86400;
  std::vector<Taken> taken;  // the model's list, in the order taken
  for (size_t i = 0; i < GetParam().takings.size(); ++i) {
    const Taking& t = GetParam().takings[i];
    platform.now.year = t.clockAhead ? 2030 : 2026;
    platform.now.hour = t.minute / 60 % 24;
    platform.now.minute = t.minute % 60;
    BackupOutcome b = BackupYear(db, dir.Path(), 2003, t.reason);
    ASSERT_TRUE(b.Ok()) << b.error;
    // The copy the command names exists, whatever the clocks said.
    ASSERT_TRUE(QueryRealFile(b.path).exists) << "copy " << i << " " << b.path;
    taken.push_back({t.reason, b.path, t.clockAhead});
    std::set<std::string> model = ModelKeeps(taken);
    std::vector<std::string> left = YearBackups(dir.Path(), 2003);
    ASSERT_EQ(std::set<std::string>(left.begin(), left.end()), model) << "after copy " << i;
    SetModified(b.path, (t.clockAhead ? ahead : past) + static_cast<time_t>(i));
    // Only what the model drops is gone.
    for (auto it = taken.begin(); it != taken.end();)
      it = model.count(it->path) ? it + 1 : taken.erase(it);
  }
}

const std::vector<CopySequence> kSequences = {
    {"ThreeCarryForwardsThenTenOnDemand",
     Then(Repeat(3, BackupReason::CarryForward, 0), Repeat(10, BackupReason::OnDemand, 10))},
    {"TwelveCopies", Repeat(12, BackupReason::Copy, 0)},
    {"Mixed", Then(Then(Then(Repeat(1, BackupReason::Delete, 0), Repeat(2, BackupReason::CarryForward, 1)),
                        Then(Repeat(2, BackupReason::Copy, 3), Repeat(9, BackupReason::OnDemand, 5))),
                   Then(Repeat(1, BackupReason::CarryForward, 20), Repeat(11, BackupReason::OnDemand, 21)))},
    // The program's clock runs backwards: later copies carry earlier names.
    {"NamesGoingBackwards", Repeat(13, BackupReason::OnDemand, 600, -7)},
    // Ten copies while the machine's clock was years ahead, then it is put right.
    {"ClockSetAheadThenPutRight",
     Then(Then(Repeat(10, BackupReason::OnDemand, 0, 1, true), Repeat(1, BackupReason::CarryForward, 30, 1, true)),
          Repeat(12, BackupReason::OnDemand, 40))},
    {"ClockAheadBetweenCommands",
     Then(Then(Repeat(2, BackupReason::Copy, 0), Repeat(5, BackupReason::OnDemand, 10, 1, true)),
          Then(Repeat(1, BackupReason::Delete, 20), Repeat(9, BackupReason::OnDemand, 30)))},
};

INSTANTIATE_TEST_SUITE_P(Sequences, BackupSequenceTest, ::testing::ValuesIn(kSequences),
                         [](const ::testing::TestParamInfo<CopySequence>& info) { return info.param.name; });

// A whole copy that another process holds locked cannot be looked at in time: it is kept, never taken for
// broken.
TEST_F(BackupTest, ACopyHeldByAnotherProcessIsKept) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  jet::Database db;
  db.Open(path);
  BackupOutcome first = BackupYear(db, dir.Path(), 2003);
  ASSERT_TRUE(first.Ok()) << first.error;
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(NativePath(first.path).c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  platform.now.minute = 1;
  BackupOutcome second = BackupYear(db, dir.Path(), 2003);
  sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(holder);
  ASSERT_TRUE(second.Ok()) << second.error;
  EXPECT_TRUE(QueryRealFile(first.path).exists);
  EXPECT_EQ(YearBackups(dir.Path(), 2003), (std::vector<std::string>{first.path, second.path}));
}

}  // namespace
