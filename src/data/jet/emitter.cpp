#include "data/jet/emitter.h"

#include <memory>
#include <optional>

#include "base/text.h"
#include "data/db_error.h"
#include "data/jet/dialect_functions.h"
#include "data/jet/lexer.h"
#include "data/jet/parser.h"

namespace jet {

namespace {

enum class SType { Text, Num, Null, Unknown };

struct Emitted {
  std::string sql;
  SType type = SType::Unknown;
  // On the server: the SQL is a truth value (boolean), not a number; it becomes 1/0 where a value is read.
  bool pred = false;
};

// A name or a text between its quotes, a quote inside doubled.
std::string Quoted(const std::string& value, char quote) {
  std::string out(1, quote);
  for (char c : value) {
    out += c;
    if (c == quote) out += quote;
  }
  return out + quote;
}

std::string QuoteIdent(const std::string& name) {
  return Quoted(name, '"');
}

std::string QuoteText(const std::string& value) {
  return Quoted(value, '\'');
}

struct Scope {
  struct Entry {
    std::string name, alias;
    const TableInfo* info;
  };
  std::vector<Entry> tables;
  const Scope* parent = nullptr;
};

// A half-open or closed range of text values that a predicate implies for one expression.
struct Range {
  std::string expr;  // emitted SQL of the expression
  std::string lo, hi;
  bool hasHi = false;
  bool hiInclusive = false;
};

SType TypeOf(Yields yields, const std::vector<Emitted>& args) {
  if (yields == Yields::Text) return SType::Text;
  if (yields == Yields::Number) return SType::Num;
  return args[0].type;
}

// What both engines share: the statements, the names, the scopes and the index ranges. What differs
// between them (the server's static types, its truth values, its right-trimmed comparisons and its column
// types) is asked of the engine's own emitter below, chosen once for a translation.
class Emitter {
 public:
  Emitter(const std::string& sql, SchemaSource& schema, const EmitOptions& options)
      : sql_(sql), schema_(schema), opt_(options) {}
  virtual ~Emitter() = default;

  Translation Run(Statement& st) {
    Translation t;
    std::visit([&](auto& s) { Emit(s, t); }, st);
    return t;
  }

 protected:
  // ---------- what each engine writes its own way ----------
  // How NULL sorts: below everything, as on the embedded engine.
  virtual std::string NullsOrder(bool desc) const = 0;
  // The value as it goes into the conversion of its column.
  virtual std::string StoredValue(const ColumnInfo& c, const Emitted& e) const = 0;
  // What follows a derived table of the given name in FROM.
  virtual std::string DerivedTable(const char* name) const = 0;
  // The type a column is made with, and what else keeps its declared type.
  virtual std::string ColumnType(const ColumnDef& c) const = 0;
  virtual void KeepDeclaredType(const std::string& table, const ColumnDef& c, Translation& t) const = 0;
  // An index's key for a column, the trim its twin index is made with, and how the twin carries columns.
  virtual std::string IndexKey(const ColumnInfo& c) const = 0;
  virtual const char* TwinTrim() const = 0;
  virtual std::string CarriedColumns(const std::string& carried) const = 0;
  // The type of a value that may be a text or a number.
  virtual SType Mixed() const = 0;
  // A value read as a number, and a value used as a condition.
  virtual std::string Value(const Emitted& e) const = 0;
  virtual std::string Truth(const Emitted& e) const = 0;
  virtual Emitted Param(const std::string& number) const = 0;
  virtual Emitted Operator(Expr& e, const Emitted& a, const Emitted& b) = 0;
  virtual Emitted InList(Expr& e, const Scope& scope) = 0;
  virtual Emitted InSelect(Expr& e, const Scope& scope) = 0;
  virtual Emitted Between(Expr& e, const Scope& scope) = 0;
  // One branch of an iif whose result has the given type.
  virtual std::string Branch(const Emitted& e, SType type) const = 0;
  virtual Emitted Call(const Expr& e, const DialectFunction& f, const std::vector<Emitted>& args) = 0;
  // The expression a text range bounds.
  virtual std::string RangeSubject(const Expr& e, const Emitted& v) const = 0;
  virtual Emitted LikeCall(const Emitted& value, const Emitted& pattern, bool negate) const = 0;

  [[noreturn]] void Fail(const std::string& what, size_t pos) const {
    throw DbError(ErrorAt(what, sql_, pos));
  }

  const TableInfo& Table(const TableRef& ref) {
    const TableInfo* info = schema_.FindTable(ref.name);
    if (!info) Fail(Format("找不到表“%s”", ref.name.c_str()), ref.pos);
    return *info;
  }

  // ---------- statements ----------
  void Emit(Select& s, Translation& t) {
    t.isQuery = true;
    Scope scope;
    t.statements.push_back(EmitSelect(s, scope, nullptr, false));
  }

  std::string EmitSelect(Select& s, Scope& scope, const Scope* parent, bool positionalNames,
                         std::vector<SType>* itemTypes = nullptr) {
    scope.parent = parent;
    for (auto& ref : s.from) {
      const TableInfo& info = Table(ref);
      scope.tables.push_back({info.name, ref.alias, &info});
    }
    std::string out = "SELECT ";
    if (s.distinct) out += "DISTINCT ";
    int position = 0;
    bool first = true;
    auto addItem = [&](const std::string& sqlText, const std::string& name, SType type) {
      if (!first) out += ",";
      first = false;
      std::string shown = positionalNames ? Format("c%d", position) : name;
      out += sqlText + " AS " + QuoteIdent(shown);
      if (itemTypes) itemTypes->push_back(type);
      ++position;
    };
    for (auto& item : s.items) {
      if (!item.star.empty()) {
        bool any = false;
        for (auto& e : scope.tables) {
          if (item.star != "*" && Lower(item.star) != Lower(e.alias.empty() ? e.name : e.alias)) continue;
          any = true;
          std::string q = QuoteIdent(e.alias.empty() ? e.name : e.alias);
          for (auto& c : e.info->columns)
            addItem(q + "." + QuoteIdent(c.name), c.name, IsTextType(c.type) ? SType::Text : SType::Num);
        }
        if (!any) Fail(Format("找不到表“%s”", item.star.c_str()), 0);
        continue;
      }
      Emitted e = EmitExpr(*item.expr, scope);
      std::string name = item.alias;
      if (name.empty()) {
        if (item.expr->kind == ExprKind::Column) {
          name = ResolveColumn(*item.expr, scope).column->name;
        } else {
          name = Format("Expr%d", 1000 + position);
        }
      }
      addItem(e.sql, name, e.type);
    }
    out += " FROM ";
    for (size_t i = 0; i < scope.tables.size(); ++i) {
      if (i) out += ",";
      out += QuoteIdent(scope.tables[i].name);
      if (!scope.tables[i].alias.empty()) out += " AS " + QuoteIdent(scope.tables[i].alias);
    }
    if (s.where) out += " WHERE " + EmitCondition(*s.where, scope);
    if (!s.groupBy.empty()) {
      out += " GROUP BY ";
      for (size_t i = 0; i < s.groupBy.size(); ++i)
        out += (i ? "," : "") + EmitExpr(*s.groupBy[i], scope).sql;
    }
    if (s.having) out += " HAVING " + EmitCondition(*s.having, scope);
    if (!s.orderBy.empty()) {
      out += " ORDER BY ";
      for (size_t i = 0; i < s.orderBy.size(); ++i) {
        out += (i ? "," : "") + EmitExpr(*s.orderBy[i].expr, scope).sql;
        if (s.orderBy[i].desc) out += " DESC";
        out += NullsOrder(s.orderBy[i].desc);
      }
    }
    if (s.top) out += Format(" LIMIT %lld", *s.top);
    return out;
  }

  // The conversion every value goes through on its way into a column.
  std::string Store(const ColumnInfo& c, const Emitted& e) {
    std::string value = StoredValue(c, e);
    std::string col = QuoteText(c.name);
    switch (c.type) {
      case ColType::Char:
        return Format("jet_char(%s,%d,%s)", value.c_str(), c.width, col.c_str());
      case ColType::Text:
        return Format("jet_text(%s,%d,%s)", value.c_str(), c.width, col.c_str());
      case ColType::Memo:
        return Format("jet_text(%s,0,%s)", value.c_str(), col.c_str());
      case ColType::Long:
        return Format("jet_long(%s,32,%s)", value.c_str(), col.c_str());
      case ColType::Short:
        return Format("jet_long(%s,16,%s)", value.c_str(), col.c_str());
      case ColType::Byte:
        return Format("jet_long(%s,8,%s)", value.c_str(), col.c_str());
      case ColType::Bit:
        return Format("jet_long(%s,1,%s)", value.c_str(), col.c_str());
      default:
        return Format("jet_real(%s,%s)", value.c_str(), col.c_str());
    }
  }

  const ColumnInfo& TargetColumn(const TableInfo& info, const std::string& name, size_t pos) {
    const ColumnInfo* c = info.Find(name);
    if (!c) Fail(Format("表“%s”中没有字段“%s”", info.name.c_str(), name.c_str()), pos);
    return *c;
  }

  void Emit(Insert& ins, Translation& t) {
    const TableInfo& info = Table(ins.table);
    std::vector<const ColumnInfo*> cols;
    if (ins.columns.empty()) {
      for (auto& c : info.columns) cols.push_back(&c);
    } else {
      for (auto& name : ins.columns) {
        const ColumnInfo* c = &TargetColumn(info, name, ins.table.pos);
        for (auto* other : cols)
          if (other == c) Fail(Format("字段“%s”在 INSERT 语句中出现了两次", c->name.c_str()), ins.table.pos);
        cols.push_back(c);
      }
    }
    std::string out = "INSERT INTO " + QuoteIdent(info.name) + "(";
    for (size_t i = 0; i < cols.size(); ++i) out += (i ? "," : "") + QuoteIdent(cols[i]->name);
    out += ") ";
    if (ins.select) {
      Scope scope;
      std::vector<SType> yielded;  // "*" expands to the tables' columns: count what the select yields
      std::string inner = EmitSelect(*ins.select, scope, nullptr, true, &yielded);
      if (yielded.size() != cols.size()) Fail("INSERT INTO 语句中的字段数与所选的值数不相符", ins.table.pos);
      out += "SELECT ";
      for (size_t i = 0; i < cols.size(); ++i)
        out += (i ? "," : "") + Store(*cols[i], Emitted{Format("\"c%zu\"", i), yielded[i]});
      out += " FROM (" + inner + ")" + DerivedTable("jet_source");
    } else {
      if (ins.values.size() != cols.size()) Fail("INSERT INTO 语句中的字段数与值的个数不相符", ins.table.pos);
      Scope scope;
      out += "VALUES(";
      for (size_t i = 0; i < cols.size(); ++i)
        out += (i ? "," : "") + Store(*cols[i], EmitExpr(*ins.values[i], scope));
      out += ")";
    }
    t.statements.push_back(out);
  }

  void Emit(Update& up, Translation& t) {
    const TableInfo& info = Table(up.table);
    Scope scope;
    scope.tables.push_back({info.name, "", &info});
    std::string out = "UPDATE " + QuoteIdent(info.name) + " SET ";
    for (size_t i = 0; i < up.sets.size(); ++i) {
      const ColumnInfo& c = TargetColumn(info, up.sets[i].first, up.table.pos);
      out += (i ? "," : "") + QuoteIdent(c.name) + "=" + Store(c, EmitExpr(*up.sets[i].second, scope));
    }
    if (up.where) out += " WHERE " + EmitCondition(*up.where, scope);
    t.statements.push_back(out);
  }

  void Emit(Delete& del, Translation& t) {
    const TableInfo& info = Table(del.table);
    Scope scope;
    scope.tables.push_back({info.name, "", &info});
    std::string out = "DELETE FROM " + QuoteIdent(info.name);
    if (del.where) out += " WHERE " + EmitCondition(*del.where, scope);
    t.statements.push_back(out);
  }

  void Emit(CreateTable& ct, Translation& t) {
    if (schema_.FindTable(ct.name)) Fail(Format("表“%s”已存在", ct.name.c_str()), 0);
    std::string out = "CREATE TABLE " + QuoteIdent(ct.name) + "(";
    for (size_t i = 0; i < ct.columns.size(); ++i) {
      for (size_t j = 0; j < i; ++j)
        if (Lower(ct.columns[j].name) == Lower(ct.columns[i].name))
          Fail(Format("字段“%s”定义了两次", ct.columns[i].name.c_str()), 0);
      out += (i ? "," : "") + QuoteIdent(ct.columns[i].name) + " " + ColumnType(ct.columns[i]);
    }
    t.statements.push_back(out + ")");
    for (auto& c : ct.columns) KeepDeclaredType(ct.name, c, t);
    t.changesSchema = true;
  }

  void Emit(CreateIndex& ci, Translation& t) {
    const TableInfo& info = Table(ci.table);
    std::string plain, trimmed;
    const ColumnInfo* firstCol = nullptr;
    for (size_t i = 0; i < ci.columns.size(); ++i) {
      const ColumnInfo& c = TargetColumn(info, ci.columns[i].first, ci.table.pos);
      if (!firstCol) firstCol = &c;
      std::string col = IndexKey(c) + (ci.columns[i].second ? " DESC" : "");
      plain += (i ? "," : "") + col;
      trimmed += (i ? "," : "") + (i == 0 ? TwinTrim() + ("(" + QuoteIdent(c.name) + ")") : col);
    }
    std::string name = StoredIndexName(info.name, ci.name);
    t.statements.push_back(Format("CREATE %sINDEX %s ON %s(%s)", ci.unique ? "UNIQUE " : "",
                                  QuoteIdent(name).c_str(), QuoteIdent(info.name).c_str(), plain.c_str()));
    // Codes are compared as trim(code) everywhere: a twin index on the trimmed first column serves them.
    // It also carries the table's short columns, so that the per-account counts and sums are read from the
    // index alone. One twin per first column is enough.
    if (firstCol && firstCol->type == ColType::Char && !HasTwin(info, *firstCol)) {
      std::string carried;
      for (auto& c : info.columns) {
        bool keyed = false;
        for (auto& k : ci.columns) keyed = keyed || Lower(k.first) == Lower(c.name);
        bool shortColumn = !IsTextType(c.type) || (c.type == ColType::Char && c.width <= 10);
        if (!keyed && shortColumn) carried += (carried.empty() ? "" : ",") + QuoteIdent(c.name);
      }
      if (!carried.empty()) trimmed += CarriedColumns(carried);
      t.statements.push_back(Format("CREATE INDEX %s ON %s(%s)", QuoteIdent(name + "$trim").c_str(),
                                    QuoteIdent(info.name).c_str(), trimmed.c_str()));
    }
    t.changesSchema = true;
  }

  bool HasTwin(const TableInfo& info, const ColumnInfo& first) {
    for (auto& twin : schema_.TwinIndexes(info.name))
      if (Lower(twin) == Lower(first.name)) return true;
    return false;
  }

  void Emit(AddColumn& ac, Translation& t) {
    const TableInfo& info = Table(ac.table);
    if (info.Find(ac.column.name)) Fail(Format("字段“%s”已存在", ac.column.name.c_str()), ac.table.pos);
    t.statements.push_back("ALTER TABLE " + QuoteIdent(info.name) + " ADD COLUMN " +
                           QuoteIdent(ac.column.name) + " " + ColumnType(ac.column));
    KeepDeclaredType(info.name, ac.column, t);
    t.changesSchema = true;
  }

  void Emit(DropTable& dt, Translation& t) {
    const TableInfo& info = Table(dt.table);
    t.statements.push_back("DROP TABLE " + QuoteIdent(info.name));
    t.changesSchema = true;
  }

  void Emit(DropIndex& di, Translation& t) {
    const TableInfo& info = Table(di.table);
    std::string name = StoredIndexName(info.name, di.name);
    t.statements.push_back("DROP INDEX " + QuoteIdent(name));
    t.statements.push_back("DROP INDEX IF EXISTS " + QuoteIdent(name + "$trim"));
    t.changesSchema = true;
  }

  // ---------- expressions ----------
  struct Resolved {
    std::string qualifier;
    const ColumnInfo* column;
  };

  Resolved ResolveColumn(const Expr& e, const Scope& scope) {
    for (const Scope* s = &scope; s; s = s->parent) {
      Resolved found{"", nullptr};
      for (auto& t : s->tables) {
        std::string visible = t.alias.empty() ? t.name : t.alias;
        if (!e.table.empty() && Lower(e.table) != Lower(visible) && Lower(e.table) != Lower(t.name)) continue;
        if (const ColumnInfo* c = t.info->Find(e.text)) {
          if (found.column) Fail(Format("字段“%s”可能引用多个表", e.text.c_str()), e.pos);
          found = {visible, c};
        }
      }
      if (found.column) return found;
    }
    Fail(Format("找不到字段“%s%s%s”", e.table.c_str(), e.table.empty() ? "" : ".", e.text.c_str()), e.pos);
  }

  SType Unify(SType a, SType b) const {
    if (a == b) return a;
    if (a == SType::Null) return b;
    if (b == SType::Null) return a;
    return Mixed();
  }

  static bool IsComparison(const std::string& op) {
    return op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=";
  }

  // The dialect's function for an arithmetic operator other than +, - and *.
  std::string ArithmeticFunction(const Expr& e) const {
    const std::string& op = e.text;
    const char* fn = op == "/"     ? "jet_div"
                     : op == "\\"  ? "jet_idiv"
                     : op == "mod" ? "jet_mod"
                     : op == "^"   ? "jet_pow"
                                   : nullptr;
    if (!fn) Fail("无法识别的运算符", e.pos);
    return fn;
  }

  static Emitted Pred(std::string sql) {
    Emitted e{std::move(sql), SType::Num};
    e.pred = true;
    return e;
  }

  Emitted EmitExpr(Expr& e, const Scope& scope) {
    Emitted r = EmitRaw(e, scope);
    if (r.pred) return {Value(r), SType::Num};
    return r;
  }

  Emitted EmitRaw(Expr& e, const Scope& scope) {
    switch (e.kind) {
      case ExprKind::Number:
        return {e.text, SType::Num};
      case ExprKind::String:
        return {QuoteText(e.text), SType::Text};
      case ExprKind::Null:
        return {"NULL", SType::Null};
      case ExprKind::Param:
        // Numbered as written, not as emitted: the emitter visits operands in whatever order it needs
        // (and repeats some), and the caller binds the values in the order of the statement's text.
        return Param(e.text);
      case ExprKind::CountAll:
        return {"count(*)", SType::Num};
      case ExprKind::Column: {
        Resolved r = ResolveColumn(e, scope);
        return {QuoteIdent(r.qualifier) + "." + QuoteIdent(r.column->name),
                IsTextType(r.column->type) ? SType::Text : SType::Num};
      }
      case ExprKind::Unary: {
        if (e.text == "not") return Pred("(NOT " + EmitCondition(*e.args[0], scope) + ")");
        Emitted a = EmitExpr(*e.args[0], scope);
        if (a.type == SType::Text) a.sql = "jet_num(" + a.sql + ")";
        return {"(" + e.text + a.sql + ")", SType::Num};
      }
      case ExprKind::Binary:
        return EmitBinary(e, scope);
      case ExprKind::Like:
        return EmitLike(e, scope);
      case ExprKind::InList:
        return InList(e, scope);
      case ExprKind::InSelect:
        return InSelect(e, scope);
      case ExprKind::Between:
        return Between(e, scope);
      case ExprKind::IsNull: {
        Emitted r{"(" + EmitExpr(*e.args[0], scope).sql + (e.negate ? " IS NOT NULL)" : " IS NULL)"), SType::Num};
        r.pred = true;
        return r;
      }
      case ExprKind::Func:
        return EmitFunc(e, scope);
    }
    Fail("无法识别的表达式", e.pos);
  }

  static bool RefersToColumn(const Expr& e) {
    if (e.kind == ExprKind::Column) return true;
    for (auto& a : e.args)
      if (RefersToColumn(*a)) return true;
    return false;
  }

  Emitted EmitBinary(Expr& e, const Scope& scope) {
    const std::string& op = e.text;
    if (op == "and" || op == "or") {
      std::string left = EmitCondition(*e.args[0], scope);
      std::string right = EmitCondition(*e.args[1], scope);
      return Pred("(" + left + (op == "and" ? " AND " : " OR ") + right + ")");
    }
    Emitted a = EmitExpr(*e.args[0], scope);
    Emitted b = EmitExpr(*e.args[1], scope);
    return Operator(e, a, b);
  }

  Emitted EmitFunc(Expr& e, const Scope& scope) {
    if (e.text == "iif") {
      if (e.args.size() != 3) Fail("函数“iif”的参数个数不对", e.pos);
      std::string condition = EmitCondition(*e.args[0], scope);
      Emitted a = EmitExpr(*e.args[1], scope), b = EmitExpr(*e.args[2], scope);
      SType type = Unify(a.type, b.type);
      return {"(CASE WHEN " + condition + " THEN " + Branch(a, type) + " ELSE " + Branch(b, type) + " END)",
              type};
    }
    const DialectFunction* f = FindDialectFunction(e.text);
    if (!f) Fail(Format("表达式中有未定义的函数“%s”", e.text.c_str()), e.pos);
    int n = static_cast<int>(e.args.size());
    if (n < f->minArgs || n > f->maxArgs) Fail(Format("函数“%s”的参数个数不对", e.text.c_str()), e.pos);
    std::vector<Emitted> args;
    for (auto& a : e.args) args.push_back(EmitExpr(*a, scope));
    return Call(e, *f, args);
  }

  // ---------- LIKE and the ranges it implies ----------
  struct Pattern {
    std::string prefix;       // literal characters before the first wildcard
    bool pureStar = false;    // the pattern is prefix followed by one "*" and nothing else
    bool noWildcard = false;  // the pattern is all literal
  };

  static std::optional<Pattern> AnalysePattern(const Expr& pat) {
    if (pat.kind != ExprKind::String) return std::nullopt;
    const std::string& p = pat.text;
    Pattern r;
    size_t i = 0;
    for (; i < p.size(); ++i) {
      char c = p[i];
      if (c == '*' || c == '?' || c == '#' || c == '[') break;
      // Letters match either case, and a trailing blank is ignored by the column comparison: no range.
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return std::nullopt;
      if (static_cast<unsigned char>(c) >= 0x80 && i + 1 < p.size()) {
        r.prefix += c;
        r.prefix += p[++i];
        continue;
      }
      r.prefix += c;
    }
    if (!r.prefix.empty() && r.prefix.back() == ' ') return std::nullopt;
    r.noWildcard = i == p.size();
    r.pureStar = i + 1 == p.size() && p[i] == '*';
    return r;
  }

  // The smallest text above every text that starts with prefix, when there is one.
  static std::optional<std::string> UpperBound(std::string prefix) {
    while (!prefix.empty()) {
      unsigned char last = static_cast<unsigned char>(prefix.back());
      if (last < 0xFF) {
        prefix.back() = static_cast<char>(last + 1);
        return prefix;
      }
      prefix.pop_back();
    }
    return std::nullopt;
  }

  Emitted EmitLike(Expr& e, const Scope& scope) {
    Emitted value = EmitExpr(*e.args[0], scope);
    Emitted pattern = EmitExpr(*e.args[1], scope);
    if (opt_.indexSupport && value.type == SType::Text) {
      auto p = AnalysePattern(*e.args[1]);
      if (p && p->pureStar && !p->prefix.empty()) {
        // 'P-*' is exactly the texts from "P-" up to (not including) "P.": an index range.
        if (auto hi = UpperBound(p->prefix)) {
          std::string subject = RangeSubject(*e.args[0], value);
          std::string range = "(" + subject + ">=" + QuoteText(p->prefix) + " AND " + subject + "<" +
                              QuoteText(*hi) + ")";
          return Pred(e.negate ? "(NOT " + range + ")" : range);
        }
      }
    }
    return LikeCall(value, pattern, e.negate);
  }

  std::optional<Range> ImpliedRange(Expr& e, const Scope& scope) {
    if (e.kind == ExprKind::Binary && e.text == "=" && e.args[1]->kind == ExprKind::String) {
      Emitted v = EmitExpr(*e.args[0], scope);
      if (v.type != SType::Text) return std::nullopt;
      const std::string& lit = e.args[1]->text;
      if (!lit.empty() && lit.back() == ' ') return std::nullopt;
      return Range{RangeSubject(*e.args[0], v), lit, lit, true, true};
    }
    if (e.kind == ExprKind::Like && !e.negate) {
      Emitted v = EmitExpr(*e.args[0], scope);
      if (v.type != SType::Text) return std::nullopt;
      auto p = AnalysePattern(*e.args[1]);
      if (!p || p->prefix.empty()) return std::nullopt;
      std::string subject = RangeSubject(*e.args[0], v);
      if (p->noWildcard) return Range{subject, p->prefix, p->prefix, true, true};
      auto hi = UpperBound(p->prefix);
      return Range{subject, p->prefix, hi ? *hi : "", hi.has_value(), false};
    }
    if (e.kind == ExprKind::Binary && e.text == "or") {
      auto a = ImpliedRange(*e.args[0], scope);
      auto b = ImpliedRange(*e.args[1], scope);
      if (!a || !b || a->expr != b->expr) return std::nullopt;
      Range r = *a;
      r.lo = std::min(a->lo, b->lo);
      if (!a->hasHi || !b->hasHi) {
        r.hasHi = false;
      } else if (a->hi == b->hi) {
        r.hiInclusive = a->hiInclusive || b->hiInclusive;
      } else {
        const Range& top = a->hi > b->hi ? *a : *b;
        r.hi = top.hi;
        r.hiInclusive = top.hiInclusive;
      }
      return r;
    }
    return std::nullopt;
  }

  // A condition, with an index range added in front of an OR whose branches all bound the same text.
  std::string EmitCondition(Expr& e, const Scope& scope) {
    std::string body;
    if (e.kind == ExprKind::Binary && (e.text == "and" || e.text == "or")) {
      body = EmitBinary(e, scope).sql;
    } else {
      body = Truth(EmitRaw(e, scope));
    }
    if (opt_.indexSupport && e.kind == ExprKind::Binary && e.text == "or") {
      if (auto r = ImpliedRange(e, scope)) {
        std::string range = r->expr + ">=" + QuoteText(r->lo);
        if (r->hasHi) range += " AND " + r->expr + (r->hiInclusive ? "<=" : "<") + QuoteText(r->hi);
        return "(" + range + " AND " + body + ")";
      }
    }
    return body;
  }

  const std::string& sql_;
  SchemaSource& schema_;
  EmitOptions opt_;
};

// The embedded engine: SQLite with the dialect's functions registered, texts kept in RTRIM columns, a type
// decided row by row where the statement does not tell it.
class EmbeddedEmitter final : public Emitter {
 public:
  using Emitter::Emitter;

 private:
  std::string NullsOrder(bool) const override { return ""; }
  std::string StoredValue(const ColumnInfo&, const Emitted& e) const override { return e.sql; }
  std::string DerivedTable(const char*) const override { return ""; }
  // The dialect's own name, which the engine keeps.
  std::string ColumnType(const ColumnDef& c) const override { return DeclaredType(c); }
  void KeepDeclaredType(const std::string&, const ColumnDef&, Translation&) const override {}
  std::string IndexKey(const ColumnInfo& c) const override { return QuoteIdent(c.name); }
  const char* TwinTrim() const override { return "trim"; }
  std::string CarriedColumns(const std::string& carried) const override { return "," + carried; }
  SType Mixed() const override { return SType::Unknown; }
  std::string Value(const Emitted& e) const override { return e.sql; }
  std::string Truth(const Emitted& e) const override { return e.sql; }
  Emitted Param(const std::string& number) const override { return {"?" + number, SType::Unknown}; }
  std::string Branch(const Emitted& e, SType) const override { return e.sql; }
  std::string RangeSubject(const Expr&, const Emitted& v) const override { return v.sql; }

  Emitted LikeCall(const Emitted& value, const Emitted& pattern, bool negate) const override {
    std::string call = "jet_like(" + value.sql + "," + pattern.sql + ")";
    return {negate ? "(NOT " + call + ")" : call, SType::Num};
  }

  Emitted Operator(Expr& e, const Emitted& a, const Emitted& b) override {
    const std::string& op = e.text;
    // A text column equal to another row value (a join such as subt.fzn=wbt.wno): SQLite's Bloom filters
    // on join lookups hash the stored bytes and ignore the column's RTRIM collation, so "1" padded to 10
    // would never meet "1" padded to 4. Comparing the right-trimmed texts is what the collation means and
    // leaves no lookup to filter.
    if (op == "=" && a.type == SType::Text && b.type == SType::Text &&
        (e.args[0]->kind == ExprKind::Column || e.args[1]->kind == ExprKind::Column) &&
        RefersToColumn(*e.args[0]) && RefersToColumn(*e.args[1]))
      return {"(jet_rtrim(" + a.sql + ")=jet_rtrim(" + b.sql + "))", SType::Num};
    if (IsComparison(op)) return {"(" + a.sql + op + b.sql + ")", SType::Num};
    if (op == "&") return {"jet_amp(" + a.sql + "," + b.sql + ")", SType::Text};
    if (op == "+") {
      // Texts are joined, numbers added; decided here when both sides are known, else row by row.
      if (a.type == SType::Text && b.type == SType::Text)
        return {"(" + a.sql + "||" + b.sql + ")", SType::Text};
      if (a.type == SType::Num && b.type == SType::Num) return {"(" + a.sql + "+" + b.sql + ")", SType::Num};
      if (a.type == SType::Null || b.type == SType::Null) return {"NULL", SType::Null};
      return {"jet_add(" + a.sql + "," + b.sql + ")", SType::Unknown};
    }
    auto num = [](const Emitted& x) { return x.type == SType::Text ? "jet_num(" + x.sql + ")" : x.sql; };
    if (op == "-" || op == "*") return {"(" + num(a) + op + num(b) + ")", SType::Num};
    return {ArithmeticFunction(e) + ("(" + a.sql + "," + b.sql + ")"), SType::Num};
  }

  Emitted InList(Expr& e, const Scope& scope) override {
    Emitted v = EmitExpr(*e.args[0], scope);
    std::string out = "(" + v.sql + (e.negate ? " NOT IN (" : " IN (");
    for (size_t i = 1; i < e.args.size(); ++i) out += (i > 1 ? "," : "") + EmitExpr(*e.args[i], scope).sql;
    return {out + "))", SType::Num};
  }

  Emitted InSelect(Expr& e, const Scope& scope) override {
    Scope inner;
    std::string sub = EmitSelect(*e.sub, inner, &scope, false);
    return {"(" + EmitExpr(*e.args[0], scope).sql + (e.negate ? " NOT IN (" : " IN (") + sub + "))", SType::Num};
  }

  Emitted Between(Expr& e, const Scope& scope) override {
    // One operand after the other, so that the first fault in the text is the one reported.
    std::string v = EmitExpr(*e.args[0], scope).sql;
    std::string lo = EmitExpr(*e.args[1], scope).sql;
    std::string hi = EmitExpr(*e.args[2], scope).sql;
    return {"(" + v + (e.negate ? " NOT BETWEEN " : " BETWEEN ") + lo + " AND " + hi + ")", SType::Num};
  }

  Emitted Call(const Expr& e, const DialectFunction& f, const std::vector<Emitted>& args) override {
    std::string target = f.name;
    // The built-in trim is what the twin indexes were made with; a number goes through the dialect's own
    // text form first.
    if (target == "trim" && (!opt_.indexSupport || args[0].type != SType::Text)) target = "jet_trim";
    std::string out = target + "(";
    if (e.distinct) out += "DISTINCT ";
    for (size_t i = 0; i < args.size(); ++i) out += (i ? "," : "") + args[i].sql;
    return {out + ")", TypeOf(f.yields, args)};
  }
};

// The server: every value of one static type (a text, a number, or a truth value that becomes 1/0 where
// it is read), texts compared right-trimmed where a column is among them, as the embedded engine's RTRIM
// collation compares them.
class ServerEmitter final : public Emitter {
 public:
  using Emitter::Emitter;

 private:
  std::string NullsOrder(bool desc) const override { return desc ? " NULLS LAST" : " NULLS FIRST"; }
  std::string StoredValue(const ColumnInfo& c, const Emitted& e) const override {
    return IsTextType(c.type) ? AsText(e) : AsNum(e);
  }
  std::string DerivedTable(const char* name) const override { return std::string(" AS ") + name; }

  // The server's type; the dialect's name goes into the column's comment.
  std::string ColumnType(const ColumnDef& c) const override {
    switch (c.type) {
      case ColType::Char:
      case ColType::Text:
      case ColType::Memo:
        return "text";
      case ColType::Long:
        return "integer";
      case ColType::Short:
      case ColType::Byte:
      case ColType::Bit:
        return "smallint";
      default:
        return "double precision";
    }
  }

  void KeepDeclaredType(const std::string& table, const ColumnDef& c, Translation& t) const override {
    std::string declared = DeclaredType(c);
    size_t collate = declared.find(" COLLATE");
    if (collate != std::string::npos) declared.erase(collate);
    t.statements.push_back("COMMENT ON COLUMN " + QuoteIdent(table) + "." + QuoteIdent(c.name) + " IS " +
                           QuoteText(declared));
  }

  // The keys of texts are the right-trimmed texts, as they compare.
  std::string IndexKey(const ColumnInfo& c) const override {
    return IsTextType(c.type) ? "rtrim(" + QuoteIdent(c.name) + ")" : QuoteIdent(c.name);
  }
  const char* TwinTrim() const override { return "btrim"; }
  std::string CarriedColumns(const std::string& carried) const override { return ") INCLUDE (" + carried; }
  // The server needs one type: a text and a number meet as texts.
  SType Mixed() const override { return SType::Text; }

  // A value where the server needs a text: a number in its cstr$ form.
  std::string AsText(const Emitted& e) const {
    std::string v = Value(e);
    return e.type == SType::Num ? "jet_cstr(" + v + ")" : v;
  }
  // A value where the server needs a number: a text must be one.
  std::string AsNum(const Emitted& e) const {
    std::string v = Value(e);
    return e.type == SType::Text ? "jet_num(" + v + ")" : v;
  }
  // A truth value read as a number (1, 0 or NULL).
  std::string Value(const Emitted& e) const override { return e.pred ? "(" + e.sql + ")::int" : e.sql; }
  // A value used as a condition: true when it is a number other than 0.
  std::string Truth(const Emitted& e) const override {
    if (e.pred) return e.sql;
    return "(" + AsNum(e) + "<>0)";
  }
  Emitted Param(const std::string& number) const override { return {"$" + number + "::text", SType::Text}; }
  std::string Branch(const Emitted& e, SType type) const override {
    return type == SType::Text ? AsText(e) : e.sql;
  }
  // A column's right-trimmed text.
  std::string RangeSubject(const Expr& e, const Emitted& v) const override {
    return IsBareColumn(e) ? "rtrim(" + v.sql + ")" : v.sql;
  }

  Emitted LikeCall(const Emitted& value, const Emitted& pattern, bool negate) const override {
    std::string call = "jet_like(" + AsText(value) + "," + AsText(pattern) + ")";
    return Pred(negate ? "(NOT " + call + ")" : call);
  }

  // A text column of a table (not an expression) compares right-trimmed.
  static bool IsBareColumn(const Expr& e) { return e.kind == ExprKind::Column; }

  std::string Trimmed(const Expr& e, const Emitted& v) const {
    if (e.kind == ExprKind::String) return QuoteText(RTrim(e.text));
    return "rtrim(" + AsText(v) + ")";
  }

  // a op b with the embedded engine's rules for mixed kinds: a text column meets a number as a text;
  // otherwise a text meets a number as a number; texts compare right-trimmed when a column is among them.
  std::string Compare(const Expr& ea, const Emitted& a, const std::string& op, const Expr& eb,
                      const Emitted& b) const {
    bool aText = a.type == SType::Text, bText = b.type == SType::Text;
    bool aCol = IsBareColumn(ea), bCol = IsBareColumn(eb);
    bool asText = (aText && bText) || (aText && aCol && !bCol && b.type == SType::Num) ||
                  (bText && bCol && !aCol && a.type == SType::Num) ||
                  (a.type == SType::Null && bText) || (b.type == SType::Null && aText);
    if (asText) {
      if ((aText && aCol) || (bText && bCol)) return "(" + Trimmed(ea, a) + op + Trimmed(eb, b) + ")";
      return "(" + AsText(a) + op + AsText(b) + ")";
    }
    return "(" + AsNum(a) + op + AsNum(b) + ")";
  }

  Emitted Operator(Expr& e, const Emitted& a, const Emitted& b) override {
    const std::string& op = e.text;
    if (IsComparison(op)) return Pred(Compare(*e.args[0], a, op, *e.args[1], b));
    if (op == "&") return {"jet_amp(" + AsText(a) + "," + AsText(b) + ")", SType::Text};
    if (op == "+") {
      if (a.type == SType::Text && b.type == SType::Text) return {"(" + a.sql + "||" + b.sql + ")", SType::Text};
      if (a.type == SType::Null || b.type == SType::Null) return {"NULL", SType::Null};
      return {"(" + AsNum(a) + "+" + AsNum(b) + ")", SType::Num};
    }
    if (op == "-" || op == "*") return {"(" + AsNum(a) + op + AsNum(b) + ")", SType::Num};
    return {ArithmeticFunction(e) + ("(" + AsNum(a) + "," + AsNum(b) + ")"), SType::Num};
  }

  Emitted InList(Expr& e, const Scope& scope) override {
    Emitted v = EmitExpr(*e.args[0], scope);
    bool trimmed = v.type == SType::Text && IsBareColumn(*e.args[0]);
    std::string out = "(" + (trimmed ? Trimmed(*e.args[0], v) : v.sql) + (e.negate ? " NOT IN (" : " IN (");
    for (size_t i = 1; i < e.args.size(); ++i) {
      Emitted item = EmitExpr(*e.args[i], scope);
      std::string sql = v.type == SType::Text   ? (trimmed ? Trimmed(*e.args[i], item) : AsText(item))
                        : v.type == SType::Num ? AsNum(item)
                                               : item.sql;
      out += (i > 1 ? "," : "") + sql;
    }
    return Pred(out + "))");
  }

  Emitted InSelect(Expr& e, const Scope& scope) override {
    Scope inner;
    Emitted v = EmitExpr(*e.args[0], scope);
    std::vector<SType> types;
    std::string sub = EmitSelect(*e.sub, inner, &scope, true, &types);
    SType t = types.empty() ? SType::Unknown : types[0];
    std::string lhs = v.sql, rhs = "\"c0\"";
    if (v.type == SType::Text && IsBareColumn(*e.args[0])) {
      lhs = Trimmed(*e.args[0], v);
      rhs = "rtrim(" + AsText(Emitted{rhs, t}) + ")";
    } else if (v.type == SType::Text) {
      rhs = AsText(Emitted{rhs, t});
    } else if (v.type == SType::Num) {
      rhs = AsNum(Emitted{rhs, t});
    }
    return Pred("(" + lhs + (e.negate ? " NOT IN (" : " IN (") + "SELECT " + rhs + " FROM (" + sub + ")" +
                DerivedTable("jet_in") + "))");
  }

  Emitted Between(Expr& e, const Scope& scope) override {
    Emitted v = EmitExpr(*e.args[0], scope), lo = EmitExpr(*e.args[1], scope), hi = EmitExpr(*e.args[2], scope);
    std::string both = "(" + Compare(*e.args[0], v, ">=", *e.args[1], lo) + " AND " +
                       Compare(*e.args[0], v, "<=", *e.args[2], hi) + ")";
    return Pred(e.negate ? "(NOT " + both + ")" : both);
  }

  // An argument as the server's function takes it (the kinds of DialectFunction::serverArgs).
  std::string Argument(char kind, const Emitted& a) const {
    if (kind == 'T') return AsText(a);
    if (kind == 'N') return AsNum(a);
    // A double, where the server would otherwise work on an exact decimal (a literal's rounding).
    if (kind == 'D') return "(" + AsNum(a) + ")::float8";
    // A sum of texts adds their leading numbers, as the embedded engine's sum reads them.
    if (kind == 'V') return a.type == SType::Text ? "jet_val(" + a.sql + ")" : AsNum(a);
    return Value(a);
  }

  // The kinds of a call's arguments: the first overload with room for them all, its last kind repeated.
  static std::string Kinds(const std::string& overloads, size_t count) {
    size_t at = 0;
    while (true) {
      size_t end = overloads.find('|', at);
      std::string kinds = overloads.substr(at, end == std::string::npos ? std::string::npos : end - at);
      if (kinds.size() >= count || end == std::string::npos) {
        if (kinds.size() < count) kinds.append(count - kinds.size(), kinds.back());
        return kinds;
      }
      at = end + 1;
    }
  }

  // A function on the server, its arguments converted to what its signature takes.
  Emitted Call(const Expr& e, const DialectFunction& f, const std::vector<Emitted>& args) override {
    switch (f.form) {
      case ServerForm::AsText:
        return {AsText(args[0]), args[0].type == SType::Null ? SType::Null : SType::Text};
      case ServerForm::Val:
        if (args[0].type == SType::Text) return {"jet_val(" + args[0].sql + ")", SType::Num};
        return {args[0].sql, args[0].type == SType::Null ? SType::Null : SType::Num};
      case ServerForm::Double:
        return {"(" + AsNum(args[0]) + ")::float8", SType::Num};
      case ServerForm::Coalesce: {
        SType t = args[0].type == SType::Null ? (args.size() == 2 ? args[1].type : SType::Text) : args[0].type;
        if (t == SType::Null) t = SType::Text;
        std::string fallback = args.size() == 2 ? (t == SType::Text ? AsText(args[1]) : AsNum(args[1]))
                                                : (t == SType::Text ? "''" : "0");
        std::string first = t == SType::Text ? AsText(args[0]) : AsNum(args[0]);
        return {"coalesce(" + first + "," + fallback + ")", t};
      }
      case ServerForm::Call:
      case ServerForm::Overload: {
        std::string kinds = Kinds(f.serverArgs, args.size());
        std::string out = std::string(f.serverName) + "(";
        // One of several overloads takes no DISTINCT.
        if (e.distinct && f.form == ServerForm::Call) out += "DISTINCT ";
        for (size_t i = 0; i < args.size(); ++i) out += (i ? "," : "") + Argument(kinds[i], args[i]);
        return {out + ")", TypeOf(f.yields, args)};
      }
      case ServerForm::None:
        break;
    }
    Fail(Format("表达式中有未定义的函数“%s”", e.text.c_str()), e.pos);
  }
};

}  // namespace

std::string StoredIndexName(const std::string& table, const std::string& index) {
  return table + "$" + index;
}

Translation Translate(const std::string& jetSql, SchemaSource& schema, const EmitOptions& options) {
  Statement st = Parse(jetSql);
  std::unique_ptr<Emitter> em;
  if (options.target == Target::Server) {
    em = std::make_unique<ServerEmitter>(jetSql, schema, options);
  } else {
    em = std::make_unique<EmbeddedEmitter>(jetSql, schema, options);
  }
  return em->Run(st);
}

}  // namespace jet
