// The statement corpus on both engines: every step runs on a year file and on a year on the server, and
// both give the same rows (names, values, order where the statement orders) and the same errors. The few
// steps where the engines must differ are listed below with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "data/database.h"
#include "data/db_error.h"
#include "data/year_files.h"
#include "support/statement_corpus.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace {

using namespace corpus;

// What one step gave on one engine.
struct Outcome {
  bool failed = false;
  std::string message;
  int changed = 0;
  std::vector<std::string> cols;
  std::vector<std::string> rows;

  std::string Shown() const {
    if (failed) return "error: " + Visible(message);
    std::string s = "changed " + std::to_string(changed);
    for (auto& c : cols) s += (&c == &cols.front() ? "\n    cols: " : "|") + c;
    for (auto& r : rows) s += "\n    row: " + r;
    return s;
  }
};

Outcome RunStep(jet::Database& db, const Step& step) {
  Outcome o;
  try {
    if (step.kind == Step::Query || (step.kind == Step::Error && IsSelect(step.sql))) {
      Opened opened = OpenQuery(db, step);
      jet::Cursor* c = opened.cursor.get();
      for (int i = 0; i < c->ColumnCount(); ++i) o.cols.push_back(c->ColumnName(i));
      for (; !c->AtEnd(); c->Next()) o.rows.push_back(RowText(ReadRow(*c)));
      if (step.anyOrder) std::sort(o.rows.begin(), o.rows.end());
    } else {
      o.changed = RunChange(db, step);
    }
  } catch (const jet::DbError& e) {
    o.failed = true;
    o.message = e.what();
  }
  return o;
}

// Steps (by corpus line) whose errors come from the engine itself rather than from the dialect: both
// engines refuse them, each in its own words.
const std::map<int, const char*>& OwnWords() {
  static const std::map<int, const char*> lines = {};
  return lines;
}

class ServerStatementCorpus : public ::testing::TestWithParam<Section> {};

TEST_P(ServerStatementCorpus, GivesWhatTheEmbeddedEngineGives) {
  const Section& section = GetParam();
  ASSERT_TRUE(section.loadError.empty()) << kCorpus << " line " << section.line << ": " << section.loadError;
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  TempDir dir;
  jet::Database embedded, remote;
  if (section.emptyFile) {
    embedded.Create(dir.File("2001.vyx"));
    remote.Create(server.Uri() + "#2001");
  } else {
    embedded.Open(CreateAccountSetFile(dir.Path(), 2001));
    remote.Open(CreateAccountSetFile(server.Uri(), 2001));
  }
  for (const Step& step : section.steps) {
    Outcome a = RunStep(embedded, step), b = RunStep(remote, step);
    std::string where = "corpus line " + std::to_string(step.line) + "\n  statement: " + Visible(step.sql);
    try {
      for (auto& t : remote.Explain(step.sql)) where += "\n  server runs: " + Visible(t);
    } catch (const jet::DbError&) {
    }
    if (a.failed && b.failed && OwnWords().count(step.line)) continue;
    EXPECT_EQ(a.Shown(), b.Shown()) << where << "\n  embedded: " << a.Shown()
                                    << "\n  server:   " << b.Shown();
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, ServerStatementCorpus, ::testing::ValuesIn(Sections()),
                         [](const ::testing::TestParamInfo<Section>& info) { return info.param.name; });

Step Prepared(const std::string& sql, std::vector<std::string> binds) {
  Step step;
  step.kind = Step::Query;
  step.sql = sql;
  step.bound = true;
  step.binds = std::move(binds);
  return step;
}

// The text functions at the edges of ASCII and Chinese texts (0, 1, one short of the length, the length,
// one past it), written out and bound, and prepared statements of several random values: both engines
// give the same result or the same error.
TEST(ServerTextFunctions, GiveWhatTheEmbeddedEngineGivesAtEveryEdge) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  TempDir dir;
  jet::Database embedded, remote;
  embedded.Open(CreateAccountSetFile(dir.Path(), 2001));
  remote.Open(CreateAccountSetFile(server.Uri(), 2001));
  std::vector<Step> steps;
  for (const std::string text : {"", "abcde", "付款", "a付b款c"}) {
    const long len = static_cast<long>(text.size());
    const std::string q = "'" + text + "'";
    for (long at : {0L, 1L, len - 1, len, len + 1}) {
      const std::string n = std::to_string(at);
      for (const std::string& call :
           {"mid(" + q + "," + n + ")", "mid(" + q + "," + n + ",2)", "mid(" + q + ",1," + n + ")",
            "left(" + q + "," + n + ")", "right(" + q + "," + n + ")", "instr(" + n + "," + q + ",'b')",
            "instr(" + n + "," + q + ",'款')", "len(mid(" + q + "," + n + "))"}) {
        Step step;
        step.kind = Step::Query;
        step.sql = "select " + call + " from systab";
        steps.push_back(step);
      }
      steps.push_back(Prepared("select mid(?,?,?),left(?,?),right(?,?),instr(?,?,?) from systab",
                               {text, n, "2", text, n, text, n, n, text, "款"}));
    }
  }
  std::mt19937 rnd(20261208);
  const std::string pieces[] = {"a", "b", "付", "款", " ", "''", "1"};
  auto randomText = [&] {
    std::string t;
    for (int k = static_cast<int>(rnd() % 6); k > 0; --k) t += pieces[rnd() % std::size(pieces)];
    return t;
  };
  for (int i = 0; i < 150; ++i) {
    auto number = [&] { return std::to_string(static_cast<int>(rnd() % 9)); };
    steps.push_back(Prepared("select mid(?,?,?)&left(?,?),instr(?,?,?),len(?)+? from systab",
                             {randomText(), number(), number(), randomText(), number(), number(), randomText(),
                              randomText(), randomText(), number()}));
  }
  size_t values = 0;  // steps that gave rows, not an error: the edges must not all be refusals
  for (const Step& step : steps) {
    Outcome a = RunStep(embedded, step), b = RunStep(remote, step);
    std::string shown = Visible(step.sql);
    for (const std::string& v : step.binds) shown += " [" + Visible(v) + "]";
    EXPECT_EQ(a.Shown(), b.Shown()) << shown;
    values += !a.failed && a.rows.size() == 1;
  }
  EXPECT_GT(values, steps.size() / 2);
}

}  // namespace
