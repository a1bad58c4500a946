// The three-column ledger against small books: which lines it shows, how they are dated, the balance and
// its direction, the dialog's checks, and the carry lines of its printed pages.
#include <gtest/gtest.h>

#include <functional>

#include "accounts/account_asker.h"
#include "base/dialog_asker.h"
#include "ledgers/ledger_period_dlg.h"
#include "ledgers/three_column_ledger.h"
#include "ledgers_support.h"
#include "support/recording_dc.h"

namespace {

class ThreeColumnTest : public LedgerBook {};

TEST_F(ThreeColumnTest, BuildsTheLinesOfEachCase) {
  struct Case {
    const char* name;
    std::function<void(ThreeColumnTest&)> book;
    std::string code;
    int mode, start, end;
    bool reached;
    std::vector<std::string> rows;
  };
  auto chart = [](ThreeColumnTest& t) {
    t.Account("1002", "银行存款");
    t.Account("1002-1", "工行");
    t.Account("1002-1-1", "总部");
    t.Account("1002-2", "建行");
  };
  const std::vector<Case> cases = {
      {"a parent in automatic mode is summed by period",
       [&](ThreeColumnTest& t) {
         chart(t);
         t.Post("20260105", "1002-2", 1, 100);
         t.Post("20260103", "1002-1-1", -1, 40);
       },
       "1002",
       0,
       1,
       12,
       true,
       {"01\t31\t本  月  合  计\t100.00\t40.00\t借\t60.00",
        "01\t31\t本  年  累  计\t100.00\t40.00\t借\t60.00"}},
      {"forced detail lists every descendant's postings by date and row",
       [&](ThreeColumnTest& t) {
         chart(t);
         t.Post("20260105", "1002-2", 1, 100, 2, "二");
         t.Post("20260105", "1002-1-1", 1, 5, 1, "一");
         t.Post("20260103", "1002-1-1", -1, 40, 1, "早");
       },
       "1002",
       1,
       1,
       12,
       true,
       {"01\t03\t早\t\t40.00\t贷\t40.00", "01\t05\t一\t5.00\t\t贷\t35.00", "01\t05\t二\t100.00\t\t借\t65.00",
        "01\t31\t本  月  合  计\t105.00\t40.00\t借\t65.00",
        "01\t31\t本  年  累  计\t105.00\t40.00\t借\t65.00"}},
      {"start month 1 with opening rows only",
       [](ThreeColumnTest& t) {
         t.Account("1001", "现金");
         t.Opening("1001", 1, 250);
       },
       "1001",
       0,
       1,
       12,
       true,
       {"01\t01\t期 初 余 额\t\t\t借\t250.00"}},
      {"an opening of zero gives no line at all",
       [](ThreeColumnTest& t) {
         t.Account("1001", "现金");
         t.Opening("1001", 1, 0);
       },
       "1001",
       0,
       1,
       12,
       true,
       {}},
      {"a later start month sums what came before into the year's totals",
       [](ThreeColumnTest& t) {
         t.Account("1001", "现金");
         t.Opening("1001", -1, 10);
         t.Post("20260110", "1001", 1, 30);
         t.Post("20260220", "1001", -1, 5);
         t.Post("20260305", "1001", 1, 1);
       },
       "1001",
       0,
       3,
       12,
       true,
       {"03\t01\t期 初 余 额 汇 总\t30.00\t5.00\t借\t15.00", "03\t05\t摘要\t1.00\t\t借\t16.00",
        "03\t31\t本  月  合  计\t1.00\t\t借\t16.00", "03\t31\t本  年  累  计\t31.00\t5.00\t借\t16.00"}},
      {"the unreached ledger leaves the opening balance out",
       [](ThreeColumnTest& t) {
         t.Account("1001", "现金");
         t.Opening("1001", 1, 500);
         t.Post("20260110", "1001", 1, 30, 1, "未达", "1");
         t.Post("20260111", "1001", 1, 70);
       },
       "1001",
       0,
       1,
       12,
       false,
       {"01\t10\t未达\t30.00\t\t借\t30.00", "01\t31\t本  月  合  计\t30.00\t\t借\t30.00",
        "01\t31\t本  年  累  计\t30.00\t\t借\t30.00"}},
      {"a balance of zero is 平 with an empty cell",
       [](ThreeColumnTest& t) {
         t.Account("1001", "现金");
         t.Post("20260110", "1001", 1, 30);
         t.Post("20260112", "1001", -1, 30, 2);
       },
       "1001",
       1,
       1,
       1,
       true,
       {"01\t10\t摘要\t30.00\t\t借\t30.00", "01\t12\t摘要\t\t30.00\t平\t",
        "01\t31\t本  月  合  计\t30.00\t30.00\t平\t", "01\t31\t本  年  累  计\t30.00\t30.00\t平\t"}},
      {"totals carry the period's closing date (day 25)",
       [](ThreeColumnTest& t) {
         t.env.Execute("update systab set jt='025'");
         t.env.closingDay = "025";
         t.Account("1001", "现金");
         t.Post("20260120", "1001", 1, 8);
         t.Post("20260126", "1001", 1, 2);
       },
       "1001",
       1,
       1,
       2,
       true,
       {"01\t20\t摘要\t8.00\t\t借\t8.00", "01\t25\t本  月  合  计\t8.00\t\t借\t8.00",
        "01\t25\t本  年  累  计\t8.00\t\t借\t8.00", "01\t26\t摘要\t2.00\t\t借\t10.00",
        "02\t25\t本  月  合  计\t2.00\t\t借\t10.00", "02\t25\t本  年  累  计\t10.00\t\t借\t10.00"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    env.Execute("delete from subt");
    env.Execute("delete from p0");
    env.Execute("update systab set jt='031'");
    env.closingDay = "031";
    c.book(*this);
    auto view = Make<CQirnzb1>();
    view->code = c.code;
    view->outputMode = c.mode;
    view->reached = c.reached;
    view->startMonth = MonthKey(2026, c.start);
    view->endMonth = MonthKey(2026, c.end);
    view->Build();
    EXPECT_EQ(RowTexts(*view), c.rows);
  }
}

TEST_F(ThreeColumnTest, HeadNamesTheAccountAndTheUnreachedItems) {
  Account("1001", "现金");
  Post("20260110", "1001", 1, 30, 1, "未达", "1");
  auto view = Make<CQirnzb1>();
  view->Open("1001");
  // The dialog as the user leaves it: 本帐未达, months 1 to 3.
  {
    ScopedFace<CLedgerPeriodDlg> period([&](CLedgerPeriodDlg& d) {
      d.reached = false;
      d.startMonth = "1";
      d.endMonth = "3";
      return d.Confirm();
    });
    EXPECT_TRUE(view->ChangePeriod());
  }
  EXPECT_EQ(view->ReportHead(),
            (std::vector<std::string>{" 三栏式帐页 ", "帐户名：现金",
                                      "帐户号：1001\t2026 年  1 月 至  3 月  (本帐未达项)"}));
  EXPECT_EQ(view->Lines().size(), 3u);
}

// Ctrl+O to an account without unreached items, in 本帐未达 mode: the head and the rows both show the
// account chosen, which has no rows.
TEST_F(ThreeColumnTest, ChoosingAnAccountWithoutRowsClearsTheOldRows) {
  Account("1001", "现金");
  Account("1002", "银行存款");
  Post("20260110", "1001", 1, 30, 1, "未达", "1");
  Post("20260111", "1002", 1, 50, 1, "已达", "2");
  auto view = Make<CQirnzb1>();
  view->reached = false;
  view->Open("1001");
  ASSERT_EQ(view->Lines().size(), 3u);
  SetAccountAsker([](int, const std::string&) { return std::optional<std::string>("1002"); });
  EXPECT_TRUE(view->OnCommand(vycmd::kOpen));
  SetAccountAsker(nullptr);
  EXPECT_EQ(view->ReportHead()[2].rfind("帐户号：1002\t", 0), 0u);
  EXPECT_TRUE(view->Lines().empty());
  EXPECT_TRUE(view->ReportRows().empty());
}

TEST_F(ThreeColumnTest, DialogsRefuseWithTheirMessages) {
  Account("1001", "现金");
  Account("1009", "空");
  Post("20260310", "1001", 1, 30);
  struct Case {
    std::string start, end;
    bool reached;
    std::string message, focus;
  };
  const std::vector<Case> cases = {
      {"0", "12", true, "起始月不合理，输入一数!", "start"},
      {"x", "12", true, "起始月不合理，输入一数!", "start"},
      {"5", "4", true, "终止月不合理，输入一数!", "end"},
      {"5", "13", true, "终止月不合理，输入一数!", "end"},
      {"1", "2", true, "没有满足条件的记录", "start"},
      {"1", "12", false, "没有满足条件的记录", "start"},
      {"3", "3", true, "", ""},
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    CLedgerPeriodDlg dialog(env, "1001", "", "", c.reached);
    dialog.startMonth = c.start;
    dialog.endMonth = c.end;
    EXPECT_EQ(dialog.Confirm(), c.message.empty()) << c.start << "-" << c.end;
    EXPECT_EQ(platform.LastText(), c.message);
    EXPECT_EQ(dialog.focus, c.focus);
  }
  platform.messages.clear();
  EXPECT_FALSE(CQirnzb1::HasContent(env, "1009", 12));
  EXPECT_EQ(platform.LastText(), "本科目(帐户)无经济内容!");
  SetAccountAsker([](int, const std::string&) { return std::optional<std::string>("1001"); });
  EXPECT_EQ(CQirnzb1::ChooseAccount(env, "", 12), "1001");
  SetAccountAsker(nullptr);
}

TEST_F(ThreeColumnTest, PrintedPagesCarryTheSumsOverPageBreaks) {
  Account("1001", "现金");
  Opening("1001", 1, 1000);
  for (int i = 1; i <= 60; ++i) Post(Format("202601%02d", (i + 1) / 2), "1001", i % 3 ? 1 : -1, i, i);
  for (int i = 1; i <= 5; ++i) Post(Format("202602%02d", i), "1001", 1, 1, i);
  auto view = Make<CQirnzb1>();
  view->Open("1001");
  view->OnBeginPrinting();
  const auto& printed = view->Shown();
  int r = view->RowsPerPage(true);
  ASSERT_GT(r, 3);
  ASSERT_GT(static_cast<int>(printed.size()), r + 1);
  // The first page ends inside January: its last line carries the month's postings so far.
  const LedgerLine& over = printed[static_cast<size_t>(r - 1)];
  const LedgerLine& back = printed[static_cast<size_t>(r)];
  EXPECT_EQ(over.cells[2], "  过  次  页");
  EXPECT_EQ(back.cells[2], "  承  前  页");
  double debit = 0, credit = 0;
  for (int i = 1; i <= r - 2; ++i) (i % 3 ? debit : credit) += i;
  EXPECT_EQ(over.cells[3], FormatAmount(debit, 0, 2, 2));
  EXPECT_EQ(over.cells[4], FormatAmount(credit, 0, 2, 2));
  EXPECT_EQ(over.cells[6], printed[static_cast<size_t>(r - 2)].cells[6]);
  EXPECT_EQ(std::vector<std::string>(over.cells.begin() + 3, over.cells.end()),
            std::vector<std::string>(back.cells.begin() + 3, back.cells.end()));
  RecordingDC dc(true);
  view->DrawPrintPage(dc, 2);
  EXPECT_NE(dc.Find("本帐户第    2 页"), nullptr);
  EXPECT_NE(dc.Find("  承  前  页"), nullptr);
  view->OnEndPrinting();
  EXPECT_EQ(view->TextRows(), static_cast<int>(view->Lines().size()));
  EXPECT_EQ(view->ReportRows().size(), view->Lines().size());
}

TEST_F(ThreeColumnTest, OutputModesAreInTheContextMenu) {
  Account("1002", "银行存款");
  Account("1002-1", "工行");
  Post("20260105", "1002-1", 1, 100);
  auto view = Make<CQirnzb1>();
  view->Open("1002");
  EXPECT_FALSE(view->detail);
  std::vector<std::string> items;
  for (const VyMenuItem& m : view->ContextMenu()) items.push_back(m.text);
  std::vector<std::string> tail(items.end() - 7, items.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"", "导出(&E)...", "改变时间和类型(&K)", "", "自动选择输出方式",
                                            "输出明细记录", "输出汇总记录"}));
  EXPECT_TRUE(view->OnCommand(32848));
  EXPECT_TRUE(view->detail);
  EXPECT_EQ(view->Lines().front().cells[2], "摘要");
}

}  // namespace
