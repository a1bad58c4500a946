#pragma once
// The statement corpus tests/testdata/jet_statements.txt, read into sections of steps, and the runner that
// checks a step's results on an open database. The format is described at the top of the corpus file.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "data/database.h"

namespace corpus {

// One expected column value: a GBK text, or NULL (which must read as "" and 0).
struct Value {
  std::string text;
  bool null = false;
};

struct Step {
  enum Kind { Exec, Query, Error } kind = Exec;
  int line = 0;
  std::string sql;        // GBK
  int changed = -1;       // exec: the expected number of changed rows, -1 when not given
  bool anyOrder = false;  // query: rows compared as a multiset
  bool hasCols = false;
  std::vector<std::string> cols;
  std::vector<std::vector<Value>> rows;
  std::string messagePart;  // error: a part of the message, GBK
  // Values bound to the statement's "?" in order (GBK); a step with them runs as a prepared statement.
  bool bound = false;
  std::vector<std::string> binds;
};

struct Section {
  std::string name;
  int line = 0;
  bool emptyFile = false;  // a bare new database instead of a seeded account set
  std::vector<Step> steps;
  std::string loadError;  // the corpus itself could not be read
};

extern const char* const kCorpus;

// gtest names a failing section by this instead of dumping its bytes.
inline void PrintTo(const Section& section, std::ostream* os) {
  *os << section.name;
}

std::vector<Section> Sections();
// Shown in failure messages in the corpus's own notation.
std::string Visible(const std::string& gbkText);
std::string RowText(const std::vector<Value>& row);
std::vector<Value> ReadRow(const jet::Cursor& c);
bool IsSelect(const std::string& sql);

// A query's rows: the cursor, and the prepared statement it reads from when the step binds values.
struct Opened {
  std::unique_ptr<jet::PreparedStatement> statement;
  std::unique_ptr<jet::Cursor> cursor;
};
// A step's statement as the program would send it: as text, or prepared with its values bound.
Opened OpenQuery(jet::Database& db, const Step& step);
int RunChange(jet::Database& db, const Step& step);

// Runs steps on a database and reports every difference from the corpus as a test failure.
class StatementRunner {
 public:
  explicit StatementRunner(jet::Database& db) : db_(db) {}
  void Run(const Step& step);

 private:
  std::string Where(const Step& step) const;
  void RunExec(const Step& step);
  void RunQuery(const Step& step);
  void RunError(const Step& step);
  jet::Database& db_;
};

}  // namespace corpus
