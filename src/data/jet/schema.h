#pragma once
// What the dialect layer knows of a file's tables: column names, kinds and widths, as they were declared.
#include <string>
#include <vector>

#include "data/jet/ast.h"

namespace jet {

struct ColumnInfo {
  std::string name;
  ColType type = ColType::Long;
  int width = 0;
};

struct TableInfo {
  std::string name;
  std::vector<ColumnInfo> columns;
  const ColumnInfo* Find(const std::string& column) const;
};

bool IsTextType(ColType t);

// The declared type written into the SQLite schema, and its reading back.
std::string DeclaredType(const ColumnDef& c);
bool ParseDeclaredType(const std::string& declared, ColType& type, int& width);

class SchemaSource {
 public:
  virtual ~SchemaSource() = default;
  // nullptr when the file has no such table (names compared without regard to case).
  virtual const TableInfo* FindTable(const std::string& name) = 0;
  // The first columns of the table's trim() twin indexes.
  virtual std::vector<std::string> TwinIndexes(const std::string& table) = 0;
};

}  // namespace jet
