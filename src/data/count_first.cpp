#include "data/count_first.h"

#include <cctype>

namespace {

// Where word stands in sql as a keyword of its own, searched from the end when last is set; npos when it
// does not. Compared without regard to case.
size_t FindKeyword(const std::string& sql, const std::string& word, bool last) {
  auto matches = [&](size_t at) {
    for (size_t i = 0; i < word.size(); ++i)
      if (std::toupper(static_cast<unsigned char>(sql[at + i])) != word[i]) return false;
    bool before = at == 0 || std::isspace(static_cast<unsigned char>(sql[at - 1]));
    size_t end = at + word.size();
    bool after = end == sql.size() || std::isspace(static_cast<unsigned char>(sql[end]));
    return before && after;
  };
  if (sql.size() < word.size()) return std::string::npos;
  size_t lastStart = sql.size() - word.size();
  if (last) {
    for (size_t at = lastStart + 1; at-- > 0;)
      if (matches(at)) return at;
  } else {
    for (size_t at = 0; at <= lastStart; ++at)
      if (matches(at)) return at;
  }
  return std::string::npos;
}

}  // namespace

std::string CountStatementOf(const std::string& listSql) {
  // The select lists hold no literals, so the first FROM ends them; the ORDER clause comes after every
  // literal of the statement, so the last ORDER starts it.
  size_t from = FindKeyword(listSql, "FROM", false);
  std::string sql = "SELECT COUNT(*) " + (from == std::string::npos ? listSql : listSql.substr(from));
  size_t order = FindKeyword(sql, "ORDER", true);
  if (order != std::string::npos) sql.erase(order);
  return sql;
}

long CountFirst(CVyDataEnv& env, const std::string& listSql) {
  return env.QueryLong(CountStatementOf(listSql));
}
