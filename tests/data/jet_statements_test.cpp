// Runs the statement corpus tests/testdata/jet_statements.txt against the dialect layer: every statement
// form the program sends, with sample values, and the results it must give. The format is described at the
// top of the corpus file. Each section is one test on a fresh year file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "data/database.h"
#include "data/db_error.h"
#include "data/year_files.h"
#include "support/statement_corpus.h"
#include "support/temp_dir.h"

namespace {

using namespace corpus;

class JetStatementCorpus : public ::testing::TestWithParam<Section> {};

TEST_P(JetStatementCorpus, GivesTheCheckedResults) {
  const Section& section = GetParam();
  ASSERT_TRUE(section.loadError.empty()) << kCorpus << " line " << section.line << ": " << section.loadError;
  TempDir dir;
  jet::Database db;
  if (section.emptyFile) {
    db.Create(dir.File("2001.vyx"));
  } else {
    db.Open(CreateAccountSetFile(dir.Path(), 2001));
  }
  // The file is thrown away afterwards: no need to wait for the disk after every statement.
  db.ExecuteEngineSql("PRAGMA synchronous=OFF");
  StatementRunner runner(db);
  for (const Step& step : section.steps) runner.Run(step);
}

INSTANTIATE_TEST_SUITE_P(Corpus, JetStatementCorpus, ::testing::ValuesIn(Sections()),
                         [](const ::testing::TestParamInfo<Section>& info) { return info.param.name; });

// The program binds result columns by name, without regard to case.
TEST(JetStatementNames, AreFoundWithoutRegardToCase) {
  TempDir dir;
  jet::Database db;
  db.Open(CreateAccountSetFile(dir.Path(), 2001));
  auto c = db.Query("SELECT rtrim(NA),rtrim(KJ),PY,MM,JT,T1,T13 FROM SYSTAB");
  EXPECT_EQ(c->FindColumn("EXpr1000"), 0);
  EXPECT_EQ(c->FindColumn("expr1001"), 1);
  EXPECT_EQ(c->FindColumn("py"), 2);
  EXPECT_EQ(c->FindColumn("t13"), 6);
  EXPECT_EQ(c->FindColumn("Expr1002"), -1);
  EXPECT_EQ(c->FindColumn("NA"), -1);
}

// The plan SQLite makes for a statement, one line per step.
std::vector<std::string> QueryPlan(jet::Database& db, const std::string& jetSql) {
  std::vector<std::string> plan;
  for (auto& sql : db.Explain(jetSql)) {
    try {
      for (auto c = db.QueryEngineSql("EXPLAIN QUERY PLAN " + sql); !c->AtEnd(); c->Next()) plan.push_back(c->Text(3));
    } catch (const jet::DbError& e) {
      plan.push_back(std::string("cannot plan: ") + e.what());
    }
  }
  return plan;
}

TEST(JetStatementIndexes, PerAccountPredicatesAreServedByIndexes) {
  TempDir dir;
  jet::Database db;
  db.Open(CreateAccountSetFile(dir.Path(), 2001));
  const char* const statements[] = {
      "select count(*),sum(f*my) from p0 where (trim(kno)='101' or trim(kno) like '101-*') and t<='20011231' "
      "and val(tt)<=12 and mk='4'",
      "select count(*) from subt where kno like '101-*'",
  };
  for (const char* sql : statements) {
    std::vector<std::string> plan = QueryPlan(db, sql);
    std::string shown;
    bool indexed = false, fullScan = false;
    for (auto& step : plan) {
      shown += "\n  " + step;
      if (step.find("USING INDEX") != std::string::npos ||
          step.find("USING COVERING INDEX") != std::string::npos)
        indexed = true;
      if (step == "SCAN P0" || step == "SCAN SUBT") fullScan = true;
    }
    EXPECT_TRUE(indexed && !fullScan) << sql << "\nplan:" << shown;
  }
}

}  // namespace
