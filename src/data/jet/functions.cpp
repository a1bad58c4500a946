#include "data/jet/functions.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "base/gbk.h"
#include "base/money.h"
#include "base/text.h"

namespace jet {

std::string NumberText(double v) {
  if (std::isnan(v)) return "NaN";
  if (v == 0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  std::string s = buf;
  size_t e = s.find('e');
  if (e == std::string::npos) return s;
  int exponent = std::atoi(s.c_str() + e + 1);
  if (exponent >= -15 && exponent < 15) {
    // Small numbers keep their plain decimal form: 0.00001, not 1e-05.
    int decimals = 14 - exponent;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    s = buf;
    if (s.find('.') != std::string::npos) {
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s.pop_back();
    }
    return s;
  }
  // 1E+16 as the dialect writes large numbers.
  std::string mant = s.substr(0, e);
  char sign = s[e + 1] == '-' ? '-' : '+';
  return mant + "E" + sign + std::to_string(std::abs(exponent));
}

double ValOf(std::string_view text) {
  return money::ValNumber(text);
}

namespace {

// ---------- pattern matching ----------
struct PatElem {
  enum Kind { Literal, Star, One, Digit, Set } kind;
  explicit PatElem(Kind k) : kind(k) {}
  unsigned ch = 0;
  bool negate = false;
  std::vector<std::pair<unsigned, unsigned>> ranges;
};

unsigned Fold(unsigned c) {
  return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

std::vector<unsigned> Units(const std::string& s) {
  std::vector<unsigned> u;
  for (size_t i = 0; i < s.size();) {
    size_t len = gbk::CharLength(s, i);
    unsigned c = static_cast<unsigned char>(s[i]);
    if (len == 2) c = (c << 8) | static_cast<unsigned char>(s[i + 1]);
    u.push_back(c);
    i += len;
  }
  return u;
}

bool CompilePattern(const std::string& pattern, std::vector<PatElem>& out) {
  std::vector<unsigned> u = Units(pattern);
  for (size_t i = 0; i < u.size(); ++i) {
    unsigned c = u[i];
    if (c == '*') {
      if (out.empty() || out.back().kind != PatElem::Star) out.emplace_back(PatElem::Star);
    } else if (c == '?') {
      out.emplace_back(PatElem::One);
    } else if (c == '#') {
      out.emplace_back(PatElem::Digit);
    } else if (c == '[') {
      PatElem e(PatElem::Set);
      size_t j = i + 1;
      if (j < u.size() && u[j] == '!') {
        e.negate = true;
        ++j;
      }
      bool closed = false;
      for (; j < u.size(); ++j) {
        if (u[j] == ']') {
          closed = true;
          break;
        }
        unsigned lo = u[j], hi = u[j];
        if (j + 2 < u.size() && u[j + 1] == '-' && u[j + 2] != ']') {
          hi = u[j + 2];
          j += 2;
        }
        if (hi < lo) return false;
        e.ranges.emplace_back(lo, hi);
      }
      if (!closed) return false;
      i = j;
      out.push_back(std::move(e));
    } else {
      PatElem e(PatElem::Literal);
      e.ch = c;
      out.push_back(e);
    }
  }
  return true;
}

bool ElemMatches(const PatElem& e, unsigned c) {
  switch (e.kind) {
    case PatElem::Literal:
      return Fold(e.ch) == Fold(c);
    case PatElem::One:
      return true;
    case PatElem::Digit:
      return c >= '0' && c <= '9';
    case PatElem::Set: {
      bool in = false;
      for (auto& [lo, hi] : e.ranges)
        if ((c >= lo && c <= hi) || (Fold(c) >= Fold(lo) && Fold(c) <= Fold(hi))) in = true;
      return in != e.negate;
    }
    case PatElem::Star:
      return true;
  }
  return false;
}

bool MatchCompiled(const std::vector<PatElem>& pat, const std::vector<unsigned>& text) {
  // Greedy match with one backtrack point at the last star: linear for the patterns in use.
  size_t p = 0, t = 0, starP = std::string::npos, starT = 0;
  while (t < text.size()) {
    if (p < pat.size() && pat[p].kind == PatElem::Star) {
      starP = p++;
      starT = t;
    } else if (p < pat.size() && ElemMatches(pat[p], text[t])) {
      ++p;
      ++t;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pat.size() && pat[p].kind == PatElem::Star) ++p;
  return p == pat.size();
}

}  // namespace

bool LikeMatch(const std::string& value, const std::string& pattern, bool* malformed) {
  std::vector<PatElem> pat;
  bool ok = CompilePattern(pattern, pat);
  if (malformed) *malformed = !ok;
  return ok && MatchCompiled(pat, Units(value));
}

namespace {

// ---------- value helpers ----------
bool IsNull(sqlite3_value* v) {
  return sqlite3_value_type(v) == SQLITE_NULL;
}
bool IsNumeric(sqlite3_value* v) {
  int t = sqlite3_value_type(v);
  return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

std::string TextOf(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
      return NumberText(sqlite3_value_double(v));
    case SQLITE_NULL:
      return std::string();
    default: {
      const char* p = reinterpret_cast<const char*>(sqlite3_value_blob(v));
      return p ? std::string(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string();
    }
  }
}

void ResultText(sqlite3_context* ctx, const std::string& s) {
  sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void Error(sqlite3_context* ctx, const std::string& msg) {
  sqlite3_result_error(ctx, msg.data(), static_cast<int>(msg.size()));
}

const char* const kMismatch = "数据类型不匹配。";
const char* const kBadCall = "无效的过程调用或参数。";

// A text that is a number as a whole (blanks around it allowed).
bool StrictNumber(const std::string& text, double& out) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  char* end = nullptr;
  out = std::strtod(t.c_str(), &end);
  return end && *end == '\0' && std::isfinite(out);
}

// Reads a numeric argument; texts must be numbers. Returns false after setting the error.
bool NumArg(sqlite3_context* ctx, sqlite3_value* v, double& out) {
  if (IsNumeric(v)) {
    out = sqlite3_value_double(v);
    return true;
  }
  if (StrictNumber(TextOf(v), out)) return true;
  Error(ctx, kMismatch);
  return false;
}

void ResultNumber(sqlite3_context* ctx, double d) {
  if (std::floor(d) == d && std::fabs(d) < 9e15) {
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
  } else {
    sqlite3_result_double(ctx, d);
  }
}

}  // namespace

#define ANY_NULL_RETURNS_NULL(n)   \
  for (int i_ = 0; i_ < (n); ++i_) \
    if (IsNull(argv[i_])) {        \
      sqlite3_result_null(ctx);    \
      return;                      \
    }

// ---------- storing into columns ----------
static void StoreText(sqlite3_context* ctx, sqlite3_value** argv, bool pad) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  std::string s = TextOf(argv[0]);
  size_t width = static_cast<size_t>(sqlite3_value_int(argv[1]));
  if (width > 0 && s.size() > width) {
    // Blanks beyond the width are only padding; anything else does not fit.
    std::string kept = RTrim(s);
    if (kept.size() > width) {
      std::string col = TextOf(argv[2]);
      return Error(ctx, Format("字段“%s”太小，容纳不下要写入的数据（最多 %zu 个字节，要写入 %zu 个字节）。",
                               col.c_str(), width, kept.size()));
    }
    s = kept;
  }
  if (pad && s.size() < width) s.append(width - s.size(), ' ');
  ResultText(ctx, s);
}

void FnChar(sqlite3_context* ctx, int, sqlite3_value** argv) {
  StoreText(ctx, argv, true);
}
void FnText(sqlite3_context* ctx, int, sqlite3_value** argv) {
  StoreText(ctx, argv, false);
}

void FnLong(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) {
    d = static_cast<double>(sqlite3_value_int64(argv[0]));
  } else if (!NumArg(ctx, argv[0], d)) {
    return;
  }
  d = std::nearbyint(d);
  int bits = sqlite3_value_int(argv[1]);
  double lo = bits == 8 ? 0 : bits == 1 ? -1 : -std::ldexp(1.0, bits - 1);
  double hi = bits == 8 ? 255 : bits == 1 ? 0 : std::ldexp(1.0, bits - 1) - 1;
  if (bits == 1) d = d != 0 ? -1 : 0;
  if (d < lo || d > hi) return Error(ctx, Format("字段“%s”的数值溢出。", TextOf(argv[2]).c_str()));
  sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
}

void FnReal(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumArg(ctx, argv[0], d)) return;
  sqlite3_result_double(ctx, d);
}

// ---------- operators ----------
void FnNum(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  if (IsNumeric(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  double d;
  if (NumArg(ctx, argv[0], d)) ResultNumber(ctx, d);
}

void FnAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(2);
  if (!IsNumeric(argv[0]) && !IsNumeric(argv[1])) return ResultText(ctx, TextOf(argv[0]) + TextOf(argv[1]));
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER && sqlite3_value_type(argv[1]) == SQLITE_INTEGER) {
    sqlite3_int64 r;
    if (!__builtin_add_overflow(sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1]), &r))
      return sqlite3_result_int64(ctx, r);
  }
  double a, b;
  if (NumArg(ctx, argv[0], a) && NumArg(ctx, argv[1], b)) ResultNumber(ctx, a + b);
}

void FnAmp(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) && IsNull(argv[1])) return sqlite3_result_null(ctx);
  ResultText(ctx, TextOf(argv[0]) + TextOf(argv[1]));
}

void FnDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(2);
  double a, b;
  if (!NumArg(ctx, argv[0], a) || !NumArg(ctx, argv[1], b)) return;
  if (b == 0) return Error(ctx, "被零除。");
  sqlite3_result_double(ctx, a / b);
}

static void IntDivide(sqlite3_context* ctx, sqlite3_value** argv, bool remainder) {
  ANY_NULL_RETURNS_NULL(2);
  double a, b;
  if (!NumArg(ctx, argv[0], a) || !NumArg(ctx, argv[1], b)) return;
  // Both operands are rounded to whole numbers first; one that no whole number of the engine can hold
  // overflows instead of being cast into garbage (or a trap, for the smallest number divided by -1).
  a = std::nearbyint(a);
  b = std::nearbyint(b);
  constexpr double kLimit = 9223372036854775807.0;
  if (!(std::fabs(a) < kLimit) || !(std::fabs(b) < kLimit)) return Error(ctx, "溢出。");
  long long x = static_cast<long long>(a), y = static_cast<long long>(b);
  if (y == 0) return Error(ctx, "被零除。");
  if (y == -1) return sqlite3_result_int64(ctx, remainder ? 0 : -x);
  sqlite3_result_int64(ctx, remainder ? x % y : x / y);
}
void FnIDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  IntDivide(ctx, argv, false);
}
void FnMod(sqlite3_context* ctx, int, sqlite3_value** argv) {
  IntDivide(ctx, argv, true);
}

void FnPow(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(2);
  double a, b;
  if (!NumArg(ctx, argv[0], a) || !NumArg(ctx, argv[1], b)) return;
  double r = std::pow(a, b);
  if (!std::isfinite(r)) return Error(ctx, kBadCall);
  ResultNumber(ctx, r);
}

// ---------- text functions (bytes; the program counts bytes) ----------
void FnTrim(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  ResultText(ctx, Trim(TextOf(argv[0])));
}
void FnRTrim(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  ResultText(ctx, RTrim(TextOf(argv[0])));
}
void FnLTrim(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  ResultText(ctx, LTrim(TextOf(argv[0])));
}

static bool CountArg(sqlite3_context* ctx, sqlite3_value* v, long long& n, long long min) {
  double d;
  if (!NumArg(ctx, v, d)) return false;
  n = static_cast<long long>(std::nearbyint(d));
  if (n < min) {
    Error(ctx, kBadCall);
    return false;
  }
  return true;
}

void FnLeft(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(2);
  long long n;
  if (!CountArg(ctx, argv[1], n, 0)) return;
  std::string s = TextOf(argv[0]);
  ResultText(ctx, s.substr(0, static_cast<size_t>(std::min<long long>(n, static_cast<long long>(s.size())))));
}

void FnRight(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(2);
  long long n;
  if (!CountArg(ctx, argv[1], n, 0)) return;
  std::string s = TextOf(argv[0]);
  size_t k = static_cast<size_t>(std::min<long long>(n, static_cast<long long>(s.size())));
  ResultText(ctx, s.substr(s.size() - k));
}

void FnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(argc);
  long long start, len = std::numeric_limits<int>::max();
  if (!CountArg(ctx, argv[1], start, 1)) return;
  if (argc == 3 && !CountArg(ctx, argv[2], len, 0)) return;
  std::string s = TextOf(argv[0]);
  if (static_cast<size_t>(start) > s.size()) return ResultText(ctx, "");
  ResultText(ctx, s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(len)));
}

void FnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(TextOf(argv[0]).size()));
}

static bool SameUnit(const std::string& a, size_t i, const std::string& b, bool fold) {
  for (size_t k = 0; k < b.size(); ++k) {
    unsigned char x = static_cast<unsigned char>(a[i + k]), y = static_cast<unsigned char>(b[k]);
    if (x == y) continue;
    if (fold && Fold(x) == Fold(y) && x < 0x80) continue;
    return false;
  }
  return true;
}

void FnInstr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  // instr(text, find) or instr(start, text, find [, compare]); 1-based position of a whole character.
  int base = 0;
  long long start = 1;
  bool fold = false;
  if (argc >= 3) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    if (!CountArg(ctx, argv[0], start, 1)) return;
    base = 1;
    if (argc == 4) {
      if (IsNull(argv[3])) return sqlite3_result_null(ctx);
      fold = sqlite3_value_int(argv[3]) == 1;
    }
  }
  if (IsNull(argv[base]) || IsNull(argv[base + 1])) return sqlite3_result_null(ctx);
  std::string s = TextOf(argv[base]), f = TextOf(argv[base + 1]);
  size_t from = static_cast<size_t>(start - 1);
  if (from > s.size()) return sqlite3_result_int(ctx, 0);
  if (f.empty()) return sqlite3_result_int64(ctx, start);
  for (size_t i = 0; i + f.size() <= s.size(); i = gbk::NextChar(s, i)) {
    if (i < from) continue;
    if (SameUnit(s, i, f, fold)) return sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(i + 1));
  }
  sqlite3_result_int(ctx, 0);
}

void FnCStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  ResultText(ctx, TextOf(argv[0]));
}

void FnStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  double d;
  if (!NumArg(ctx, argv[0], d)) return;
  ResultText(ctx, (d >= 0 ? " " : "") + NumberText(d));
}

void FnVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  if (IsNumeric(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
    // Read in place: val() runs on a column of every row a statement looks at.
    const char* p = reinterpret_cast<const char*>(sqlite3_value_blob(argv[0]));
    return ResultNumber(
        ctx, ValOf(std::string_view(p ? p : "", static_cast<size_t>(sqlite3_value_bytes(argv[0])))));
  }
  ResultNumber(ctx, ValOf(TextOf(argv[0])));
}

void FnStrComp(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(argc);
  bool fold = argc == 3 && sqlite3_value_int(argv[2]) == 1;
  std::string a = TextOf(argv[0]), b = TextOf(argv[1]);
  size_t n = std::min(a.size(), b.size());
  int r = 0;
  for (size_t i = 0; i < n && r == 0; ++i) {
    unsigned x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (fold) {
      x = Fold(x);
      y = Fold(y);
    }
    r = x < y ? -1 : x > y ? 1 : 0;
  }
  if (r == 0 && a.size() != b.size()) r = a.size() < b.size() ? -1 : 1;
  sqlite3_result_int(ctx, r);
}

static void ChangeCase(sqlite3_context* ctx, sqlite3_value** argv, bool upper) {
  ANY_NULL_RETURNS_NULL(1);
  std::string s = TextOf(argv[0]);
  for (size_t i = 0; i < s.size(); i = gbk::NextChar(s, i)) {
    char& c = s[i];
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  ResultText(ctx, s);
}
void FnUCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ChangeCase(ctx, argv, true);
}
void FnLCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ChangeCase(ctx, argv, false);
}

void FnSpace(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  long long n;
  if (CountArg(ctx, argv[0], n, 0))
    ResultText(ctx, std::string(static_cast<size_t>(std::min(n, 65535LL)), ' '));
}

void FnChr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  long long n;
  if (!CountArg(ctx, argv[0], n, 0)) return;
  if (n > 0xFFFF) return Error(ctx, kBadCall);
  std::string s;
  if (n > 0xFF) s += static_cast<char>(n >> 8);
  s += static_cast<char>(n & 0xFF);
  ResultText(ctx, s);
}

void FnAsc(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  std::string s = TextOf(argv[0]);
  if (s.empty()) return Error(ctx, kBadCall);
  unsigned c = static_cast<unsigned char>(s[0]);
  if (gbk::CharLength(s, 0) == 2) c = (c << 8) | static_cast<unsigned char>(s[1]);
  sqlite3_result_int(ctx, static_cast<int>(c));
}

static void Math1(sqlite3_context* ctx, sqlite3_value** argv, double (*f)(double)) {
  ANY_NULL_RETURNS_NULL(1);
  double d;
  if (NumArg(ctx, argv[0], d)) ResultNumber(ctx, f(d));
}
void FnInt(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Math1(ctx, argv, [](double d) { return std::floor(d); });
}
void FnFix(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Math1(ctx, argv, [](double d) { return std::trunc(d); });
}
void FnSgn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Math1(ctx, argv, [](double d) { return d > 0 ? 1.0 : d < 0 ? -1.0 : 0.0; });
}
void FnAbs(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Math1(ctx, argv, [](double d) { return std::fabs(d); });
}
void FnCLng(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Math1(ctx, argv, [](double d) { return std::nearbyint(d); });
}

void FnSqr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  double d;
  if (!NumArg(ctx, argv[0], d)) return;
  if (d < 0) return Error(ctx, kBadCall);
  sqlite3_result_double(ctx, std::sqrt(d));
}

void FnCDbl(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(1);
  double d;
  if (NumArg(ctx, argv[0], d)) sqlite3_result_double(ctx, d);
}

void FnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (!IsNull(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  if (argc == 2) return sqlite3_result_value(ctx, argv[1]);
  ResultText(ctx, "");
}

void FnLike(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ANY_NULL_RETURNS_NULL(2);
  // The compiled pattern is kept with the statement while the pattern argument stays the same.
  auto* pat = static_cast<std::vector<PatElem>*>(sqlite3_get_auxdata(ctx, 1));
  if (!pat) {
    auto compiled = std::make_unique<std::vector<PatElem>>();
    if (!CompilePattern(TextOf(argv[1]), *compiled)) return Error(ctx, "模式字符串无效。");
    pat = compiled.release();
    sqlite3_set_auxdata(ctx, 1, pat, [](void* p) { delete static_cast<std::vector<PatElem>*>(p); });
    pat = static_cast<std::vector<PatElem>*>(sqlite3_get_auxdata(ctx, 1));
    if (!pat) {  // SQLite may drop auxiliary data at once: match with a fresh copy
      std::vector<PatElem> once;
      CompilePattern(TextOf(argv[1]), once);
      return sqlite3_result_int(ctx, MatchCompiled(once, Units(TextOf(argv[0]))));
    }
  }
  sqlite3_result_int(ctx, MatchCompiled(*pat, Units(TextOf(argv[0]))));
}

}  // namespace jet
