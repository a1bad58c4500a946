#pragma once
// Tokens of the statements the program sends, in the dialect it was written for.
#include <string>
#include <vector>

namespace jet {

// Param is the "?" of a prepared statement, standing for a value bound before each run.
enum class Tok { End, Ident, Number, String, Op, LParen, RParen, Comma, Dot, Semicolon, Param };

struct Token {
  Tok kind = Tok::End;
  std::string text;  // identifier as written (brackets removed), number text, string value, operator
  size_t pos = 0;    // byte offset in the statement, for error messages
};

// Splits a GBK statement into tokens; throws DbError naming the place of a character it cannot read.
std::vector<Token> Tokenize(const std::string& sql);

// "在第 N 个字符处" message helper shared by the lexer and the parser.
std::string ErrorAt(const std::string& what, const std::string& sql, size_t pos);

}  // namespace jet
