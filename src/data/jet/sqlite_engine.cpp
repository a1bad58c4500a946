// The embedded engine on SQLite: a year file per year, the dialect's functions registered in C.
#include "data/jet/sqlite_engine.h"

#include <sqlite3.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/file_facts.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/jet/dialect_functions.h"

namespace jet {

namespace {

// Marks a file as one of ours in the SQLite header ("TAVR").
constexpr int kApplicationId = 0x54415652;
// How long a statement waits for another process's lock before it fails instead of hanging.
constexpr int kBusyTimeoutMs = 1500;
// Reports read the file through a mapping of it rather than a read call per page: the engine still writes
// through its journal as before, only reading changes. Large enough for ten years of a large book.
constexpr long long kMappedBytes = 2LL << 30;

std::string EngineMessage(sqlite3* db, int rc) {
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "数据文件正被其他程序使用（已锁定），请稍后再试。";
    case SQLITE_READONLY:
      return "数据文件是只读的，不能写入。";
    case SQLITE_FULL:
      return "磁盘已满，数据不能写入。";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return "数据文件已损坏，或不是本程序的数据文件。";
    case SQLITE_CANTOPEN:
      return "无法打开数据文件。";
    case SQLITE_IOERR:
      return "读写数据文件时出错。";
    default:
      break;
  }
  const char* msg = db ? sqlite3_errmsg(db) : nullptr;
  return msg && *msg ? msg : "命令失败。";
}

DbError EngineError(sqlite3* db, int rc) {
  int primary = rc & 0xFF;
  return DbError(EngineMessage(db, rc), primary == SQLITE_BUSY || primary == SQLITE_LOCKED);
}

// A new empty file for the engine to fill, made as every file of the program is made (never over anything,
// never through a symbolic link, with the bits asked for); the engine opens it by name afterwards.
void MakeEmptyFile(const std::string& gbkPath, unsigned mode) {
  int fd = CreateNewFile(gbkPath, mode);
  if (fd < 0) {
    if (errno == EEXIST) throw DbError(Format("文件“%s”已存在。", gbkPath.c_str()));
    if (errno == EACCES || errno == EROFS)
      throw DbError(Format("文件“%s”不能建立：所在文件夹是只读的。", gbkPath.c_str()));
    throw DbError(Format("文件“%s”不能建立：%s", gbkPath.c_str(), std::strerror(errno)));
  }
  ::close(fd);
}

void RemoveWithJournal(const std::string& native) {
  std::remove(native.c_str());
  std::remove((native + "-journal").c_str());
}

sqlite3_stmt* PrepareOrThrow(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
  if (rc != SQLITE_OK) {
    DbError e = EngineError(db, rc);
    sqlite3_finalize(st);
    throw e;
  }
  return st;
}

// A column is read through its value, one call into the engine for it rather than one per question (its
// type, its bytes, its length), which counts on a scan of every posting. The connection is used by one
// thread only, which is what makes reading the value itself safe. The rows of a prepared query (owned
// false) leave the statement ready for its next run instead of finishing it.
class SqliteRows : public EngineRows {
 public:
  explicit SqliteRows(sqlite3_stmt* st, bool owned = true) : st_(st), owned_(owned) {}
  ~SqliteRows() override {
    if (owned_)
      sqlite3_finalize(st_);
    else
      sqlite3_reset(st_);
  }

  int ColumnCount() const override { return sqlite3_column_count(st_); }
  std::string ColumnName(int i) const override {
    const char* name = sqlite3_column_name(st_, i);
    return name ? name : "";
  }
  bool Next() override {
    int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw EngineError(sqlite3_db_handle(st_), rc);
  }
  ValueKind Kind(int i) const override {
    switch (sqlite3_value_type(sqlite3_column_value(st_, i))) {
      case SQLITE_INTEGER:
        return ValueKind::Integer;
      case SQLITE_FLOAT:
        return ValueKind::Real;
      case SQLITE_NULL:
        return ValueKind::Null;
      default:
        return ValueKind::Text;
    }
  }
  long long Integer(int i) const override { return sqlite3_column_int64(st_, i); }
  double Real(int i) const override { return sqlite3_column_double(st_, i); }
  std::string_view Bytes(int i) const override {
    sqlite3_value* v = sqlite3_column_value(st_, i);
    const char* p = static_cast<const char*>(sqlite3_value_blob(v));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
  }

 private:
  sqlite3_stmt* st_;
  bool owned_;
};

class SqliteStatement : public EngineStatement {
 public:
  explicit SqliteStatement(sqlite3_stmt* st) : st_(st) {}
  ~SqliteStatement() override { sqlite3_finalize(st_); }

  int ParamCount() const override { return sqlite3_bind_parameter_count(st_); }
  void Bind(int i, std::string_view text) override {
    sqlite3_bind_text(st_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  void Bind(int i, long long value) override { sqlite3_bind_int64(st_, i, value); }
  void Bind(int i, double value) override { sqlite3_bind_double(st_, i, value); }
  int Run() override {
    int rc = sqlite3_step(st_);
    sqlite3* db = sqlite3_db_handle(st_);
    int changed = sqlite3_changes(db);
    sqlite3_reset(st_);
    // The message of a failing step is the one reset leaves behind (a refused value's text, say).
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) throw EngineError(db, rc);
    return changed;
  }
  std::unique_ptr<EngineRows> Open() override { return std::make_unique<SqliteRows>(st_, false); }

 private:
  sqlite3_stmt* st_;
};

}  // namespace

std::unique_ptr<SqliteEngine> SqliteEngine::Open(const std::string& gbkPath, bool readOnly) {
  std::string native = NativePath(gbkPath);
  FileFacts f = QueryRealFile(gbkPath);
  if (!f.exists || f.isFolder) throw DbError(Format("找不到文件“%s”。", gbkPath.c_str()));
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(native.c_str(), &db,
                           (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX,
                           nullptr);
  if (rc != SQLITE_OK) {
    DbError e = EngineError(db, rc);
    sqlite3_close_v2(db);
    throw e;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  // Reading the header both proves the file is a database and that nobody holds it locked.
  sqlite3_stmt* st = nullptr;
  rc = sqlite3_prepare_v2(db, "PRAGMA application_id", -1, &st, nullptr);
  int appId = 0;
  if (rc == SQLITE_OK) {
    rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
      appId = sqlite3_column_int(st, 0);
      rc = SQLITE_OK;
    }
  }
  sqlite3_finalize(st);
  if (rc != SQLITE_OK || appId != kApplicationId) {
    DbError e = rc != SQLITE_OK ? EngineError(db, rc) : DbError("不是本程序的数据文件。");
    sqlite3_close_v2(db);
    throw e;
  }
  RegisterFunctions(db);
  sqlite3_exec(db, Format("PRAGMA mmap_size=%lld", kMappedBytes).c_str(), nullptr, nullptr, nullptr);
  return std::unique_ptr<SqliteEngine>(new SqliteEngine(db));
}

std::unique_ptr<SqliteEngine> SqliteEngine::Create(const std::string& gbkPath, unsigned mode) {
  MakeEmptyFile(gbkPath, mode);
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(NativePath(gbkPath).c_str(), &db,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc == SQLITE_OK)
    rc = sqlite3_exec(db, Format("PRAGMA application_id=%d; PRAGMA user_version=1;", kApplicationId).c_str(),
                      nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = EngineMessage(db, rc);
    sqlite3_close_v2(db);
    RemoveWithJournal(NativePath(gbkPath));
    throw DbError(msg);
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  RegisterFunctions(db);
  return std::unique_ptr<SqliteEngine>(new SqliteEngine(db));
}

bool SqliteEngine::IsUnfinished(const std::string& gbkPath) {
  FileFacts f = QueryRealFile(gbkPath);
  if (!f.exists || f.isFolder) return false;
  std::string native = NativePath(gbkPath);
  sqlite3* db = nullptr;
  // Opened for writing, so that a hot journal left by the crash is rolled back before the look.
  if (sqlite3_open_v2(native.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    return false;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  auto number = [&](const char* sql) {
    sqlite3_stmt* st = nullptr;
    long long v = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
      v = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return v;
  };
  long long appId = number("PRAGMA application_id");
  long long tables = number("SELECT count(*) FROM sqlite_master");
  long long systab =
      number("SELECT count(*) FROM sqlite_master WHERE type='table' AND name='SYSTAB' COLLATE NOCASE");
  sqlite3_close_v2(db);
  if (appId == kApplicationId) return systab == 0;
  std::error_code ec;
  return appId == 0 && tables == 0 && std::filesystem::file_size(native, ec) == 0 && !ec;
}

SqliteEngine::~SqliteEngine() {
  if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close_v2(db_);
}

void SqliteEngine::RunRaw(const std::string& sql) {
  char* err = nullptr;
  int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    std::string msg = err ? err : "";
    sqlite3_free(err);
    if ((rc & 0xFF) != SQLITE_ERROR || msg.empty()) msg = EngineMessage(db_, rc);
    throw DbError(msg, (rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED);
  }
}

int SqliteEngine::RunUnit(const std::vector<std::string>& statements) {
  bool unit = statements.size() > 1;
  if (unit) RunRaw("SAVEPOINT jet_statement");
  int changed = 0;
  try {
    for (auto& s : statements) {
      RunRaw(s);
      changed = sqlite3_changes(db_);
    }
  } catch (...) {
    if (unit)
      sqlite3_exec(db_, "ROLLBACK TO jet_statement; RELEASE jet_statement", nullptr, nullptr, nullptr);
    throw;
  }
  if (unit) RunRaw("RELEASE jet_statement");
  return changed;
}

std::unique_ptr<EngineRows> SqliteEngine::Query(const std::string& sql) {
  return std::make_unique<SqliteRows>(PrepareOrThrow(db_, sql));
}

std::unique_ptr<EngineStatement> SqliteEngine::Prepare(const std::string& sql) {
  return std::make_unique<SqliteStatement>(PrepareOrThrow(db_, sql));
}

// A year's postings with their indexes fit in memory while one transaction writes them. Outside a
// transaction the engine's small cache serves better: a report reads each page about once, and a large
// cache would only make it allocate room for every page it reads. While a transaction writes, the file is
// read without the mapping: every page a large write touches (an index made again reads the whole table)
// would stay mapped into the process, and its memory would grow with the file instead of staying within
// the cache.
void SqliteEngine::UseWritingCache(bool on) {
  sqlite3_exec(db_, on ? "PRAGMA cache_size=-24576" : "PRAGMA cache_size=-2000", nullptr, nullptr, nullptr);
  sqlite3_exec(db_, Format("PRAGMA mmap_size=%lld", on ? 0LL : kMappedBytes).c_str(), nullptr, nullptr, nullptr);
}

void SqliteEngine::Begin() {
  UseWritingCache(true);
  try {
    RunRaw("BEGIN IMMEDIATE");
  } catch (...) {
    UseWritingCache(false);
    throw;
  }
}

void SqliteEngine::Commit() {
  RunRaw("COMMIT");
  UseWritingCache(false);
}

void SqliteEngine::Rollback() {
  if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  UseWritingCache(false);
}

void SqliteEngine::Savepoint(int level) {
  RunRaw(Format("SAVEPOINT jet_level%d", level));
}

void SqliteEngine::Release(int level) {
  RunRaw(Format("RELEASE jet_level%d", level));
}

void SqliteEngine::RollbackTo(int level) {
  sqlite3_exec(db_, Format("ROLLBACK TO jet_level%d; RELEASE jet_level%d", level, level).c_str(), nullptr,
               nullptr, nullptr);
}

bool SqliteEngine::InTransaction() {
  return !sqlite3_get_autocommit(db_);
}

std::vector<TableInfo> SqliteEngine::Tables() {
  std::vector<std::string> names;
  {
    sqlite3_stmt* st = PrepareOrThrow(db_,
                                      "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                                      "'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
      names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw DbError(EngineMessage(db_, rc));
  }
  std::vector<TableInfo> tables;
  for (auto& name : names) {
    TableInfo info;
    info.name = name;
    sqlite3_stmt* st = PrepareOrThrow(db_, "PRAGMA table_info(\"" + ReplaceAll(name, "\"", "\"\"") + "\")");
    while (sqlite3_step(st) == SQLITE_ROW) {
      ColumnInfo c;
      c.name = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
      const unsigned char* decl = sqlite3_column_text(st, 2);
      if (!ParseDeclaredType(decl ? reinterpret_cast<const char*>(decl) : "", c.type, c.width)) {
        c.type = ColType::Memo;  // a column this program did not declare: treat as free text
      }
      info.columns.push_back(c);
    }
    sqlite3_finalize(st);
    tables.push_back(std::move(info));
  }
  return tables;
}

std::vector<std::string> SqliteEngine::TwinIndexes(const std::string& table) {
  std::vector<std::string> firsts;
  // Twin indexes are named "<table>$<index>$trim"; their first key is trim(<column>).
  sqlite3_stmt* st = PrepareOrThrow(db_,
                                    "SELECT sql FROM sqlite_master WHERE type='index' AND tbl_name=?1 COLLATE "
                                    "NOCASE AND name LIKE '%$trim'");
  sqlite3_bind_text(st, 1, table.c_str(), -1, SQLITE_TRANSIENT);
  while (sqlite3_step(st) == SQLITE_ROW) {
    std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    size_t open = sql.find("trim(\"");
    if (open == std::string::npos) continue;
    size_t close = sql.find("\")", open);
    if (close != std::string::npos) firsts.push_back(sql.substr(open + 6, close - open - 6));
  }
  sqlite3_finalize(st);
  return firsts;
}

namespace {

// The engine's online backup of from into to, so many pages a step (-1: all at once); a lock makes it wait
// a little and try again, as long as a statement would wait. The engine's result code.
int CopyPages(sqlite3* to, sqlite3* from, int pagesPerStep) {
  sqlite3_backup* b = sqlite3_backup_init(to, "main", from, "main");
  if (!b) return sqlite3_errcode(to);
  int rc = SQLITE_OK, waited = 0;
  do {
    rc = sqlite3_backup_step(b, pagesPerStep);
    if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited < kBusyTimeoutMs) {
      sqlite3_sleep(20);
      waited += 20;
      rc = SQLITE_OK;
    }
  } while (rc == SQLITE_OK);
  return sqlite3_backup_finish(b);
}

}  // namespace

void SqliteEngine::BackupTo(const std::string& gbkPath, unsigned mode) {
  std::string native = NativePath(gbkPath);
  MakeEmptyFile(gbkPath, mode);
  sqlite3* copy = nullptr;
  int rc = sqlite3_open_v2(native.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr);
  // The copy is new and thrown away when anything fails, so it needs no journal: a full disk or a kill
  // leaves no journal beside it.
  if (rc == SQLITE_OK) rc = sqlite3_exec(copy, "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr);
  // Pages are copied in steps; a writer elsewhere restarts the copy.
  if (rc == SQLITE_OK) rc = CopyPages(copy, db_, 256);
  std::string msg = rc == SQLITE_OK ? std::string() : EngineMessage(copy, rc);
  if (sqlite3_close_v2(copy) != SQLITE_OK && msg.empty()) msg = "读写数据文件时出错。";
  if (msg.empty()) {
    std::string why = CheckCopy(gbkPath, true);
    if (!why.empty()) msg = "备份文件检查未通过：" + why;
  }
  if (!msg.empty()) {
    RemoveWithJournal(native);
    throw DbError(msg);
  }
}

bool SqliteEngine::RestoreFrom(const std::string& gbkPath) {
  sqlite3* copy = nullptr;
  int rc = sqlite3_open_v2(NativePath(gbkPath).c_str(), &copy, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW, nullptr);
  // The online backup the other way round: the open year takes the copy's pages all at once, holding its
  // write lock throughout, and every connection to it sees the whole copy or none of it.
  if (rc == SQLITE_OK) rc = CopyPages(db_, copy, -1);
  std::string msg = rc == SQLITE_OK ? std::string() : EngineMessage(copy ? copy : db_, rc);
  sqlite3_close_v2(copy);
  if (!msg.empty()) throw DbError("恢复备份时出错：" + msg);
  return true;
}

std::string SqliteEngine::CheckCopy(const std::string& gbkPath, bool thorough, bool* busy) {
  if (busy) *busy = false;
  auto note = [&](int code) {
    if (busy && ((code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED)) *busy = true;
  };
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(NativePath(gbkPath).c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW,
                           nullptr);
  std::string why;
  auto first = [&](const char* sql) {
    sqlite3_stmt* st = nullptr;
    std::string value;
    int r = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (r == SQLITE_OK) r = sqlite3_step(st);
    if (r == SQLITE_ROW) {
      const unsigned char* t = sqlite3_column_text(st, 0);
      value = t ? reinterpret_cast<const char*>(t) : "";
    } else if (why.empty()) {
      why = EngineMessage(db, r);
      note(r);
    }
    sqlite3_finalize(st);
    return value;
  };
  if (rc != SQLITE_OK) {
    why = EngineMessage(db, rc);
    note(rc);
  } else {
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    std::string appId = first("PRAGMA application_id");
    if (why.empty() && appId != std::to_string(kApplicationId)) why = "不是本程序的数据文件。";
    if (why.empty()) first("SELECT count(*) FROM SYSTAB");
    if (why.empty() && thorough) {
      std::string check = first("PRAGMA quick_check");
      if (why.empty() && check != "ok") why = "数据文件已损坏，或不是本程序的数据文件。";
    }
  }
  sqlite3_close_v2(db);
  return why;
}

std::vector<std::string> SqliteEngine::DropIndexes(const std::string& table) {
  std::vector<std::pair<std::string, std::string>> found;
  sqlite3_stmt* st = PrepareOrThrow(db_,
                                    "SELECT name,sql FROM sqlite_master WHERE type='index' AND tbl_name=?1 "
                                    "COLLATE NOCASE AND sql IS NOT NULL ORDER BY rowid");
  sqlite3_bind_text(st, 1, table.c_str(), -1, SQLITE_TRANSIENT);
  while (sqlite3_step(st) == SQLITE_ROW)
    found.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)),
                       reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
  sqlite3_finalize(st);
  std::vector<std::string> statements;
  for (auto& [name, sql] : found) {
    RunRaw("DROP INDEX \"" + ReplaceAll(name, "\"", "\"\"") + "\"");
    statements.push_back(sql);
  }
  return statements;
}

int SqliteEngine::OpenStatements() {
  int open = 0;
  for (sqlite3_stmt* st = sqlite3_next_stmt(db_, nullptr); st; st = sqlite3_next_stmt(db_, st)) ++open;
  return open;
}

}  // namespace jet
