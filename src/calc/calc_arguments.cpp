#include "calc/calc_arguments.h"

#include "base/gbk.h"
#include "calc/calc_error.h"

namespace {

bool Blank(std::string_view s) {
  return s.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

CalcArguments::CalcArguments(CCaculate& caller, std::string_view text) : caller_(caller) {
  int depth = 0;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); i = gbk::NextChar(text, i)) {
    char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(' || c == '[') ++depth;
    if (c == ')' || c == ']') --depth;
    if (c == ',' && depth == 0) {
      pieces_.push_back({std::string(text.substr(start, i - start)), start});
      start = i + 1;
    }
  }
  pieces_.push_back({std::string(text.substr(start)), start});
  for (size_t i = 0; i < pieces_.size(); ++i)
    if (!Blank(pieces_[i].text)) count_ = static_cast<int>(i) + 1;
}

bool CalcArguments::IsBlank(int i) const {
  return i < 0 || i >= count_ || Blank(pieces_[static_cast<size_t>(i)].text);
}

std::string CalcArguments::Raw(int i) const {
  if (IsBlank(i)) return "";
  std::string_view s = pieces_[static_cast<size_t>(i)].text;
  s.remove_prefix(s.find_first_not_of(" \t\r\n"));
  s.remove_suffix(s.size() - 1 - s.find_last_not_of(" \t\r\n"));
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return std::string(s);
}

bool CalcArguments::Expect(int min, int max) {
  if (count_ < min) return Fail(kCalcTooFewArguments);
  if (count_ > max) return Fail(kCalcTooManyArguments);
  return true;
}

bool CalcArguments::Number(int i, double& x) {
  CalcValue value;
  if (!Value(i, value)) return false;
  if (!value.IsNumber()) return Fail(kCalcTypeMismatch);
  x = NumberOf(value);
  return true;
}

bool CalcArguments::Text(int i, std::string& text) {
  CalcValue value;
  if (!Value(i, value)) return false;
  text = TextOf(value);
  return true;
}
