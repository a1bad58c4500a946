#pragma once
// For a large write into a table inside a transaction: its indexes (the twins too) are dropped before the
// rows come and made again before the transaction commits. Making an index from all rows at once sorts
// them; keeping it while rows come one by one costs a search down its tree for every row.
#include <string>
#include <vector>

namespace jet {

class Database;

// Drops the table's indexes and returns the statements that make them again. Only inside a transaction,
// so that a rollback brings them back too.
std::vector<std::string> DropIndexes(Database& db, const std::string& table);
void RestoreIndexes(Database& db, const std::vector<std::string>& statements);

}  // namespace jet
