// 打印全部帐页: which ledgers a year's books hold, in what order and of which kind; the dialog's checks; the
// run handing on one view at a time and stopping when cancelled.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "formview/report_view.h"
#include "ledgers/ledger_book.h"
#include "reports/year_books_dlg.h"

namespace {

class YearBooksTest : public LedgerBook {
 protected:
  void SetUp() override {
    LedgerBook::SetUp();
    env.LoadRights();  // the default operator, who keeps the books and sees every ledger
  }
  void Book() {
    Account("1001", "现金");
    Account("1002", "银行存款", "0", "", "1");
    Account("1002-1", "工行");
    Account("1002-2", "建行");
    Account("1002-10", "农行");
    Account("1003", "空帐户");
    Account("1211", "原材料", "1", "吨");
    Account("1221", "应收外币", "2", "1");
    env.Execute("insert into wbt(wno,na) values('1','美元')");
    Account("9", "只有期初");
    Account("10", "未复核");
    Post("20260105", "1001", 1, 100);
    Post("20260305", "1002-10", 1, 50);
    Post("20260306", "1002-2", -1, 20);
    Post("20260107", "1211", 1, 30, 1, "入库", "2", 3);
    Post("20260108", "1221", 1, 70, 1, "收汇", "2", 10);
    Opening("9", 1, 5);
    Post("20260110", "10", 1, 8, 1, "摘要", "1");  // outside the books
  }
  static std::vector<std::string> Codes(const std::vector<BookEntry>& plan) {
    std::vector<std::string> out;
    for (const BookEntry& e : plan) out.push_back(e.code + ":" + std::to_string(static_cast<int>(e.kind)));
    return out;
  }
};

TEST_F(YearBooksTest, PlanListsBookedLowestAccountsInCodeOrderWithTheirKind) {
  Book();
  // 0 three-column, 1 multi-column, 2 quantity, 3 currency, 4 balance table.
  EXPECT_EQ(Codes(PlanYearBooks(env, {}, 12)),
            (std::vector<std::string>{"9:0", "1001:0", "1002:1", "1002-2:0", "1002-10:0", "1211:2", "1221:3",
                                      ":4"}));
  // Postings after the end month do not make a ledger; kinds not asked for are left out.
  BookKinds some{true, false, false, false, false};
  EXPECT_EQ(Codes(PlanYearBooks(env, some, 2)), (std::vector<std::string>{"9:0", "1001:0"}));
}

TEST_F(YearBooksTest, EveryPlannedViewBuildsWithRowsAndThePrintedPageHead) {
  Book();
  CYearBooksDlg dialog(env);
  ASSERT_TRUE(dialog.Confirm());
  std::vector<std::string> topics;
  EXPECT_EQ(PrintYearBooks(env, dialog,
                           [&](CVyReportView& view, const BookEntry& entry) {
                             EXPECT_GT(view.ReportRowCount(), 0) << entry.code;
                             topics.push_back(view.ReportHead().at(0));
                             return true;
                           }),
            BooksOutcome::kDone);
  EXPECT_EQ(topics, (std::vector<std::string>{" 三栏式帐页 ", " 三栏式帐页 ", " 多栏式帐页 ", " 三栏式帐页 ",
                                              " 三栏式帐页 ", " 数量金额式帐页 ", " 复 币 式 帐 页 ",
                                              " 帐户余额表 "}));
}

TEST_F(YearBooksTest, RunStopsBetweenAccountsWhenCancelledOrWhenTheSinkFails) {
  Book();
  CYearBooksDlg dialog(env);
  ASSERT_TRUE(dialog.Confirm());
  int handed = 0;
  EXPECT_EQ(PrintYearBooks(
                env, dialog, [&](CVyReportView&, const BookEntry&) { return ++handed > 0; },
                [&] { return handed == 3; }),
            BooksOutcome::kCancelled);
  EXPECT_EQ(handed, 3);
  handed = 0;
  EXPECT_EQ(PrintYearBooks(env, dialog, [&](CVyReportView&, const BookEntry&) { return ++handed < 2; }),
            BooksOutcome::kFailed);
  EXPECT_EQ(handed, 2);
}

TEST_F(YearBooksTest, DialogChecksMonthsThenKinds) {
  struct Case {
    const char *start, *end;
    bool anyKind;
    const char *message, *focus;
  } cases[] = {
      {"0", "12", true, "起始月不合理，输入一数!", "start"},
      {"5", "4", true, "终止月不合理，输入一数!", "end"},
      {"1", "12", false, "请至少选择一种帐页。", "kinds"},
      {"3", "3", true, "", ""},
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    CYearBooksDlg dialog(env);
    dialog.startMonth = c.start;
    dialog.endMonth = c.end;
    if (!c.anyKind) dialog.kinds = {false, false, false, false, false};
    EXPECT_EQ(dialog.Confirm(), std::string(c.message).empty()) << c.start << "-" << c.end;
    EXPECT_EQ(platform.messages.empty() ? "" : platform.messages.back().text, c.message);
    EXPECT_EQ(dialog.focus, c.focus);
  }
}

// The books hold only the kinds whose ledger window the operator may open; the others are named with the
// rights that are missing, and a choice of only those is refused.
TEST_F(YearBooksTest, KindsTheOperatorMayNotSeeAreLeftOutAndNamed) {
  Book();
  struct Case {
    std::string rights;
    BookKinds asked;
    bool confirmed;
    std::vector<std::string> plan;
    std::string withheld;
  } cases[] = {
      {"0301 0302 0303 0304 0305 ", {}, true,
       {"9:0", "1001:0", "1002:1", "1002-2:0", "1002-10:0", "1211:2", "1221:3", ":4"}, ""},
      {"0301 ", {}, true, {"9:0", "1001:0", "1002-2:0", "1002-10:0"},
       "没有打印多栏式帐、数量金额式帐、复币式帐、余额表：操作员102没有查看这些帐页的权限（0302、0303、0304、0305）。"},
      {"0301 0303 ", {true, false, true, true, false}, true, {"9:0", "1001:0", "1002-2:0", "1002-10:0", "1211:2"},
       "没有打印复币式帐：操作员102没有查看这些帐页的权限（0304）。"},
      {"0301 ", {false, false, false, false, true}, false, {}, "没有打印余额表：操作员102没有查看这些帐页的权限（0305）。"},
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    env.rights = c.rights;
    CYearBooksDlg dialog(env);
    dialog.kinds = c.asked;
    EXPECT_EQ(dialog.Confirm(), c.confirmed) << c.rights;
    EXPECT_EQ(dialog.withheld, c.withheld) << c.rights;
    if (!c.confirmed) {
      EXPECT_EQ(platform.LastText(), c.withheld);
      EXPECT_EQ(dialog.focus, "kinds");
      continue;
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Codes(PlanYearBooks(env, dialog.kinds, 12)), c.plan) << c.rights;
  }
}

TEST(YearBooksKinds, ParsesTheNamesAndRefusesOthers) {
  BookKinds kinds;
  std::string error;
  ASSERT_TRUE(ParseBookKinds("ledger,balance", kinds, error));
  EXPECT_TRUE(kinds.ledger && kinds.balance && !kinds.multi && !kinds.quantity && !kinds.currency);
  ASSERT_TRUE(ParseBookKinds("multi, quantity ,currency", kinds, error));
  EXPECT_TRUE(!kinds.ledger && kinds.multi && kinds.quantity && kinds.currency && !kinds.balance);
  EXPECT_FALSE(ParseBookKinds("ledger,ledgers", kinds, error));
  EXPECT_NE(error.find("ledgers"), std::string::npos);
  EXPECT_TRUE(kinds.multi);  // a refusal changes nothing
}

// The code order equals ordering by the list of each level's number.
TEST(YearBooksOrder, CodeOrderIsTheOrderOfTheLevelsNumbers) {
  std::mt19937 random(7);
  std::vector<std::string> codes;
  for (int i = 0; i < 300; ++i) {
    std::string code;
    int levels = 1 + static_cast<int>(random() % 4);
    for (int l = 0; l < levels; ++l) code += (l ? "-" : "") + std::to_string(1 + random() % 120);
    codes.push_back(code);
  }
  auto numbers = [](const std::string& code) {
    std::vector<long> parts;
    for (size_t i = 0; i <= code.size();) {
      size_t dash = std::min(code.find('-', i), code.size());
      parts.push_back(std::stol(code.substr(i, dash - i)));
      i = dash + 1;
    }
    return parts;
  };
  std::vector<std::string> expected = codes;
  std::stable_sort(expected.begin(), expected.end(),
                   [&](const std::string& a, const std::string& b) { return numbers(a) < numbers(b); });
  std::stable_sort(codes.begin(), codes.end(), CodeOrderLess);
  EXPECT_EQ(codes, expected);
}

}  // namespace
