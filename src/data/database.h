#pragma once
// One open year, spoken to in the program's SQL dialect: the data layer's door to the engines. Statements
// are translated for the engine that holds the year and run there; every failure is a DbError carrying its
// message. Nothing of the engines shows here: they are the data layer's own (data/jet/).
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jet {

class Engine;
class EngineRows;
class EngineStatement;
struct EmitOptions;
struct TableInfo;
enum class ValueKind;

// A number as the dialect's cstr$ writes it, and as Cursor::Text reads a real: its shortest decimal form of
// 15 significant digits (70, 12.5, -30). The dialect's own, offered to those who compose such texts.
std::string NumberText(double value);

// A forward cursor over the rows of one SELECT.
class Cursor {
 public:
  // Takes the engine's rows (also when the constructor throws) and steps to the first row.
  Cursor(std::unique_ptr<EngineRows> rows, std::string sql);
  ~Cursor();
  Cursor(const Cursor&) = delete;
  Cursor& operator=(const Cursor&) = delete;

  int ColumnCount() const { return static_cast<int>(names_.size()); }
  const std::string& ColumnName(int i) const { return names_[static_cast<size_t>(i)]; }
  // Index of the result column with this name, compared without regard to case; -1 when absent.
  int FindColumn(const std::string& name) const;

  bool AtEnd() const { return atEnd_; }
  void Next();

  bool IsNull(int i) const;
  bool IsText(int i) const;
  long long Int(int i) const;     // NULL reads as 0, a text as its leading number
  double Real(int i) const;       // likewise
  std::string Text(int i) const;  // NULL reads as "", a number as cstr$ writes it
  // A text column's bytes without a copy, valid until Next; "" for anything but a text.
  std::string_view TextView(int i) const;

 private:
  void Step();
  ValueKind KindOf(int i) const;
  std::unique_ptr<EngineRows> rows_;
  std::string sql_;
  std::vector<std::string> names_;
  bool atEnd_ = false;
};

// One statement translated once and run many times: each "?" of it takes a value bound before the run (1
// for the first). Texts are stored as the column's rules say, exactly as literals would be. The bulk writers
// (imports) use it, and the look-ups they make once per line; everything else composes its statements as
// text.
class PreparedStatement {
 public:
  PreparedStatement(std::unique_ptr<EngineStatement> stmt, std::string sql);
  ~PreparedStatement();
  PreparedStatement(const PreparedStatement&) = delete;
  PreparedStatement& operator=(const PreparedStatement&) = delete;

  int ParamCount() const;
  void Bind(int i, std::string_view text);
  void Bind(int i, long long value);
  void Bind(int i, double value);
  // Runs with the bound values and makes ready for the next run; returns the rows changed. Throws DbError.
  int Run();
  // The same inside a transaction, where a server may run it later together with the runs that follow
  // (one message for many rows): a failure, thrown by this or a later Queue or by Database::Flush, carries
  // the tag of the run that failed (DbError::Tag), and the runs queued with it are not done. Anything else
  // the handle runs first runs what waits.
  void Queue(long tag);
  // A query's rows with the bound values; the statement runs again after the cursor is gone.
  std::unique_ptr<Cursor> Open();

 private:
  std::unique_ptr<EngineStatement> stmt_;
  std::string sql_;
};

class Database {
 public:
  Database();
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens an existing year of this program, shared: a year file, or a year on a server named
  // "postgresql://...#YEAR" (server_engine.h); readOnly for a year that is only read (another year's
  // postings). Throws DbError (also for a file that is not one of ours, or one another process holds
  // locked).
  void Open(const std::string& name, bool readOnly = false);
  // Makes a new, empty year; fails when it exists (for a file: when anything stands at the path, a
  // symbolic link too). A new file takes these permission bits.
  void Create(const std::string& name, unsigned mode = 0666);
  // A file this program began to make and never finished (marked as ours, or empty, but without the year's
  // tables): what a crash during creation in earlier versions left behind. Never true of another program's
  // file.
  static bool IsUnfinished(const std::string& name);
  void Close();
  bool IsOpen() const { return engine_ != nullptr; }
  const std::string& GetName() const { return path_; }

  // Runs one statement of definition or change; returns the number of rows it changed.
  int Execute(const std::string& sql);
  std::unique_ptr<Cursor> Query(const std::string& sql);
  // A statement with "?" markers, ready to run many times. Only statements that translate to one statement
  // of the engine (INSERT VALUES, UPDATE, DELETE, a SELECT) can be prepared.
  std::unique_ptr<PreparedStatement> Prepare(const std::string& sql);

  // Table names as created, without the engine's own.
  std::vector<std::string> TableNames();
  bool HasTable(const std::string& name) { return FindTable(name) != nullptr; }
  bool HasColumn(const std::string& table, const std::string& column);
  void AddTextColumn(const std::string& table, const std::string& column, int width);

  // Copies the whole year, as it stands outside any open transaction, so that the copy is consistent even
  // while the year is in use, and checks the copy. A year file goes into a new file at target with the
  // engine's online backup (these permission bits, no journal; a copy that fails half-way or fails the
  // engine's quick check is removed); a year on a server into a new schema of that name beside it, in one
  // transaction. Fails when anything stands at the target or a transaction of this handle is open.
  void BackupTo(const std::string& target, unsigned mode = 0600);
  // The whole year replaced by the copy at source (a year file BackupTo made), in place, outside any
  // transaction of this handle. false when the year's engine cannot (a server's copies are schemas).
  bool RestoreFrom(const std::string& source);
  // "" when the file opens read-only as a year file of ours whose settings can be read, else why not.
  // With thorough, the engine's quick check of every page too. busy, when given, tells whether the file
  // could not be read only because another process held it locked for longer than a statement waits.
  static std::string CheckCopy(const std::string& gbkPath, bool thorough, bool* busy = nullptr);
  // For a large write into a table inside a transaction: drops the table's indexes (the twins too) and
  // returns the statements that make them again, before the transaction commits.
  std::vector<std::string> DropIndexes(const std::string& table);
  void RestoreIndexes(const std::vector<std::string>& statements);

  // Runs the changes prepared statements queued (PreparedStatement::Queue) and have not run yet.
  void Flush();
  // Names this handle's connection for other programs, and lists theirs that begin with prefix, each
  // with since when it is connected ("YYYY-MM-DD HH:MM"); on a server (a year file keeps no such list).
  void NameSession(const std::string& tag);
  std::vector<std::pair<std::string, std::string>> OtherSessions(const std::string& prefix);

  // Nested transactions: the outermost is a real one, inner ones are savepoints.
  void Begin();
  void Commit();
  void Rollback();
  int TransactionDepth() const { return depth_; }

  void SetIndexSupport(bool on) { indexSupport_ = on; }
  // The engine's text a statement becomes (for tests and diagnosis).
  std::vector<std::string> Explain(const std::string& sql);
  // The engine's own SQL, run or read as it stands, untranslated: for diagnosis and for tests that look
  // at the engine itself (query plans, the order tables were made in, a trigger that makes a write fail).
  int ExecuteEngineSql(const std::string& sql);
  std::unique_ptr<Cursor> QueryEngineSql(const std::string& sql);
  // The engine's statements of this connection still open: none once every cursor and prepared
  // statement is gone, whatever failed on the way.
  int OpenStatements();

  // The table as declared (data/jet/schema.h); nullptr when there is none (names compared without regard
  // to case).
  const TableInfo* FindTable(const std::string& name);
  // The declared width of a text column; 0 when the table or column is missing or is not a text.
  int TextWidth(const std::string& table, const std::string& column);
  // The first columns of a table's trim() twin indexes.
  std::vector<std::string> TwinIndexes(const std::string& table);

 private:
  class Schema;
  void Require() const;
  EmitOptions Options() const;
  std::unique_ptr<Engine> engine_;
  std::string path_;
  int depth_ = 0;
  bool indexSupport_ = true;
  std::unique_ptr<Schema> schema_;  // the tables as declared, read when first asked for
};

}  // namespace jet
