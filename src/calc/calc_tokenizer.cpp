#include "calc/calc_tokenizer.h"

#include <cstring>

#include "base/gbk.h"
#include "base/validators.h"
#include "calc/calc_error.h"

namespace {

constexpr const char* kOperators = "+-/*()[]^&|!=<>";
// Line breaks end numbers and names too: the calculator's expression field has several lines, and a number
// at the end of one line is still a number.
constexpr const char* kNumberEnds = " \t\r\n+-*/()[]^!<&|>=";
constexpr const char* kNameEnds = " \t\r\n\"+-*/)]^!=<&|>";

bool IsOneOf(char c, const char* set) {
  return c != '\0' && std::strchr(set, c) != nullptr;
}

}  // namespace

void CalcTokenizer::Reset(std::string text) {
  text_ = std::move(text);
  pos_ = 0;
  depth_ = 0;
}

size_t CalcTokenizer::Step(size_t i) const {
  return gbk::NextChar(text_, i);
}

int CalcTokenizer::Next(CalcToken& token) {
  token = CalcToken();
  while (pos_ < text_.size() && IsOneOf(text_[pos_], " \t\r\n")) ++pos_;
  if (pos_ >= text_.size()) return kCalcOk;

  char c = text_[pos_];
  if (IsOneOf(c, kOperators)) return ReadOperator(token);
  if (c == '"') {
    size_t close = text_.find('"', pos_ + 1);
    if (close == std::string::npos) {
      pos_ = text_.size();
      return kCalcUnpairedQuote;
    }
    token.kind = CalcTokenKind::String;
    token.text = text_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    return kCalcOk;
  }
  if ((c >= '0' && c <= '9') || c == '.') return ReadNumber(token);
  return ReadName(token);
}

int CalcTokenizer::ReadOperator(CalcToken& token) {
  token.kind = CalcTokenKind::Operator;
  token.text = text_.substr(pos_++, 1);
  char c = token.text[0];
  if (IsOneOf(c, "!<&|>") && pos_ < text_.size()) {
    std::string pair = token.text + text_[pos_];
    if (pair == "!=" || pair == ">=" || pair == "<=" || pair == "||" || pair == "&&") {
      token.text = pair;
      ++pos_;
    }
  }
  if (token.text == "&" || token.text == "|") return kCalcBadOperator;
  if (c == '(' || c == '[') ++depth_;
  if ((c == ')' || c == ']') && --depth_ < 0) return kCalcBracket;
  return kCalcOk;
}

int CalcTokenizer::ReadNumber(CalcToken& token) {
  size_t start = pos_;
  while (pos_ < text_.size() && !IsOneOf(text_[pos_], kNumberEnds)) pos_ = Step(pos_);
  token.text = text_.substr(start, pos_ - start);
  // "12abc" or "1.2.3" is text, not a number.
  token.kind = IsNumberText(token.text, 0, 0) ? CalcTokenKind::Number : CalcTokenKind::String;
  return kCalcOk;
}

int CalcTokenizer::ReadName(CalcToken& token) {
  size_t start = pos_;
  while (pos_ < text_.size() && !IsOneOf(text_[pos_], kNameEnds)) {
    if (text_[pos_] == '(' || text_[pos_] == '[') return ReadCall(token, start);
    pos_ = Step(pos_);
  }
  token.kind = CalcTokenKind::Name;
  token.text = text_.substr(start, pos_ - start);
  return kCalcOk;
}

int CalcTokenizer::ReadCall(CalcToken& token, size_t nameStart) {
  size_t open = pos_;
  int depth = 0;
  bool quoted = false;
  for (size_t i = open; i < text_.size(); i = Step(i)) {
    char c = text_[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && --depth == 0) {
      // The arguments end at the bracket that closes the call, so a "]" or ")" inside a quoted argument
      // stays part of that argument.
      token.kind = CalcTokenKind::Call;
      token.text = text_.substr(nameStart, i + 1 - nameStart);
      token.name = text_.substr(nameStart, open - nameStart);
      token.arguments = text_.substr(open + 1, i - open - 1);
      token.argumentsAt = open + 1;
      pos_ = i + 1;
      return kCalcOk;
    }
  }
  pos_ = text_.size();
  return kCalcNoRightBracket;
}
