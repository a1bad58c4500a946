#include "io/import_run.h"

#include "base/text.h"
#include "data/collisions.h"
#include "data/db_error.h"
#include "data/data_env.h"

namespace {

// Fewer bytes than a line of any import file holds: a file's size divided by it is more than its lines.
constexpr size_t kBytesPerLine = 100;

// Column names for a message: the first few, and how many more there are.
std::string NameList(const std::vector<std::string>& names) {
  constexpr size_t kShown = 10;
  std::string list;
  for (size_t i = 0; i < names.size() && i < kShown; ++i) list += (i ? "," : "") + names[i];
  if (names.size() > kShown) list += Format(" 等 %zu 列", names.size());
  return list;
}

}  // namespace

bool ImportOutgrowsTable(CVyDataEnv& env, const CsvTable& table, const std::string& tableName) {
  return env.QueryLong("select count(*) from " + tableName) < static_cast<long>(table.Size() / kBytesPerLine);
}

ImportOutcome RunImport(CVyDataEnv& env, CsvTable& table, const std::vector<std::string>& columns,
                        const std::function<std::string(const CsvRecord&)>& each, const std::string& bulkTable,
                        const std::function<void()>& startOver,
                        const std::function<void(ImportOutcome&)>& finish) {
  ImportOutcome out;
  if (std::vector<std::string> missing = table.MissingColumns(columns); !missing.empty())
    out.refused.push_back(LineMessage(1, "缺少列：" + NameList(missing)));
  if (std::vector<std::string> unknown = table.UnknownColumns(columns); !unknown.empty())
    out.refused.push_back(LineMessage(1, "不认识的列：" + NameList(unknown)));
  if (!out.refused.empty()) return out;
  jet::Database* db = env.Db();
  int attempt = 0;
  auto once = [&] {
    out = ImportOutcome{};
    if (attempt++ > 0) {
      // A collision undid the last attempt whole: the file is read again from its first record.
      std::string error;
      if (!table.Rewind(error)) {
        out.refused.push_back(error);
        return;
      }
      if (startOver) startOver();
    }
    db->Begin();
    CsvRecord r;
    std::string broken;
    bool reading = false;
    std::vector<int> refusedLines;  // the line of each refusal, in order
    try {
      // A file of more lines than the table holds rows: the table's indexes are made once at the end.
      std::vector<std::string> indexes;
      if (!bulkTable.empty() && ImportOutgrowsTable(env, table, bulkTable)) indexes = db->DropIndexes(bulkTable);
      reading = true;
      while (table.Next(r, broken)) {
        std::string message = each(r);
        if (message.empty()) {
          ++out.imported;
        } else {
          out.refused.push_back(LineMessage(r.line, message));
          refusedLines.push_back(r.line);
        }
      }
      // Writes a server held back to send together fail here, named by their line.
      db->Flush();
      reading = false;
      if (!broken.empty()) out.refused.push_back(broken);
      if (out.refused.empty()) db->RestoreIndexes(indexes);
      if (out.refused.empty() && finish) finish(out);
    } catch (const jet::DbError& e) {
      db->Rollback();
      // Met by another writer: no line was at fault, and the import may start again.
      if (e.Collision()) throw;
      // A lost connection is no line's fault: it is said as it is. A write held back names its own line;
      // the lines after it are not told, as when the write fails at once.
      bool lineAtFault = reading && !e.ConnectionLost();
      int line = r.line;
      if (e.Tag() >= 0) {
        line = static_cast<int>(e.Tag());
        size_t before = 0;
        while (before < refusedLines.size() && refusedLines[before] < line) ++before;
        out.refused.resize(before);
      }
      out.refused.push_back(lineAtFault ? LineMessage(line, e.what()) : std::string(e.what()));
      out.imported = 0;
      return;
    }
    if (out.refused.empty()) {
      try {
        db->Commit();
      } catch (const jet::DbError&) {
        db->Rollback();
        throw;
      }
    } else {
      db->Rollback();
      out.imported = 0;
      out.notes.clear();
    }
  };
  try {
    jet::RetryCollisions(once);
  } catch (const jet::DbError& e) {
    out = ImportOutcome{};
    out.refused.push_back(e.what());
  }
  return out;
}
