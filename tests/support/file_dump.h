#pragma once
// Every row of every table of a year file as one text, to compare a file before and after a command.
#include <sqlite3.h>

#include <string>

#include "base/file_facts.h"
#include "data/data_env.h"

inline std::string DumpYearFile(const std::string& gbkPath) {
  sqlite3* db = nullptr;
  std::string out;
  if (sqlite3_open_v2(NativePath(gbkPath).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return "cannot open";
  }
  auto each = [&](const std::string& sql, auto&& row) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    while (st && sqlite3_step(st) == SQLITE_ROW) row(st);
    sqlite3_finalize(st);
  };
  std::vector<std::string> tables;
  each("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", [&](sqlite3_stmt* st) {
    tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  });
  for (auto& t : tables) {
    out += "[" + t + "]\n";
    each("SELECT * FROM \"" + t + "\" ORDER BY rowid", [&](sqlite3_stmt* st) {
      for (int i = 0; i < sqlite3_column_count(st); ++i) {
        const unsigned char* v = sqlite3_column_text(st, i);
        out += (v ? reinterpret_cast<const char*>(v) : "NULL") + std::string("|");
      }
      out += "\n";
    });
  }
  sqlite3_close(db);
  return out;
}

// Makes the engine refuse a statement in the middle of a command: a trigger that fails the insert of one
// account's row into a table.
inline void InjectFailure(const std::string& gbkPath, const std::string& table, const std::string& code) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(NativePath(gbkPath).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  std::string sql = "CREATE TRIGGER injected BEFORE INSERT ON " + table + " WHEN trim(NEW.KNO)='" + code +
                    "' BEGIN SELECT RAISE(ABORT,'disk full'); END";
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

// The rows of a SELECT, cells joined by "," and rows ended by ";".
inline std::string QueryRows(CVyDataEnv& env, const std::string& sql) {
  std::string out;
  auto c = env.Db()->Query(sql);
  for (; !c->AtEnd(); c->Next()) {
    for (int i = 0; i < c->ColumnCount(); ++i) out += (i ? "," : "") + c->Text(i);
    out += ";";
  }
  return out;
}
