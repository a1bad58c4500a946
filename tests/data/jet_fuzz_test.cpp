// Random statements built from the dialect's own pieces — every operator and function, nesting and
// number extremes, quotes and two-byte characters cut in half — must each end in a result or an error of
// the statement: no crash, no other exception, and a year file that still answers.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "data/database.h"
#include "data/db_error.h"
#include "support/year_file_fixture.h"

namespace {

const char* const kNumbers[] = {"0",
                                "1",
                                "-1",
                                "2.5",
                                ".5",
                                "1e308",
                                "1e-308",
                                "1e19",
                                "-1e19",
                                "4294967296",
                                "2147483648",
                                "9223372036854775807",
                                "99999999999999999999",
                                "1e999"};
const char* const kTexts[] = {"''",  "'a'",   "'中文'", "'\xD6'", "'a''b'",
                              "'*'", "'[a-'", "'#?'",   "' '",    "'0'"};
const char* const kColumns[] = {"opno", "na", "psd", "kno", "my", "f", "t", "nu", "rn", "mry", "x", "[na]"};
const char* const kBinary[] = {"+",  "-", "*", "/",  "\\", "mod", "^",  "&",    "=",
                               "<>", "<", ">", "<=", ">=", "and", "or", "like", "not like"};
const char* const kFunctions[] = {"trim",  "rtrim", "ltrim", "left", "right",   "mid", "mid$",  "len",
                                  "instr", "cstr",  "cstr$", "val",  "strcomp", "iif", "ucase", "lcase",
                                  "space", "chr$",  "asc",   "int",  "fix",     "sgn", "abs",   "sqr",
                                  "clng",  "cdbl",  "nz",    "sum",  "count",   "max", "min",   "avg"};
const char* const kSoup[] = {"select",   "from", "where",    "(",        ")",    ",",  "'",       "[",
                             "]",        "*",    "top",      "1",        "not",  "in", "between", "and",
                             "is",       "null", "group by", "order by", "\xD6", "中", ";",       ".",
                             "distinct", "kno",  "p0",       "opr",      "+",    "-"};

class StatementMaker {
 public:
  explicit StatementMaker(unsigned seed) : random_(seed) {}

  std::string Statement() {
    switch (Pick(10)) {
      case 0:
        return Soup();
      case 1:
        return "select " + Nested() + " from opr";
      case 2:
        return "update opr set na=" + Expr(4) + " where " + Expr(3);
      case 3:
        return "insert into p0(t,kno,my,f,mry) values(" + Expr(2) + "," + Expr(2) + "," + Expr(2) + "," +
               Expr(2) + "," + Expr(2) + ")";
      case 4:
        return "select top " + std::string(kNumbers[Pick(std::size(kNumbers))]) + " " + Expr(3) +
               " from p0 where " + Expr(4) + " order by " + Expr(2);
      case 5:
        return "select " + Expr(3) + ",count(*) from p0 group by " + Expr(2);
      case 6:
        return "delete from p0 where " + Expr(5);
      default:
        return "select " + Expr(6) + "," + Expr(3) + " from opr where " + Expr(5);
    }
  }

 private:
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

  std::string Leaf() {
    switch (Pick(3)) {
      case 0:
        return kNumbers[Pick(std::size(kNumbers))];
      case 1:
        return kTexts[Pick(std::size(kTexts))];
      default:
        return kColumns[Pick(std::size(kColumns))];
    }
  }

  std::string Expr(int depth) {
    if (depth <= 0 || Pick(4) == 0) return Leaf();
    switch (Pick(7)) {
      case 0:
        return "(" + Expr(depth - 1) + ")";
      case 1:
        return std::string(Pick(2) ? "not " : "-") + Expr(depth - 1);
      case 2: {
        std::string call = std::string(kFunctions[Pick(std::size(kFunctions))]) + "(";
        for (size_t n = Pick(4); n > 0; --n) call += Expr(depth - 1) + (n > 1 ? "," : "");
        return call + ")";
      }
      case 3:
        return Expr(depth - 1) + (Pick(2) ? " in (" + Leaf() + "," + Leaf() + ")" : " is null");
      case 4:
        return Expr(depth - 1) + " between " + Leaf() + " and " + Leaf();
      default:
        return Expr(depth - 1) + " " + kBinary[Pick(std::size(kBinary))] + " " + Expr(depth - 1);
    }
  }

  // Deep nesting of every recursive kind, sometimes past what the layer allows.
  std::string Nested() {
    int n = static_cast<int>(Pick(300));
    std::string open, close;
    const char* kinds[] = {"(", "not ", "-", "left("};
    const char* kind = kinds[Pick(std::size(kinds))];
    for (int i = 0; i < n; ++i) {
      open += kind;
      if (kind[0] == '(') close += ")";
      if (kind[0] == 'l') close += ",1)";
    }
    std::string chain = Leaf();
    for (size_t i = Pick(1500); i > 0; --i) chain += std::string(" ") + kBinary[Pick(7)] + " " + Leaf();
    return open + chain + close;
  }

  std::string Soup() {
    std::string s;
    for (size_t n = Pick(30) + 1; n > 0; --n) s += std::string(kSoup[Pick(std::size(kSoup))]) + " ";
    return s;
  }

  std::mt19937 random_;
};

class JetFuzz : public YearFileTest {};

TEST_F(JetFuzz, RandomStatementsEndInAResultOrAnErrorOfTheStatement) {
  jet::Database db;
  db.Open(MakeYearFile("2026.vyx", 2026));
  int answered = 0, refused = 0;
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    StatementMaker maker(seed);
    for (int i = 0; i < 1200; ++i) {
      std::string sql = maker.Statement();
      try {
        db.Begin();  // every change is undone: each statement meets the same file
        if (sql.rfind("select", 0) == 0) {
          for (auto c = db.Query(sql); !c->AtEnd(); c->Next())
            for (int k = 0; k < c->ColumnCount(); ++k) c->Text(k);
        } else {
          db.Execute(sql);
        }
        ++answered;
      } catch (const jet::DbError&) {
        ++refused;
      } catch (const std::exception& e) {
        ADD_FAILURE() << "seed " << seed << ": " << e.what() << "\n" << sql.substr(0, 300);
      }
      db.Rollback();
      ASSERT_EQ(db.TransactionDepth(), 0);
    }
  }
  // Both outcomes occur, and the file still answers afterwards.
  EXPECT_GT(answered, 500);
  EXPECT_GT(refused, 500);
  auto c = db.Query("select count(*) from opr");
  EXPECT_EQ(c->Int(0), 2);
  std::printf("fuzz: %d statements answered, %d refused\n", answered, refused);
}

}  // namespace
