// 记帐 of the interest list: what it writes, that it runs once, and that it writes all rows or none.

#include "base/text.h"
#include "base/dialog_asker.h"
#include "interest/interest_dlg.h"
#include "interest/interest_post_dlg.h"
#include "interest/interest_year_files.h"
#include "interest/interest_list_view.h"
#include "interest_books.h"

class InterestPostingTest : public InterestBooks {
 protected:
  void SetUp() override {
    InterestBooks::SetUp();
    Account("1002", "应收款");
    Account("1002-1", "甲公司");
    Account("1002-2", "乙公司");
    Opening("1002-1", 1, 1000);
    Opening("1002-2", -1, 2000);
    Post("20260201", "1002-1", 1, 5, 1, "手续费", "0");
    Post("20260201", "1002-1", 1, 5, 2, "手续费", "0");
    view.InitForm();
    ASSERT_TRUE(view.Calculate({"20260101", "20260201", "1002", 2, DayCount::ActualMonths, false},
                               ListInterestYearFiles(env.dataDir)));
    DialogFace<CInterestPostDlg>::Register([this](CInterestPostDlg& d) {
      asked = d.fields.Date() + "|" + d.summaryText;
      d.summaryText = summary;
      return d.OnOk();
    });
  }
  void TearDown() override {
    DialogFace<CInterestPostDlg>::Register(nullptr);
    InterestBooks::TearDown();
  }
  bool PostEnabled() {
    for (const VyMenuItem& item : view.ContextMenu())
      if (item.command == vycmd::kPostInterest) return item.enabled;
    return false;
  }

  CQirnpz3 view{env};
  std::string asked, summary = "一月利息";
};

TEST_F(InterestPostingTest, PostsOnceAfterTheDaysRows) {
  ASSERT_EQ(view.Rows().size(), 4u);  // 1002, 1002-1, 1002-2, total
  EXPECT_EQ(view.Rows()[2].interest, "-12.40");
  // The user corrects an interest amount before posting.
  view.PutCell(1, 3, "TEXT", "7.00");
  EXPECT_TRUE(PostEnabled());
  EXPECT_TRUE(view.OnCommand(vycmd::kPostInterest));
  EXPECT_EQ(asked, "20260201|利息");
  EXPECT_EQ(platform.LastText(), "记帐完毕！");

  EXPECT_EQ(Count("select count(*) from p0 where trim(mry)='一月利息'"), 2);
  EXPECT_EQ(
      Count("select max(rn) from p0 where trim(kno)='1002-1' and trim(mry)='一月利息' and my=7 and f=1 and "
            "cer='0' and mk='4' and tt='02'"),
      3);
  // A credit balance under 借方 gives a negative amount, written as computed.
  EXPECT_EQ(Count("select max(rn) from p0 where trim(kno)='1002-2' and my=-12.4 and f=1"), 1);

  EXPECT_FALSE(PostEnabled());
  EXPECT_FALSE(view.IsCommandEnabled(vycmd::kPostInterest));
  asked.clear();
  view.OnCommand(vycmd::kPostInterest);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(Count("select count(*) from p0 where trim(mry)='一月利息'"), 2);
}

TEST_F(InterestPostingTest, AFailingPostingWritesNothing) {
  long before = Count("select count(*) from p0");
  // The second account's row cannot be written.
  env.Db()->ExecuteEngineSql(
      "CREATE TRIGGER refuse BEFORE INSERT ON P0 WHEN trim(NEW.KNO)='1002-2' "
      "BEGIN SELECT RAISE(ABORT,'disk full'); END");
  view.OnCommand(vycmd::kPostInterest);
  EXPECT_NE(platform.LastText().find("disk full"), std::string::npos);
  EXPECT_EQ(Count("select count(*) from p0"), before);
  EXPECT_TRUE(PostEnabled());  // it may be tried again

  // A code corrected into one that is not in the chart is refused before anything is written.
  env.Db()->ExecuteEngineSql("DROP TRIGGER refuse");
  view.PutCell(2, 0, "TEXT", "1009");
  view.OnCommand(vycmd::kPostInterest);
  EXPECT_EQ(platform.LastText(), "帐户“1009”不存在，请改正后再记帐!");
  EXPECT_EQ(Count("select count(*) from p0"), before);
}

TEST_F(InterestPostingTest, DateAndSummaryChecks) {
  struct Case {
    std::string year, month, day, summary, counter, message;
  } cases[] = {
      {"1989", "1", "1", "利息", "", "记帐日期的年度不合理，请重输!"},
      {"2026", "0", "1", "利息", "", "记帐日期的月份不合理，请重输!"},
      {"2026", "2", "29", "利息", "", "记帐日期的日不合理，请重输!"},
      {"2027", "1", "1", "利息", "", "记帐日期已不在当前注册年度内，请重输!"},
      {"2026", "2", "1", "  ", "", "摘要不能为空，请重输!"},
      {"2026", "2", "1", "利息", "1002", "对方科目不存在或非最低明细帐户，请重输!"},  // a parent
      {"2026", "2", "1", "利息", "1009", "对方科目不存在或非最低明细帐户，请重输!"},  // not in the chart
      {"2026", "2", "1", "利息", "10*", "对方科目不存在或非最低明细帐户，请重输!"},
      {"2026", "2", "1", "利息", "", ""},
      {"2026", "2", "1", "利息", " 1002-2 ", ""},
  };
  for (const Case& c : cases) {
    CInterestPostDlg dlg(env, "20260201");
    dlg.fields = {c.year, c.month, c.day};
    dlg.summaryText = c.summary;
    dlg.counterText = c.counter;
    platform.messages.clear();
    EXPECT_EQ(dlg.OnOk(), c.message.empty()) << c.counter;
    EXPECT_EQ(platform.LastText(), c.message) << c.counter;
    if (c.message.empty()) EXPECT_EQ(dlg.counter, Trim(c.counter));
    if (!c.counter.empty() && !c.message.empty()) EXPECT_EQ(dlg.focus, CInterestPostDlg::Focus::Counter);
  }
}

TEST_F(InterestPostingTest, ACounterAccountTakesTheOtherSideOfEveryRow) {
  Account("6603", "财务费用");
  Post("20260201", "6603", 1, 3, 1, "手续费", "0");
  DialogFace<CInterestPostDlg>::Register([](CInterestPostDlg& d) {
    d.counterText = "6603";
    return d.OnOk();
  });
  ASSERT_TRUE(view.OnCommand(vycmd::kPostInterest));
  EXPECT_EQ(platform.LastText(), "记帐完毕！");
  // Each interest row and its opposite on the counter account, in one day's numbering per account.
  EXPECT_EQ(Count("select count(*) from p0 where trim(mry)='利息'"), 4);
  EXPECT_EQ(Count("select count(*) from p0 where trim(mry)='利息' and trim(kno)='6603' and f=-1"), 2);
  EXPECT_EQ(Count("select max(rn) from p0 where trim(kno)='6603' and t='20260201'"), 3);
  // The posting leaves the books balanced: its signed amounts add up to nothing.
  EXPECT_EQ(Count("select count(*) from p0 where trim(mry)='利息' and trim(kno)='6603' and my=-12.4"), 1);
  EXPECT_EQ(Count("select sum(f*my*100) from p0 where trim(mry)='利息'"), 0);
}

TEST_F(InterestPostingTest, OpenRecomputesOnlyWhenAParameterChanged) {
  int shown = 0;
  std::string rate = "2";
  ScopedFace<CInterestDlg> parameters([&](CInterestDlg& d) {
    ++shown;
    EXPECT_EQ(d.start.Date(), "20260101");
    EXPECT_EQ(d.method, DayCount::ActualMonths);
    d.rateText = rate;
    return d.OnOk();
  });
  view.OnCommand(vycmd::kPostInterest);
  EXPECT_FALSE(view.Unposted());
  view.OnCommand(vycmd::kOpen);  // nothing changed: the posted list stays
  EXPECT_FALSE(view.Unposted());
  rate = "4";
  view.OnCommand(vycmd::kOpen);
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(view.Unposted());
  EXPECT_EQ(view.Rows()[1].product, "31,000.00");
  EXPECT_EQ(view.Rows()[1].interest, "12.40");
}
