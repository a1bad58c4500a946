#include "io/csv_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "base/gbk.h"
#include "base/text.h"

namespace {

constexpr size_t kPiece = 1 << 20;  // bytes of the file read at a time

}  // namespace

std::string LineMessage(int line, const std::string& gbkMessage) {
  return Format("第 %d 行：", line) + gbkMessage;
}

void CsvTable::Reset() {
  header_.clear();
  index_.clear();
  records_.clear();
  nextRecord_ = 0;
  size_ = 0;
  file_.reset();
  atEnd_ = true;
  text_.clear();
  pos_ = 0;
  line_ = 1;
}

void CsvTable::ReadMore() {
  if (atEnd_) return;
  text_.erase(0, pos_);
  pos_ = 0;
  size_t had = text_.size();
  // A record longer than a piece (a header of many columns, a long text) is read again from its start
  // after each read: reading as much again as is held keeps that linear in the record's length.
  size_t piece = std::max(kPiece, had);
  text_.resize(had + piece);
  size_t got = std::fread(text_.data() + had, 1, piece, file_.get());
  text_.resize(had + got);
  if (got == 0) atEnd_ = true;
}

bool CsvTable::ReadRecord(CsvRecord& r, std::string& error) {
  for (;;) {
    if (pos_ >= text_.size()) {
      if (atEnd_) return false;
      ReadMore();
      continue;
    }
    // A record is taken only when its end is in the text read so far; otherwise more is read and the
    // record read again from its start.
    const size_t size = text_.size();
    size_t i = pos_, n = 0;
    int line = line_;
    bool more = false;
    r.line = line;
    for (;;) {
      std::string_view field;
      if (i < size && text_[i] == '"') {
        int start = line;
        field_.clear();
        ++i;
        for (;;) {
          if (i >= size) {
            if (!atEnd_) {
              more = true;
              break;
            }
            error = LineMessage(start, "引号没有结束。");
            return false;
          }
          char c = text_[i++];
          if (c == '"') {
            if (i >= size && !atEnd_) {
              more = true;
              break;
            }
            if (i < size && text_[i] == '"') {
              field_ += '"';
              ++i;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field_ += c;
        }
        if (more) break;
        if (i < size && text_[i] != ',' && text_[i] != '\r' && text_[i] != '\n') {
          error = LineMessage(line, "引号之后应为逗号或行尾。");
          return false;
        }
        field = field_;
      } else {
        size_t start = i;
        while (i < size && text_[i] != ',' && text_[i] != '\r' && text_[i] != '\n') ++i;
        field = std::string_view(text_).substr(start, i - start);
      }
      if (i >= size && !atEnd_) {
        more = true;
        break;
      }
      if (n == r.fields.size()) r.fields.emplace_back();
      std::optional<std::string> g = gbk::FromUtf8(field);
      if (!g) {
        error = LineMessage(r.line, "含有 GBK 不能表示的字符。");
        return false;
      }
      r.fields[n] = std::move(*g);
      ++n;
      if (i < size && text_[i] == ',') {
        ++i;
        if (i >= size && !atEnd_) {
          more = true;
          break;
        }
        continue;
      }
      if (i < size && text_[i] == '\r') {
        ++i;
        if (i >= size && !atEnd_) {
          more = true;
          break;
        }
      }
      if (i < size && text_[i] == '\n') ++i;
      ++line;
      break;
    }
    if (more) {
      ReadMore();
      continue;
    }
    r.fields.resize(n);
    pos_ = i;
    line_ = line;
    return true;
  }
}

bool CsvTable::ReadHeader(std::string& error) {
  if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
  CsvRecord head;
  if (!ReadRecord(head, error)) return error.empty();
  header_ = std::move(head.fields);
  if (!TakeHeader(header_, error)) return false;
  for (size_t k = 0; k < header_.size(); ++k) index_[header_[k]] = k;
  return true;
}

bool TakeHeader(std::vector<std::string>& names, std::string& error) {
  // A header may name any number of columns: each name is looked up once, never against every other.
  std::unordered_set<std::string> seen;
  seen.reserve(names.size());
  for (std::string& name : names) {
    name = Trim(name);
    if (!seen.insert(name).second) {
      error = LineMessage(1, "列“" + name + "”出现了两次。");
      return false;
    }
  }
  return true;
}

std::string CsvTable::RecordRefusal(const CsvRecord& r) const {
  if (r.fields.size() != header_.size())
    return Format("该行有 %zu 个字段，而标题行有 %zu 列", r.fields.size(), header_.size());
  for (size_t k = 0; k < r.fields.size(); ++k)
    if (HasControlChar(r.fields[k])) return "列“" + header_[k] + "”含有换行、回车、制表符等控制字符";
  return "";
}

bool CsvTable::Parse(const std::string& text, std::string& error) {
  Reset();
  text_ = text;
  size_ = text.size();
  error.clear();
  bool ok = ReadHeader(error);
  CsvRecord r;
  while (ok && ReadRecord(r, error))
    if (!(r.fields.size() == 1 && r.fields[0].empty())) records_.push_back(r);
  text_.clear();
  pos_ = 0;
  return ok && error.empty();
}

bool CsvTable::Load(const std::string& path, std::string& error) {
  Reset();
  error.clear();
  file_.reset(std::fopen(path.c_str(), "rb"));
  if (!file_) {
    error = "无法读取文件“" + gbk::FromUtf8(path).value_or(path) + "”。";
    return false;
  }
  if (std::fseek(file_.get(), 0, SEEK_END) == 0) {
    long end = std::ftell(file_.get());
    size_ = end > 0 ? static_cast<size_t>(end) : 0;
  }
  return Rewind(error);
}

bool CsvTable::Rewind(std::string& error) {
  error.clear();
  nextRecord_ = 0;
  if (!file_) return true;
  std::rewind(file_.get());
  text_.clear();
  pos_ = 0;
  line_ = 1;
  atEnd_ = false;
  header_.clear();
  index_.clear();
  ReadMore();
  return ReadHeader(error);
}

bool CsvTable::Next(CsvRecord& r, std::string& error) {
  error.clear();
  if (!file_) {
    if (nextRecord_ >= records_.size()) return false;
    r = records_[nextRecord_++];
    return true;
  }
  while (ReadRecord(r, error))
    if (!(r.fields.size() == 1 && r.fields[0].empty())) return true;
  if (std::ferror(file_.get()) && error.empty())
    error = "读取文件时出错。";
  return false;
}

std::vector<std::string> CsvTable::UnknownColumns(const std::vector<std::string>& wanted) const {
  std::unordered_set<std::string> known(wanted.begin(), wanted.end());
  std::vector<std::string> unknown;
  for (const std::string& name : header_)
    if (!known.count(name)) unknown.push_back(name);
  return unknown;
}

std::vector<std::string> CsvTable::MissingColumns(const std::vector<std::string>& wanted) const {
  std::vector<std::string> missing;
  for (const std::string& w : wanted)
    if (!index_.count(w)) missing.push_back(w);
  return missing;
}

int CsvTable::Column(const std::string& column) const {
  auto it = index_.find(column);
  return it == index_.end() ? -1 : static_cast<int>(it->second);
}

std::string CsvTable::Field(const CsvRecord& r, const std::string& column) const {
  return Field(r, Column(column));
}

const std::string& CsvTable::Field(const CsvRecord& r, int column) {
  static const std::string empty;
  if (column < 0 || static_cast<size_t>(column) >= r.fields.size()) return empty;
  return r.fields[static_cast<size_t>(column)];
}
