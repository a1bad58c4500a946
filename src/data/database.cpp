// The dialect on top of the engines: each statement translated for the engine holding the year, the
// levels of transactions, and the tables as declared, read once and kept until the schema changes.
#include "data/database.h"

#include <cmath>
#include <map>

#include "base/text.h"
#include "data/db_error.h"
#include "data/jet/emitter.h"
#include "data/jet/engine.h"
#include "data/jet/functions.h"
#include "data/jet/parser.h"
#include "data/jet/schema.h"
#include "data/jet/server_engine.h"
#include "data/jet/sqlite_engine.h"

namespace jet {

// What the translation asks of the year's tables, answered from the engine once and kept.
class Database::Schema : public SchemaSource {
 public:
  explicit Schema(Engine& engine) : engine_(engine) {}
  const TableInfo* FindTable(const std::string& name) override {
    Load();
    auto it = tables_.find(Lower(name));
    return it == tables_.end() ? nullptr : &it->second;
  }
  std::vector<std::string> TwinIndexes(const std::string& table) override {
    return engine_.TwinIndexes(table);
  }
  std::vector<std::string> Names() {
    Load();
    std::vector<std::string> names;
    for (auto& [key, info] : tables_) names.push_back(info.name);
    return names;
  }
  // The schema changed (or a rollback may have undone a change): read it again when next asked.
  void Forget() { loaded_ = false; }

 private:
  void Load() {
    if (loaded_) return;
    tables_.clear();
    for (auto& info : engine_.Tables()) tables_[Lower(info.name)] = std::move(info);
    loaded_ = true;
  }
  Engine& engine_;
  bool loaded_ = false;
  std::map<std::string, TableInfo> tables_;  // by lower-case name
};

// ---------- Cursor ----------
Cursor::Cursor(std::unique_ptr<EngineRows> rows, std::string sql)
    : rows_(std::move(rows)), sql_(std::move(sql)) {
  int n = rows_->ColumnCount();
  for (int i = 0; i < n; ++i) names_.push_back(rows_->ColumnName(i));
  Step();
}

Cursor::~Cursor() = default;

int Cursor::FindColumn(const std::string& name) const {
  std::string want = Lower(name);
  for (size_t i = 0; i < names_.size(); ++i)
    if (Lower(names_[i]) == want) return static_cast<int>(i);
  return -1;
}

ValueKind Cursor::KindOf(int i) const {
  return atEnd_ ? ValueKind::Null : rows_->Kind(i);
}

void Cursor::Step() {
  atEnd_ = true;
  atEnd_ = !rows_->Next();
}

void Cursor::Next() {
  if (!atEnd_) Step();
}

bool Cursor::IsNull(int i) const {
  return KindOf(i) == ValueKind::Null;
}

bool Cursor::IsText(int i) const {
  return KindOf(i) == ValueKind::Text;
}

long long Cursor::Int(int i) const {
  switch (KindOf(i)) {
    case ValueKind::Integer:
      return rows_->Integer(i);
    case ValueKind::Real:
      return static_cast<long long>(std::nearbyint(rows_->Real(i)));
    case ValueKind::Null:
      return 0;
    case ValueKind::Text:
      break;
  }
  return static_cast<long long>(std::nearbyint(ValOf(rows_->Bytes(i))));
}

double Cursor::Real(int i) const {
  switch (KindOf(i)) {
    case ValueKind::Integer:
      return static_cast<double>(rows_->Integer(i));
    case ValueKind::Real:
      return rows_->Real(i);
    case ValueKind::Null:
      return 0;
    case ValueKind::Text:
      break;
  }
  return ValOf(rows_->Bytes(i));
}

std::string_view Cursor::TextView(int i) const {
  return KindOf(i) == ValueKind::Text ? rows_->Bytes(i) : std::string_view();
}

std::string Cursor::Text(int i) const {
  switch (KindOf(i)) {
    case ValueKind::Integer:
      return std::to_string(rows_->Integer(i));
    case ValueKind::Real:
      return NumberText(rows_->Real(i));
    case ValueKind::Null:
      return {};
    case ValueKind::Text:
      break;
  }
  return std::string(rows_->Bytes(i));
}

// ---------- PreparedStatement ----------
PreparedStatement::PreparedStatement(std::unique_ptr<EngineStatement> stmt, std::string sql)
    : stmt_(std::move(stmt)), sql_(std::move(sql)) {}

PreparedStatement::~PreparedStatement() = default;

int PreparedStatement::ParamCount() const {
  return stmt_->ParamCount();
}

void PreparedStatement::Bind(int i, std::string_view text) {
  stmt_->Bind(i, text);
}

void PreparedStatement::Bind(int i, long long value) {
  stmt_->Bind(i, value);
}

void PreparedStatement::Bind(int i, double value) {
  stmt_->Bind(i, value);
}

int PreparedStatement::Run() {
  return stmt_->Run();
}

void PreparedStatement::Queue(long tag) {
  stmt_->Queue(tag);
}

std::unique_ptr<Cursor> PreparedStatement::Open() {
  return std::make_unique<Cursor>(stmt_->Open(), sql_);
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
  if (!engine_) throw DbError("没有打开数据文件。");
}

EmitOptions Database::Options() const {
  EmitOptions options;
  options.target = engine_->SqlTarget();
  options.indexSupport = indexSupport_;
  return options;
}

void Database::Open(const std::string& name, bool readOnly) {
  Close();
  if (IsServerName(name)) {
    engine_ = ServerEngine::Open(name, readOnly);
  } else {
    engine_ = SqliteEngine::Open(name, readOnly);
  }
  path_ = name;
  schema_ = std::make_unique<Schema>(*engine_);
}

void Database::Create(const std::string& name, unsigned mode) {
  Close();
  if (IsServerName(name)) {
    engine_ = ServerEngine::Create(name);
  } else {
    engine_ = SqliteEngine::Create(name, mode);
  }
  path_ = name;
  schema_ = std::make_unique<Schema>(*engine_);
}

bool Database::IsUnfinished(const std::string& name) {
  return IsServerName(name) ? ServerEngine::IsUnfinished(name) : SqliteEngine::IsUnfinished(name);
}

void Database::Close() {
  if (!engine_) return;
  depth_ = 0;
  schema_.reset();
  engine_.reset();
  path_.clear();
}

int Database::Execute(const std::string& sql) {
  Require();
  Translation t = Translate(sql, *schema_, Options());
  if (t.isQuery) throw DbError("不能执行选择查询，SELECT 语句应以记录集打开。");
  int changed = 0;
  try {
    changed = engine_->RunUnit(t.statements);
  } catch (...) {
    if (t.changesSchema) schema_->Forget();
    throw;
  }
  if (t.changesSchema) {
    schema_->Forget();
    changed = 0;
  }
  return changed;
}

std::unique_ptr<Cursor> Database::Query(const std::string& sql) {
  Require();
  Translation t = Translate(sql, *schema_, Options());
  if (!t.isQuery) throw DbError("记录集只能由 SELECT 语句打开。");
  // The cursor owns the rows before its first step, which may throw.
  return std::make_unique<Cursor>(engine_->Query(t.statements[0]), sql);
}

std::unique_ptr<PreparedStatement> Database::Prepare(const std::string& sql) {
  Require();
  Translation t = Translate(sql, *schema_, Options());
  if (t.changesSchema || t.statements.size() != 1)
    throw DbError("只有单条的 INSERT、UPDATE、DELETE 或 SELECT 语句可以预备。");
  return std::make_unique<PreparedStatement>(engine_->Prepare(t.statements[0]), sql);
}

std::vector<std::string> Database::Explain(const std::string& sql) {
  Require();
  return Translate(sql, *schema_, Options()).statements;
}

int Database::ExecuteEngineSql(const std::string& sql) {
  Require();
  schema_->Forget();
  return engine_->RunUnit({sql});
}

std::unique_ptr<Cursor> Database::QueryEngineSql(const std::string& sql) {
  Require();
  return std::make_unique<Cursor>(engine_->Query(sql), sql);
}

int Database::OpenStatements() {
  Require();
  return engine_->OpenStatements();
}

const TableInfo* Database::FindTable(const std::string& name) {
  Require();
  return schema_->FindTable(name);
}

int Database::TextWidth(const std::string& table, const std::string& column) {
  const TableInfo* t = FindTable(table);
  const ColumnInfo* c = t ? t->Find(column) : nullptr;
  return c && IsTextType(c->type) && c->width > 0 ? c->width : 0;
}

std::vector<std::string> Database::TwinIndexes(const std::string& table) {
  Require();
  return schema_->TwinIndexes(table);
}

std::vector<std::string> Database::TableNames() {
  Require();
  return schema_->Names();
}

bool Database::HasColumn(const std::string& table, const std::string& column) {
  const TableInfo* t = FindTable(table);
  return t && t->Find(column);
}

void Database::AddTextColumn(const std::string& table, const std::string& column, int width) {
  Execute(Format("ALTER TABLE %s ADD COLUMN %s CHAR(%d)", table.c_str(), column.c_str(), width));
}

void Database::BackupTo(const std::string& target, unsigned mode) {
  Require();
  if (depth_ > 0) throw DbError("事务进行中，不能备份数据文件。");
  engine_->BackupTo(target, mode);
}

bool Database::RestoreFrom(const std::string& source) {
  Require();
  if (depth_ > 0) throw DbError("事务进行中，不能恢复备份。");
  return engine_->RestoreFrom(source);
}

std::string Database::CheckCopy(const std::string& gbkPath, bool thorough, bool* busy) {
  return SqliteEngine::CheckCopy(gbkPath, thorough, busy);
}

std::vector<std::string> Database::DropIndexes(const std::string& table) {
  Require();
  if (depth_ == 0) throw DbError("只能在事务之中重建索引。");
  return engine_->DropIndexes(table);
}

void Database::RestoreIndexes(const std::vector<std::string>& statements) {
  Require();
  if (!statements.empty()) engine_->RunUnit(statements);
}

void Database::Flush() {
  Require();
  engine_->Flush();
}

void Database::NameSession(const std::string& tag) {
  Require();
  engine_->NameSession(tag);
}

std::vector<std::pair<std::string, std::string>> Database::OtherSessions(const std::string& prefix) {
  Require();
  return engine_->OtherSessions(prefix);
}

void Database::Begin() {
  Require();
  if (depth_ == 0) {
    engine_->Begin();
  } else {
    engine_->Savepoint(depth_);
  }
  ++depth_;
}

void Database::Commit() {
  Require();
  if (depth_ == 0) return;
  // The level stays open until its COMMIT or RELEASE succeeds, so that the Rollback that follows a failed
  // commit still finds the transaction and ends it.
  if (depth_ == 1) {
    engine_->Commit();
  } else {
    engine_->Release(depth_ - 1);
  }
  --depth_;
}

void Database::Rollback() {
  if (!engine_ || depth_ == 0) return;
  --depth_;
  // The engine may have ended the transaction itself (some errors roll back at once); then there is
  // nothing left to roll back.
  if (!engine_->InTransaction()) {
    depth_ = 0;
    schema_->Forget();
    engine_->Rollback();
    return;
  }
  if (depth_ == 0) {
    engine_->Rollback();
  } else {
    engine_->RollbackTo(depth_);
  }
  schema_->Forget();
}

}  // namespace jet
