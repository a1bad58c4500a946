// Reads the statement corpus and checks steps against it (statement_corpus.h).
#include "support/statement_corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>

#include "base/gbk.h"
#include "data/db_error.h"

namespace corpus {

const char* const kCorpus = TAVREL_TEST_DATA "/jet_statements.txt";

// Shown in failure messages in the corpus's own notation: UTF-8, control characters and edge blanks
// escaped, a run of trailing blanks as \pN (N the length in bytes with them).
std::string Visible(const std::string& gbkText) {
  size_t kept = gbkText.find_last_not_of(' ') + 1;  // 0 when all blanks
  size_t trailing = gbkText.size() - kept;
  std::string u = gbk::ToUtf8(gbkText.substr(0, kept)), out;
  bool leading = true;
  for (char c : u) {
    if (c != ' ') leading = false;
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\\' || c == '|') {
      out += std::string("\\") + c;
    } else if (c == ' ' && leading) {
      out += "\\s";
    } else {
      out += c;
    }
  }
  if (trailing == 1) out += "\\s";
  if (trailing > 1) out += "\\p" + std::to_string(gbkText.size());
  return out;
}

std::string RowText(const std::vector<Value>& row) {
  std::string s;
  for (size_t i = 0; i < row.size(); ++i)
    s += (i ? "|" : "") + (row[i].null           ? std::string("<null>")
                           : row[i].text.empty() ? "<empty>"
                                                 : Visible(row[i].text));
  return s;
}

class CorpusReader {
 public:
  std::vector<Section> Read() {
    std::ifstream in(kCorpus, std::ios::binary);
    if (!in) return {Broken(0, std::string("cannot read ") + kCorpus)};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
      if (line.empty() || line[0] == '#') continue;
      if (!Take(line, number)) return {Broken(number, error_)};
    }
    if (open_) return {Broken(number, "query without \"end\"")};
    return std::move(sections_);
  }

 private:
  static Section Broken(int line, const std::string& why) {
    Section s;
    s.name = "corpus";
    s.line = line;
    s.loadError = why;
    return s;
  }

  bool Fail(const std::string& why) {
    error_ = why;
    return false;
  }

  // The escapes of the corpus: \s blank, \t \r \n, \\ backslash, \| bar, \pN blanks up to N bytes of the
  // value so far (a CHAR(N) column read back). The text is UTF-8 and becomes GBK.
  bool Unescape(const std::string& utf8, std::string& gbkOut) {
    gbkOut.clear();
    size_t plain = 0;
    auto flush = [&](size_t end) {
      auto g = gbk::FromUtf8(std::string_view(utf8).substr(plain, end - plain));
      if (!g) return false;
      gbkOut += *g;
      return true;
    };
    for (size_t i = 0; i < utf8.size(); ++i) {
      if (utf8[i] != '\\') continue;
      if (!flush(i)) return Fail("text that GBK cannot hold");
      if (i + 1 >= utf8.size()) return Fail("a lone \\ at the end");
      char e = utf8[++i];
      switch (e) {
        case 's':
          gbkOut += ' ';
          break;
        case 't':
          gbkOut += '\t';
          break;
        case 'r':
          gbkOut += '\r';
          break;
        case 'n':
          gbkOut += '\n';
          break;
        case '\\':
          gbkOut += '\\';
          break;
        case '|':
          gbkOut += '|';
          break;
        case 'p': {
          size_t j = i + 1, width = 0;
          while (j < utf8.size() && utf8[j] >= '0' && utf8[j] <= '9')
            width = width * 10 + static_cast<size_t>(utf8[j++] - '0');
          if (j == i + 1) return Fail("\\p without a width");
          if (gbkOut.size() > width) return Fail("\\p width below the text before it");
          gbkOut.append(width - gbkOut.size(), ' ');
          i = j - 1;
          break;
        }
        default:
          return Fail(std::string("unknown escape \\") + e);
      }
      plain = i + 1;
    }
    if (!flush(utf8.size())) return Fail("text that GBK cannot hold");
    return true;
  }

  static bool Prefix(const std::string& line, const char* key, std::string& rest) {
    size_t n = std::char_traits<char>::length(key);
    if (line.compare(0, n, key) != 0) return false;
    rest = line.substr(n);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    return true;
  }

  // Values are separated by "|"; "\\|" is a bar inside a value.
  bool Fields(const std::string& rest, std::vector<std::string>& out) {
    out.clear();
    size_t start = 0;
    for (size_t i = 0; i <= rest.size(); ++i) {
      if (i < rest.size() && rest[i] == '\\') {
        ++i;
        continue;
      }
      if (i < rest.size() && rest[i] != '|') continue;
      std::string field;
      if (!Unescape(rest.substr(start, i - start), field)) return false;
      out.push_back(field);
      start = i + 1;
    }
    return true;
  }

  bool Bind(Step& step, const std::string& rest) {
    if (step.bound) return Fail("a second bind: for one statement");
    step.bound = true;
    return Fields(rest, step.binds);
  }

  Step& NewStep(Step::Kind kind, int line) {
    Step s;
    s.kind = kind;
    s.line = line;
    target_->push_back(std::move(s));
    return target_->back();
  }

  static bool IsName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name)
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
  }

  bool Take(const std::string& line, int number) {
    std::string rest;
    if (open_) {
      Step& q = target_->back();
      if (line == "end") {
        open_ = false;
        return true;
      }
      std::vector<std::string> fields;
      if (Prefix(line, "cols:", rest)) {
        if (!Fields(rest, q.cols)) return false;
        q.hasCols = true;
        return true;
      }
      if (Prefix(line, "bind:", rest)) return Bind(q, rest);
      if (Prefix(line, "row:", rest)) {
        if (!Fields(rest, fields)) return false;
        std::vector<Value> row;
        for (auto& f : fields)
          row.push_back(f == "<null>" ? Value{"", true} : Value{f == "<empty>" ? "" : f, false});
        q.rows.push_back(std::move(row));
        return true;
      }
      return Fail("inside a query only cols:, row: and end");
    }
    if (Prefix(line, "section:", rest) || Prefix(line, "empty section:", rest)) {
      if (!IsName(rest)) return Fail("section names are letters, digits and _");
      for (auto& other : sections_)
        if (other.name == rest) return Fail("a second section " + rest);
      Section s;
      s.name = rest;
      s.line = number;
      s.emptyFile = line[0] == 'e';
      sections_.push_back(std::move(s));
      target_ = &sections_.back().steps;
      return true;
    }
    if (Prefix(line, "setup:", rest)) {
      if (!IsName(rest) || setups_.count(rest))
        return Fail("a setup needs a new name of letters, digits and _");
      target_ = &setups_[rest];
      return true;
    }
    if (!target_) return Fail("a statement before the first section or setup");
    if (Prefix(line, "use:", rest)) {
      auto it = setups_.find(rest);
      if (it == setups_.end()) return Fail("no setup " + rest + " above");
      target_->insert(target_->end(), it->second.begin(), it->second.end());
      return true;
    }
    if (Prefix(line, "exec:", rest)) return Unescape(rest, NewStep(Step::Exec, number).sql);
    if (Prefix(line, "error:", rest)) return Unescape(rest, NewStep(Step::Error, number).sql);
    if (Prefix(line, "query:", rest) || Prefix(line, "query any order:", rest)) {
      Step& q = NewStep(Step::Query, number);
      q.anyOrder = line.compare(0, 6, "query:") != 0;
      open_ = true;
      return Unescape(rest, q.sql);
    }
    Step* last = target_->empty() ? nullptr : &target_->back();
    if (Prefix(line, "bind:", rest)) {
      if (!last || last->kind == Step::Query) return Fail("bind: belongs after exec: or error:");
      return Bind(*last, rest);
    }
    if (Prefix(line, "changed:", rest)) {
      if (!last || last->kind != Step::Exec) return Fail("changed: belongs after exec:");
      last->changed = std::atoi(rest.c_str());
      return true;
    }
    if (Prefix(line, "message contains:", rest)) {
      if (!last || last->kind != Step::Error) return Fail("message contains: belongs after error:");
      return Unescape(rest, last->messagePart);
    }
    return Fail("unknown line: " + line);
  }

  std::vector<Section> sections_;
  std::map<std::string, std::vector<Step>> setups_;
  // Where the lines go: the steps of the last section or setup (re-pointed whenever sections_ grows).
  std::vector<Step>* target_ = nullptr;
  bool open_ = false;
  std::string error_;
};

std::vector<Section> Sections() {
  static const std::vector<Section> all = CorpusReader().Read();
  return all;
}

std::vector<Value> ReadRow(const jet::Cursor& c) {
  std::vector<Value> row;
  for (int i = 0; i < c.ColumnCount(); ++i) row.push_back({c.Text(i), c.IsNull(i)});
  return row;
}

bool IsSelect(const std::string& sql) {
  size_t start = sql.find_first_not_of(" \t\r\n");
  std::string word = start == std::string::npos ? "" : sql.substr(start, 6);
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word == "select";
}

bool SameValue(const Value& want, const Value& got) {
  return want.null == got.null && want.text == got.text;
}

bool SameRow(const std::vector<Value>& want, const std::vector<Value>& got) {
  if (want.size() != got.size()) return false;
  for (size_t i = 0; i < want.size(); ++i)
    if (!SameValue(want[i], got[i])) return false;
  return true;
}

Opened OpenQuery(jet::Database& db, const Step& step) {
  Opened o;
  if (!step.bound) {
    o.cursor = db.Query(step.sql);
    return o;
  }
  o.statement = db.Prepare(step.sql);
  for (size_t i = 0; i < step.binds.size(); ++i) o.statement->Bind(static_cast<int>(i + 1), step.binds[i]);
  o.cursor = o.statement->Open();
  return o;
}

int RunChange(jet::Database& db, const Step& step) {
  if (!step.bound) return db.Execute(step.sql);
  auto statement = db.Prepare(step.sql);
  for (size_t i = 0; i < step.binds.size(); ++i) statement->Bind(static_cast<int>(i + 1), step.binds[i]);
  return statement->Run();
}

void StatementRunner::Run(const Step& step) {
    switch (step.kind) {
      case Step::Exec:
        return RunExec(step);
      case Step::Query:
        return RunQuery(step);
      case Step::Error:
        return RunError(step);
    }
  }

  std::string StatementRunner::Where(const Step& step) const {
    std::string s = "corpus line " + std::to_string(step.line) + "\n  statement: " + Visible(step.sql);
    try {
      for (auto& t : db_.Explain(step.sql)) s += "\n  runs as:   " + Visible(t);
    } catch (const jet::DbError&) {
    }
    return s;
  }

  void StatementRunner::RunExec(const Step& step) {
    int changed = 0;
    try {
      changed = RunChange(db_, step);
    } catch (const jet::DbError& e) {
      ADD_FAILURE() << Where(step) << "\n  expected: success\n  got error: " << Visible(e.what());
      return;
    }
    if (step.changed >= 0 && changed != step.changed)
      ADD_FAILURE() << Where(step) << "\n  expected changed rows: " << step.changed << "\n  got: " << changed;
  }

  void StatementRunner::RunQuery(const Step& step) {
    std::vector<std::string> names;
    std::vector<std::vector<Value>> rows;
    try {
      Opened o = OpenQuery(db_, step);
      jet::Cursor* c = o.cursor.get();
      for (int i = 0; i < c->ColumnCount(); ++i) names.push_back(c->ColumnName(i));
      for (; !c->AtEnd(); c->Next()) {
        rows.push_back(ReadRow(*c));
        // NULL must read as 0 as well as "".
        for (int i = 0; i < c->ColumnCount(); ++i)
          if (c->IsNull(i) && (c->Int(i) != 0 || c->Real(i) != 0))
            ADD_FAILURE() << Where(step) << "\n  column " << i << " is NULL but does not read as 0";
      }
    } catch (const jet::DbError& e) {
      ADD_FAILURE() << Where(step) << "\n  expected rows\n  got error: " << Visible(e.what());
      return;
    }
    if (step.hasCols && names != step.cols) {
      std::string want, got;
      for (auto& n : step.cols) want += (want.empty() ? "" : "|") + n;
      for (auto& n : names) got += (got.empty() ? "" : "|") + n;
      ADD_FAILURE() << Where(step) << "\n  expected columns: " << want << "\n  got columns:      " << got;
    }
    std::vector<std::vector<Value>> want = step.rows, got = rows;
    if (step.anyOrder) {
      auto less = [](const std::vector<Value>& a, const std::vector<Value>& b) {
        return RowText(a) < RowText(b);
      };
      std::sort(want.begin(), want.end(), less);
      std::sort(got.begin(), got.end(), less);
    }
    bool same = want.size() == got.size();
    for (size_t i = 0; same && i < want.size(); ++i) same = SameRow(want[i], got[i]);
    if (!same) {
      std::string w, g;
      for (auto& r : want) w += "\n    " + RowText(r);
      for (auto& r : got) g += "\n    " + RowText(r);
      ADD_FAILURE() << Where(step) << "\n  expected " << want.size() << " row(s):" << w << "\n  got "
                    << got.size() << " row(s):" << g;
    }
  }

  void StatementRunner::RunError(const Step& step) {
    std::string message;
    bool failed = false;
    try {
      if (IsSelect(step.sql)) {
        for (Opened o = OpenQuery(db_, step); !o.cursor->AtEnd(); o.cursor->Next()) {
        }
      } else {
        RunChange(db_, step);
      }
    } catch (const jet::DbError& e) {
      failed = true;
      message = e.what();
    }
    if (!failed) {
      ADD_FAILURE() << Where(step) << "\n  expected an error\n  got success";
    } else if (message.find(step.messagePart) == std::string::npos) {
      ADD_FAILURE() << Where(step) << "\n  expected a message containing: " << Visible(step.messagePart)
                    << "\n  got: " << Visible(message);
    }
  }

}  // namespace corpus
