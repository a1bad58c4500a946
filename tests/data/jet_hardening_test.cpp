// Statements no program of ours writes, but a script or a damaged value may: each ends as an error of the
// statement, never as a crash, garbage, a leaked statement or a transaction that cannot end.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <string>

#include "data/database.h"
#include "data/db_error.h"
#include "data/sql_text.h"
#include "data/data_env.h"
#include "data/year_files.h"
#include "support/year_file_fixture.h"

namespace {

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

class JetHardening : public YearFileTest {
 protected:
  void SetUp() override {
    path = MakeYearFile("2026.vyx", 2026);
    db.Open(path);
  }
  // The first value of a one-row query, or the error's text.
  std::string Value(const std::string& sql) {
    try {
      auto c = db.Query(sql);
      return c->AtEnd() ? "<none>" : c->Text(0);
    } catch (const jet::DbError& e) {
      return std::string("error: ") + e.what();
    }
  }
  std::string path;
  jet::Database db;
};

TEST_F(JetHardening, ExtremeStatementsAreErrorsOfTheStatement) {
  struct Case {
    std::string sql;
    std::string expect;  // a value, or the start of an error's text
  } cases[] = {
      {"select " + Repeat("(", 5000) + "1" + Repeat(")", 5000) + " from opr",
       "error: SQL 语句错误：表达式嵌套太深"},
      {"select " + Repeat("not ", 10000) + "1 from opr", "error: SQL 语句错误：表达式嵌套太深"},
      {"select 1" + Repeat("+1", 10000) + " from opr", "error: SQL 语句错误：表达式太长或嵌套太深"},
      {"select left(" + Repeat("left(", 3000) + "'x'" + Repeat(",1)", 3000) + ",1) from opr",
       "error: SQL 语句错误：表达式嵌套太深"},
      {"select 1" + Repeat("+1", 50) + " from opr where opno='101'", "51"},
      {"select " + Repeat("(", 50) + "7" + Repeat(")", 50) + " from opr where opno='101'", "7"},
      {"select 1e19 \\ -1 from opr", "error: 溢出。"},
      {"select 1e300 \\ 7 from opr", "error: 溢出。"},
      {"select 7 mod 1e300 from opr", "error: 溢出。"},
      {"select -9e18 \\ -1 from opr where opno='101'", "9000000000000000000"},
      {"select 7 mod -1 from opr where opno='101'", "0"},
      {"select -7 \\ 2, 7 mod 3 from opr where opno='101'", "-3"},
      {"select 5 \\ 0 from opr", "error: 被零除。"},
      {"create table t(a char(99999999999))", "error: SQL 语句错误：字段宽度应为不大于 65535 的整数"},
      {"select top 99999999999999999999 * from p0", "error: SQL 语句错误：TOP 之后的数字应为不大于"},
      {"select top 1.5 * from p0", "error: SQL 语句错误：TOP 之后的数字应为不大于"},
      {"select [na乚] from opr", "error: SQL 语句错误：找不到字段“na乚”"},
  };
  for (const Case& c : cases) {
    std::string got = c.sql.rfind("create", 0) == 0 ? [&] {
      try {
        db.Execute(c.sql);
        return std::string("done");
      } catch (const jet::DbError& e) {
        return std::string("error: ") + e.what();
      }
    }()
                                                    : Value(c.sql);
    EXPECT_EQ(got.substr(0, c.expect.size()), c.expect) << c.sql.substr(0, 80);
  }
}

TEST_F(JetHardening, TextsWithALoneLeadByteGoBackThroughTheQuotingHelper) {
  // left() of a two-byte name keeps only its lead byte; the quoting helper must carry it back whole.
  std::string lone = "\xD6";
  db.Execute("update opr set na='" + jet::SqlText(lone) + "' where opno='102'");
  EXPECT_EQ(Value("select trim(na) from opr where opno='102'"), lone);
  db.Execute("create table [t乚](a char(4))");
  db.Execute("insert into [t乚](a) values('x')");
  EXPECT_EQ(Value("select a from [t乚]"), "x   ");
}

TEST_F(JetHardening, AQueryFailingOnItsFirstRowLeavesNoStatementOpen) {
  for (int i = 0; i < 200; ++i) EXPECT_THROW(db.Query("select 1e19 \\ 1 from opr"), jet::DbError);
  EXPECT_EQ(db.OpenStatements(), 0);
  db.Close();
  EXPECT_FALSE(db.IsOpen());
}

TEST_F(JetHardening, AFailedCommitCanStillBeRolledBack) {
  // A reader in another connection keeps the writer from committing (the lock wait runs out).
  jet::Database reader;
  reader.Open(path);
  db.Begin();
  db.Execute("insert into opr(opno,na) values('201','x')");
  auto holding = reader.Query("select opno from opr");
  ASSERT_FALSE(holding->AtEnd());
  EXPECT_THROW(db.Commit(), jet::DbError);
  db.Rollback();
  EXPECT_EQ(db.TransactionDepth(), 0);
  holding.reset();
  reader.Close();
  EXPECT_EQ(Value("select count(*) from opr where opno='201'"), "0");
  db.Begin();  // the connection takes new transactions again
  db.Execute("insert into opr(opno,na) values('202','y')");
  db.Commit();
  EXPECT_EQ(Value("select count(*) from opr where opno='202'"), "1");
}

// The large page cache is held only while a transaction writes: a report reading outside one keeps the
// engine's small cache, whatever way the last transaction ended.
TEST_F(JetHardening, OnlyAWritingTransactionHoldsTheLargeCache) {
  auto pragma = [&](const char* sql) { return db.QueryEngineSql(sql)->Int(0); };
  auto cache = [&] { return pragma("PRAGMA cache_size"); };
  // While a transaction writes, the file is not mapped: every page it touched would stay in the
  // process's memory.
  auto mapped = [&] { return pragma("PRAGMA mmap_size"); };
  const long long small = cache();
  EXPECT_GT(small, -10000);
  struct Step {
    const char* what;
    std::function<void()> run;
    bool large;
  } steps[] = {
      {"begin", [&] { db.Begin(); }, true},       {"savepoint", [&] { db.Begin(); }, true},
      {"release", [&] { db.Commit(); }, true},    {"commit", [&] { db.Commit(); }, false},
      {"begin again", [&] { db.Begin(); }, true}, {"rollback", [&] { db.Rollback(); }, false},
  };
  for (const Step& step : steps) {
    step.run();
    if (step.large) {
      EXPECT_LE(cache(), -16384) << step.what;
      EXPECT_EQ(mapped(), 0) << step.what;
    } else {
      EXPECT_EQ(cache(), small) << step.what;
      EXPECT_GT(mapped(), 0) << step.what;
    }
  }
}

class YearFileMaking : public YearFileTest {};

TEST_F(YearFileMaking, AHalfMadeFileIsNamedAndReplacedButNoOtherFileIs) {
  std::string folder = dir.Path() + "/set";
  MakeFolders(folder);
  std::string first = CreateAccountSetFile(folder, 2026);
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(first, "101", 1));
  std::string next = folder + "/2027.vyx";

  // What a crash between marking the file and making its tables left behind (an earlier version).
  {
    sqlite3* raw = nullptr;
    sqlite3_open(next.c_str(), &raw);
    sqlite3_exec(raw, "PRAGMA application_id=1413568082", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
  }
  EXPECT_TRUE(jet::Database::IsUnfinished(next));
  CVyDataEnv probe;
  platform.messages.clear();
  EXPECT_FALSE(probe.Open(next, "101", 1));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "此年度文件没有建立完成（建立时被中断），请重新建立该年度文件。");
  EXPECT_EQ(CreateNextYearFile(env, 2027), next);
  EXPECT_TRUE(probe.Open(next, "101", 1));
  probe.Close();

  // Another program's database or any other file is never taken for a half-made one.
  std::string other = folder + "/2028.vyx";
  {
    sqlite3* raw = nullptr;
    sqlite3_open(other.c_str(), &raw);
    sqlite3_exec(raw, "create table notes(x)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
  }
  EXPECT_FALSE(jet::Database::IsUnfinished(other));
  EXPECT_THROW(CreateNextYearFile(env, 2028), jet::DbError);
  WriteText(folder + "/2029.vyx", "notes");
  EXPECT_FALSE(jet::Database::IsUnfinished(folder + "/2029.vyx"));
  // A working file left by a crash of this version is simply made again.
  WriteText(folder + "/2030.vyx.part", "half");
  EXPECT_EQ(CreateNextYearFile(env, 2030), folder + "/2030.vyx");
  EXPECT_FALSE(QueryRealFile(folder + "/2030.vyx.part").exists);
}

}  // namespace
