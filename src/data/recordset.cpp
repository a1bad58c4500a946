#include "data/recordset.h"

#include "base/gbk.h"
#include "base/text.h"
#include "data/db_error.h"

CVyRecordset::CVyRecordset(int nLong, int nDouble, int nText, jet::Database* db)
    : longNames(static_cast<size_t>(nLong)),
      doubleNames(static_cast<size_t>(nDouble)),
      textNames(static_cast<size_t>(nText)),
      db_(db) {}

CVyRecordset::CVyRecordset(jet::Database* db, std::vector<std::string> longs,
                           std::vector<std::string> doubles, std::vector<std::string> texts)
    : longNames(std::move(longs)), doubleNames(std::move(doubles)), textNames(std::move(texts)), db_(db) {}

void CVyRecordset::Open(const std::string& sql) {
  Close();
  if (!db_ || !db_->IsOpen()) throw jet::DbError("没有打开数据文件。");
  auto cursor = db_->Query(sql);
  auto bind = [&](const std::vector<std::string>& names, std::vector<int>& cols) {
    cols.clear();
    for (auto& name : names) {
      int i = cursor->FindColumn(name);
      if (i < 0) throw jet::DbError(Format("查询结果中没有名为“%s”的列。", name.c_str()));
      cols.push_back(i);
    }
  };
  bind(longNames, longCols_);
  bind(doubleNames, doubleCols_);
  bind(textNames, textCols_);
  cursor_ = std::move(cursor);
}

void CVyRecordset::MoveNext() {
  if (cursor_) cursor_->Next();
}

int CVyRecordset::GetLong(int i) const {
  return static_cast<int>(cursor_->Int(longCols_.at(static_cast<size_t>(i))));
}

double CVyRecordset::GetDouble(int i) const {
  return cursor_->Real(doubleCols_.at(static_cast<size_t>(i)));
}

std::string CVyRecordset::GetText(int i) const {
  return gbk::Cut(cursor_->Text(textCols_.at(static_cast<size_t>(i))), 255);
}
