#include "io/import_run.h"

#include "base/text.h"
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
                        const std::function<void(ImportOutcome&)>& finish) {
  ImportOutcome out;
  if (std::vector<std::string> missing = table.MissingColumns(columns); !missing.empty())
    out.refused.push_back(LineMessage(1, "缺少列：" + NameList(missing)));
  if (std::vector<std::string> unknown = table.UnknownColumns(columns); !unknown.empty())
    out.refused.push_back(LineMessage(1, "不认识的列：" + NameList(unknown)));
  if (!out.refused.empty()) return out;
  jet::Database* db = env.Db();
  db->Begin();
  CsvRecord r;
  std::string broken;
  bool reading = false;
  try {
    // A file of more lines than the table holds rows: the table's indexes are made once at the end.
    std::vector<std::string> indexes;
    if (!bulkTable.empty() && ImportOutgrowsTable(env, table, bulkTable)) indexes = db->DropIndexes(bulkTable);
    reading = true;
    while (table.Next(r, broken)) {
      std::string message = each(r);
      if (message.empty())
        ++out.imported;
      else
        out.refused.push_back(LineMessage(r.line, message));
    }
    reading = false;
    if (!broken.empty()) out.refused.push_back(broken);
    if (out.refused.empty()) db->RestoreIndexes(indexes);
    if (out.refused.empty() && finish) finish(out);
  } catch (const jet::DbError& e) {
    // A lost connection is no line's fault: it is said as it is.
    bool lineAtFault = reading && !e.ConnectionLost();
    out.refused.push_back(lineAtFault ? LineMessage(r.line, e.what()) : std::string(e.what()));
  }
  if (out.refused.empty()) {
    db->Commit();
  } else {
    db->Rollback();
    out.imported = 0;
    out.notes.clear();
  }
  return out;
}
