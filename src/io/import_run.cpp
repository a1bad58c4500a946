#include "io/import_run.h"

#include "data/jet/db_error.h"
#include "data/vy_data_env.h"

ImportOutcome RunImport(CVyDataEnv& env, const CsvTable& table, const std::vector<std::string>& columns,
                        const std::function<std::string(const CsvRecord&)>& each) {
  ImportOutcome out;
  std::vector<std::string> missing = table.MissingColumns(columns);
  if (!missing.empty()) {
    std::string names;
    for (const std::string& m : missing) names += (names.empty() ? "" : ",") + m;
    out.refused.push_back(LineMessage(1, "缺少列：" + names));
    return out;
  }
  jet::Database* db = env.Db();
  db->Begin();
  try {
    for (const CsvRecord& r : table.Records()) {
      std::string message = each(r);
      if (message.empty())
        ++out.imported;
      else
        out.refused.push_back(LineMessage(r.line, message));
    }
  } catch (const jet::DbError& e) {
    int line = out.imported + static_cast<int>(out.refused.size()) < static_cast<int>(table.Records().size())
                   ? table.Records()[static_cast<size_t>(out.imported) + out.refused.size()].line
                   : 0;
    out.refused.push_back(LineMessage(line, e.what()));
  }
  if (out.refused.empty()) {
    db->Commit();
  } else {
    db->Rollback();
    out.imported = 0;
  }
  return out;
}
