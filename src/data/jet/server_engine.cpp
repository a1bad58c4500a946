// The server engine over libpq: simple-query messages for the dialect's translated statements, prepared
// statements for the bulk writers, savepoints so that a failing statement inside a transaction leaves the
// transaction usable (as on the embedded engine).
#include "data/jet/server_engine.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "base/text.h"
#include "data/db_error.h"
#include "data/jet/parser.h"
#include "data/jet/pq_library.h"
#include "data/jet/server_library.h"

namespace jet {

// A statement that holds runs back, to send many in one message.
class HeldRuns {
 public:
  virtual ~HeldRuns() = default;
  virtual void FlushHeld() = 0;
  virtual void DropHeld() = 0;
  // The quoted name of the table the runs write ("" when not known).
  virtual const std::string& Writes() const = 0;
};

// The runs held back on one connection, by one statement at a time: a statement the connection runs that
// may read what they write has them run first (the emitter quotes every table it names, so one that does
// not name their table does not read it), and so does the end of the transaction or of a level of it. A
// failure of runs flushed where nobody could be told (the statement went away) refuses the commit.
struct QueuedRuns {
  HeldRuns* holder = nullptr;
  std::string failure;
  void Flush() {
    if (holder) holder->FlushHeld();
  }
  void FlushFor(const std::string& sql) {
    if (holder && (holder->Writes().empty() || sql.find(holder->Writes()) != std::string::npos)) Flush();
  }
  // What was held back since the last flush belongs to the innermost level of the transaction (every
  // savepoint and release flushes first): a rollback to any level drops it.
  void Drop() {
    if (holder) holder->DropHeld();
    failure.clear();
  }
};

namespace {

// Runs held back at the most before they are sent (and fewer where their parameters would pass the
// protocol's 65,535).
constexpr size_t kHeldRuns = 2000;

// Marks a schema as a year of this program, as the application id marks a year file.
const char* const kYearMark = "TAVR";
// Marks a schema as a copy of a year taken before a command that rewrites or removes one.
const char* const kBackupMark = "TAVR backup";
// Type of every parameter: a text, converted by the column's storing function.
constexpr Oid kTextOid = 25;

struct ResultFree {
  void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

const char* const kConnectionLost =
    "与数据库服务器的连接已断开（服务器停止了，或网络中断），未完成的操作都没有保存。";
const char* const kCollision = "另一位用户同时修改了同样的数据，本次操作已全部撤销，请重试。";

// The server ended the session (stopped, restarted, the backend terminated) or the network dropped it.
bool ConnectionLost(const char* state, pg_conn* conn) {
  if (state && (std::strncmp(state, "57P", 3) == 0 || std::strncmp(state, "08", 2) == 0)) return true;
  return conn && PQstatus(conn) == CONNECTION_BAD;
}

// What libpq says of the connection's last failure.
std::string LibpqMessage(pg_conn* conn) {
  std::string msg = conn ? PQerrorMessage(conn) : "";
  while (!msg.empty() && (msg.back() == '\n' || msg.back() == ' ')) msg.pop_back();
  return msg.empty() ? "命令失败。" : msg;
}

std::string ServerMessage(const PGresult* r, pg_conn* conn) {
  const char* state = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
  // The server's own words ("terminating connection due to administrator command") speak of its inner
  // workings and read as the fault of whatever the program was doing.
  if (ConnectionLost(state, conn)) return kConnectionLost;
  // Two writers met: the server refused the later one, and all its work was rolled back.
  if (state && (std::strcmp(state, "40001") == 0 || std::strcmp(state, "40P01") == 0))
    return kCollision;
  const char* primary = r ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  if (primary && *primary) return primary;
  return LibpqMessage(conn);
}

// The error a server's message makes: one of a lost connection is marked as such, since then no value or
// line of the caller's was at fault; so is a collision, which the same work done again may get past.
DbError ServerFailure(const std::string& message) {
  return DbError(message, false, message == kConnectionLost, message == kCollision);
}

bool Failed(const PGresult* r) {
  if (!r) return true;
  ExecStatusType s = PQresultStatus(r);
  return s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK && s != PGRES_EMPTY_QUERY;
}

void Exec(pg_conn* conn, const std::string& sql) {
  PQclear(PQexec(conn, sql.c_str()));
}

std::string QuoteIdent(const std::string& name) {
  return "\"" + ReplaceAll(name, "\"", "\"\"") + "\"";
}

std::string QuoteText(const std::string& value) {
  return "'" + ReplaceAll(value, "'", "''") + "'";
}

// Sends SQL of one or more statements as one message and collects every result; the first failure is
// thrown after the connection is drained.
std::vector<Result> RunMessage(pg_conn* conn, const std::string& sql) {
  if (!PQsendQuery(conn, sql.c_str())) throw ServerFailure(ServerMessage(nullptr, conn));
  std::vector<Result> results;
  std::string error;
  while (PGresult* r = PQgetResult(conn)) {
    Result owned(r);
    if (Failed(r) && error.empty()) error = ServerMessage(r, conn);
    results.push_back(std::move(owned));
  }
  if (!error.empty()) throw ServerFailure(error);
  return results;
}

// Runs statements so that a failure changes nothing: outside a transaction the message is one implicit
// transaction; inside one a savepoint brackets it and is rolled back to on failure.
std::vector<Result> RunGuarded(pg_conn* conn, const std::vector<std::string>& statements, size_t& first) {
  bool inTransaction = PQtransactionStatus(conn) != PQTRANS_IDLE;
  std::string sql;
  first = 0;
  if (inTransaction) {
    sql = "SAVEPOINT jet_statement;";
    first = 1;
  }
  for (auto& s : statements) sql += s + ";";
  if (inTransaction) sql += "RELEASE SAVEPOINT jet_statement";
  try {
    return RunMessage(conn, sql);
  } catch (const DbError&) {
    PGTransactionStatusType st = PQtransactionStatus(conn);
    if (inTransaction && st == PQTRANS_INERROR) {
      Exec(conn, "ROLLBACK TO SAVEPOINT jet_statement; RELEASE SAVEPOINT jet_statement");
    } else if (!inTransaction && st != PQTRANS_IDLE) {
      Exec(conn, "ROLLBACK");
    }
    throw;
  }
}

ValueKind KindOfType(Oid type) {
  switch (type) {
    case 16:   // bool
    case 20:   // int8
    case 21:   // int2
    case 23:   // int4
    case 26:   // oid
      return ValueKind::Integer;
    case 700:   // float4
    case 701:   // float8
    case 1700:  // numeric
      return ValueKind::Real;
    default:
      return ValueKind::Text;
  }
}

class ServerRows : public EngineRows {
 public:
  explicit ServerRows(Result r) : r_(std::move(r)), rows_(PQntuples(r_.get())) {
    for (int i = 0; i < PQnfields(r_.get()); ++i) kinds_.push_back(KindOfType(PQftype(r_.get(), i)));
  }
  int ColumnCount() const override { return static_cast<int>(kinds_.size()); }
  std::string ColumnName(int i) const override { return PQfname(r_.get(), i); }
  bool Next() override { return ++row_ < rows_; }
  ValueKind Kind(int i) const override {
    if (PQgetisnull(r_.get(), row_, i)) return ValueKind::Null;
    ValueKind k = kinds_[static_cast<size_t>(i)];
    if (k == ValueKind::Real && PQftype(r_.get(), i) == 1700) {
      // A whole sum of whole numbers is a whole number, as on the embedded engine.
      const char* v = PQgetvalue(r_.get(), row_, i);
      if (!std::strpbrk(v, ".eEN") && std::strlen(v) < 18) return ValueKind::Integer;
    }
    return k;
  }
  long long Integer(int i) const override {
    const char* v = PQgetvalue(r_.get(), row_, i);
    if (PQftype(r_.get(), i) == 16) return *v == 't' ? 1 : 0;
    return std::strtoll(v, nullptr, 10);
  }
  double Real(int i) const override {
    const char* v = PQgetvalue(r_.get(), row_, i);
    if (std::strcmp(v, "NaN") == 0) return std::numeric_limits<double>::quiet_NaN();
    return std::strtod(v, nullptr);
  }
  std::string_view Bytes(int i) const override {
    return std::string_view(PQgetvalue(r_.get(), row_, i), static_cast<size_t>(PQgetlength(r_.get(), row_, i)));
  }

 private:
  Result r_;
  int rows_;
  int row_ = -1;
  std::vector<ValueKind> kinds_;
};

// An insert of one row of parameters, as the emitter writes it ("INSERT INTO t(cols) VALUES(e1,...)"), made
// the insert of rows of them: the same expressions over the rows of arrays, one a parameter ("$k::text"
// becomes column ck of the rows, from array $k). "" for any other statement.
std::string InsertOfRows(const std::string& sql, int params) {
  size_t values = sql.find(") VALUES(");
  if (sql.rfind("INSERT INTO ", 0) != 0 || values == std::string::npos || sql.back() != ')' || params <= 0)
    return "";
  std::string exprs = sql.substr(values + 9, sql.size() - values - 10), read;
  bool quoted = false;
  for (size_t i = 0; i < exprs.size(); ++i) {
    if (exprs[i] == '\'') quoted = !quoted;
    size_t digits = i + 1;
    while (!quoted && exprs[i] == '$' && digits < exprs.size() && std::isdigit(static_cast<unsigned char>(exprs[digits])))
      ++digits;
    if (digits > i + 1 && exprs.compare(digits, 6, "::text") == 0) {
      read += "jet_rows.c" + exprs.substr(i + 1, digits - i - 1);
      i = digits + 5;
      continue;
    }
    read += exprs[i];
  }
  std::string out = sql.substr(0, values + 2) + "SELECT " + read + " FROM unnest(";
  for (int p = 1; p <= params; ++p) out += Format(p > 1 ? ",$%d::text[]" : "$%d::text[]", p);
  out += ") AS jet_rows(";
  for (int p = 1; p <= params; ++p) out += Format(p > 1 ? ",c%d" : "c%d", p);
  return out + ")";
}

// Appends a value to an array's text: quoted, with its quotes and backslashes escaped (a GBK character's
// second byte may be a backslash); NULL for no value.
void AppendElement(std::string& array, const std::string* value) {
  if (array.size() > 1) array += ',';
  if (!value) {
    array += "NULL";
    return;
  }
  array += '"';
  for (char c : *value) {
    if (c == '"' || c == '\\') array += '\\';
    array += c;
  }
  array += '"';
}

class ServerStatement : public EngineStatement, public HeldRuns {
 public:
  ServerStatement(pg_conn* conn, std::string name, std::string sql, int params, std::shared_ptr<QueuedRuns> queued)
      : conn_(conn),
        name_(std::move(name)),
        sql_(std::move(sql)),
        values_(static_cast<size_t>(params)),
        set_(values_.size()),
        queued_(std::move(queued)),
        rowsSql_(InsertOfRows(sql_, params)),
        writes_(rowsSql_.empty() ? "" : sql_.substr(12, sql_.find('(') - 12)) {}
  ~ServerStatement() override {
    if (queued_->holder == this) {
      try {
        FlushHeld();
      } catch (const DbError& e) {
        queued_->failure = e.what();
      }
    }
    if (PQstatus(conn_) == CONNECTION_OK && PQtransactionStatus(conn_) != PQTRANS_ACTIVE)
      Exec(conn_, "DEALLOCATE " + QuoteIdent(name_) + (rowsPrepared_ ? "; DEALLOCATE " + QuoteIdent(name_ + "_rows") : ""));
  }
  void Queue(long tag) override {
    if (PQtransactionStatus(conn_) == PQTRANS_IDLE) {
      Run();
      return;
    }
    if (queued_->holder != this) queued_->Flush();
    queued_->holder = this;
    held_.push_back({values_, set_, tag});
    if (held_.size() >= kHeldRuns) FlushHeld();
  }
  // The held runs go in one message of a pipeline under one savepoint: an insert as one statement of all
  // its rows, anything else run by run. When that fails, the savepoint undoes them all; the runs go again
  // one by one to find the one that fails, those before it stay done, and its failure is thrown tagged
  // with its tag.
  void FlushHeld() override {
    if (queued_->holder == this) queued_->holder = nullptr;
    std::vector<Held> runs;
    runs.swap(held_);
    if (runs.empty()) return;
    std::string error;
    if (!rowsSql_.empty()) {
      if (SendHeld(runs, runs.size(), true, error) == runs.size()) return;
      // Two writers that met are no run's fault.
      if (error == kCollision) throw ServerFailure(error);
      error.clear();
    }
    size_t failed = SendHeld(runs, runs.size(), false, error);
    if (failed == runs.size()) return;
    std::string again;
    if (size_t before = failed > 0 ? SendHeld(runs, failed, false, again) : 0; before != failed) {
      error = again;
      failed = before;
    }
    throw ServerFailure(error).Tagged(runs[failed].tag);
  }
  void DropHeld() override {
    if (queued_->holder == this) queued_->holder = nullptr;
    held_.clear();
  }
  const std::string& Writes() const override { return writes_; }
  int ParamCount() const override { return static_cast<int>(values_.size()); }
  void Bind(int i, std::string_view text) override { Set(i, std::string(text)); }
  void Bind(int i, long long value) override { Set(i, std::to_string(value)); }
  void Bind(int i, double value) override { Set(i, Format("%.17g", value)); }
  int Run() override {
    queued_->FlushFor(sql_);
    std::vector<const char*> values;
    std::vector<int> lengths;
    for (size_t i = 0; i < values_.size(); ++i) {
      values.push_back(set_[i] ? values_[i].c_str() : nullptr);
      lengths.push_back(static_cast<int>(values_[i].size()));
    }
    if (PQtransactionStatus(conn_) == PQTRANS_IDLE) {
      Result r(PQexecPrepared(conn_, name_.c_str(), static_cast<int>(values.size()), values.data(),
                              lengths.data(), nullptr, 0));
      if (Failed(r.get())) throw ServerFailure(ServerMessage(r.get(), conn_));
      return std::atoi(PQcmdTuples(r.get()));
    }
    // Inside a transaction the run is bracketed by a savepoint, so that a refused row leaves the
    // transaction usable; the three go to the server in one message of a pipeline and come back together.
    if (!PQenterPipelineMode(conn_)) throw ServerFailure(ServerMessage(nullptr, conn_));
    bool sent = PQsendQueryParams(conn_, "SAVEPOINT jet_statement", 0, nullptr, nullptr, nullptr, nullptr, 0) &&
                PQsendQueryPrepared(conn_, name_.c_str(), static_cast<int>(values.size()), values.data(),
                                    lengths.data(), nullptr, 0) &&
                PQsendQueryParams(conn_, "RELEASE SAVEPOINT jet_statement", 0, nullptr, nullptr, nullptr,
                                  nullptr, 0) &&
                PQpipelineSync(conn_);
    std::string error = sent ? "" : ServerMessage(nullptr, conn_);
    int changed = 0;
    bool runFailed = false;
    for (int q = 0; sent && q < 3; ++q) {
      while (PGresult* r = PQgetResult(conn_)) {
        Result owned(r);
        ExecStatusType st = PQresultStatus(r);
        if (st == PGRES_FATAL_ERROR) {
          if (error.empty()) error = ServerMessage(r, conn_);
          runFailed = true;
        }
        if (q == 1 && st == PGRES_COMMAND_OK) changed = std::atoi(PQcmdTuples(r));
      }
    }
    if (sent) {
      Result sync(PQgetResult(conn_));
      if ((!sync || PQresultStatus(sync.get()) != PGRES_PIPELINE_SYNC) && error.empty())
        error = ServerMessage(nullptr, conn_);
    }
    PQexitPipelineMode(conn_);
    if (!error.empty()) {
      if (runFailed || PQtransactionStatus(conn_) == PQTRANS_INERROR)
        Exec(conn_, "ROLLBACK TO SAVEPOINT jet_statement; RELEASE SAVEPOINT jet_statement");
      throw ServerFailure(error);
    }
    return changed;
  }
  std::unique_ptr<EngineRows> Open() override {
    queued_->FlushFor(sql_);
    std::vector<const char*> values;
    std::vector<int> lengths;
    for (size_t i = 0; i < values_.size(); ++i) {
      values.push_back(set_[i] ? values_[i].c_str() : nullptr);
      lengths.push_back(static_cast<int>(values_[i].size()));
    }
    Result r(PQexecPrepared(conn_, name_.c_str(), static_cast<int>(values.size()), values.data(), lengths.data(),
                            nullptr, 0));
    if (Failed(r.get())) throw ServerFailure(ServerMessage(r.get(), conn_));
    return std::make_unique<ServerRows>(std::move(r));
  }

 private:
  void Set(int i, std::string v) {
    if (i < 1 || i > ParamCount()) throw DbError("参数的序号不对。");
    values_[static_cast<size_t>(i - 1)] = std::move(v);
    set_[static_cast<size_t>(i - 1)] = true;
  }
  struct Held {
    std::vector<std::string> values;
    std::vector<bool> set;
    long tag;
  };
  // Sends the first n runs with their savepoint, as one statement of their rows (asOne, for an insert) or
  // run by run; the place of the first that failed (n when none did; 0 for the one statement), with its
  // message in error. After a failure the savepoint has undone them all.
  size_t SendHeld(const std::vector<Held>& runs, size_t n, bool asOne, std::string& error) {
    if (asOne && !rowsPrepared_) {
      Exec(conn_, "SAVEPOINT jet_held");
      Result r(PQprepare(conn_, (name_ + "_rows").c_str(), rowsSql_.c_str(), 0, nullptr));
      if (Failed(r.get())) {
        error = ServerMessage(r.get(), conn_);
        Exec(conn_, "ROLLBACK TO SAVEPOINT jet_held; RELEASE SAVEPOINT jet_held");
        return 0;
      }
      Exec(conn_, "RELEASE SAVEPOINT jet_held");
      rowsPrepared_ = true;
    }
    if (!PQenterPipelineMode(conn_)) throw ServerFailure(ServerMessage(nullptr, conn_));
    bool sent = PQsendQueryParams(conn_, "SAVEPOINT jet_held", 0, nullptr, nullptr, nullptr, nullptr, 0);
    std::vector<const char*> values;
    std::vector<int> lengths;
    std::vector<std::string> arrays;
    if (asOne) {
      // A parameter's values of all the rows as one array.
      arrays.assign(values_.size(), "{");
      for (size_t k = 0; k < n; ++k)
        for (size_t i = 0; i < arrays.size(); ++i)
          AppendElement(arrays[i], runs[k].set[i] ? &runs[k].values[i] : nullptr);
      for (std::string& a : arrays) {
        a += '}';
        values.push_back(a.c_str());
        lengths.push_back(static_cast<int>(a.size()));
      }
      sent = sent && PQsendQueryPrepared(conn_, (name_ + "_rows").c_str(), static_cast<int>(values.size()),
                                         values.data(), lengths.data(), nullptr, 0);
    }
    for (size_t k = 0; sent && !asOne && k < n; ++k) {
      values.clear();
      lengths.clear();
      for (size_t i = 0; i < runs[k].values.size(); ++i) {
        values.push_back(runs[k].set[i] ? runs[k].values[i].c_str() : nullptr);
        lengths.push_back(static_cast<int>(runs[k].values[i].size()));
      }
      sent = PQsendQueryPrepared(conn_, name_.c_str(), static_cast<int>(values.size()), values.data(),
                                 lengths.data(), nullptr, 0);
    }
    sent = sent &&
           PQsendQueryParams(conn_, "RELEASE SAVEPOINT jet_held", 0, nullptr, nullptr, nullptr, nullptr, 0) &&
           PQpipelineSync(conn_);
    if (!sent) error = ServerMessage(nullptr, conn_);
    size_t failed = n, statements = asOne ? 1 : n;
    // The savepoint's answer, one per statement, the release's; then the sync's.
    for (size_t q = 0; sent && q < statements + 2; ++q) {
      while (PGresult* r = PQgetResult(conn_)) {
        Result owned(r);
        if (PQresultStatus(r) == PGRES_FATAL_ERROR && error.empty()) {
          error = ServerMessage(r, conn_);
          failed = q == 0 || asOne ? 0 : std::min(q - 1, n);
        }
      }
    }
    if (sent) {
      Result sync(PQgetResult(conn_));
      if ((!sync || PQresultStatus(sync.get()) != PGRES_PIPELINE_SYNC) && error.empty())
        error = ServerMessage(nullptr, conn_);
    }
    PQexitPipelineMode(conn_);
    if (error.empty()) return n;
    if (failed == n) failed = 0;
    if (PQtransactionStatus(conn_) == PQTRANS_INERROR)
      Exec(conn_, "ROLLBACK TO SAVEPOINT jet_held; RELEASE SAVEPOINT jet_held");
    if (ConnectionLost(nullptr, conn_)) throw ServerFailure(error);
    return failed;
  }

  pg_conn* conn_;
  std::string name_, sql_;
  std::vector<std::string> values_;
  std::vector<bool> set_;
  std::shared_ptr<QueuedRuns> queued_;
  const std::string rowsSql_;  // the insert of many rows, for an insert of one
  const std::string writes_;
  bool rowsPrepared_ = false;
  std::vector<Held> held_;
};

// The highest "$n" of a translated statement: its number of parameters.
int CountParams(const std::string& sql) {
  int most = 0;
  bool quoted = false;
  for (size_t i = 0; i < sql.size(); ++i) {
    if (sql[i] == '\'') quoted = !quoted;
    if (quoted || sql[i] != '$' || i + 1 >= sql.size() || sql[i + 1] < '0' || sql[i + 1] > '9') continue;
    if (i > 0 && (std::isalnum(static_cast<unsigned char>(sql[i - 1])) || sql[i - 1] == '"')) continue;
    most = std::max(most, std::atoi(sql.c_str() + i + 1));
  }
  return most;
}

}  // namespace

bool IsServerName(const std::string& name) {
  std::string l = Lower(name.substr(0, 11));
  return l.rfind("postgresql:", 0) == 0 || l.rfind("postgres:", 0) == 0;
}

std::optional<ServerName> ParseServerName(const std::string& name) {
  if (!IsServerName(name)) return std::nullopt;
  size_t hash = name.rfind('#');
  if (hash == std::string::npos) return ServerName{name, ""};
  std::string year = name.substr(hash + 1);
  if (year.size() != 4) return std::nullopt;
  for (char c : year)
    if (c < '0' || c > '9') return std::nullopt;
  return ServerName{name.substr(0, hash), year};
}

std::string YearSchema(const std::string& year) {
  return "y" + year;
}

// ---------- ServerConnection ----------
ServerConnection::ServerConnection(const std::string& uri) {
  RequireLibpq();
  conn_ = PQconnectdb(uri.c_str());
  if (PQstatus(conn_) != CONNECTION_OK) {
    std::string msg = LibpqMessage(conn_);
    PQfinish(conn_);
    throw DbError(Format("无法连接数据库服务器：%s", msg.c_str()));
  }
  if (PQserverVersion(conn_) < 130000) {
    PQfinish(conn_);
    throw DbError("数据库服务器的版本太低（至少要 13 版）。");
  }
  const char* encoding = PQparameterStatus(conn_, "server_encoding");
  if (!encoding || std::strcmp(encoding, "SQL_ASCII") != 0) {
    // create-set makes the program's tables in a database; the database itself is made by its owner.
    std::string database = PQdb(conn_) ? PQdb(conn_) : "NAME";
    PQfinish(conn_);
    throw DbError(Format("这个数据库的编码不是 SQL_ASCII，不能存放帐套。请由数据库的所有者另建一个数据库："
                         "createdb -E SQL_ASCII -T template0 --locale=C %s",
                         database.c_str()));
  }
  try {
    // The program's reads are many small queries one after another: workers of a parallel plan cost more
    // to start than they save below a much larger query than the planner's default assumes.
    Run("SET client_encoding TO 'SQL_ASCII'; SET standard_conforming_strings TO on; "
        "SET extra_float_digits TO 1; SET client_min_messages TO warning; SET parallel_setup_cost TO 20000");
    // The library is made, or made anew, when the database holds none or an older one.
    auto present = Value("SELECT to_regclass('jet.library') IS NOT NULL");
    auto version = present && *present == "t" ? Value("SELECT max(version) FROM jet.library") : std::nullopt;
    if (!version || std::atoi(version->c_str()) < kServerLibraryVersion) Run(LibraryScript());
  } catch (...) {
    PQfinish(conn_);
    throw;
  }
}

ServerConnection::~ServerConnection() {
  PQfinish(conn_);
}

void ServerConnection::Run(const std::string& sql) {
  RunMessage(conn_, sql);
}

std::optional<std::string> ServerConnection::Value(const std::string& sql) {
  auto results = RunMessage(conn_, sql);
  if (results.empty()) return std::nullopt;
  PGresult* r = results.back().get();
  if (PQntuples(r) == 0 || PQnfields(r) == 0 || PQgetisnull(r, 0, 0)) return std::nullopt;
  return std::string(PQgetvalue(r, 0, 0), static_cast<size_t>(PQgetlength(r, 0, 0)));
}

// ---------- ServerEngine ----------
namespace {

ServerName RequireYear(const std::string& name) {
  auto n = ParseServerName(name);
  if (!n || n->year.empty())
    throw DbError(Format("“%s”不是服务器上的年度（应为 postgresql://主机/数据库#年度）。", name.c_str()));
  return *n;
}

bool IsYearSchema(ServerConnection& c, const std::string& schema) {
  auto mark = c.Value("SELECT obj_description(oid,'pg_namespace') FROM pg_namespace WHERE nspname=" +
                      QuoteText(schema));
  return mark && *mark == kYearMark;
}

bool SchemaExists(ServerConnection& c, const std::string& schema) {
  return c.Value("SELECT 1 FROM pg_namespace WHERE nspname=" + QuoteText(schema)).has_value();
}

}  // namespace

ServerEngine::ServerEngine(std::unique_ptr<ServerConnection> conn, std::string schema)
    : conn_(std::move(conn)), queued_(std::make_shared<QueuedRuns>()), schema_(std::move(schema)) {
  conn_->Run("SET search_path TO " + QuoteIdent(schema_) + ", jet");
}

ServerEngine::~ServerEngine() {
  if (PQtransactionStatus(conn_->Get()) != PQTRANS_IDLE) Exec(conn_->Get(), "ROLLBACK");
}

std::unique_ptr<ServerEngine> ServerEngine::Open(const std::string& name, bool readOnly) {
  ServerName n = RequireYear(name);
  auto conn = std::make_unique<ServerConnection>(n.uri);
  std::string schema = YearSchema(n.year);
  if (!SchemaExists(*conn, schema)) throw DbError(Format("找不到年度“%s”。", name.c_str()));
  if (!IsYearSchema(*conn, schema)) throw DbError("不是本程序的数据文件。");
  if (readOnly) conn->Run("SET default_transaction_read_only TO on");
  return std::unique_ptr<ServerEngine>(new ServerEngine(std::move(conn), schema));
}

std::unique_ptr<ServerEngine> ServerEngine::Create(const std::string& name) {
  ServerName n = RequireYear(name);
  auto conn = std::make_unique<ServerConnection>(n.uri);
  std::string schema = YearSchema(n.year);
  if (SchemaExists(*conn, schema)) throw DbError(Format("年度“%s”已存在。", name.c_str()));
  conn->Run("BEGIN; CREATE SCHEMA " + QuoteIdent(schema) + "; COMMENT ON SCHEMA " + QuoteIdent(schema) +
            " IS " + QuoteText(kYearMark) + "; COMMIT");
  return std::unique_ptr<ServerEngine>(new ServerEngine(std::move(conn), schema));
}

bool ServerEngine::IsUnfinished(const std::string& name) {
  try {
    ServerName n = RequireYear(name);
    ServerConnection conn(n.uri);
    std::string schema = YearSchema(n.year);
    if (!IsYearSchema(conn, schema)) return false;
    return !conn.Value("SELECT 1 FROM pg_tables WHERE schemaname=" + QuoteText(schema) +
                       " AND lower(tablename)='systab'");
  } catch (const DbError&) {
    return false;
  }
}

std::vector<std::string> ServerEngine::Years(const std::string& uri) {
  auto n = ParseServerName(uri);
  if (!n) return {};
  ServerConnection conn(n->uri);
  auto results = RunMessage(conn.Get(),
                            "SELECT substr(nspname, 2) FROM pg_namespace WHERE nspname ~ '^y[0-9]{4}$' AND "
                            "obj_description(oid, 'pg_namespace') = " +
                                QuoteText(kYearMark) + " ORDER BY 1");
  std::vector<std::string> years;
  PGresult* r = results.back().get();
  for (int i = 0; i < PQntuples(r); ++i) years.emplace_back(PQgetvalue(r, i, 0));
  return years;
}

void ServerEngine::DropYear(const std::string& name) {
  ServerName n = RequireYear(name);
  ServerConnection conn(n.uri);
  std::string schema = YearSchema(n.year);
  if (!IsYearSchema(conn, schema)) throw DbError(Format("找不到年度“%s”。", name.c_str()));
  conn.Run("DROP SCHEMA " + QuoteIdent(schema) + " CASCADE");
}

void ServerEngine::Flush() {
  queued_->Flush();
}

int ServerEngine::RunUnit(const std::vector<std::string>& statements) {
  for (const std::string& s : statements) queued_->FlushFor(s);
  size_t first = 0;
  auto results = RunGuarded(conn_->Get(), statements, first);
  size_t last = first + statements.size() - 1;
  if (statements.empty() || last >= results.size()) return 0;
  return std::atoi(PQcmdTuples(results[last].get()));
}

std::unique_ptr<EngineRows> ServerEngine::Query(const std::string& sql) {
  queued_->FlushFor(sql);
  size_t first = 0;
  auto results = RunGuarded(conn_->Get(), {sql}, first);
  if (first >= results.size()) throw DbError("命令失败。");
  return std::make_unique<ServerRows>(std::move(results[first]));
}

std::unique_ptr<EngineStatement> ServerEngine::Prepare(const std::string& sql) {
  queued_->FlushFor(sql);
  std::string name = Format("jet_prepared%d", ++prepared_);
  int params = CountParams(sql);
  std::vector<Oid> types(static_cast<size_t>(params), kTextOid);
  bool inTransaction = InTransaction();
  if (inTransaction) Exec(conn_->Get(), "SAVEPOINT jet_statement");
  Result r(PQprepare(conn_->Get(), name.c_str(), sql.c_str(), params, types.data()));
  if (Failed(r.get())) {
    std::string msg = ServerMessage(r.get(), conn_->Get());
    if (inTransaction)
      Exec(conn_->Get(), "ROLLBACK TO SAVEPOINT jet_statement; RELEASE SAVEPOINT jet_statement");
    throw ServerFailure(msg);
  }
  if (inTransaction) Exec(conn_->Get(), "RELEASE SAVEPOINT jet_statement");
  return std::make_unique<ServerStatement>(conn_->Get(), name, sql, params, queued_);
}

// Each transaction is serializable: two programs writing into one year never lose one another's changes;
// the later of two colliding writers fails and its work is rolled back whole.
void ServerEngine::Begin() {
  conn_->Run("BEGIN ISOLATION LEVEL SERIALIZABLE");
}

// The server answers COMMIT of a transaction that a failure has spoiled with a rollback and no error: that
// must not pass for a commit.
void ServerEngine::Commit() {
  Flush();
  if (!queued_->failure.empty()) {
    std::string failure;
    failure.swap(queued_->failure);
    throw ServerFailure(failure);
  }
  bool spoiled = PQtransactionStatus(conn_->Get()) == PQTRANS_INERROR;
  auto results = RunMessage(conn_->Get(), "COMMIT");
  if (spoiled || (!results.empty() && std::strcmp(PQcmdStatus(results.back().get()), "ROLLBACK") == 0))
    throw DbError("事务中有命令失败，全部修改已撤销。");
}

void ServerEngine::Rollback() {
  queued_->Drop();
  if (InTransaction()) Exec(conn_->Get(), "ROLLBACK");
}

void ServerEngine::Savepoint(int level) {
  Flush();
  conn_->Run(Format("SAVEPOINT jet_level%d", level));
}

void ServerEngine::Release(int level) {
  Flush();
  conn_->Run(Format("RELEASE SAVEPOINT jet_level%d", level));
}

void ServerEngine::RollbackTo(int level) {
  queued_->Drop();
  Exec(conn_->Get(), Format("ROLLBACK TO SAVEPOINT jet_level%d; RELEASE SAVEPOINT jet_level%d", level, level));
}

bool ServerEngine::InTransaction() {
  return PQtransactionStatus(conn_->Get()) != PQTRANS_IDLE;
}

std::vector<TableInfo> ServerEngine::Tables() {
  auto rows = Query(
      "SELECT c.relname, a.attname, col_description(c.oid, a.attnum) FROM pg_class c "
      "JOIN pg_namespace n ON n.oid=c.relnamespace JOIN pg_attribute a ON a.attrelid=c.oid "
      "WHERE n.nspname=" +
      QuoteText(schema_) +
      " AND c.relkind='r' AND a.attnum>0 AND NOT a.attisdropped ORDER BY c.oid, a.attnum");
  std::vector<TableInfo> tables;
  while (rows->Next()) {
    std::string table(rows->Bytes(0));
    if (tables.empty() || tables.back().name != table) tables.push_back(TableInfo{table, {}});
    ColumnInfo c;
    c.name = std::string(rows->Bytes(1));
    // The dialect's declared type is kept as the column's comment.
    if (rows->Kind(2) == ValueKind::Null || !ParseDeclaredType(std::string(rows->Bytes(2)), c.type, c.width))
      c.type = ColType::Memo;
    tables.back().columns.push_back(c);
  }
  return tables;
}

std::vector<std::string> ServerEngine::TwinIndexes(const std::string& table) {
  auto rows = Query("SELECT indexdef FROM pg_indexes WHERE schemaname=" + QuoteText(schema_) +
                    " AND lower(tablename)=lower(" + QuoteText(table) + ") AND indexname LIKE '%$trim'");
  std::vector<std::string> firsts;
  while (rows->Next()) {
    std::string def(rows->Bytes(0));
    size_t open = def.find("btrim(");
    if (open == std::string::npos) continue;
    size_t close = def.find(')', open);
    if (close == std::string::npos) continue;
    std::string col = def.substr(open + 6, close - open - 6);
    if (col.size() >= 2 && col.front() == '"') col = ReplaceAll(col.substr(1, col.size() - 2), "\"\"", "\"");
    firsts.push_back(col);
  }
  return firsts;
}

// A copy of the year's schema beside it in the same database: every table with its rows, indexes and
// column comments, taken from one snapshot, and checked (its settings table must be there with the year's
// rows) before the transaction that made it commits: a copy is whole or does not exist.
void ServerEngine::BackupTo(const std::string& target, unsigned) {
  if (SchemaExists(*conn_, target)) throw DbError(Format("备份“%s”已存在。", target.c_str()));
  std::vector<TableInfo> tables = Tables();
  std::string sql = "BEGIN ISOLATION LEVEL REPEATABLE READ, READ WRITE; CREATE SCHEMA " + QuoteIdent(target) +
                    "; COMMENT ON SCHEMA " + QuoteIdent(target) + " IS " + QuoteText(kBackupMark) + ";";
  std::string check;
  for (auto& t : tables) {
    std::string from = QuoteIdent(schema_) + "." + QuoteIdent(t.name);
    std::string to = QuoteIdent(target) + "." + QuoteIdent(t.name);
    sql += "CREATE TABLE " + to + " (LIKE " + from + " INCLUDING ALL); INSERT INTO " + to + " SELECT * FROM " +
           from + ";";
    if (Lower(t.name) == "systab")
      check = "SELECT (SELECT count(*) FROM " + to + ") = (SELECT count(*) FROM " + from + ")";
  }
  try {
    conn_->Run(sql);
    if (check.empty() || conn_->Value(check) != std::optional<std::string>("t"))
      throw DbError("备份文件检查未通过：不是本程序的数据文件。");
    conn_->Run("COMMIT");
  } catch (...) {
    Rollback();
    throw;
  }
}

std::vector<std::string> ServerEngine::DropIndexes(const std::string& table) {
  // The indexes that stand behind a constraint stay: they go with it only.
  auto rows = Query(
      "SELECT quote_ident(i.relname), pg_get_indexdef(i.oid) FROM pg_index x JOIN pg_class i ON "
      "i.oid=x.indexrelid JOIN pg_class t ON t.oid=x.indrelid JOIN pg_namespace n ON n.oid=t.relnamespace "
      "WHERE n.nspname=" +
      QuoteText(schema_) + " AND lower(t.relname)=lower(" + QuoteText(table) +
      ") AND NOT EXISTS (SELECT 1 FROM pg_constraint c WHERE c.conindid=i.oid) ORDER BY i.oid");
  std::vector<std::string> drops, statements;
  while (rows->Next()) {
    drops.push_back("DROP INDEX " + QuoteIdent(schema_) + "." + std::string(rows->Bytes(0)));
    statements.emplace_back(rows->Bytes(1));
  }
  if (!drops.empty()) RunUnit(drops);
  return statements;
}

// The account set's lock for work that must be alone: a session's advisory lock of the database, so that a
// program that ends or loses its connection lets it go.
constexpr const char* kAloneKey = "1413567058, 2";

std::unique_ptr<ServerConnection> ServerEngine::TakeAloneLock(const std::string& uri, const std::string& who,
                                                              const std::string& work, std::string& holder) {
  auto n = ParseServerName(uri);
  if (!n) throw DbError(Format("“%s”不是服务器上的帐套。", uri.c_str()));
  auto conn = std::make_unique<ServerConnection>(n->uri);
  holder.clear();
  if (conn->Value(std::string("SELECT pg_try_advisory_lock(") + kAloneKey + ")") == std::optional<std::string>("t")) {
    // Rows of earlier holders are stale: the lock is ours.
    conn->Run("BEGIN; DELETE FROM jet.alone; INSERT INTO jet.alone VALUES(pg_backend_pid(), " + QuoteText(who) +
              ", " + QuoteText(work) + ", localtimestamp(0)); COMMIT");
    return conn;
  }
  auto held = conn->Value(
      "SELECT a.who || chr(1) || a.work || chr(1) || to_char(a.since, 'YYYY-MM-DD HH24:MI:SS') FROM jet.alone a "
      "JOIN pg_locks l ON l.pid=a.pid AND l.locktype='advisory' AND l.granted AND l.database=(SELECT oid FROM "
      "pg_database WHERE datname=current_database()) AND l.classid=1413567058 AND l.objid=2 AND l.objsubid=2");
  if (held) {
    std::string text = *held;
    size_t a = text.find('\1'), b = text.find('\1', a + 1);
    holder = Format("%s 正在进行“%s”（%s 开始）", text.substr(0, a).c_str(), text.substr(a + 1, b - a - 1).c_str(),
                    text.substr(b + 1).c_str());
  } else {
    holder = "另一个程序正在进行独占的工作";
  }
  return nullptr;
}

std::vector<std::string> ServerEngine::Backups(const std::string& uri) {
  auto n = ParseServerName(uri);
  if (!n) return {};
  ServerConnection conn(n->uri);
  auto results = RunMessage(conn.Get(), "SELECT nspname FROM pg_namespace WHERE obj_description(oid, 'pg_namespace') = " +
                                            QuoteText(kBackupMark) +
                                            " ORDER BY age(xmin) DESC, nspname");
  std::vector<std::string> names;
  PGresult* r = results.back().get();
  for (int i = 0; i < PQntuples(r); ++i) names.emplace_back(PQgetvalue(r, i, 0), PQgetlength(r, i, 0));
  return names;
}

void ServerEngine::DropBackup(const std::string& uri, const std::string& schema) {
  auto n = ParseServerName(uri);
  if (!n) return;
  ServerConnection conn(n->uri);
  auto mark = conn.Value("SELECT obj_description(oid,'pg_namespace') FROM pg_namespace WHERE nspname=" +
                         QuoteText(schema));
  if (!mark || *mark != kBackupMark) throw DbError(Format("找不到备份“%s”。", schema.c_str()));
  conn.Run("DROP SCHEMA " + QuoteIdent(schema) + " CASCADE");
}

void ServerEngine::NameSession(const std::string& tag) {
  Flush();
  conn_->Run("SET application_name TO " + QuoteText(tag));
}

std::vector<std::pair<std::string, std::string>> ServerEngine::OtherSessions(const std::string& prefix) {
  Flush();
  auto results = RunMessage(conn_->Get(),
                            "SELECT application_name, to_char(backend_start, 'YYYY-MM-DD HH24:MI') FROM "
                            "pg_stat_activity WHERE datname = current_database() AND pid <> pg_backend_pid() AND "
                            "left(application_name, " +
                                std::to_string(prefix.size()) + ") = " + QuoteText(prefix) +
                                " ORDER BY backend_start, pid");
  std::vector<std::pair<std::string, std::string>> sessions;
  PGresult* r = results.back().get();
  for (int i = 0; i < PQntuples(r); ++i) sessions.emplace_back(PQgetvalue(r, i, 0), PQgetvalue(r, i, 1));
  return sessions;
}

int ServerEngine::OpenStatements() {
  return std::atoi(conn_->Value("SELECT count(*) FROM pg_prepared_statements").value_or("0").c_str());
}

}  // namespace jet
