#include "data/jet/parser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>
#include <vector>

#include "data/db_error.h"
#include "data/jet/lexer.h"

namespace jet {

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

namespace {

const std::set<std::string> kReserved = {
    "select", "from", "where",    "group",       "order", "by",      "having", "as",     "asc",    "desc",
    "and",    "or",   "not",      "like",        "in",    "between", "is",     "null",   "on",     "set",
    "values", "into", "distinct", "top",         "union", "insert",  "update", "delete", "create", "table",
    "index",  "mod",  "all",      "distinctrow", "join",  "inner",   "left",   "right"};

class Parser {
 public:
  explicit Parser(const std::string& sql) : sql_(sql), toks_(Tokenize(sql)) {
    // Each "?" carries its place among the statement's markers, counted in the text, so that the values
    // bind in the order the statement is written whatever order its parts are translated in.
    int params = 0;
    for (auto& t : toks_)
      if (t.kind == Tok::Param) t.text = std::to_string(++params);
  }

  Statement ParseStatement() {
    Statement st = ParseOne();
    if (Peek().kind == Tok::Semicolon) Advance();
    if (Peek().kind != Tok::End) Fail("语句结尾有多余的内容");
    return st;
  }

 private:
  // --- token helpers ---
  const Token& Peek(size_t ahead = 0) const {
    size_t i = pos_ + ahead;
    return i < toks_.size() ? toks_[i] : toks_.back();
  }
  const Token& Advance() { return toks_[pos_ < toks_.size() - 1 ? pos_++ : pos_]; }
  bool IsWord(const char* word, size_t ahead = 0) const {
    const Token& t = Peek(ahead);
    return t.kind == Tok::Ident && Lower(t.text) == word;
  }
  bool AcceptWord(const char* word) {
    if (!IsWord(word)) return false;
    Advance();
    return true;
  }
  void ExpectWord(const char* word) {
    if (!AcceptWord(word)) Fail(std::string("此处应为 ") + word);
  }
  bool IsOp(const char* op) const { return Peek().kind == Tok::Op && Peek().text == op; }
  void Expect(Tok kind, const char* what) {
    if (Peek().kind != kind) Fail(std::string("此处应为“") + what + "”");
    Advance();
  }
  // A whole number token no larger than max; anything else is an error of the statement at the token.
  long long WholeNumber(const Token& t, long long max, const std::string& what) const {
    long long v = 0;
    auto [end, ec] = std::from_chars(t.text.data(), t.text.data() + t.text.size(), v);
    if (ec != std::errc() || end != t.text.data() + t.text.size() || v > max)
      throw DbError(ErrorAt(what + "应为不大于 " + std::to_string(max) + " 的整数", sql_, t.pos));
    return v;
  }

  [[noreturn]] void Fail(const std::string& what) const { throw DbError(ErrorAt(what, sql_, Peek().pos)); }

  std::string Name(const char* what) {
    const Token& t = Peek();
    if (t.kind != Tok::Ident || kReserved.count(Lower(t.text))) Fail(std::string("此处应为") + what);
    Advance();
    return t.text;
  }

  TableRef ParseTableRef(bool allowAlias) {
    TableRef r;
    r.pos = Peek().pos;
    r.name = Name("表名");
    if (allowAlias) {
      if (AcceptWord("as")) {
        r.alias = Name("别名");
      } else if (Peek().kind == Tok::Ident && !kReserved.count(Lower(Peek().text))) {
        r.alias = Advance().text;
      }
    }
    return r;
  }

  // --- statements ---
  Statement ParseOne() {
    if (IsWord("select")) return ParseSelect();
    if (AcceptWord("insert")) return ParseInsert();
    if (AcceptWord("update")) return ParseUpdate();
    if (AcceptWord("delete")) return ParseDelete();
    if (AcceptWord("create")) return ParseCreate();
    if (AcceptWord("alter")) return ParseAlter();
    if (AcceptWord("drop")) return ParseDrop();
    Fail("无法识别的语句");
  }

  Select ParseSelect() {
    ExpectWord("select");
    Select s;
    if (AcceptWord("distinct")) {
      s.distinct = true;
    } else {
      AcceptWord("all");
    }
    if (AcceptWord("top")) {
      if (Peek().kind != Tok::Number) Fail("TOP 之后应为数字");
      s.top = WholeNumber(Advance(), 2147483647, "TOP 之后的数字");
    }
    do {
      SelectItem item;
      if (IsOp("*")) {
        Advance();
        item.star = "*";
      } else if (Peek().kind == Tok::Ident && Peek(1).kind == Tok::Dot && Peek(2).kind == Tok::Op &&
                 Peek(2).text == "*") {
        item.star = Advance().text;
        Advance();
        Advance();
      } else {
        item.expr = ParseExpr();
        if (AcceptWord("as")) item.alias = Name("别名");
      }
      s.items.push_back(std::move(item));
    } while (Peek().kind == Tok::Comma && (Advance(), true));
    ExpectWord("from");
    do {
      s.from.push_back(ParseTableRef(true));
    } while (Peek().kind == Tok::Comma && (Advance(), true));
    if (IsWord("inner") || IsWord("left") || IsWord("right") || IsWord("join"))
      Fail("不支持 JOIN，请在 FROM 中列出各表并在 WHERE 中写连接条件");
    if (AcceptWord("where")) s.where = ParseExpr();
    if (AcceptWord("group")) {
      ExpectWord("by");
      do {
        s.groupBy.push_back(ParseExpr());
      } while (Peek().kind == Tok::Comma && (Advance(), true));
    }
    if (AcceptWord("having")) s.having = ParseExpr();
    if (AcceptWord("order")) {
      ExpectWord("by");
      do {
        OrderItem o;
        o.expr = ParseExpr();
        if (AcceptWord("desc")) {
          o.desc = true;
        } else {
          AcceptWord("asc");
        }
        s.orderBy.push_back(std::move(o));
      } while (Peek().kind == Tok::Comma && (Advance(), true));
    }
    return s;
  }

  Statement ParseInsert() {
    ExpectWord("into");
    Insert ins;
    ins.table = ParseTableRef(false);
    if (Peek().kind == Tok::LParen && !IsWord("select", 1)) {
      Advance();
      do {
        ins.columns.push_back(Name("字段名"));
      } while (Peek().kind == Tok::Comma && (Advance(), true));
      Expect(Tok::RParen, ")");
    }
    if (AcceptWord("values")) {
      Expect(Tok::LParen, "(");
      do {
        ins.values.push_back(ParseExpr());
      } while (Peek().kind == Tok::Comma && (Advance(), true));
      Expect(Tok::RParen, ")");
    } else if (IsWord("select")) {
      ins.select = std::make_unique<Select>(ParseSelect());
    } else if (Peek().kind == Tok::LParen && IsWord("select", 1)) {
      Advance();
      ins.select = std::make_unique<Select>(ParseSelect());
      Expect(Tok::RParen, ")");
    } else {
      Fail("此处应为 VALUES 或 SELECT");
    }
    return ins;
  }

  Statement ParseUpdate() {
    Update up;
    up.table = ParseTableRef(false);
    ExpectWord("set");
    do {
      std::string col = Name("字段名");
      if (Peek().kind == Tok::Dot) {  // table.column
        Advance();
        col = Name("字段名");
      }
      if (!IsOp("=")) Fail("此处应为“=”");
      Advance();
      up.sets.emplace_back(col, ParseExpr());
    } while (Peek().kind == Tok::Comma && (Advance(), true));
    if (AcceptWord("where")) up.where = ParseExpr();
    return up;
  }

  Statement ParseDelete() {
    if (IsOp("*")) Advance();
    ExpectWord("from");
    Delete del;
    del.table = ParseTableRef(false);
    if (AcceptWord("where")) del.where = ParseExpr();
    return del;
  }

  ColumnDef ParseColumnDef() {
    ColumnDef c;
    c.name = Name("字段名");
    if (Peek().kind != Tok::Ident) Fail("此处应为字段类型");
    std::string type = Lower(Advance().text);
    int width = -1;
    if (Peek().kind == Tok::LParen) {
      Advance();
      if (Peek().kind != Tok::Number) Fail("此处应为字段宽度");
      width = static_cast<int>(WholeNumber(Advance(), 65535, "字段宽度"));
      Expect(Tok::RParen, ")");
    }
    // The names a type goes by in a column's declaration.
    static const struct {
      ColType type;
      std::vector<const char*> names;
    } kTypeWords[] = {
        {ColType::Char, {"char", "character"}},
        {ColType::Text, {"text", "varchar", "string"}},
        {ColType::Memo, {"memo", "longtext"}},
        {ColType::Long, {"long", "integer", "int", "integer4"}},
        {ColType::Short, {"short", "smallint", "integer2"}},
        {ColType::Byte, {"byte", "tinyint"}},
        {ColType::Bit, {"bit", "yesno", "logical"}},
        {ColType::Double, {"double", "float", "float8", "number"}},
        {ColType::Single, {"single", "real", "float4"}},
        {ColType::Currency, {"currency", "money"}},
    };
    bool known = false;
    for (const auto& word : kTypeWords)
      for (const char* name : word.names)
        if (!known && type == name) {
          c.type = word.type;
          known = true;
        }
    if (!known) Fail("不支持的字段类型");
    if (c.type == ColType::Char || c.type == ColType::Text) {
      if (width < 0) width = 255;
      if (width < 1 || width > 255) Fail("文本字段的宽度应在 1 到 255 之间");
      c.width = width;
    }
    if (AcceptWord("not")) ExpectWord("null");
    return c;
  }

  Statement ParseCreate() {
    bool unique = AcceptWord("unique");
    if (AcceptWord("index")) {
      CreateIndex ci;
      ci.unique = unique;
      ci.name = Name("索引名");
      ExpectWord("on");
      ci.table = ParseTableRef(false);
      Expect(Tok::LParen, "(");
      do {
        std::string col = Name("字段名");
        bool desc = AcceptWord("desc");
        if (!desc) AcceptWord("asc");
        ci.columns.emplace_back(col, desc);
      } while (Peek().kind == Tok::Comma && (Advance(), true));
      Expect(Tok::RParen, ")");
      return ci;
    }
    if (unique) Fail("此处应为 INDEX");
    ExpectWord("table");
    CreateTable ct;
    ct.name = Name("表名");
    Expect(Tok::LParen, "(");
    do {
      ct.columns.push_back(ParseColumnDef());
    } while (Peek().kind == Tok::Comma && (Advance(), true));
    Expect(Tok::RParen, ")");
    return ct;
  }

  Statement ParseAlter() {
    ExpectWord("table");
    AddColumn ac;
    ac.table = ParseTableRef(false);
    ExpectWord("add");
    AcceptWord("column");
    ac.column = ParseColumnDef();
    return ac;
  }

  Statement ParseDrop() {
    if (AcceptWord("table")) return DropTable{ParseTableRef(false)};
    ExpectWord("index");
    DropIndex di;
    di.name = Name("索引名");
    ExpectWord("on");
    di.table = ParseTableRef(false);
    return di;
  }

  // --- expressions, loosest binding first ---
  ExprPtr Make(ExprKind kind, std::string text, size_t pos) {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->text = std::move(text);
    e->pos = pos;
    return e;
  }
  ExprPtr MakeBinary(std::string op, ExprPtr a, ExprPtr b, size_t pos) {
    auto e = Make(ExprKind::Binary, std::move(op), pos);
    e->depth = 1 + std::max(a->depth, b->depth);
    e->args.push_back(std::move(a));
    e->args.push_back(std::move(b));
    CheckDepth(*e);
    return e;
  }
  ExprPtr MakeUnary(std::string op, ExprPtr a, size_t pos) {
    auto e = Make(ExprKind::Unary, std::move(op), pos);
    e->depth = 1 + a->depth;
    e->args.push_back(std::move(a));
    CheckDepth(*e);
    return e;
  }

  // The translation and the engine walk the tree recursively: a statement nested deeper than any the
  // program writes is refused as an error of the statement instead of exhausting the stack.
  static constexpr int kMaxNesting = 100;  // brackets, NOT, signs and subqueries inside each other
  static constexpr int kMaxDepth = 1000;   // operators in a chain (a+b+c… leans one way)
  // Sets the depth of a node whose arguments are in place.
  ExprPtr Finish(ExprPtr e) {
    for (const ExprPtr& a : e->args)
      if (a) e->depth = std::max(e->depth, 1 + a->depth);
    CheckDepth(*e);
    return e;
  }
  void CheckDepth(const Expr& e) const {
    if (e.depth > kMaxDepth) throw DbError(ErrorAt("表达式太长或嵌套太深", sql_, e.pos));
  }
  struct Nest {
    Parser& p;
    explicit Nest(Parser& parser) : p(parser) {
      if (++p.nesting_ > kMaxNesting) {
        --p.nesting_;
        p.Fail("表达式嵌套太深");
      }
    }
    ~Nest() { --p.nesting_; }
  };

  ExprPtr ParseExpr() {
    Nest nest(*this);
    return ParseOr();
  }

  // Operators of one binding that group from the left, loosest first: each level's operands are the next
  // level's expressions, the last level's those of the given parser. Words (or, mod) in any case.
  struct Level {
    const char* ops[2];
    bool words;
  };
  static constexpr Level kLogical[] = {{{"or", nullptr}, true}, {{"and", nullptr}, true}};
  static constexpr Level kArithmetic[] = {{{"&", nullptr}, false},
                                          {{"+", "-"}, false},
                                          {{"mod", nullptr}, true},
                                          {{"\\", nullptr}, false},
                                          {{"*", "/"}, false}};

  const char* LevelOperator(const Level& level) const {
    for (const char* op : level.ops)
      if (op && (level.words ? IsWord(op) : IsOp(op))) return op;
    return nullptr;
  }

  template <size_t N>
  ExprPtr ParseLevels(const Level (&levels)[N], size_t at, ExprPtr (Parser::*inner)()) {
    auto operand = [&] { return at + 1 == N ? (this->*inner)() : ParseLevels(levels, at + 1, inner); };
    ExprPtr left = operand();
    while (const char* op = LevelOperator(levels[at])) {
      size_t p = Advance().pos;
      left = MakeBinary(op, std::move(left), operand(), p);
    }
    return left;
  }

  ExprPtr ParseOr() { return ParseLevels(kLogical, 0, &Parser::ParseNot); }

  ExprPtr ParseNot() {
    if (IsWord("not")) {
      Nest nest(*this);
      size_t p = Advance().pos;
      return MakeUnary("not", ParseNot(), p);
    }
    return ParseComparison();
  }

  ExprPtr ParseComparison() {
    ExprPtr left = ParseConcat();
    while (true) {
      size_t p = Peek().pos;
      if (Peek().kind == Tok::Op &&
          (IsOp("=") || IsOp("<>") || IsOp("<") || IsOp(">") || IsOp("<=") || IsOp(">="))) {
        std::string op = Advance().text;
        left = MakeBinary(op, std::move(left), ParseConcat(), p);
        continue;
      }
      bool negate = false;
      if (IsWord("not") && (IsWord("like", 1) || IsWord("in", 1) || IsWord("between", 1))) {
        Advance();
        negate = true;
      }
      if (AcceptWord("like")) {
        auto e = Make(ExprKind::Like, "like", p);
        e->negate = negate;
        e->args.push_back(std::move(left));
        e->args.push_back(ParseConcat());
        left = Finish(std::move(e));
      } else if (AcceptWord("in")) {
        Expect(Tok::LParen, "(");
        ExprPtr e;
        if (IsWord("select")) {
          e = Make(ExprKind::InSelect, "in", p);
          e->args.push_back(std::move(left));
          e->sub = std::make_unique<Select>(ParseSelect());
        } else {
          e = Make(ExprKind::InList, "in", p);
          e->args.push_back(std::move(left));
          do {
            e->args.push_back(ParseExpr());
          } while (Peek().kind == Tok::Comma && (Advance(), true));
        }
        Expect(Tok::RParen, ")");
        e->negate = negate;
        left = Finish(std::move(e));
      } else if (AcceptWord("between")) {
        auto e = Make(ExprKind::Between, "between", p);
        e->negate = negate;
        e->args.push_back(std::move(left));
        e->args.push_back(ParseConcat());
        ExpectWord("and");
        e->args.push_back(ParseConcat());
        left = Finish(std::move(e));
      } else if (AcceptWord("is")) {
        auto e = Make(ExprKind::IsNull, "is", p);
        e->negate = AcceptWord("not");
        ExpectWord("null");
        e->args.push_back(std::move(left));
        left = Finish(std::move(e));
      } else {
        if (negate) Fail("NOT 之后应为 LIKE、IN 或 BETWEEN");
        return left;
      }
    }
  }

  ExprPtr ParseConcat() { return ParseLevels(kArithmetic, 0, &Parser::ParseUnary); }

  ExprPtr ParseUnary() {
    if (IsOp("-") || IsOp("+")) {
      Nest nest(*this);
      const Token& t = Advance();
      return MakeUnary(t.text, ParseUnary(), t.pos);
    }
    return ParsePower();
  }

  ExprPtr ParsePower() {
    ExprPtr left = ParsePrimary();
    while (IsOp("^")) {
      size_t p = Advance().pos;
      // The exponent may carry its own sign: 2^-1.
      ExprPtr right = (IsOp("-") || IsOp("+")) ? ParseUnary() : ParsePrimary();
      left = MakeBinary("^", std::move(left), std::move(right), p);
    }
    return left;
  }

  ExprPtr ParsePrimary() {
    const Token& t = Peek();
    switch (t.kind) {
      case Tok::Number:
        Advance();
        return Make(ExprKind::Number, t.text, t.pos);
      case Tok::String:
        Advance();
        return Make(ExprKind::String, t.text, t.pos);
      case Tok::Param:
        Advance();
        return Make(ExprKind::Param, t.text, t.pos);
      case Tok::LParen: {
        Advance();
        ExprPtr e = ParseExpr();
        Expect(Tok::RParen, ")");
        return e;
      }
      case Tok::Ident: {
        std::string word = Lower(t.text);
        if (word == "null") {
          Advance();
          return Make(ExprKind::Null, "", t.pos);
        }
        if (word == "true" || word == "false") {
          Advance();
          return Make(ExprKind::Number, word == "true" ? "-1" : "0", t.pos);
        }
        if (kReserved.count(word) && !(Peek(1).kind == Tok::LParen && (word == "left" || word == "right")))
          Fail("此处应为表达式");
        Advance();
        if (Peek().kind == Tok::LParen) return ParseCall(word, t.pos);
        if (Peek().kind == Tok::Dot) {
          Advance();
          auto e = Make(ExprKind::Column, Name("字段名"), t.pos);
          e->table = t.text;
          return e;
        }
        return Make(ExprKind::Column, t.text, t.pos);
      }
      default:
        Fail("此处应为表达式");
    }
  }

  ExprPtr ParseCall(const std::string& name, size_t pos) {
    Expect(Tok::LParen, "(");
    if (name == "count" && IsOp("*")) {
      Advance();
      Expect(Tok::RParen, ")");
      return Make(ExprKind::CountAll, "count", pos);
    }
    auto e = Make(ExprKind::Func, name, pos);
    if (AcceptWord("distinct")) e->distinct = true;
    if (Peek().kind != Tok::RParen) {
      do {
        e->args.push_back(ParseExpr());
      } while (Peek().kind == Tok::Comma && (Advance(), true));
    }
    Expect(Tok::RParen, ")");
    return Finish(std::move(e));
  }

  const std::string& sql_;
  std::vector<Token> toks_;
  size_t pos_ = 0;
  int nesting_ = 0;
};

}  // namespace

Statement Parse(const std::string& sql) {
  Parser p(sql);
  return p.ParseStatement();
}

}  // namespace jet
