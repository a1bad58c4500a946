#pragma once
// One open year file, spoken to in the program's SQL dialect. Statements are translated (emitter.h) and run
// on SQLite; every failure is a DbError carrying the engine's message.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/jet/emitter.h"
#include "data/jet/schema.h"

struct sqlite3;
struct sqlite3_stmt;

namespace jet {

// A forward cursor over the rows of one SELECT.
class Cursor {
 public:
  // Takes the prepared statement (also when the constructor throws) and steps to the first row. A cursor of
  // a prepared query (owned false) leaves the statement ready for its next run instead of finishing it.
  Cursor(sqlite3_stmt* stmt, std::string sql, bool owned = true);
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
  // Owned from the moment it is prepared: a statement whose first step fails is finalized too.
  struct Finalizer {
    void operator()(sqlite3_stmt* st) const;
  };
  std::unique_ptr<sqlite3_stmt, Finalizer> owned_;
  struct Resetter {
    void operator()(sqlite3_stmt* st) const;
  };
  std::unique_ptr<sqlite3_stmt, Resetter> borrowed_;
  sqlite3_stmt* stmt_;
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
  PreparedStatement(sqlite3_stmt* stmt, std::string sql);
  ~PreparedStatement();
  PreparedStatement(const PreparedStatement&) = delete;
  PreparedStatement& operator=(const PreparedStatement&) = delete;

  int ParamCount() const;
  void Bind(int i, std::string_view text);
  void Bind(int i, long long value);
  void Bind(int i, double value);
  // Runs with the bound values and makes ready for the next run; returns the rows changed. Throws DbError.
  int Run();
  // A query's rows with the bound values; the statement runs again after the cursor is gone.
  std::unique_ptr<Cursor> Open();

 private:
  sqlite3_stmt* stmt_;
  std::string sql_;
};

class Database : public SchemaSource {
 public:
  Database();
  ~Database() override;
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens an existing year file of this program, shared; readOnly for a file that is only read (another
  // year's postings). Throws DbError (also for a file that is not one of ours, or one another process holds
  // locked).
  void Open(const std::string& gbkPath, bool readOnly = false);
  // Makes a new, empty year file with these permission bits; fails when anything stands at the path (a
  // symbolic link too).
  void Create(const std::string& gbkPath, unsigned mode = 0666);
  // A file this program began to make and never finished (marked as ours, or empty, but without the year's
  // tables): what a crash during creation in earlier versions left behind. Never true of another program's
  // file.
  static bool IsUnfinished(const std::string& gbkPath);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
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

  // Copies the whole file, as it stands outside any open transaction, into a new file at gbkPath with the
  // engine's online backup, so the copy is consistent even while the file is in use, and checks the copy
  // (the engine's quick check). Fails when anything stands at the target or a transaction of this handle is
  // open; a copy that fails half-way or fails its check is removed, and the copy leaves no journal.
  void BackupTo(const std::string& gbkPath, unsigned mode = 0600);
  // "" when the file opens read-only as a year file of ours whose settings can be read, else why not.
  // With thorough, the engine's quick check of every page too.
  static std::string CheckCopy(const std::string& gbkPath, bool thorough);

  // Nested transactions: the outermost is a real one, inner ones are savepoints.
  void Begin();
  void Commit();
  void Rollback();
  int TransactionDepth() const { return depth_; }

  void SetIndexSupport(bool on) { options_.indexSupport = on; }
  // The SQLite text a statement becomes (for tests and diagnosis).
  std::vector<std::string> Explain(const std::string& sql);

  const TableInfo* FindTable(const std::string& name) override;
  std::vector<std::string> TwinIndexes(const std::string& table) override;

  // The SQLite form, for the rare direct query (query plans in tests).
  sqlite3* Handle() const { return db_; }

 private:
  void Require() const;
  void RunRaw(const std::string& sqliteSql);
  void UseWritingCache(bool on);
  void LoadSchema();
  sqlite3* db_ = nullptr;
  std::string path_;
  int depth_ = 0;
  EmitOptions options_;
  bool schemaLoaded_ = false;
  std::map<std::string, TableInfo> tables_;  // by lower-case name
};

}  // namespace jet
