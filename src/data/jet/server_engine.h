#pragma once
// The server engine: an account set is a PostgreSQL database, one year of it a schema ("y2026") in that
// database. A year is named by the database's connection URI followed by "#" and the year, e.g.
// "postgresql:///books?host=/run/postgresql#2026"; credentials come from libpq's own sources (~/.pgpass,
// PGPASSWORD, a service file). Texts are GBK bytes in a SQL_ASCII database, so that the server counts,
// cuts and compares bytes exactly as the program does; the dialect's functions live in the schema "jet"
// of the same database (server_library.h).
#include <memory>
#include <optional>
#include <string>

#include "data/jet/engine.h"

struct pg_conn;

namespace jet {

struct QueuedRuns;

// "postgresql:..." or "postgres:..." (any case): a name on a server rather than a file.
bool IsServerName(const std::string& name);

struct ServerName {
  std::string uri;   // the connection URI, without the year
  std::string year;  // the 4 characters after "#"; empty for the account set as a whole
};
// Splits a server name at its last "#"; nullopt when it is not a server name or the year is not 4 digits.
std::optional<ServerName> ParseServerName(const std::string& name);
// The schema of a year.
std::string YearSchema(const std::string& year);

// A connection to the account set's database, with the function library in place and texts passed as
// bytes. Throws DbError.
class ServerConnection {
 public:
  explicit ServerConnection(const std::string& uri);
  ~ServerConnection();
  ServerConnection(const ServerConnection&) = delete;
  ServerConnection& operator=(const ServerConnection&) = delete;
  pg_conn* Get() const { return conn_; }
  // Runs SQL without result rows (several statements allowed); throws DbError with the server's message.
  void Run(const std::string& sql);
  // The first column of the first row of a query; nullopt for no row or NULL.
  std::optional<std::string> Value(const std::string& sql);

 private:
  pg_conn* conn_ = nullptr;
};

class ServerEngine : public Engine {
 public:
  // Opens an existing year of an account set on a server. Throws DbError.
  static std::unique_ptr<ServerEngine> Open(const std::string& name, bool readOnly);
  // Makes a new, empty year (its schema); fails when the year exists.
  static std::unique_ptr<ServerEngine> Create(const std::string& name);
  // A year this program began to make and never finished: its schema without the year's tables.
  static bool IsUnfinished(const std::string& name);
  // The years of an account set (URI without a year) whose schemas are marked as ours, ascending.
  static std::vector<std::string> Years(const std::string& uri);
  // Removes a year's schema with everything in it.
  static void DropYear(const std::string& name);
  // Takes the account set's lock for work that must be alone, on a connection of its own that holds it
  // until it is closed; who (the operator) and work are kept for a second program that asks. nullptr when
  // another program holds it: holder tells who, what and since when. Throws DbError.
  static std::unique_ptr<ServerConnection> TakeAloneLock(const std::string& uri, const std::string& who,
                                                         const std::string& work, std::string& holder);
  // The copies of years kept in the account set's database (schemas marked as copies), in the order they
  // were made (the oldest first, whatever their names say).
  static std::vector<std::string> Backups(const std::string& uri);
  // Removes one of those copies.
  static void DropBackup(const std::string& uri, const std::string& schema);

  ~ServerEngine() override;

  Target SqlTarget() const override { return Target::Server; }
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
  // The copy is the schema named target, marked as a copy, made and checked in one transaction.
  void BackupTo(const std::string& target, unsigned mode) override;
  std::vector<std::string> DropIndexes(const std::string& table) override;
  int OpenStatements() override;
  void Flush() override;
  // The name is the connection's application_name; the others are read from pg_stat_activity.
  void NameSession(const std::string& tag) override;
  std::vector<std::pair<std::string, std::string>> OtherSessions(const std::string& prefix) override;

 private:
  ServerEngine(std::unique_ptr<ServerConnection> conn, std::string schema);
  std::unique_ptr<ServerConnection> conn_;
  std::shared_ptr<QueuedRuns> queued_;  // the runs a statement of this connection holds back
  std::string schema_;
  int prepared_ = 0;  // names the prepared statements of this connection
};

}  // namespace jet
