#pragma once
// Splits an expression into the evaluator's tokens. Scanning steps over whole GBK characters, so the second
// byte of a double-byte character is never taken for a bracket, "|" or "^".
#include <cstddef>
#include <string>

enum class CalcTokenKind { End, Operator, Number, String, Name, Call };

struct CalcToken {
  CalcTokenKind kind = CalcTokenKind::End;
  std::string text;        // operator, literal without quotes, name, or a whole call "name(arguments)"
  std::string name;        // a call: the text before its opening bracket
  std::string arguments;   // a call: the text between its opening and its closing bracket
  size_t argumentsAt = 0;  // a call: the byte offset of the arguments in the expression
};

class CalcTokenizer {
 public:
  void Reset(std::string text);
  // Reads the next token: 0, or the error code of a fault found at Position().
  int Next(CalcToken& token);
  // The read position: the byte offset just past the token read last.
  size_t Position() const { return pos_; }
  // Brackets opened and not yet closed by the operator tokens read so far.
  int Depth() const { return depth_; }

 private:
  int ReadOperator(CalcToken& token);
  int ReadNumber(CalcToken& token);
  int ReadName(CalcToken& token);
  int ReadCall(CalcToken& token, size_t nameStart);
  size_t Step(size_t i) const;

  std::string text_;
  size_t pos_ = 0;
  int depth_ = 0;
};
