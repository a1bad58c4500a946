// The chart's rules against a real year file: what moves with an account, what its postings forbid.
#include <gtest/gtest.h>

#include "accounts/account_code.h"
#include "accounts/chart_changes.h"
#include "accounts/chart_queries.h"
#include "base/text.h"
#include "data/recordset.h"
#include "support/year_file_fixture.h"

namespace {

class ChartTest : public YearFileTest {
 protected:
  void SetUp() override { ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1)); }

  void AddRow(const std::string& code, const std::string& name) {
    env.Execute(
        Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','0',NULL,'0',0,0)",
               code.c_str(), name.c_str(), CodeLevel(code)));
  }
  // An opening balance (RN 0) and a posting, both on code.
  void Book(const std::string& code) {
    env.Execute(Format(
        "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260101','    ',0,'','%s',1,100,0,'4','01')",
        code.c_str()));
    env.Execute(
        Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) "
               "values('20260105','0',1,'收款','%s',-1,30,0,'4','01')",
               code.c_str()));
  }
  long Rows(const std::string& code) {
    return env.QueryLong(Format("select count(*) from p0 where trim(kno)='%s'", code.c_str()));
  }
  std::string GainAccount(const std::string& wno) {
    CVyRecordset rs(env.Db(), {}, {}, {"Expr1000"});
    rs.Open(Format("select trim(ho) from wbt where trim(wno)='%s'", wno.c_str()));
    return rs.IsEOF() ? "" : rs.GetText(0);
  }
  static Account Make(const std::string& code, const std::string& name) {
    Account a;
    a.code = code;
    a.name = name;
    return a;
  }

  CVyDataEnv env;
};

TEST_F(ChartTest, TheFirstChildTakesOverWhatWasBookedOnItsParent) {
  AddRow("101", "现金");
  Book("101");
  env.Execute("insert into wbt(wno,na,ho) values('1','美元','101')");

  ASSERT_TRUE(InsertAccount(env, Make("101-1", "人民币")));
  EXPECT_EQ(Rows("101"), 0);
  EXPECT_EQ(Rows("101-1"), 2);  // the opening balance and the posting
  EXPECT_EQ(GainAccount("1"), "101-1");
  EXPECT_FALSE(IsLowestLevel(env, "101"));
  EXPECT_TRUE(IsLowestLevel(env, "101-1"));

  // The second child finds its parent empty and takes nothing.
  ASSERT_TRUE(InsertAccount(env, Make("101-2", "港币")));
  EXPECT_EQ(Rows("101-1"), 2);
  EXPECT_EQ(Rows("101-2"), 0);
  EXPECT_EQ(GainAccount("1"), "101-1");

  std::optional<Account> a = ReadAccount(env, "101-2");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->level, 2);
  EXPECT_EQ(a->name, "港币");
  EXPECT_FALSE(a->special);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ChartTest, InsertKeepsTheAttributesAndRefusesACodeTaken) {
  AddRow("5", "费用");
  env.Execute("update subt set dl='1' where trim(kno)='5'");
  Account a = Make("5-1", "材料");
  a.aux = kAuxQuantity;
  a.auxUnit = "吨";
  a.columnSide = -1;
  a.columnWidth = 6;
  ASSERT_TRUE(InsertAccount(env, a));
  std::optional<Account> back = ReadAccount(env, "5-1");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->aux, kAuxQuantity);
  EXPECT_EQ(back->auxUnit, "吨");
  EXPECT_EQ(back->columnSide, -1);
  EXPECT_EQ(back->columnWidth, 6);
  EXPECT_TRUE(ReadAccount(env, "5")->multiColumn);

  EXPECT_FALSE(InsertAccount(env, Make("5-1", "又一个")));
  EXPECT_FALSE(InsertAccount(env, Make("5-01", "坏代码")));
  EXPECT_EQ(CountCode(env, "5-1"), 1);
  EXPECT_EQ(ReadAccount(env, "5-1")->name, "材料");
}

TEST_F(ChartTest, ANewCodeCarriesTheSubTreeItsPostingsAndGainAccounts) {
  for (auto [code, name] :
       {std::pair{"101", "现金"}, {"101-1", "人民币"}, {"101-1-2", "总部"}, {"1011", "其他"}})
    AddRow(code, name);
  Book("101-1-2");
  Book("1011");
  env.Execute("insert into wbt(wno,na,ho) values('1','美元','101-1-2')");
  env.Execute("insert into wbt(wno,na,ho) values('2','日元','1011')");

  Account changed = Make("105", "库存现金");
  ASSERT_TRUE(ChangeAccount(env, "101", changed));
  EXPECT_EQ(CountCode(env, "101"), 0);
  EXPECT_EQ(ReadAccount(env, "105")->name, "库存现金");
  EXPECT_EQ(ReadAccount(env, "105-1")->name, "人民币");
  EXPECT_EQ(ReadAccount(env, "105-1-2")->level, 3);
  EXPECT_EQ(Rows("105-1-2"), 2);
  EXPECT_EQ(GainAccount("1"), "105-1-2");
  // 1011 only looks like a descendant of 101.
  EXPECT_EQ(Rows("1011"), 2);
  EXPECT_EQ(ReadAccount(env, "1011")->name, "其他");
  EXPECT_EQ(GainAccount("2"), "1011");

  // A change of the own part of an inner account keeps its parent.
  ASSERT_TRUE(ChangeAccount(env, "105-1", Make("105-7", "人民币")));
  EXPECT_EQ(Rows("105-7-2"), 2);
  EXPECT_EQ(GainAccount("1"), "105-7-2");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ChartTest, AChangeWithoutANewCodeTouchesOnlyTheAccountRow) {
  AddRow("101", "现金");
  Book("101");
  Account a = Make("101", "现金日记");
  a.aux = kAuxCurrency;
  a.auxUnit = "1";
  ASSERT_TRUE(ChangeAccount(env, "101", a));
  std::optional<Account> back = ReadAccount(env, "101");
  EXPECT_EQ(back->name, "现金日记");
  EXPECT_EQ(back->auxUnit, "1");
  EXPECT_EQ(Rows("101"), 2);
  a.aux = kAuxNone;
  ASSERT_TRUE(ChangeAccount(env, "101", a));
  EXPECT_EQ(env.QueryLong("select count(*) from subt where fzn is null"), 1);
}

TEST_F(ChartTest, AChangeThatCannotBeCompletedChangesNothing) {
  AddRow("1", "现金");
  AddRow("1-2345678901", "甲");
  AddRow("1-2345678901-2", "乙");  // 14 characters: no room for a longer first part
  Book("1");
  Book("1-2345678901-2");
  AddRow("2", "银行");

  // The descendant's code would grow to 18 characters: the engine refuses it, and the rows of the
  // account and its postings, already rewritten, are put back.
  EXPECT_FALSE(ChangeAccount(env, "1", Make("12345", "现金")));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(ReadAccount(env, "1")->name, "现金");
  EXPECT_EQ(CountCode(env, "12345"), 0);
  EXPECT_EQ(Rows("1"), 2);
  EXPECT_EQ(Rows("1-2345678901-2"), 2);

  // Neither an account that is not there nor a code already taken is written.
  EXPECT_FALSE(ChangeAccount(env, "3", Make("4", "无")));
  EXPECT_FALSE(ChangeAccount(env, "1", Make("2", "现金")));
  EXPECT_FALSE(ChangeAccount(env, "1-2345678901", Make("2-2345678901", "甲")));  // another parent
  EXPECT_EQ(ReadAccount(env, "2")->name, "银行");
  EXPECT_EQ(Rows("1"), 2);
}

TEST_F(ChartTest, LowestLevelAndCounts) {
  for (const char* code : {"101", "101-1", "101-1-2", "101-1-3", "101-2", "1011", "102", "102-5"})
    AddRow(code, "名");
  EXPECT_FALSE(IsLowestLevel(env, "101"));
  EXPECT_FALSE(IsLowestLevel(env, "101-1"));
  EXPECT_TRUE(IsLowestLevel(env, "101-1-2"));
  EXPECT_TRUE(IsLowestLevel(env, "1011"));
  EXPECT_FALSE(IsLowestLevel(env, "102"));
  // A pattern typed as a code is not a code: '10[2]-*' alone would count exactly one row, 102-5.
  EXPECT_FALSE(IsLowestLevel(env, "10[2]"));
  EXPECT_FALSE(IsLowestLevel(env, "101-?"));

  EXPECT_EQ(CountDescendants(env, "101"), 4);
  EXPECT_EQ(CountDirectChildren(env, "101"), 2);
  EXPECT_EQ(CountDescendants(env, "10"), 0);  // 101-1 is not below 10
  EXPECT_EQ(LongestDescendant(env, "101"), 7);
  EXPECT_EQ(LongestDescendant(env, "101-2"), 0);
}

TEST_F(ChartTest, PostingsForbidChangesToTheSubTree) {
  for (const char* code : {"101", "101-1", "102", "102-1", "103"}) AddRow(code, "名");
  Book("101-1");
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260101','    ',0,'','103',1,5,0,'4','01')");

  struct Case {
    ContentCheck check;
    const char* code;
    const char* refusal;
  } cases[] = {
      {ContentCheck::DeleteAccount, "101", "该科目本年度已有经济内容，不能删除!"},
      {ContentCheck::DeleteAccount, "101-1", "该科目本年度已有经济内容，不能删除!"},
      {ContentCheck::DeleteAccount, "102", ""},
      {ContentCheck::DeleteChildren, "101", "该科目的子科目本年度已有经济内容，不能删除!"},
      {ContentCheck::DeleteChildren, "101-1", ""},
      {ContentCheck::MoveChildren, "101", "所选对象的子目本年度已有经济内容! 不能移动"},
      {ContentCheck::MoveChildren, "102", ""},
      {ContentCheck::PasteTarget, "103",
       "目标对象本年度已有经济内容! 不能粘贴"},  // an opening balance counts
      {ContentCheck::PasteTarget, "101", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ContentRefusal(env, c.check, c.code), c.refusal) << c.code;

  EXPECT_EQ(LedgerRows(env, "101-1", 1, false), 2);
  EXPECT_EQ(LedgerRows(env, "101", 12, true), 2);
  EXPECT_EQ(LedgerRows(env, "101", 12, false), 0);
  env.Execute("update p0 set mk='1' where trim(kno)='101-1'");
  EXPECT_EQ(LedgerRows(env, "101-1", 12, false), 0);
}

}  // namespace
