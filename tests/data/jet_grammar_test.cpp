// How the dialect reads what it is given: operators by their binding and grouping, the characters it
// refuses, and the column types written into a file and read back from it.
#include <gtest/gtest.h>

#include <string>

#include "data/db_error.h"
#include "data/jet/schema.h"
#include "support/one_table_schema.h"

namespace {

// The embedded engine's form of one expression, as the emitter groups it.
std::string Grouped(const std::string& expr) {
  std::string sql = TranslateOnOneTable("select " + expr + " from T").at(0);
  return sql.substr(7, sql.find(" AS ") - 7);
}

TEST(JetGrammar, OperatorsBindAndGroupAsTheDialectDoes) {
  const struct {
    const char* expr;
    const char* grouped;
  } cases[] = {
      {"1+2*3", "(1+(2*3))"},
      {"1-2-3", "((1-2)-3)"},
      {"8/4*2", "(jet_div(8,4)*2)"},
      {"7 MOD 3\\2", "jet_mod(7,jet_idiv(3,2))"},
      {"7\\2 mod 3", "jet_mod(jet_idiv(7,2),3)"},
      {"1+2 mod 3", "(1+jet_mod(2,3))"},
      {"'a'&1+2", "jet_amp('a',(1+2))"},
      {"'a'&'b'&'c'", "jet_amp(jet_amp('a','b'),'c')"},
      {"2^3^2", "jet_pow(jet_pow(2,3),2)"},
      {"-2^2", "(-jet_pow(2,2))"},
      {"1<>2", "(1<>2)"},
      {"1!=2", "(1<>2)"},
      {"1<=2", "(1<=2)"},
      {"1>=2", "(1>=2)"},
      {"1<2", "(1<2)"},
      {"1>2", "(1>2)"},
      {"1=2 or 3=4 and 5=6", "((1=2) OR ((3=4) AND (5=6)))"},
      {"1=2 OR 3=4 OR 5=6", "(((1=2) OR (3=4)) OR (5=6))"},
      {"not 1=2 and 3=4", "((NOT (1=2)) AND (3=4))"},
  };
  for (const auto& c : cases) EXPECT_EQ(Grouped(c.expr), c.grouped) << c.expr;
}

TEST(JetGrammar, CharactersOutsideTheDialectAreErrorsAtTheirPlace) {
  for (const char* sql :
       {"select 1 ! 2 from T", "select 1 # 2 from T", "select 1 % 2 from T", "select 1 | 2 from T"}) {
    try {
      TranslateOnOneTable(sql);
      ADD_FAILURE() << sql;
    } catch (const jet::DbError& e) {
      EXPECT_NE(std::string(e.what()).find("第 10 个字符处"), std::string::npos) << sql << ": " << e.what();
    }
  }
}

TEST(JetSchemaTypes, EveryNameOfATypeDeclaresIt) {
  const struct {
    const char* written;
    const char* declared;
  } cases[] = {
      {"char(5)", "CHAR(5) COLLATE RTRIM"},
      {"character", "CHAR(255) COLLATE RTRIM"},
      {"text(9)", "TEXT(9) COLLATE RTRIM"},
      {"varchar", "TEXT(255) COLLATE RTRIM"},
      {"string", "TEXT(255) COLLATE RTRIM"},
      {"memo", "LONGTEXT COLLATE RTRIM"},
      {"LongText", "LONGTEXT COLLATE RTRIM"},
      {"long", "LONG"},
      {"integer", "LONG"},
      {"int", "LONG"},
      {"integer4", "LONG"},
      {"short", "SHORT"},
      {"smallint", "SHORT"},
      {"integer2", "SHORT"},
      {"byte", "BYTE"},
      {"tinyint", "BYTE"},
      {"bit", "BIT"},
      {"yesno", "BIT"},
      {"logical", "BIT"},
      {"double", "DOUBLE"},
      {"float", "DOUBLE"},
      {"float8", "DOUBLE"},
      {"number", "DOUBLE"},
      {"single", "SINGLE"},
      {"real", "SINGLE"},
      {"float4", "SINGLE"},
      {"currency", "CURRENCY"},
      {"MONEY", "CURRENCY"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TranslateOnOneTable(std::string("create table X (A ") + c.written + ")").at(0),
              std::string("CREATE TABLE \"X\"(\"A\" ") + c.declared + ")")
        << c.written;
  EXPECT_THROW(TranslateOnOneTable("create table X (A blob)"), jet::DbError);
}

TEST(JetSchemaTypes, EveryTypeIsReadBackAsItWasWritten) {
  const struct {
    jet::ColType type;
    int width;
    const char* declared;
  } cases[] = {
      {jet::ColType::Char, 10, "CHAR(10) COLLATE RTRIM"},
      {jet::ColType::Text, 255, "TEXT(255) COLLATE RTRIM"},
      {jet::ColType::Memo, 0, "LONGTEXT COLLATE RTRIM"},
      {jet::ColType::Long, 0, "LONG"},
      {jet::ColType::Short, 0, "SHORT"},
      {jet::ColType::Byte, 0, "BYTE"},
      {jet::ColType::Bit, 0, "BIT"},
      {jet::ColType::Double, 0, "DOUBLE"},
      {jet::ColType::Single, 0, "SINGLE"},
      {jet::ColType::Currency, 0, "CURRENCY"},
  };
  for (const auto& c : cases) {
    jet::ColumnDef def;
    def.name = "X";
    def.type = c.type;
    def.width = c.width;
    EXPECT_EQ(jet::DeclaredType(def), c.declared);
    jet::ColType type = jet::ColType::Long;
    int width = -1;
    ASSERT_TRUE(jet::ParseDeclaredType(c.declared, type, width)) << c.declared;
    EXPECT_EQ(type, c.type) << c.declared;
    EXPECT_EQ(width, c.width) << c.declared;
  }
  jet::ColType type;
  int width;
  ASSERT_TRUE(jet::ParseDeclaredType("char(8", type, width));
  EXPECT_EQ(width, 255);
  for (const char* other : {"", "varchar(3)", "longer", "text", "char", "long integer"})
    EXPECT_FALSE(jet::ParseDeclaredType(other, type, width)) << other;
}

}  // namespace
