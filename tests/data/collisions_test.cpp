// Work met by another writer on the server is started again a few times before its user is told; any
// other failure is told at once. The import frame starts the file over from its first line and the work
// of the undone attempt is gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/collisions.h"
#include "data/data_env.h"
#include "data/db_error.h"
#include "io/import_run.h"
#include "support/year_file_fixture.h"

namespace {

const char* const kCollision = "另一位用户同时修改了同样的数据，本次操作已全部撤销，请重试。";

enum Outcome { kOk, kCollides, kFails };

jet::DbError Failure(Outcome o) {
  return o == kCollides ? jet::DbError(kCollision, false, false, true) : jet::DbError("磁盘已满。");
}

TEST(Collisions, WorkIsStartedAgainOnlyAfterACollisionAndOnlyAFewTimes) {
  struct Case {
    const char* name;
    std::vector<Outcome> attempts;  // what each attempt does; the last repeats
    int runs;                       // attempts made
    const char* thrown;             // what reaches the caller, "" for nothing
  } cases[] = {
      {"goes through at once", {kOk}, 1, ""},
      {"one collision, then through", {kCollides, kOk}, 2, ""},
      {"collisions but the last", {kCollides, kCollides, kCollides, kCollides, kOk}, 5, ""},
      {"a true conflict", {kCollides}, jet::kCollisionAttempts, kCollision},
      {"another failure", {kFails}, 1, "磁盘已满。"},
      {"a collision, then another failure", {kCollides, kFails}, 2, "磁盘已满。"},
  };
  for (const Case& c : cases) {
    long before = jet::CollisionRetries();
    int runs = 0;
    std::string thrown;
    try {
      jet::RetryCollisions([&] {
        Outcome o = c.attempts[std::min<size_t>(static_cast<size_t>(runs), c.attempts.size() - 1)];
        ++runs;
        if (o != kOk) throw Failure(o);
      });
    } catch (const jet::DbError& e) {
      thrown = e.what();
      EXPECT_EQ(e.Collision(), thrown == kCollision) << c.name;
    }
    EXPECT_EQ(runs, c.runs) << c.name;
    EXPECT_EQ(thrown, c.thrown) << c.name;
    EXPECT_EQ(jet::CollisionRetries() - before, runs - 1) << c.name;
  }
}

class ImportAfterCollision : public YearFileTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(env.Open(MakeYearFile("2026.vyx", 2026), "", 1));
    env.Execute("create table seen (line integer, attempt integer)");
  }
  long Rows(const std::string& where) { return env.QueryLong("select count(*) from seen where " + where); }
  CVyDataEnv env;
};

// The first attempt collides on a given line (its rows so far are undone); the second reads the file again
// from its first record, each having been told to forget; a collision on every attempt refuses the import
// with the collision's words and leaves nothing.
TEST_F(ImportAfterCollision, StartsTheFileOverAndKeepsOnlyTheLastAttempt) {
  for (bool fromFile : {false, true}) {
    for (int collideOn : {2, 4}) {
      for (bool always : {false, true}) {
        SCOPED_TRACE(std::to_string(fromFile) + " " + std::to_string(collideOn) + " " + std::to_string(always));
        env.Execute("delete from seen");
        const std::string text = "n\n1\n2\n3\n";
        CsvTable table;
        std::string error;
        if (fromFile) {
          WriteText(dir.File("lines.csv"), text);
          ASSERT_TRUE(table.Load(dir.File("lines.csv"), error)) << error;
        } else {
          ASSERT_TRUE(table.Parse(text, error)) << error;
        }
        int attempt = 1, restarts = 0;
        ImportOutcome out = RunImport(
            env, table, {"n"},
            [&](const CsvRecord& r) {
              if ((attempt == 1 || always) && r.line == collideOn) throw Failure(kCollides);
              env.Execute("insert into seen values(" + std::to_string(r.line) + "," + std::to_string(attempt) + ")");
              return std::string();
            },
            "", [&] { ++attempt, ++restarts; });
        if (always) {
          EXPECT_EQ(out.refused, std::vector<std::string>{kCollision});
          EXPECT_EQ(restarts, jet::kCollisionAttempts - 1);
          EXPECT_EQ(Rows("1=1"), 0);
        } else {
          EXPECT_TRUE(out.Ok()) << out.refused[0];
          EXPECT_EQ(out.imported, 3);
          EXPECT_EQ(restarts, 1);
          EXPECT_EQ(Rows("attempt=2"), 3);
          EXPECT_EQ(Rows("attempt<>2"), 0);
        }
      }
    }
  }
}

}  // namespace
