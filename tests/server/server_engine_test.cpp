// The server engine's transactions and failures: a statement the server refuses inside a transaction
// leaves it usable; a connection the server ends reads as a lost connection, and an import says so
// without blaming a line; a database of another encoding is told the command that makes a right one.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/database.h"
#include "data/db_error.h"
#include "data/jet/server_engine.h"
#include "data/data_env.h"
#include "data/year_files.h"
#include "io/csv_reader.h"
#include "io/import_run.h"
#include "support/scripted_platform.h"
#include "support/test_server.h"

namespace {

std::string Message(const std::function<void()>& run) {
  try {
    run();
  } catch (const jet::DbError& e) {
    return e.what();
  }
  return "";
}

// A new year on the cluster, open.
struct NewServerYear {
  explicit NewServerYear(const std::string& cluster) : server(cluster) {
    db.Open(CreateAccountSetFile(server.Uri(), 2026));
  }
  test_server::ScratchDatabase server;
  ScriptedPlatform platform;
  jet::Database db;
};

TEST(ServerTransactions, ARefusedStatementLeavesTheTransactionUsable) {
  REQUIRE_TEST_SERVER(cluster);
  NewServerYear year(cluster);
  jet::Database& db = year.db;
  db.Begin();
  // Refused by the server's own checks: a text too long for its column, as a statement and prepared.
  EXPECT_NE(Message([&] { db.Execute("insert into wbt(wno,na,ho) values('12345','x','1')"); }), "");
  db.Execute("insert into wbt(wno,na,ho) values('1','美元','21')");
  auto insert = db.Prepare("insert into wbt(wno,na,ho) values(?,?,?)");
  for (const char* wno : {"23456", "2"}) {
    insert->Bind(1, std::string(wno));
    insert->Bind(2, std::string("港币"));
    insert->Bind(3, std::string("21"));
    EXPECT_EQ(Message([&] { insert->Run(); }).empty(), std::string(wno) == "2") << wno;
  }
  EXPECT_EQ(Message([&] { db.Query("select 1/0 from wbt"); }), "被零除。");
  db.Execute("insert into wbt(wno,na,ho) values('3','欧元','21')");
  db.Commit();
  auto rows = db.Query("select wno from wbt order by wno");
  std::string got;
  for (; !rows->AtEnd(); rows->Next()) got += rows->Text(0) + ";";
  EXPECT_EQ(got, "1   ;2   ;3   ;");
}

const char* const kLost = "与数据库服务器的连接已断开（服务器停止了，或网络中断），未完成的操作都没有保存。";

void EndOtherSessions(const std::string& uri) {
  jet::ServerConnection killer(uri);
  killer.Value(
      "SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity WHERE datname=current_database() "
      "AND pid<>pg_backend_pid()");
}

TEST(ServerTransactions, AnEndedConnectionReadsAsLostAndBlamesNoLine) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  ScriptedPlatform platform;
  std::string year = CreateAccountSetFile(server.Uri(), 2026);
  {
    jet::Database db;
    db.Open(year);
    EndOtherSessions(server.Uri());
    try {
      db.Execute("insert into wbt(wno,na,ho) values('1','美元','21')");
      ADD_FAILURE() << "a statement on an ended connection succeeded";
    } catch (const jet::DbError& e) {
      EXPECT_EQ(std::string(e.what()), kLost);
      EXPECT_TRUE(e.ConnectionLost());
    }
  }
  // The server stops in the middle of an import: nothing is kept, and no line is named.
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(year, "101", 1));
  CsvTable table;
  std::string error;
  ASSERT_TRUE(table.Parse("no\n201\n202\n203\n", error)) << error;
  int seen = 0;
  ImportOutcome out = RunImport(env, table, {"no"}, [&](const CsvRecord& r) -> std::string {
    if (++seen == 2) EndOtherSessions(server.Uri());
    env.Execute("insert into opr(opno,na) values('" + r.fields[0] + "','x')");
    return "";
  });
  EXPECT_EQ(out.refused, std::vector<std::string>{kLost});
  EXPECT_EQ(out.imported, 0);
}

TEST(ServerConnections, ADatabaseOfAnotherEncodingIsToldHowToMakeOne) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster, "UTF8");
  ScriptedPlatform platform;
  std::string message = Message([&] { jet::ServerConnection c(server.Uri()); });
  std::string name = server.Uri().substr(server.Uri().find("///") + 3);
  name = name.substr(0, name.find('?'));
  EXPECT_NE(message.find("createdb -E SQL_ASCII -T template0 --locale=C " + name), std::string::npos) << message;
}

// The dialect's functions that a report calls for every row, and the conversions of an import's every
// value, are inlined by the server's planner: its plan shows the expression, not a call of the function
// (which would cost a call of PL/pgSQL or of the SQL executor per row).
TEST(ServerLibrary, TheHotFunctionsAreInlinedWhereTheyAreCalled) {
  REQUIRE_TEST_SERVER(cluster);
  NewServerYear year(cluster);
  jet::Database& db = year.db;
  struct Case {
    const char* statement;
    const char* inlined;  // the function that must not be called by name
  } cases[] = {
      {"select sum(f*my) from p0 where val(tt)<=11", "jet_val("},
      {"select count(*) from p0 where strcomp(cer,'    ',0)<>0", "jet_strcomp("},
      {"select count(*) from p0 where instr(1,mry,'差旅')>0", "jet_instr("},
      {"select count(*) from p0 where instr(mry,'差旅')>0", "jet_instr("},
      {"insert into p0(t,mry,cer,kno,f,my,nu,mk,rn,tt) values(?,?,?,?,?,?,?,?,?,?)", "jet_char("},
      {"insert into p0(t,mry,cer,kno,f,my,nu,mk,rn,tt) values(?,?,?,?,?,?,?,?,?,?)", "jet_long("},
      {"insert into p0(t,mry,cer,kno,f,my,nu,mk,rn,tt) values(?,?,?,?,?,?,?,?,?,?)", "jet_num("},
      {"insert into wbt(wno,na,ho) values(?,?,?)", "jet_text("},
  };
  for (const Case& c : cases) {
    std::vector<std::string> sql = db.Explain(c.statement);
    ASSERT_EQ(sql.size(), 1u) << c.statement;
    // A statement of parameters is planned for any values, as the engine's prepared statements are: its
    // conversions are not folded into constants.
    int params = 0;
    while (sql[0].find("$" + std::to_string(params + 1) + "::") != std::string::npos) ++params;
    std::string explain = "EXPLAIN VERBOSE " + sql[0];
    if (params > 0) {
      std::string types, values;
      for (int n = 0; n < params; ++n) types += n ? ",text" : "text", values += n ? ",'1'" : "'1'";
      db.ExecuteEngineSql("SET plan_cache_mode TO force_generic_plan; DEALLOCATE ALL; PREPARE jet_hot(" + types +
                          ") AS " + sql[0]);
      explain = "EXPLAIN VERBOSE EXECUTE jet_hot(" + values + ")";
    }
    std::string plan;
    for (auto rows = db.QueryEngineSql(explain); !rows->AtEnd(); rows->Next()) plan += rows->Text(0) + "\n";
    EXPECT_EQ(plan.find(c.inlined), std::string::npos) << c.statement << "\n" << plan;
  }
}

}  // namespace
