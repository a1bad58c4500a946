// The dialect's functions as SQL and PL/pgSQL in the account set's database: their definitions are the
// server's side of the table of the dialect's functions (dialect_functions.cpp); this file adds the tables
// the library keeps and the transaction that makes it.
#include "data/jet/server_library.h"

#include "base/text.h"
#include "data/jet/dialect_functions.h"

namespace jet {

namespace {

// The schema and the tables the library keeps beside its functions.
const char* const kLibraryTables = R"SQL(
CREATE SCHEMA IF NOT EXISTS jet;
CREATE TABLE IF NOT EXISTS jet.library(version int NOT NULL);
-- Who holds the account set's lock for work that must be alone (a row of a server process holding it).
CREATE TABLE IF NOT EXISTS jet.alone(pid int PRIMARY KEY, who text NOT NULL, work text NOT NULL,
                                     since timestamp NOT NULL);
)SQL";

}  // namespace

std::string LibraryScript() {
  // Two programs opening the same new database make the library one after the other.
  return std::string("BEGIN; SELECT pg_advisory_xact_lock(1413567058); ") + kLibraryTables +
         ServerDefinitions() +
         Format("DELETE FROM jet.library; INSERT INTO jet.library VALUES(%d); COMMIT", kServerLibraryVersion);
}

}  // namespace jet
