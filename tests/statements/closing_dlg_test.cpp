// The closing dialog's model over a month of business: what it plans, what a refusal and an empty month
// say, the question before posting, and that posting leaves the month with nothing more to close.
#include "statements/pl_closing_dlg.h"

#include <gtest/gtest.h>

#include "data/data_env.h"
#include "data/sql_text.h"
#include "base/text.h"
#include "statements/statement_figures.h"
#include "support/statement_book.h"

namespace {

class ClosingDlgTest : public StatementBookTest {
 protected:
  long long ClosingRows() {
    return env.QueryLong(
        Format("select count(*) from p0 where mry='%s'", jet::SqlText(kClosingSummary).c_str()));
  }
};

TEST_F(ClosingDlgTest, StartsAtTodaysMonthWithItsPlanListed) {
  platform.now = {2026, 10, 20};
  CClosingDlg dlg(env);
  dlg.OnInitDialog();
  EXPECT_EQ(dlg.monthText, "10");
  EXPECT_EQ(dlg.lines, (std::vector<std::string>{
                           "6001 主营业务收入  借  40,000.00", "6401 主营业务成本  贷  25,000.00",
                           "6602 管理费用  贷  3,000.50", "4103 本年利润  贷  11,999.50"}));
  EXPECT_EQ(dlg.note, "2026年10月31日结转到4103，共 4 笔。");
  EXPECT_TRUE(dlg.CanPost());
  EXPECT_TRUE(platform.messages.empty());
}

// One book, the user's steps in order: each step's month, the answer to the question, what 记帐 returns,
// the last message and the closing rows in the book afterwards.
TEST_F(ClosingDlgTest, PostsOnlyAfterTheQuestionAndNeverTwice) {
  struct Step {
    const char* month;
    MsgAnswer answer;
    bool posted;
    const char* message;
    long long rows;
    const char* focus;
  } steps[] = {
      {"13", MsgAnswer::Yes, false, "月份应为 1 到 12。", 0, "month"},
      {"0", MsgAnswer::Yes, false, "月份应为 1 到 12。", 0, "month"},
      {"9", MsgAnswer::Yes, false, "本月没有要结转的损益。", 0, ""},
      {"10", MsgAnswer::No, false, "结转10月损益，记帐 4 笔吗？", 0, ""},
      {"10", MsgAnswer::Yes, true, "已记帐 4 笔。", 4, ""},
      {"10", MsgAnswer::Yes, false, "本月没有要结转的损益。", 4, ""},
  };
  for (const Step& s : steps) {
    CClosingDlg dlg(env);
    dlg.monthText = s.month;
    dlg.OnInitDialog();
    platform.answers = {s.answer};
    size_t before = platform.messages.size();
    EXPECT_EQ(dlg.OnOk(), s.posted) << s.month;
    ASSERT_GT(platform.messages.size(), before) << s.month;
    EXPECT_EQ(platform.LastText(), s.message) << s.month;
    EXPECT_EQ(ClosingRows(), s.rows) << s.month;
    EXPECT_EQ(dlg.focus, s.focus) << s.month;
    if (s.posted) {
      EXPECT_EQ(dlg.posted, 4u);
      EXPECT_TRUE(dlg.lines.empty());  // planned again: nothing left
    }
  }
  // The profit and loss accounts stand at nothing after the month.
  StatementFigures figures(env);
  std::vector<int> found;
  std::string error;
  for (const char* code : {"6001", "6401", "6602"}) {
    ASSERT_TRUE(figures.Accounts(code, found, error)) << error;
    EXPECT_EQ(figures.Balance(found.back(), 10), 0) << code;
  }
}

TEST_F(ClosingDlgTest, ARefusalIsShownInPlaceOfThePostingsAndPostsNothing) {
  env.Execute(book_rows::Account("4103-1", "本年利润明细"));
  CClosingDlg dlg(env);
  dlg.monthText = "10";
  dlg.OnInitDialog();
  EXPECT_TRUE(dlg.lines.empty());
  EXPECT_EQ(dlg.note.rfind("本年利润科目4103有下级科目", 0), 0u) << dlg.note;
  EXPECT_FALSE(dlg.CanPost());
  EXPECT_FALSE(dlg.OnOk());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.LastText(), dlg.note);
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
  EXPECT_EQ(ClosingRows(), 0);
}

}  // namespace
