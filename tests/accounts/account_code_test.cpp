#include "accounts/account_code.h"

#include <gtest/gtest.h>

#include "accounts/account.h"

namespace {

TEST(AccountCode, LevelsParentsAndDescendants) {
  EXPECT_EQ(CodeLevel("101"), 1);
  EXPECT_EQ(CodeLevel("101-3-12"), 3);
  EXPECT_EQ(ParentCode("101-3-12"), "101-3");
  EXPECT_EQ(ParentCode("101"), "");
  EXPECT_EQ(ChildPrefix("101-3"), "101-3-");
  EXPECT_EQ(ChildPrefix(""), "");
  EXPECT_EQ(OwnPart("101-3-12"), "12");
  EXPECT_EQ(OwnPart("101"), "101");

  // The pattern P-* reaches every depth, and only below P itself.
  EXPECT_TRUE(IsDescendantCode("101-1-2", "101"));
  EXPECT_TRUE(IsDescendantCode("101-1-2", "101-1"));
  EXPECT_FALSE(IsDescendantCode("101-1", "10"));
  EXPECT_FALSE(IsDescendantCode("101", "101"));
  EXPECT_FALSE(IsDescendantCode("101-", "101"));
}

TEST(AccountCode, WellFormedCodes) {
  for (const char* good : {"1", "101", "101-3-12", "1-2-3-4-5-6", "12345678901234", "1-2-3-4-5-6789"})
    EXPECT_TRUE(IsValidCode(good)) << good;
  for (const char* bad : {"", "0", "01", "101-", "-1", "101--1", "101-0", "101-07", "1-2-3-4-5-6-7",
                          "123456789012345", "10*", "1?", "1#", "1 2", "a"})
    EXPECT_FALSE(IsValidCode(bad)) << bad;
}

TEST(AccountCode, OwnPartAsTypedAndAsStored) {
  struct Case {
    const char* typed;
    const char* stored;
    const char* refusal;
  } cases[] = {
      {"7", "7", ""},
      {"007", "7", ""},
      {"100", "100", ""},
      {"000", "", "代码不能为空或小于 1，请重输!"},
      {"", "", "代码不能为空或小于 1，请重输!"},
      {"1-2", "", "注意：代码必须是数字"},
      {"1*", "", "注意：代码必须是数字"},
  };
  for (const Case& c : cases) {
    OwnPartInput in = ParseOwnPart(c.typed);
    EXPECT_EQ(in.part, c.stored) << c.typed;
    EXPECT_EQ(in.refusal, c.refusal) << c.typed;
  }
}

TEST(AccountCode, ChildLimits) {
  // A level-5 account of 12 characters still takes a child of one digit; one of 13 takes none.
  EXPECT_EQ(ChildLimitRefusal("1001-2-3-4-5"), "");
  EXPECT_EQ(OwnPartLimit("1001-2-3-4-5"), 1u);
  EXPECT_EQ(ChildLimitRefusal("1001-22-3-4-5"), "该代码长度已不够，不能再设置子科目!");
  EXPECT_EQ(OwnPartLimit("1001-22-3-4-5"), 0u);
  EXPECT_EQ(ChildLimitRefusal("1-2-3-4-5-6"), "该科目级数达６级，不能再设置子科目!");
  EXPECT_EQ(ChildLimitRefusal("101"), "");
  EXPECT_EQ(OwnPartLimit("101"), 10u);
  EXPECT_EQ(OwnPartLimit(""), 14u);

  // Renaming keeps every descendant within 14 characters.
  EXPECT_EQ(OwnPartLimit("101-2", 0), 10u);
  EXPECT_EQ(OwnPartLimit("101-2", 12), 3u);  // 101-2-34-5678 may become 101-234-34-5678
  EXPECT_EQ(OwnPartLimit("101", 12), 5u);
  EXPECT_EQ(OwnPartLimit("101", 14), 3u);
}

TEST(AccountName, BlanksGoAndTheLengthCountsBytes) {
  EXPECT_EQ(ParseAccountName("现 金").name, "现金");
  EXPECT_EQ(ParseAccountName(" 银行 存款 ").name, "银行存款");
  EXPECT_EQ(ParseAccountName("   ").refusal, "名称不能为空，请重输!");
  // 30 bytes are 15 Chinese characters; a character that would straddle the limit is left out whole.
  const std::string fifteen = "一二三四五六七八九十一二三四五";
  EXPECT_EQ(ParseAccountName(fifteen).name, fifteen);
  EXPECT_EQ(ParseAccountName(fifteen + "六").name, fifteen);
  EXPECT_EQ(ParseAccountName("a" + fifteen).name, "a" + fifteen.substr(0, 28));
}

TEST(AccountAttributes, WhoMayBeAParent) {
  Account p;
  p.code = "101";
  EXPECT_EQ(ParentRefusal(p), "");
  p.aux = kAuxQuantity;
  EXPECT_EQ(ParentRefusal(p), "101科目已被指定为数量金额式核算，不能再明细化!");
  EXPECT_EQ(SavedParentRefusal(p), "");
  p.aux = kAuxCurrency;
  EXPECT_EQ(ParentRefusal(p), "101科目已被指定为外币核算，不能再明细化!");
  EXPECT_EQ(SavedParentRefusal(p), "其父科目已被指定为外币核算，禁止明细化!");
  p.special = true;
  EXPECT_EQ(ParentRefusal(p), "“101”科目为专用科目，禁止明细化!");
  EXPECT_EQ(SavedParentRefusal(p), "其父科目为专用科目，禁止明细化!");
  p = Account();
  p.code = "1-2-3-4-5-6";
  EXPECT_EQ(ParentRefusal(p), "该科目级数达６级，不能再设置子科目!");
}

TEST(AccountAttributes, MultiColumnWidthAndSide) {
  Account a;
  a.name = "管理费用甲";  // 5 Chinese characters
  EXPECT_EQ(MinColumnWidth(a.name), 5);
  EXPECT_EQ(MinColumnWidth("差旅费用a"), 5);  // 9 bytes
  EXPECT_EQ(ColumnRefusal(true, a), "因其父科目(帐户)为多栏式帐页，\n\r故请指定本科目(帐户)的多栏方向!");
  a.columnSide = -1;
  EXPECT_EQ(ColumnRefusal(true, a), "请指定多栏式帐页的栏宽!");
  a.columnWidth = 4;
  EXPECT_EQ(ColumnRefusal(true, a), "多栏帐的栏宽不能小于本科目名称的汉字数!");
  EXPECT_EQ(a.columnWidth, 5);
  EXPECT_EQ(ColumnRefusal(true, a), "");
  // Without a multi-column parent nothing is required and nothing is kept.
  EXPECT_EQ(ColumnRefusal(false, a), "");
  EXPECT_EQ(a.columnSide, 0);
  EXPECT_EQ(a.columnWidth, 0);

  Account q;
  q.aux = kAuxQuantity;
  EXPECT_EQ(AuxRefusal(q), "数量单位不能为空，请重输!");
  q.aux = kAuxNone;
  q.auxUnit = "吨";
  EXPECT_EQ(AuxRefusal(q), "");
  EXPECT_EQ(q.auxUnit, "");
}

}  // namespace
