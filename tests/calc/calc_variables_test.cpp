#include "calc/calc_variables.h"

#include <gtest/gtest.h>

#include "support/year_file_fixture.h"

namespace {

class CalcVariablesTest : public YearFileTest {
 protected:
  void SetUp() override { ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1)); }
  // The table as files from elsewhere carry it; this program never makes it.
  void MakeTable() {
    env.Execute("CREATE TABLE VYVAR(SVAR CHAR(10),SEXP CHAR(100),SNOTE CHAR(40),NTYPE LONG)");
  }
  CVyDataEnv env;
};

TEST_F(CalcVariablesTest, AFileWithoutTheTableHasNoneAndGetsNone) {
  EXPECT_FALSE(HasCalcVariables(env));
  EXPECT_TRUE(ReadCalcVariables(env).empty());
  EXPECT_FALSE(RewriteCalcVariables(env, {{"rate", "0.05", "", 1}}));
  EXPECT_FALSE(env.Db()->HasTable("VYVAR"));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CalcVariablesTest, RewriteReplacesTheWholeTableAndKeepsQuotes) {
  MakeTable();
  env.Execute("INSERT INTO VYVAR(SVAR,SEXP,SNOTE,NTYPE) VALUES('old','1','',0)");
  const std::vector<CalcVariable> vars{
      {"rate", "0.05", "年利率", 1}, {"o'k", "\"a\"+'b'", "it's", -2}, {"z", "", "", 0}};
  ASSERT_TRUE(RewriteCalcVariables(env, vars));
  std::vector<CalcVariable> back = ReadCalcVariables(env);
  ASSERT_EQ(back.size(), 3u);
  for (size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].name, vars[i].name);
    EXPECT_EQ(back[i].expression, vars[i].expression);
    EXPECT_EQ(back[i].note, vars[i].note);
    EXPECT_EQ(back[i].type, vars[i].type);
  }
  ASSERT_TRUE(RewriteCalcVariables(env, {}));
  EXPECT_TRUE(ReadCalcVariables(env).empty());
}

TEST_F(CalcVariablesTest, ARewriteThatFailsLeavesTheOldVariables) {
  MakeTable();
  ASSERT_TRUE(RewriteCalcVariables(env, {{"rate", "0.05", "", 1}}));
  // The second name is longer than its column: nothing of the rewrite stays, not even the DELETE.
  EXPECT_FALSE(RewriteCalcVariables(env, {{"a", "1", "", 0}, {"much_too_long_a_name", "2", "", 0}}));
  ASSERT_EQ(platform.messages.size(), 1u);
  std::vector<CalcVariable> back = ReadCalcVariables(env);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].name, "rate");
}

}  // namespace
