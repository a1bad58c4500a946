#include "data/jet/lexer.h"

#include <cctype>

#include "base/gbk.h"
#include "base/text.h"
#include "data/db_error.h"

namespace jet {

std::string ErrorAt(const std::string& what, const std::string& sql, size_t pos) {
  std::string near = gbk::Cut(sql.substr(pos < sql.size() ? pos : sql.size()), 20);
  return Format("SQL 语句错误：%s（第 %zu 个字符处：\"%s\"）。", what.c_str(), pos + 1, near.c_str());
}

namespace {

bool IsIdentStart(unsigned char c) {
  return std::isalpha(c) || c == '_' || c >= 0x80;
}
bool IsIdentChar(unsigned char c) {
  return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80;
}

}  // namespace

std::vector<Token> Tokenize(const std::string& sql) {
  std::vector<Token> out;
  size_t i = 0, n = sql.size();
  while (true) {
    while (i < n && (sql[i] == ' ' || sql[i] == '\t' || sql[i] == '\r' || sql[i] == '\n')) ++i;
    Token t;
    t.pos = i;
    if (i >= n) {
      out.push_back(t);
      return out;
    }
    unsigned char c = static_cast<unsigned char>(sql[i]);
    if (c == '\'' || c == '"') {
      // A quoted text; the quote itself is written twice inside. Scanned by bytes: a quote is never the
      // second byte of a two-byte character, while a stray lead byte (a text cut in half) must not swallow
      // the closing quote.
      char q = static_cast<char>(c);
      ++i;
      std::string value;
      bool closed = false;
      while (i < n) {
        if (sql[i] == q) {
          if (i + 1 < n && sql[i + 1] == q) {
            value += q;
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        value += sql[i++];
      }
      if (!closed) throw DbError(ErrorAt("文本常量缺少结束引号", sql, t.pos));
      t.kind = Tok::String;
      t.text = std::move(value);
    } else if (std::isdigit(c) ||
               (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
      size_t s = i;
      while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
      if (i < n && sql[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
      }
      if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
        size_t e = i + 1;
        if (e < n && (sql[e] == '+' || sql[e] == '-')) ++e;
        if (e < n && std::isdigit(static_cast<unsigned char>(sql[e]))) {
          i = e;
          while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
        }
      }
      t.kind = Tok::Number;
      t.text = sql.substr(s, i - s);
    } else if (IsIdentStart(c)) {
      size_t s = i;
      while (i < n && IsIdentChar(static_cast<unsigned char>(sql[i]))) i = gbk::NextChar(sql, i);
      t.kind = Tok::Ident;
      t.text = sql.substr(s, i - s);
    } else if (c == '[') {
      // A bracketed name, scanned by characters: "]" can be the second byte of a two-byte character.
      size_t e = i + 1;
      while (e < n && sql[e] != ']') e = gbk::NextChar(sql, e);
      if (e >= n) throw DbError(ErrorAt("名称缺少“]”", sql, i));
      t.kind = Tok::Ident;
      t.text = sql.substr(i + 1, e - i - 1);
      i = e + 1;
    } else {
      // Punctuation, then the operators of two characters ("!=" is "<>"), then those of one.
      static const struct {
        char c;
        Tok kind;
      } kPunctuation[] = {{'(', Tok::LParen}, {')', Tok::RParen},    {',', Tok::Comma},
                          {'.', Tok::Dot},    {';', Tok::Semicolon}, {'?', Tok::Param}};
      static const struct {
        const char* written;
        const char* op;
      } kTwoCharacters[] = {{"<>", "<>"}, {"<=", "<="}, {">=", ">="}, {"!=", "<>"}};
      static const std::string kOneCharacter = "<>=+-*/\\^&";
      for (auto& p : kPunctuation)
        if (c == static_cast<unsigned char>(p.c)) t.kind = p.kind;
      for (auto& two : kTwoCharacters)
        if (t.kind == Tok::End && sql.compare(i, 2, two.written) == 0) {
          t.kind = Tok::Op;
          t.text = two.op;
          ++i;
        }
      if (t.kind == Tok::End && kOneCharacter.find(static_cast<char>(c)) != std::string::npos) {
        t.kind = Tok::Op;
        t.text = std::string(1, static_cast<char>(c));
      }
      if (t.kind == Tok::End) throw DbError(ErrorAt("无法识别的字符", sql, t.pos));
      ++i;
    }
    out.push_back(std::move(t));
  }
}

}  // namespace jet
