#pragma once
// The part of a year's database that depends on the engine holding it: running the engine's own SQL
// (written by the emitter for that engine), reading rows, prepared changes, transactions, the tables as
// declared, and copies. Database speaks the dialect on top of it; nothing above the data layer sees it.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/jet/target.h"
#include "data/jet/schema.h"

namespace jet {

enum class ValueKind { Null, Integer, Real, Text };

// The rows of one query, read forward.
class EngineRows {
 public:
  virtual ~EngineRows() = default;
  virtual int ColumnCount() const = 0;
  virtual std::string ColumnName(int i) const = 0;
  // Moves to the next row (the first on the first call); false past the last. Throws DbError.
  virtual bool Next() = 0;
  virtual ValueKind Kind(int i) const = 0;
  virtual long long Integer(int i) const = 0;
  virtual double Real(int i) const = 0;
  // A text value's bytes, valid until the next call of Next.
  virtual std::string_view Bytes(int i) const = 0;
};

// One statement with "?" markers (numbered from 1), run many times: a change, or a query whose rows are read
// before it runs again.
class EngineStatement {
 public:
  virtual ~EngineStatement() = default;
  virtual int ParamCount() const = 0;
  virtual void Bind(int i, std::string_view text) = 0;
  virtual void Bind(int i, long long value) = 0;
  virtual void Bind(int i, double value) = 0;
  // Runs with the bound values; returns the rows changed. Throws DbError.
  virtual int Run() = 0;
  // Runs a query with the bound values; its rows, read before the statement runs again.
  virtual std::unique_ptr<EngineRows> Open() = 0;
  // Runs a change with the bound values, perhaps only later together with other runs queued (a bulk
  // write inside a transaction); a failure, thrown by this or a later call, is Tagged with the tag of the
  // run that failed, and none of the runs queued with it is done. Engine::Flush runs what waits.
  virtual void Queue(long tag) { Run(); }
};

class Engine {
 public:
  virtual ~Engine() = default;
  // Which SQL the emitter writes for this engine.
  virtual Target SqlTarget() const = 0;
  // Runs the statements as one unit (all or none, also inside an open transaction); returns the rows the
  // last one changed. Throws DbError.
  virtual int RunUnit(const std::vector<std::string>& statements) = 0;
  virtual std::unique_ptr<EngineRows> Query(const std::string& sql) = 0;
  virtual std::unique_ptr<EngineStatement> Prepare(const std::string& sql) = 0;

  // The outermost transaction; levels below it are savepoints of the given level.
  virtual void Begin() = 0;
  virtual void Commit() = 0;
  virtual void Rollback() = 0;
  virtual void Savepoint(int level) = 0;
  virtual void Release(int level) = 0;
  virtual void RollbackTo(int level) = 0;
  // False when the engine has ended the transaction by itself (some failures roll back at once).
  virtual bool InTransaction() = 0;

  // The tables as this program declared them, in the order they were made.
  virtual std::vector<TableInfo> Tables() = 0;
  // The first columns of a table's trim() twin indexes.
  virtual std::vector<std::string> TwinIndexes(const std::string& table) = 0;
  // A consistent, checked copy of the whole year, outside any transaction, under a new name (a file with
  // these permission bits, or a schema).
  virtual void BackupTo(const std::string& target, unsigned mode) = 0;
  // The whole year replaced by a copy BackupTo made, in place and under the engine's exclusive lock, so
  // that no one reads half of it. false: this engine cannot (its copies are restored by other means).
  virtual bool RestoreFrom(const std::string&) { return false; }
  // Drops a table's indexes, inside a transaction; returns the statements that make them again.
  virtual std::vector<std::string> DropIndexes(const std::string& table) = 0;
  // The engine's statements of this connection that are still open (prepared and not finished with).
  virtual int OpenStatements() = 0;
  // Runs the changes queued (EngineStatement::Queue) and not yet run.
  virtual void Flush() {}
  // Names this connection for other programs (ASCII; a server shows it to every connection of the same
  // database), and lists the other connections whose names begin with prefix: each name, and since when
  // it is connected ("YYYY-MM-DD HH:MM"). A year file keeps no such list: nothing, none.
  virtual void NameSession(const std::string&) {}
  virtual std::vector<std::pair<std::string, std::string>> OtherSessions(const std::string&) { return {}; }
};

}  // namespace jet
