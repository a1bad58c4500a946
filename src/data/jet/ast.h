#pragma once
// Parsed statements. The parser builds them; the emitter writes them out as SQLite SQL.
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace jet {

struct Select;

enum class ExprKind {
  Number,  // text: the number as written
  String,  // text: the value
  Null,
  Column,    // table (qualifier, may be empty), text: column name
  CountAll,  // count(*)
  Unary,     // text: "-", "+" or "not"; args[0]
  Binary,    // text: operator ("+", "-", "*", "/", "\\", "mod", "^", "&", "=", "<>", "<", ">", "<=", ">=",
             // "and", "or"); args[0], args[1]
  Like,      // args[0] like args[1]; negate for NOT LIKE
  InList,    // args[0] in (args[1..]); negate for NOT IN
  InSelect,  // args[0] in (sub); negate for NOT IN
  Between,   // args[0] between args[1] and args[2]; negate
  IsNull,    // args[0] is null; negate for IS NOT NULL
  Func,      // text: function name in lower case; args
  Param,     // "?": a value bound when a prepared statement runs; text: its number among the statement's
             // "?" in the order written, from 1
};

struct Expr {
  ExprKind kind = ExprKind::Null;
  std::string text;
  std::string table;
  bool negate = false;
  bool distinct = false;  // count(distinct x) and the like
  std::vector<std::unique_ptr<Expr>> args;
  std::unique_ptr<Select> sub;
  size_t pos = 0;
  int depth = 1;  // levels of the tree under and including this node
};
using ExprPtr = std::unique_ptr<Expr>;

struct SelectItem {
  ExprPtr expr;       // null for "*" and "t.*"
  std::string star;   // "*" or the qualifier of "t.*"
  std::string alias;  // AS name
};

struct TableRef {
  std::string name, alias;
  size_t pos = 0;
};

struct OrderItem {
  ExprPtr expr;
  bool desc = false;
};

struct Select {
  bool distinct = false;
  std::optional<long long> top;
  std::vector<SelectItem> items;
  std::vector<TableRef> from;
  ExprPtr where;
  std::vector<ExprPtr> groupBy;
  ExprPtr having;
  std::vector<OrderItem> orderBy;
};

struct Insert {
  TableRef table;
  std::vector<std::string> columns;  // empty: every column in order
  std::vector<ExprPtr> values;
  std::unique_ptr<Select> select;
};

struct Update {
  TableRef table;
  std::vector<std::pair<std::string, ExprPtr>> sets;
  ExprPtr where;
};

struct Delete {
  TableRef table;
  ExprPtr where;
};

enum class ColType { Char, Text, Memo, Long, Short, Byte, Bit, Double, Single, Currency };

struct ColumnDef {
  std::string name;
  ColType type = ColType::Long;
  int width = 0;  // bytes, for Char and Text
};

struct CreateTable {
  std::string name;
  std::vector<ColumnDef> columns;
};

struct CreateIndex {
  std::string name;
  TableRef table;
  std::vector<std::pair<std::string, bool>> columns;  // name, descending
  bool unique = false;
};

struct AddColumn {
  TableRef table;
  ColumnDef column;
};

struct DropTable {
  TableRef table;
};

struct DropIndex {
  std::string name;
  TableRef table;
};

using Statement =
    std::variant<Select, Insert, Update, Delete, CreateTable, CreateIndex, AddColumn, DropTable, DropIndex>;

}  // namespace jet
