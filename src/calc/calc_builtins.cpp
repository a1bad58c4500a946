#include "calc/calc_builtins.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "calc/calc_error.h"
#include "calc/capitals.h"

namespace {

using money::kDomainSlack;
using money::kSignZero;
// More places than a double holds digits; the cap keeps "round(x, 1e9)" from printing a billion zeros.
constexpr int kMaxDecimals = 20;

using Handler = bool (*)(CalcArguments&, CalcValue&);

struct MathFunction {
  std::string_view name;
  double (*fn)(double);
  double lowest;  // arguments below it are outside the domain
};

const MathFunction kMath[] = {
    {"abs", [](double x) { return std::fabs(x); }, -HUGE_VAL},
    {"absz", [](double x) { return (x + std::fabs(x)) / 2; }, -HUGE_VAL},
    {"absf", [](double x) { return (std::fabs(x) - x) / 2; }, -HUGE_VAL},
    {"sign", [](double x) { return static_cast<double>(SignOf(x)); }, -HUGE_VAL},
    // Within the slack below zero the root is that of zero.
    {"sqrt", [](double x) { return std::sqrt(std::max(x, 0.0)); }, -kDomainSlack},
    {"exp", [](double x) { return std::exp(x); }, -HUGE_VAL},
    {"ln", [](double x) { return x > 0 ? std::log(x) : NAN; }, -kDomainSlack},
    {"log", [](double x) { return x > 0 ? std::log10(x) : NAN; }, -kDomainSlack},
    {"sin", [](double x) { return std::sin(x); }, -HUGE_VAL},
    {"cos", [](double x) { return std::cos(x); }, -HUGE_VAL},
    {"tg", [](double x) { return std::tan(x); }, -HUGE_VAL},
    {"ctg", [](double x) { return 1 / std::tan(x); }, -HUGE_VAL},
    {"arcsin", [](double x) { return std::asin(x); }, -HUGE_VAL},
    {"arccos", [](double x) { return std::acos(x); }, -HUGE_VAL},
    {"arctg", [](double x) { return std::atan(x); }, -HUGE_VAL},
};

bool MathResult(double x, CalcArguments& args, CalcValue& result) {
  if (!std::isfinite(x)) return args.Fail(kCalcDomain);
  result = CalcValue::Number(MathText(x + 0.0));  // + 0.0 turns -0 into 0
  return true;
}

// A count or position argument: truncated toward zero and kept inside [low, high].
int Whole(double x, int low, int high) {
  return static_cast<int>(std::clamp(std::trunc(x), 1.0 * low, 1.0 * high));
}

bool Iif(CalcArguments& args, CalcValue& result) {
  double condition = 0;
  if (!args.Expect(3, 3) || !args.Number(0, condition)) return false;
  return args.Value(std::fabs(condition) > kSignZero ? 1 : 2, result);
}

bool CaseIf(CalcArguments& args, CalcValue& result) {
  int count = args.Count();
  if (count == 0) {
    result = CalcValue::Number("0");
    return true;
  }
  if (count % 2 == 0) return args.Fail(kCalcTooFewArguments);
  std::vector<double> v(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    if (!args.Number(i, v[static_cast<size_t>(i)])) return false;
  // x, then the band floors b1..bn, then their rates r1..rn; the last band reaches up to x.
  const double x = v[0];
  const size_t n = static_cast<size_t>(count - 1) / 2;
  double sum = n == 0 ? x : 0;
  for (size_t i = 0; i < n; ++i) {
    double floor = v[1 + i], rate = v[1 + n + i];
    if (x <= floor) continue;
    double top = i + 1 < n ? std::min(x, v[2 + i]) : x;
    sum += (top - floor) * rate;
  }
  return MathResult(sum, args, result);
}

bool Round(CalcArguments& args, CalcValue& result) {
  double x = 0, n = 0, m = 0;
  if (!args.Expect(1, 3) || !args.Number(0, x)) return false;
  if (!args.IsBlank(1) && !args.Number(1, n)) return false;
  m = n;
  if (!args.IsBlank(2) && !args.Number(2, m)) return false;
  result = CalcValue::Number(NumberText(x, Whole(n, 0, kMaxDecimals), Whole(m, 0, kMaxDecimals)));
  return true;
}

bool Len(CalcArguments& args, CalcValue& result) {
  std::string s;
  if (!args.Expect(1, 1) || !args.Text(0, s)) return false;
  result = CalcValue::Number(NumberText(static_cast<double>(s.size())));
  return true;
}

bool Val(CalcArguments& args, CalcValue& result) {
  std::string s;
  if (!args.Expect(1, 1) || !args.Text(0, s)) return false;
  size_t i = s.find_first_not_of(" \t");
  if (i == std::string::npos) i = s.size();
  std::string digits;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
    if (s[i] == '-') digits = "-";
    ++i;
  }
  bool point = false;
  for (; i < s.size() && ((s[i] >= '0' && s[i] <= '9') || (s[i] == '.' && !point)); ++i) {
    point = point || s[i] == '.';
    digits += s[i];
  }
  double x = 0;
  if (!ReadDecimal(digits, x)) return args.Fail(kCalcBadNumber);
  result = CalcValue::Number(NumberText(x));
  return true;
}

bool Str(CalcArguments& args, CalcValue& result) {
  std::string s;
  double start = 0, count = 0;
  if (!args.Expect(1, 3) || !args.Text(0, s)) return false;
  if (args.Count() >= 2 && !args.Number(1, start)) return false;
  if (args.Count() == 3 && !args.Number(2, count)) return false;
  const int size = static_cast<int>(s.size());
  int from = Whole(start, 0, size);
  int take = args.Count() == 3 ? Whole(count, 0, size - from) : size - from;
  result = CalcValue::String(s.substr(static_cast<size_t>(from), static_cast<size_t>(take)));
  return true;
}

bool LeftOrRight(CalcArguments& args, CalcValue& result, bool left) {
  std::string s;
  double n = 0;
  if (!args.Expect(1, 2) || !args.Text(0, s)) return false;
  if (args.Count() == 2) {
    if (!args.Number(1, n)) return false;
    size_t take = static_cast<size_t>(Whole(n, 0, static_cast<int>(s.size())));
    s = left ? s.substr(0, take) : s.substr(s.size() - take);
  }
  result = CalcValue::String(s);
  return true;
}

bool Left(CalcArguments& args, CalcValue& result) {
  return LeftOrRight(args, result, true);
}
bool Right(CalcArguments& args, CalcValue& result) {
  return LeftOrRight(args, result, false);
}

template <std::string (*Cut)(std::string_view)>
bool TrimWith(CalcArguments& args, CalcValue& result) {
  std::string s;
  if (!args.Expect(1, 1) || !args.Text(0, s)) return false;
  result = CalcValue::String(Cut(s));
  return true;
}

bool Date(CalcArguments& args, CalcValue& result) {
  double k = 0;
  if (!args.Expect(0, 1) || (args.Count() == 1 && !args.Number(0, k))) return false;
  // The user's calendar day, as the platform tells it.
  DateTime now = Plat().Now();
  if (args.Count() == 0)
    result = CalcValue::String(Format("%d", now.year * 10000 + now.month * 100 + now.day));
  else if (std::fabs(k) < kSignZero)
    result = CalcValue::Number(Format("%d", now.year));
  else if (std::fabs(k - 1) < kSignZero)
    result = CalcValue::Number(Format("%d", now.month));
  else
    result = CalcValue::Number(Format("%d", now.day));
  return true;
}

bool Money(CalcArguments& args, CalcValue& result) {
  double x = 0;
  if (!args.Expect(1, 1) || !args.Number(0, x)) return false;
  std::string capitals = AmountInCapitals(x);
  // Only an amount below one fen is written as nothing; one too large for the units is an error.
  if (capitals.empty() && money::ToCents(x) != 0) return args.Fail(kCalcAmountTooLarge);
  result = CalcValue::String(capitals);
  return true;
}

bool Num(CalcArguments& args, CalcValue& result) {
  double x = 0;
  if (!args.Expect(1, 1) || !args.Number(0, x)) return false;
  result = CalcValue::String(DigitsInChinese(x));
  return true;
}

const struct {
  std::string_view name;
  Handler handler;
} kOthers[] = {
    {"iif", Iif},
    {"caseif", CaseIf},
    {"round", Round},
    {"len", Len},
    {"val", Val},
    {"str", Str},
    {"left", Left},
    {"right", Right},
    {"trim", TrimWith<Trim>},
    {"triml", TrimWith<LTrim>},
    {"trimr", TrimWith<RTrim>},
    {"date", Date},
    {"money", Money},
    {"num", Num},
};

}  // namespace

BuiltinResult CallBuiltin(const std::string& name, CalcArguments& args, CalcValue& result) {
  auto done = [](bool ok) { return ok ? BuiltinResult::Done : BuiltinResult::Failed; };
  for (const MathFunction& f : kMath) {
    if (name != f.name) continue;
    double x = 0;
    if (!args.Expect(1, 1) || !args.Number(0, x)) return BuiltinResult::Failed;
    if (x < f.lowest) return done(args.Fail(kCalcDomain));
    return done(MathResult(f.fn(x), args, result));
  }
  for (const auto& f : kOthers)
    if (name == f.name) return done(f.handler(args, result));
  return BuiltinResult::NotBuiltin;
}
