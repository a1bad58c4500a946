#include "calc/evaluator.h"

#include <cmath>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "base/money.h"
#include "calc/calc_arguments.h"
#include "calc/calc_builtins.h"

namespace {

using money::kSignZero;

bool IsOperator(const CalcToken& token, std::initializer_list<std::string_view> ops) {
  if (token.kind != CalcTokenKind::Operator) return false;
  for (std::string_view op : ops)
    if (token.text == op) return true;
  return false;
}

bool IsNameText(std::string_view name) {
  for (char c : name) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

bool CCaculate::Evaluate(const std::string& expression, CalcValue& result) {
  error_ = CalcError();
  tokens_.Reset(expression);
  CalcValue value;
  if (!Advance() || !ParseOr(value)) return false;
  if (token_.kind != CalcTokenKind::End) {
    SetError(kCalcBadOperator);  // two values with no operator between them
    return false;
  }
  result = std::move(value);
  return true;
}

bool CCaculate::EvaluateNumber(const std::string& expression, double& result) {
  CalcValue value;
  if (!Evaluate(expression, value)) return false;
  if (!value.IsNumber()) {
    SetError(kCalcTypeMismatch);
    return false;
  }
  result = NumberOf(value);
  return true;
}

CalcError CCaculate::GetError() const {
  return error_;
}

bool CCaculate::LookupVariable(const std::string&, CalcValue&) {
  SetError(kCalcUnknownVariable);
  return false;
}

bool CCaculate::CallFunction(const std::string&, const std::string&, CalcValue&) {
  SetError(kCalcUnknownFunction);
  return false;
}

void CCaculate::InheritSettings(CCaculate&) const {}

void CCaculate::TakeError(const CCaculate& child) {
  error_ = child.GetError();
}

void CCaculate::SetError(int code) {
  SetError(code, CalcErrorMessage(code));
}

void CCaculate::SetError(int code, const std::string& message) {
  if (error_.code != kCalcOk) return;
  error_.code = code;
  error_.message = message;
  error_.position = static_cast<int>(tokens_.Position());
}

bool CCaculate::Advance() {
  int code = tokens_.Next(token_);
  if (code != kCalcOk) SetError(code);
  return code == kCalcOk;
}

bool CCaculate::ParseOr(CalcValue& value) {
  if (!ParseCompare(value)) return false;
  while (IsOperator(token_, {"||", "&&"})) {
    std::string op = token_.text;
    CalcValue rhs;
    if (!Advance() || !ParseCompare(rhs) || !Binary(op, value, rhs, value)) return false;
  }
  return true;
}

bool CCaculate::ParseCompare(CalcValue& value) {
  if (!ParseAdditive(value)) return false;
  while (IsOperator(token_, {">", "<", ">=", "<=", "=", "!="})) {
    std::string op = token_.text;
    CalcValue rhs;
    if (!Advance() || !ParseAdditive(rhs) || !Binary(op, value, rhs, value)) return false;
  }
  return true;
}

bool CCaculate::ParseAdditive(CalcValue& value) {
  if (!ParseTerm(value)) return false;
  while (IsOperator(token_, {"+", "-"})) {
    std::string op = token_.text;
    CalcValue rhs;
    if (!Advance() || !ParseTerm(rhs) || !Binary(op, value, rhs, value)) return false;
  }
  return true;
}

bool CCaculate::ParseTerm(CalcValue& value) {
  if (!ParsePower(value)) return false;
  while (IsOperator(token_, {"*", "/"})) {
    std::string op = token_.text;
    CalcValue rhs;
    if (!Advance() || !ParsePower(rhs) || !Binary(op, value, rhs, value)) return false;
  }
  return true;
}

bool CCaculate::ParsePower(CalcValue& value) {
  // Collected first and folded from the right: 2^3^2 is 2^(3^2).
  std::vector<CalcValue> operands(1);
  if (!ParseUnary(operands[0])) return false;
  while (IsOperator(token_, {"^"})) {
    operands.emplace_back();
    if (!Advance() || !ParseUnary(operands.back())) return false;
  }
  value = std::move(operands.back());
  for (size_t i = operands.size() - 1; i-- > 0;)
    if (!Binary("^", operands[i], value, value)) return false;
  return true;
}

bool CCaculate::ParseUnary(CalcValue& value) {
  std::string prefixes;
  while (IsOperator(token_, {"!", "+", "-"})) {
    prefixes += token_.text[0];
    if (!Advance()) return false;
  }
  if (!ParsePrimary(value)) return false;
  for (auto it = prefixes.rbegin(); it != prefixes.rend(); ++it) {
    if (!value.IsNumber()) {
      SetError(kCalcTypeMismatch);
      return false;
    }
    double x = NumberOf(value);
    if (*it == '-') value = CalcValue::Number(NumberText(-x));
    if (*it == '!') value = CalcValue::Number(std::fabs(x) <= kSignZero ? "1" : "0");
  }
  return true;
}

bool CCaculate::ParsePrimary(CalcValue& value) {
  bool ok = true;
  switch (token_.kind) {
    case CalcTokenKind::Operator:
      if (IsOperator(token_, {"(", "["})) return ParseBracket(value);
      SetError(kCalcBadSymbol);
      return false;
    case CalcTokenKind::End:
      SetError(kCalcBadSymbol);
      return false;
    case CalcTokenKind::Number:
      ok = Literal(value);
      break;
    case CalcTokenKind::String:
      value = CalcValue::String(token_.text);
      break;
    case CalcTokenKind::Name:
      // A bare word is the text it spells; "#name" is a variable.
      if (token_.text[0] == '#')
        ok = Variable(value);
      else
        value = CalcValue::String(token_.text);
      break;
    case CalcTokenKind::Call:
      ok = Call(value);
      break;
  }
  return ok && Advance();
}

bool CCaculate::ParseBracket(CalcValue& value) {
  if (outerDepth_ + tokens_.Depth() > kMaxDepth) {
    SetError(kCalcBracket);
    return false;
  }
  if (!Advance() || !ParseOr(value)) return false;
  if (IsOperator(token_, {")", "]"})) return Advance();
  SetError(token_.kind == CalcTokenKind::End ? kCalcBracket : kCalcBadOperator);
  return false;
}

bool CCaculate::Literal(CalcValue& value) {
  double x = 0;
  if (!ReadDecimal(token_.text, x)) {
    SetError(kCalcBadNumber);
    return false;
  }
  // A literal keeps the digits the user typed; "." alone is the number 0.
  value = CalcValue::Number(token_.text.find_first_of("0123456789") == std::string::npos ? "0" : token_.text);
  return true;
}

bool CCaculate::Variable(CalcValue& value) {
  std::string name = token_.text.substr(1);
  if (!IsNameText(name)) {
    SetError(kCalcBadName);
    return false;
  }
  if (LookupVariable(name, value)) return true;
  SetError(kCalcUnknownVariable);  // stands only when the lookup failed without saying why
  return false;
}

bool CCaculate::Call(CalcValue& value) {
  if (!IsNameText(token_.name)) {
    SetError(kCalcBadName);
    return false;
  }
  argumentsAt_ = token_.argumentsAt;
  CalcArguments arguments(*this, token_.arguments);
  switch (CallBuiltin(token_.name, arguments, value)) {
    case BuiltinResult::Done:
      return true;
    case BuiltinResult::Failed:
      return false;
    case BuiltinResult::NotBuiltin:
      break;
  }
  if (CallFunction(token_.name, token_.arguments, value)) return true;
  SetError(kCalcUnknownFunction);
  return false;
}

bool CCaculate::NumberResult(double x, int failCode, CalcValue& result) {
  if (!std::isfinite(x)) {
    SetError(failCode);
    return false;
  }
  result = CalcValue::Number(NumberText(x));
  return true;
}

bool CCaculate::Binary(const std::string& op, const CalcValue& a, const CalcValue& b, CalcValue& result) {
  if (a.IsNumber() && b.IsNumber()) {
    double x = NumberOf(a), y = NumberOf(b), r = 0;
    if (op == "+")
      r = x + y;
    else if (op == "-")
      r = x - y;
    else if (op == "*")
      r = x * y;
    else if (op == "/") {
      if (std::fabs(y) < kSignZero) {
        SetError(kCalcDivideByZero);
        return false;
      }
      r = x / y;
    } else if (op == "^") {
      if (std::fabs(x) < kSignZero && std::fabs(y) < kSignZero) {
        SetError(kCalcBadPower);
        return false;
      }
      return NumberResult(std::pow(x, y), kCalcBadPower, result);  // also 0^-1 and (-8)^0.5
    } else if (op == "=")
      r = std::fabs(x - y) < kSignZero;
    else if (op == "!=")
      r = std::fabs(x - y) > kSignZero;
    else if (op == ">")
      r = x - y > kSignZero;
    else if (op == "<")
      r = x - y < -kSignZero;
    else if (op == ">=")
      r = x - y >= 0;
    else if (op == "<=")
      r = x - y <= 0;
    else if (op == "&&")
      r = std::fabs(x) > kSignZero && std::fabs(y) > kSignZero;
    else if (op == "||")
      r = std::fabs(x) > kSignZero || std::fabs(y) > kSignZero;
    return NumberResult(r, kCalcBadNumber, result);
  }

  // A number meeting a string becomes its text.
  std::string s = TextOf(a), t = TextOf(b);
  if (op == "+")
    result = CalcValue::String(s + t);
  else if (op == "-")
    result = CalcValue::String(s + "-" + t);
  else if (op == "=")
    result = CalcValue::Number(s == t ? "1" : "0");
  else if (op == "!=")
    result = CalcValue::Number(s != t ? "1" : "0");
  else if (op == ">")
    result = CalcValue::Number(s > t ? "1" : "0");
  else if (op == "<")
    result = CalcValue::Number(s < t ? "1" : "0");
  else if (op == ">=")
    result = CalcValue::Number(s >= t ? "1" : "0");
  else if (op == "<=")
    result = CalcValue::Number(s <= t ? "1" : "0");
  else {
    SetError(kCalcTypeMismatch);
    return false;
  }
  return true;
}

// The two members of CalcArguments that reach into the calling evaluator: an argument is evaluated by a
// fresh evaluator of the caller's class, and a failure is recorded in the caller.
bool CalcArguments::Value(int i, CalcValue& value) {
  if (IsBlank(i)) return Fail(kCalcTooFewArguments);
  const Piece& piece = pieces_[static_cast<size_t>(i)];
  int depth = caller_.outerDepth_ + caller_.tokens_.Depth() + 1;
  if (depth > CCaculate::kMaxDepth) return Fail(kCalcBracket);

  std::unique_ptr<CCaculate> child = caller_.NewEvaluator();
  caller_.InheritSettings(*child);
  child->outerDepth_ = depth;
  if (child->Evaluate(piece.text, value)) return true;
  caller_.TakeError(*child);
  // The child counts from the start of its argument; the user reads positions in the whole expression.
  caller_.error_.position += static_cast<int>(caller_.argumentsAt_ + piece.offset);
  return false;
}

bool CalcArguments::Fail(int code) {
  caller_.SetError(code);
  return false;
}
