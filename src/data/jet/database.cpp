#include "data/jet/database.h"

#include <sqlite3.h>

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/file_facts.h"
#include "base/text.h"
#include "data/jet/db_error.h"
#include "data/jet/functions.h"
#include "data/jet/parser.h"

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

}  // namespace

// ---------- Cursor ----------
void Cursor::Finalizer::operator()(sqlite3_stmt* st) const {
  sqlite3_finalize(st);
}

void Cursor::Resetter::operator()(sqlite3_stmt* st) const {
  sqlite3_reset(st);
}

Cursor::Cursor(sqlite3_stmt* stmt, std::string sql, bool owned)
    : owned_(owned ? stmt : nullptr), borrowed_(owned ? nullptr : stmt), stmt_(stmt), sql_(std::move(sql)) {
  int n = sqlite3_column_count(stmt_);
  for (int i = 0; i < n; ++i) {
    const char* name = sqlite3_column_name(stmt_, i);
    names_.emplace_back(name ? name : "");
  }
  Step();
}

Cursor::~Cursor() = default;

int Cursor::FindColumn(const std::string& name) const {
  std::string want = Lower(name);
  for (size_t i = 0; i < names_.size(); ++i)
    if (Lower(names_[i]) == want) return static_cast<int>(i);
  return -1;
}

void Cursor::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) {
    atEnd_ = false;
  } else if (rc == SQLITE_DONE) {
    atEnd_ = true;
  } else {
    atEnd_ = true;
    throw EngineError(sqlite3_db_handle(stmt_), rc);
  }
}

void Cursor::Next() {
  if (!atEnd_) Step();
}

bool Cursor::IsNull(int i) const {
  return atEnd_ || sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}

bool Cursor::IsText(int i) const {
  int t = atEnd_ ? SQLITE_NULL : sqlite3_column_type(stmt_, i);
  return t == SQLITE_TEXT || t == SQLITE_BLOB;
}

// A column is read through its value: one call into the engine per column instead of one per question
// (its type, its bytes, its length), which counts on a scan of every posting. The connection is used by
// one thread only, which is what makes reading the value itself safe.
namespace {
std::string_view BytesOf(sqlite3_value* v) {
  const char* p = static_cast<const char*>(sqlite3_value_blob(v));
  return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
}
}  // namespace

long long Cursor::Int(int i) const {
  if (atEnd_) return 0;
  sqlite3_value* v = sqlite3_column_value(stmt_, i);
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return sqlite3_value_int64(v);
    case SQLITE_FLOAT:
      return static_cast<long long>(std::nearbyint(sqlite3_value_double(v)));
    case SQLITE_NULL:
      return 0;
    default:
      return static_cast<long long>(std::nearbyint(ValOf(BytesOf(v))));
  }
}

double Cursor::Real(int i) const {
  if (atEnd_) return 0;
  sqlite3_value* v = sqlite3_column_value(stmt_, i);
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      return sqlite3_value_double(v);
    case SQLITE_NULL:
      return 0;
    default:
      return ValOf(BytesOf(v));
  }
}

std::string_view Cursor::TextView(int i) const {
  if (atEnd_) return {};
  sqlite3_value* v = sqlite3_column_value(stmt_, i);
  return sqlite3_value_type(v) == SQLITE_TEXT ? BytesOf(v) : std::string_view();
}

std::string Cursor::Text(int i) const {
  if (atEnd_) return {};
  sqlite3_value* v = sqlite3_column_value(stmt_, i);
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
      return NumberText(sqlite3_value_double(v));
    case SQLITE_NULL:
      return {};
    default:
      return std::string(BytesOf(v));
  }
}

// ---------- PreparedStatement ----------
PreparedStatement::PreparedStatement(sqlite3_stmt* stmt, std::string sql)
    : stmt_(stmt), sql_(std::move(sql)) {}

PreparedStatement::~PreparedStatement() {
  sqlite3_finalize(stmt_);
}

int PreparedStatement::ParamCount() const {
  return sqlite3_bind_parameter_count(stmt_);
}

void PreparedStatement::Bind(int i, std::string_view text) {
  sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}
void PreparedStatement::Bind(int i, long long value) {
  sqlite3_bind_int64(stmt_, i, value);
}
void PreparedStatement::Bind(int i, double value) {
  sqlite3_bind_double(stmt_, i, value);
}

std::unique_ptr<Cursor> PreparedStatement::Open() {
  return std::make_unique<Cursor>(stmt_, sql_, false);
}

int PreparedStatement::Run() {
  int rc = sqlite3_step(stmt_);
  sqlite3* db = sqlite3_db_handle(stmt_);
  int changed = sqlite3_changes(db);
  sqlite3_reset(stmt_);
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
    // The message of a failing step is the one reset leaves behind (a refused value's text, say).
    throw DbError(EngineMessage(db, rc));
  }
  return changed;
}

// ---------- Database ----------
Database::Database() = default;

Database::~Database() {
  try {
    Close();
  } catch (...) {
  }
}

void Database::Require() const {
  if (!db_) throw DbError("没有打开数据文件。");
}

void Database::Open(const std::string& gbkPath, bool readOnly) {
  Close();
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
  db_ = db;
  path_ = gbkPath;
  schemaLoaded_ = false;
}

void Database::Create(const std::string& gbkPath, unsigned mode) {
  Close();
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
  db_ = db;
  path_ = gbkPath;
  schemaLoaded_ = false;
}

bool Database::IsUnfinished(const std::string& gbkPath) {
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

void Database::Close() {
  if (!db_) return;
  if (depth_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  depth_ = 0;
  sqlite3_close_v2(db_);
  db_ = nullptr;
  path_.clear();
  tables_.clear();
  schemaLoaded_ = false;
}

void Database::RunRaw(const std::string& sqliteSql) {
  char* err = nullptr;
  int rc = sqlite3_exec(db_, sqliteSql.c_str(), nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    std::string msg = err ? err : "";
    sqlite3_free(err);
    if ((rc & 0xFF) != SQLITE_ERROR || msg.empty()) msg = EngineMessage(db_, rc);
    throw DbError(msg, (rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED);
  }
}

int Database::Execute(const std::string& sql) {
  Require();
  Translation t = Translate(sql, *this, options_);
  if (t.isQuery) throw DbError("不能执行选择查询，SELECT 语句应以记录集打开。");
  bool unit = t.statements.size() > 1;
  if (unit) RunRaw("SAVEPOINT jet_statement");
  int changed = 0;
  try {
    for (auto& s : t.statements) {
      RunRaw(s);
      changed = sqlite3_changes(db_);
    }
  } catch (...) {
    if (unit)
      sqlite3_exec(db_, "ROLLBACK TO jet_statement; RELEASE jet_statement", nullptr, nullptr, nullptr);
    if (t.changesSchema) schemaLoaded_ = false;
    throw;
  }
  if (unit) RunRaw("RELEASE jet_statement");
  if (t.changesSchema) {
    schemaLoaded_ = false;
    changed = 0;
  }
  return changed;
}

std::unique_ptr<Cursor> Database::Query(const std::string& sql) {
  Require();
  Translation t = Translate(sql, *this, options_);
  if (!t.isQuery) throw DbError("记录集只能由 SELECT 语句打开。");
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v2(db_, t.statements[0].c_str(), -1, &st, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = EngineMessage(db_, rc);
    sqlite3_finalize(st);
    throw DbError(msg);
  }
  // The cursor owns the statement before its first step, which may throw.
  return std::unique_ptr<Cursor>(new Cursor(st, sql));
}

std::unique_ptr<PreparedStatement> Database::Prepare(const std::string& sql) {
  Require();
  Translation t = Translate(sql, *this, options_);
  if (t.changesSchema || t.statements.size() != 1)
    throw DbError("只有单条的 INSERT、UPDATE、DELETE 或 SELECT 语句可以预备。");
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v2(db_, t.statements[0].c_str(), -1, &st, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = EngineMessage(db_, rc);
    sqlite3_finalize(st);
    throw DbError(msg);
  }
  return std::make_unique<PreparedStatement>(st, sql);
}

std::vector<std::string> Database::Explain(const std::string& sql) {
  Require();
  return Translate(sql, *this, options_).statements;
}

void Database::LoadSchema() {
  tables_.clear();
  std::vector<std::string> names;
  {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_,
                           "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' "
                           "ESCAPE '\\' ORDER BY rowid",
                           -1, &st, nullptr) != SQLITE_OK)
      throw DbError(EngineMessage(db_, sqlite3_errcode(db_)));
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
      names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw DbError(EngineMessage(db_, rc));
  }
  for (auto& name : names) {
    TableInfo info;
    info.name = name;
    sqlite3_stmt* st = nullptr;
    std::string q = "PRAGMA table_info(\"" + ReplaceAll(name, "\"", "\"\"") + "\")";
    if (sqlite3_prepare_v2(db_, q.c_str(), -1, &st, nullptr) != SQLITE_OK)
      throw DbError(EngineMessage(db_, sqlite3_errcode(db_)));
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
    tables_[Lower(name)] = std::move(info);
  }
  schemaLoaded_ = true;
}

const TableInfo* Database::FindTable(const std::string& name) {
  Require();
  if (!schemaLoaded_) LoadSchema();
  auto it = tables_.find(Lower(name));
  return it == tables_.end() ? nullptr : &it->second;
}

std::vector<std::string> Database::TwinIndexes(const std::string& table) {
  Require();
  std::vector<std::string> firsts;
  sqlite3_stmt* st = nullptr;
  // Twin indexes are named "<table>$<index>$trim"; their first key is trim(<column>).
  const char* q =
      "SELECT sql FROM sqlite_master WHERE type='index' AND tbl_name=?1 COLLATE NOCASE "
      "AND name LIKE '%$trim'";
  if (sqlite3_prepare_v2(db_, q, -1, &st, nullptr) != SQLITE_OK)
    throw DbError(EngineMessage(db_, sqlite3_errcode(db_)));
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

std::vector<std::string> Database::TableNames() {
  Require();
  if (!schemaLoaded_) LoadSchema();
  std::vector<std::string> names;
  for (auto& [key, info] : tables_) names.push_back(info.name);
  return names;
}

bool Database::HasColumn(const std::string& table, const std::string& column) {
  const TableInfo* t = FindTable(table);
  return t && t->Find(column);
}

void Database::AddTextColumn(const std::string& table, const std::string& column, int width) {
  Execute(Format("ALTER TABLE %s ADD COLUMN %s CHAR(%d)", table.c_str(), column.c_str(), width));
}

void Database::BackupTo(const std::string& gbkPath, unsigned mode) {
  Require();
  if (depth_ > 0) throw DbError("事务进行中，不能备份数据文件。");
  std::string native = NativePath(gbkPath);
  MakeEmptyFile(gbkPath, mode);
  sqlite3* copy = nullptr;
  int rc = sqlite3_open_v2(native.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr);
  // The copy is new and thrown away when anything fails, so it needs no journal: a full disk or a kill
  // leaves no journal beside it.
  if (rc == SQLITE_OK) rc = sqlite3_exec(copy, "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_backup* b = sqlite3_backup_init(copy, "main", db_, "main");
    if (!b) {
      rc = sqlite3_errcode(copy);
    } else {
      // Pages are copied in steps; a writer elsewhere restarts the copy, a lock makes it wait a little and
      // try again, as long as a statement would wait.
      int waited = 0;
      do {
        rc = sqlite3_backup_step(b, 256);
        if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited < kBusyTimeoutMs) {
          sqlite3_sleep(20);
          waited += 20;
          rc = SQLITE_OK;
        }
      } while (rc == SQLITE_OK);
      rc = sqlite3_backup_finish(b);
    }
  }
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

std::string Database::CheckCopy(const std::string& gbkPath, bool thorough) {
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
    }
    sqlite3_finalize(st);
    return value;
  };
  if (rc != SQLITE_OK) {
    why = EngineMessage(db, rc);
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

// A year's postings with their indexes fit in memory while one transaction writes them. Outside a
// transaction the engine's small cache serves better: a report reads each page about once, and a large
// cache would only make it allocate room for every page it reads.
void Database::UseWritingCache(bool on) {
  sqlite3_exec(db_, on ? "PRAGMA cache_size=-65536" : "PRAGMA cache_size=-2000", nullptr, nullptr, nullptr);
}

void Database::Begin() {
  Require();
  if (depth_ == 0) UseWritingCache(true);
  try {
    RunRaw(depth_ == 0 ? std::string("BEGIN IMMEDIATE") : Format("SAVEPOINT jet_level%d", depth_));
  } catch (...) {
    if (depth_ == 0) UseWritingCache(false);
    throw;
  }
  ++depth_;
}

void Database::Commit() {
  Require();
  if (depth_ == 0) return;
  // The level stays open until its COMMIT or RELEASE succeeds, so that the Rollback that follows a failed
  // commit still finds the transaction and ends it.
  RunRaw(depth_ == 1 ? std::string("COMMIT") : Format("RELEASE jet_level%d", depth_ - 1));
  if (--depth_ == 0) UseWritingCache(false);
}

void Database::Rollback() {
  if (!db_ || depth_ == 0) return;
  --depth_;
  // SQLite may have ended the transaction itself (some errors roll back at once); then there is nothing
  // left to roll back.
  if (sqlite3_get_autocommit(db_)) {
    depth_ = 0;
    schemaLoaded_ = false;
    UseWritingCache(false);
    return;
  }
  std::string sql = depth_ == 0 ? std::string("ROLLBACK")
                                : Format("ROLLBACK TO jet_level%d; RELEASE jet_level%d", depth_, depth_);
  sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  schemaLoaded_ = false;
  if (depth_ == 0) UseWritingCache(false);
}

}  // namespace jet
