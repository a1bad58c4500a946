// The statement corpus on both engines: every step runs on a year file and on a year on the server, and
// both give the same rows (names, values, order where the statement orders) and the same errors. The few
// steps where the engines must differ are listed below with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "data/jet/database.h"
#include "data/jet/db_error.h"
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

}  // namespace
