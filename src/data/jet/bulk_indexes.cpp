#include "data/jet/bulk_indexes.h"

#include <sqlite3.h>

#include <utility>

#include "base/text.h"
#include "data/jet/database.h"
#include "data/jet/db_error.h"

namespace jet {

namespace {

void Run(Database& db, const std::string& sql) {
  char* err = nullptr;
  if (sqlite3_exec(db.Handle(), sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::string msg = err ? err : "读写数据文件时出错。";
    sqlite3_free(err);
    throw DbError(msg);
  }
}

}  // namespace

std::vector<std::string> DropIndexes(Database& db, const std::string& table) {
  if (db.TransactionDepth() == 0) throw DbError("只能在事务之中重建索引。");
  std::vector<std::pair<std::string, std::string>> found;
  sqlite3_stmt* st = nullptr;
  const char* q =
      "SELECT name,sql FROM sqlite_master WHERE type='index' AND tbl_name=?1 COLLATE NOCASE AND sql IS NOT NULL "
      "ORDER BY rowid";
  if (sqlite3_prepare_v2(db.Handle(), q, -1, &st, nullptr) != SQLITE_OK) throw DbError(sqlite3_errmsg(db.Handle()));
  sqlite3_bind_text(st, 1, table.c_str(), -1, SQLITE_TRANSIENT);
  while (sqlite3_step(st) == SQLITE_ROW)
    found.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)),
                       reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
  sqlite3_finalize(st);
  std::vector<std::string> statements;
  for (auto& [name, sql] : found) {
    Run(db, "DROP INDEX \"" + ReplaceAll(name, "\"", "\"\"") + "\"");
    statements.push_back(sql);
  }
  return statements;
}

void RestoreIndexes(Database& db, const std::vector<std::string>& statements) {
  for (const std::string& sql : statements) Run(db, sql);
}

}  // namespace jet
