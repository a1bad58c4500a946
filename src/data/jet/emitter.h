#pragma once
// Writes a parsed statement out as SQLite or PostgreSQL SQL with the dialect's meaning: "+" joining texts
// or adding numbers, the dialect's functions and wildcards, fixed-width texts padded and checked on every
// write, and result columns named "Expr1000" + position unless they are plain columns.
#include <string>
#include <vector>

#include "data/jet/ast.h"
#include "data/jet/schema.h"
#include "data/jet/target.h"

namespace jet {

struct EmitOptions {
  Target target = Target::Embedded;
  // Serve the per-account predicates (trim(x)='..', x like 'P-*') from indexes: ranges implied by a
  // literal prefix and trim() written so that the expression indexes match. Off only to measure.
  bool indexSupport = true;
};

struct Translation {
  std::vector<std::string> statements;  // the engine's SQL, run in this order as one unit
  bool isQuery = false;
  bool changesSchema = false;
};

Translation Translate(const std::string& jetSql, SchemaSource& schema, const EmitOptions& options);

// The name an index of the program gets in the file (table and index names share one namespace there).
std::string StoredIndexName(const std::string& table, const std::string& index);

}  // namespace jet
