#pragma once
// The frame of every CSV import: the header is checked, each record is checked and written in file order
// inside one transaction, every refused line is reported as "第 N 行：message", and the file goes in whole
// or not at all.
#include <functional>
#include <string>
#include <vector>

#include "io/csv_reader.h"

class CVyDataEnv;

struct ImportOutcome {
  int imported = 0;                  // records written (0 when anything was refused)
  std::vector<std::string> refused;  // "第 N 行：message", GBK
  std::vector<std::string> notes;    // what was taken but is worth saying (days that do not balance), GBK
  bool Ok() const { return refused.empty(); }
};

// Whether the file holds more lines than the table holds rows (judged by the file's size): then the table's
// indexes are made once at the end, and what an import looks up is better read from the table at once.
bool ImportOutgrowsTable(CVyDataEnv& env, const CsvTable& table, const std::string& tableName);

// each: checks and writes one record; returns "" when it was taken, else the message that refuses it.
// A database error refuses its line with the engine's message and ends the import. bulkTable: the table
// each writes its rows into, when a file larger than the table should have its indexes made at the end.
// An import that collides with another writer's on the server is started again from the file's first
// record (data/collisions.h); startOver then makes each forget what it learnt in the attempt undone. A
// collision that outlasts the attempts, or a commit that fails, refuses the import with its message.
// finish: after every record was taken, still inside the transaction, a look at the result; a refusal it
// adds undoes the whole file.
ImportOutcome RunImport(CVyDataEnv& env, CsvTable& table, const std::vector<std::string>& columns,
                        const std::function<std::string(const CsvRecord&)>& each,
                        const std::string& bulkTable = "", const std::function<void()>& startOver = nullptr,
                        const std::function<void(ImportOutcome&)>& finish = nullptr);
