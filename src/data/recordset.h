#pragma once
// A read cursor over one SELECT that binds its result columns by name, by kind: first the integer
// (32-bit) columns, then the floating-point ones, then the texts (up to 255 bytes).
#include <memory>
#include <string>
#include <vector>

#include "data/database.h"

class CVyRecordset {
 public:
  CVyRecordset(int nLong, int nDouble, int nText, jet::Database* db);
  // The usual shape: the names of each kind given at once.
  CVyRecordset(jet::Database* db, std::vector<std::string> longs, std::vector<std::string> doubles,
               std::vector<std::string> texts);

  std::vector<std::string> longNames, doubleNames, textNames;

  // Runs the statement and binds the columns; throws jet::DbError (also for a name the result lacks).
  void Open(const std::string& sql);
  bool IsEOF() const { return !cursor_ || cursor_->AtEnd(); }
  void MoveNext();
  void Close() { cursor_.reset(); }

  int GetLong(int i) const;
  double GetDouble(int i) const;
  std::string GetText(int i) const;

 private:
  jet::Database* db_;
  std::unique_ptr<jet::Cursor> cursor_;
  std::vector<int> longCols_, doubleCols_, textCols_;
};
