#pragma once
// The embedded engine: a year is one SQLite file of this program (marked in its header), the dialect's
// functions registered on the connection in C.
#include <memory>
#include <string>

#include "data/jet/engine.h"

struct sqlite3;

namespace jet {

class SqliteEngine : public Engine {
 public:
  // Opens an existing year file of this program, shared; readOnly for a file that is only read. Throws
  // DbError (also for a file that is not one of ours, or one another process holds locked).
  static std::unique_ptr<SqliteEngine> Open(const std::string& gbkPath, bool readOnly);
  // Makes a new, empty year file with these permission bits; fails when anything stands at the path (a
  // symbolic link too).
  static std::unique_ptr<SqliteEngine> Create(const std::string& gbkPath, unsigned mode);
  // See Database::CheckCopy.
  static std::string CheckCopy(const std::string& gbkPath, bool thorough, bool* busy = nullptr);
  // A file this program began to make and never finished (see Database::IsUnfinished).
  static bool IsUnfinished(const std::string& gbkPath);

  ~SqliteEngine() override;

  Target SqlTarget() const override { return Target::Embedded; }
  int RunUnit(const std::vector<std::string>& statements) override;
  std::unique_ptr<EngineRows> Query(const std::string& sql) override;
  std::unique_ptr<EngineStatement> Prepare(const std::string& sql) override;
  void Begin() override;
  void Commit() override;
  void Rollback() override;
  void Savepoint(int level) override;
  void Release(int level) override;
  void RollbackTo(int level) override;
  bool InTransaction() override;
  std::vector<TableInfo> Tables() override;
  std::vector<std::string> TwinIndexes(const std::string& table) override;
  void BackupTo(const std::string& gbkPath, unsigned mode) override;
  bool RestoreFrom(const std::string& gbkPath) override;
  std::vector<std::string> DropIndexes(const std::string& table) override;
  int OpenStatements() override;

 private:
  explicit SqliteEngine(sqlite3* db) : db_(db) {}
  void RunRaw(const std::string& sql);
  void UseWritingCache(bool on);
  sqlite3* db_;
};

}  // namespace jet
