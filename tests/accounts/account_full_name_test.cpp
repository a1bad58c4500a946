#include "accounts/account_full_name.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "support/year_file_fixture.h"

namespace {

TEST(FullNameOf, KeepsWhatFitsAndLeavesOutTheRest) {
  const std::vector<std::string> three{"银行存款", "工商银行", "城西分理处"};  // 8, 8 and 10 bytes
  struct Case {
    std::vector<std::string> names;
    int width;
    const char* full;
  } cases[] = {
      {{"现金"}, 84, "现金"},
      {{"现金"}, 1, "现金"},  // a level-1 account is always its own name
      {three, 84, "银行存款/工商银行/城西分理处"},
      {three, 28, "银行存款/工商银行/城西分理处"},  // 9 + 8 + 10 + 1 = 28 fits exactly
      {three, 27, "银行存款/../城西分理处"},
      {three, 22, "银行存款/../城西分理处"},  // 0 + 8 + 10 + 4 = 22 fits exactly
      {three, 21, "../城西分理处"},
      {{"银行存款", "工商银行"}, 17, "银行存款/工商银行"},
      {{"银行存款", "工商银行"}, 16, "../工商银行"},
      {{"a", "b", "c", "d", "e", "f"}, 11, "a/b/c/../f"},
      {{}, 84, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FullNameOf(c.names, c.width), c.full) << c.width;
}

using AccountFullNameTest = YearFileTest;

TEST_F(AccountFullNameTest, ReadsTheNamesFromTheChart) {
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1));
  const char* rows[][2] = {
      {"1001", "银行存款"}, {"1001-2", "工商银行"}, {"1001-2-3", "城西分理处"}, {"7-1", "孤儿"}};
  for (auto& r : rows)
    env.Execute(Format("insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values('%s','%s',1,'0','0','0',0,0)",
                       r[0], r[1]));
  EXPECT_EQ(AccountFullName(env, "1001-2-3", 84), "银行存款/工商银行/城西分理处");
  EXPECT_EQ(AccountFullName(env, "1001-2-3", 27), "银行存款/../城西分理处");
  EXPECT_EQ(AccountFullName(env, "1001", 4), "银行存款");
  EXPECT_EQ(AccountFullName(env, "1001-9", 84), "");
  EXPECT_EQ(AccountFullName(env, "7-1", 84), "/孤儿");
  EXPECT_EQ(AccountFullName(env, "1001-*", 84), "");
}

}  // namespace
