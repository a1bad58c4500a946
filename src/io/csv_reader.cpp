#include "io/csv_reader.h"

#include <fstream>
#include <sstream>

#include "base/gbk.h"
#include "base/text.h"

std::string LineMessage(int line, const std::string& gbkMessage) {
  return Format("line %d: ", line) + gbkMessage;
}

bool CsvTable::Parse(const std::string& text, std::string& error) {
  header_.clear();
  index_.clear();
  records_.clear();
  size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  int line = 1;
  bool first = true;
  while (i < text.size()) {
    CsvRecord rec;
    rec.line = line;
    std::string field;
    bool endOfRecord = false;
    while (!endOfRecord) {
      field.clear();
      if (i < text.size() && text[i] == '"') {
        size_t start = line;
        ++i;
        for (;;) {
          if (i >= text.size()) {
            error = LineMessage(static_cast<int>(start), "引号没有结束。");
            return false;
          }
          char c = text[i++];
          if (c == '"') {
            if (i < text.size() && text[i] == '"') {
              field += '"';
              ++i;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field += c;
        }
        if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
          error = LineMessage(line, "引号之后应为逗号或行尾。");
          return false;
        }
      } else {
        while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') field += text[i++];
      }
      auto g = gbk::FromUtf8(field);
      if (!g) {
        error = LineMessage(rec.line, "含有 GBK 不能表示的字符。");
        return false;
      }
      rec.fields.push_back(*g);
      if (i < text.size() && text[i] == ',') {
        ++i;
        continue;
      }
      if (i < text.size() && text[i] == '\r') ++i;
      if (i < text.size() && text[i] == '\n') ++i;
      ++line;
      endOfRecord = true;
    }
    bool blank = rec.fields.size() == 1 && rec.fields[0].empty();
    if (first) {
      header_ = rec.fields;
      if (!TakeHeader(header_, error)) return false;
      for (size_t k = 0; k < header_.size(); ++k) index_[header_[k]] = k;
      first = false;
    } else if (!blank) {
      records_.push_back(std::move(rec));
    }
  }
  return true;
}

bool TakeHeader(std::vector<std::string>& names, std::string& error) {
  for (size_t k = 0; k < names.size(); ++k) {
    names[k] = Trim(names[k]);
    for (size_t j = 0; j < k; ++j)
      if (names[j] == names[k]) {
        error = LineMessage(1, "列“" + names[k] + "”出现了两次。");
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

bool CsvTable::Load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "无法读取文件“" + gbk::FromUtf8(path).value_or(path) + "”。";
    return false;
  }
  std::ostringstream s;
  s << in.rdbuf();
  return Parse(s.str(), error);
}

std::vector<std::string> CsvTable::MissingColumns(const std::vector<std::string>& wanted) const {
  std::vector<std::string> missing;
  for (const std::string& w : wanted)
    if (!index_.count(w)) missing.push_back(w);
  return missing;
}

std::string CsvTable::Field(const CsvRecord& r, const std::string& column) const {
  auto it = index_.find(column);
  if (it == index_.end() || it->second >= r.fields.size()) return {};
  return r.fields[it->second];
}
