// The balance table, the balance-and-turnover table and the fuzzy query as a user meets them: the
// dialogs' checks, directions and empty amounts at the thresholds, stepping down and up, the totals.
#include <gtest/gtest.h>

#include "balance_book.h"
#include "reports/fuzzy_query_dlg.h"
#include "reports/balance_table.h"
#include "reports/turnover_table.h"
#include "reports/fuzzy_query_list.h"

namespace {

class BalanceReportsTest : public BalanceBookTest {
 protected:
  void SetUp() override {
    OpenBook();
    Account("1001", "现金");
    Account("1001-1", "总部");
    Account("1001-1-1", "甲");
    Account("1001-2", "分部");
    Account("1002", "银行");
    Account("1003", "空户");
  }
  std::unique_ptr<CHobdzb5> Balance(const std::string& date, const std::string& code = "") {
    CBalanceDateDlg dlg(env);
    dlg.OnInitDialog(code, date);
    EXPECT_TRUE(dlg.OnOK()) << platform.LastText();
    auto view = std::make_unique<CHobdzb5>();
    view->SetDataEnv(&env);
    view->InitForm();
    view->SetParameters(dlg);
    view->Build();
    return view;
  }
  std::unique_ptr<CHobdzb6> Turnover(const std::string& from, const std::string& to, bool all = false) {
    CTurnoverRangeDlg dlg(env);
    dlg.OnInitDialog("", all, from, to);
    EXPECT_TRUE(dlg.OnOK()) << platform.LastText();
    auto view = std::make_unique<CHobdzb6>();
    view->SetDataEnv(&env);
    view->InitForm();
    view->SetParameters(dlg);
    view->Build();
    return view;
  }
};

TEST_F(BalanceReportsTest, DirectionsAndEmptyAmountsAtTheThresholds) {
  Post("20260305", "1001-1-1", 1, 0.0000005);
  Opening("1002", 1, 0.000005);
  auto balance = Balance("20261231");
  // code, name, direction, amount; the total row last.
  EXPECT_EQ(balance->Rows()[0], (std::vector<std::string>{"1001", "现金", "平", ""}));
  EXPECT_EQ(balance->Rows()[2], (std::vector<std::string>{"1003", "空户", "平", ""}));
  EXPECT_EQ(balance->Rows()[3], (std::vector<std::string>{"", "         合      计", "平", ""}));

  auto turnover = Turnover("20260101", "20261231");
  EXPECT_EQ(turnover->Rows()[1], (std::vector<std::string>{"1002", "银行", "平", "", "", "", "平", ""}));
  EXPECT_EQ(turnover->Rows()[2], (std::vector<std::string>{"1003", "空户", "平", "", "", "", "平", ""}));
}

TEST_F(BalanceReportsTest, TurnoverRunsFromTheStartOfTheStartDatesPeriod) {
  Opening("1001-1-1", 1, 1000);
  Post("20260215", "1001-1-1", 1, 50);   // before the start period: in the opening balance
  Post("20260302", "1001-1-1", 1, 300);  // before the start date, but in its period
  Post("20260320", "1001-1-1", -1, 20);
  Post("20260401", "1001-1-1", 1, 7);         // after the end date
  Post("20260310", "1001-2", -1, 2000, 1, "摘要", "1");  // outside the books
  auto view = Turnover("20260315", "20260331");
  EXPECT_EQ(view->Rows()[0], (std::vector<std::string>{"1001", "现金", "借", "1,050.00", "300.00", "20.00",
                                                       "借", "1,330.00"}));
}

// A negative amount (interest on the other side, a reversal) shows in an account row with its sign, so the
// row still adds up; only the total row blanks a debit or credit that is not above zero.
TEST_F(BalanceReportsTest, TurnoverShowsNegativeAmountsOfAccountRows) {
  Post("20260310", "1002", 1, -12.40);
  Post("20260310", "1003", -1, 5);
  Post("20260311", "1003", 1, -5);
  auto view = Turnover("20260101", "20261231");
  EXPECT_EQ(view->Rows()[1], (std::vector<std::string>{"1002", "银行", "平", "", "-12.40", "", "贷", "12.40"}));
  EXPECT_EQ(view->Rows()[2], (std::vector<std::string>{"1003", "空户", "平", "", "-5.00", "5.00", "贷", "10.00"}));
  EXPECT_EQ(view->Rows().back(),
            (std::vector<std::string>{"", "   合    计  ", "平", "", "", "5.00", "贷", "22.40"}));
}

// Figures below a cent (a year file written by other means may hold them) show as the cents they round
// to: no direction without an amount, the closing balance that of the balance table, and totals of the
// rows as shown, not of the figures behind them.
TEST_F(BalanceReportsTest, SubCentFiguresCountAsTheCentsTheyShow) {
  Opening("1002", 1, 0.004);
  Opening("1003", 1, 0.004);
  Post("20260310", "1002", 1, 0.003);
  Post("20260310", "1003", 1, 0.003);
  const std::vector<std::string> shownRow = {"平", "", "", "", "借", "0.01"};
  auto turnover = Turnover("20260101", "20261231");
  for (size_t row : {1, 2}) {
    std::vector<std::string> shown(turnover->Rows()[row].begin() + 2, turnover->Rows()[row].end());
    EXPECT_EQ(shown, shownRow) << row;
  }
  EXPECT_EQ(turnover->Rows().back(), (std::vector<std::string>{"", "   合    计  ", "平", "", "", "", "借", "0.02"}));
  auto balance = Balance("20261231");
  EXPECT_EQ(balance->Rows()[1], (std::vector<std::string>{"1002", "银行", "借", "0.01"}));
  EXPECT_EQ(balance->Rows().back(), (std::vector<std::string>{"", "         合      计", "借", "0.02"}));
}

TEST_F(BalanceReportsTest, AllLevelsListsDepthFirstAndTotalsTheTopLevelOnly) {
  Post("20260310", "1001-1-1", 1, 100);
  Post("20260310", "1001-2", -1, 40);
  Post("20260310", "1002", 1, 5);
  auto view = Turnover("20260101", "20261231", true);
  std::vector<std::string> codes;
  for (auto& row : view->Rows()) codes.push_back(row[0]);
  EXPECT_EQ(codes, (std::vector<std::string>{"1001", "1001-1", "1001-1-1", "1001-2", "1002", "1003", ""}));
  EXPECT_EQ(view->Rows().back(),
            (std::vector<std::string>{"", "   合    计  ", "平", "", "105.00", "40.00", "借", "65.00"}));
  // With every level listed, there is no stepping down.
  EXPECT_FALSE(view->StepDown(0));
}

TEST_F(BalanceReportsTest, SteppingDownTwiceAndUpTwiceReturnsToTheFirstChoice) {
  auto view = Balance("20261231");
  view->SetCurrent(0, 1, 0, "TEXT");
  EXPECT_FALSE(view->StepDown(view->TotalRow()));
  EXPECT_FALSE(view->StepDown(2));  // 1003 has no sub-accounts
  view->OnKeyDown(VyKey::Enter, false, false);
  EXPECT_EQ(view->StartCode(), "1001");
  EXPECT_EQ(view->Rows()[0][0], "1001-1");
  ASSERT_TRUE(view->StepDown(0));
  EXPECT_EQ(view->Rows()[0][0], "1001-1-1");
  view->OnKeyDown(VyKey::Escape, false, false);
  EXPECT_EQ(view->StartCode(), "1001");
  view->OnCommand(vycmd::kLevelUp);
  EXPECT_EQ(view->StartCode(), "");
  EXPECT_EQ(view->Current().row, 0);
  EXPECT_EQ(view->Current().col, 1);
  EXPECT_EQ(view->Rows().size(), 4u);
}

TEST_F(BalanceReportsTest, DialogChecksInOrder) {
  struct Case {
    std::string code, year, month, day, message, focus;
  } cases[] = {
      {"1003", "2026", "3", "1", "输入的科目代码不存在或没有子科目，请重输！", "code"},
      {"9", "2026", "3", "1", "输入的科目代码不存在或没有子科目，请重输！", "code"},
      {"", "1989", "3", "1", "输入年度不合理，请重输！", "year"},
      {"", "2026", "13", "1", "输入月份不合理，请重输！", "month"},
      {"", "2026", "2", "29", "输入日不合理，请重输！", "day"},
      {"", "2025", "12", "31", "输入日期已不在当前注册的会计年度内，请重输！", "year"},
  };
  for (const Case& c : cases) {
    CBalanceDateDlg dlg(env);
    dlg.OnInitDialog();
    dlg.code = c.code;
    dlg.date = {c.year, c.month, c.day};
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(platform.LastText(), c.message);
    EXPECT_EQ(dlg.focus, c.focus);
  }
  // Preset: the closing day of today's period.
  CBalanceDateDlg dlg(env);
  dlg.OnInitDialog();
  EXPECT_EQ(dlg.date.Date(), "20261231");

  struct Range {
    std::string from, to, code, message;
  } ranges[] = {
      {"20261301", "20261231", "", "起始月份不合理，请重输！"},
      {"20260101", "20260230", "", "终止日不合理，请重输！"},
      {"20260101", "20270101", "", "输入时间已不在当前会计年度内，请重输！"},
      {"20260501", "20260401", "", "起始时间大于终止时间，请重输！"},
      {"20260101", "20260401", "1002", "该会计科目不存在或没有子科目，请重输！"},
  };
  for (const Range& r : ranges) {
    CTurnoverRangeDlg range(env);
    range.OnInitDialog();
    range.code = r.code;
    range.from = {r.from.substr(0, 4), r.from.substr(4, 2), r.from.substr(6)};
    range.to = {r.to.substr(0, 4), r.to.substr(4, 2), r.to.substr(6)};
    EXPECT_FALSE(range.OnOK());
    EXPECT_EQ(platform.LastText(), r.message);
  }
}

TEST(TurnoverRangeText, FourForms) {
  auto text = [](DateFields f, DateFields t) { return CTurnoverRangeDlg::RangeText(f, t); };
  EXPECT_EQ(text({"2026", "3", "5"}, {"2026", "3", "5"}), "2026 年 3 月 5 日");
  EXPECT_EQ(text({"2026", "3", "5"}, {"2026", "3", "9"}), "2026 年 3 月 5 日 至 9 日");
  EXPECT_EQ(text({"2026", "3", "5"}, {"2026", "4", "9"}), "2026 年 3 月 5 日 至 4 月 9 日");
  EXPECT_EQ(text({"2026", "3", "5"}, {"2027", "4", "9"}), "2026 年 3 月 5 日 至 2027 年 4 月 9 日");
}

// What an export takes from each table before and after its dialog: the topic over the dialog's wording and
// the unit, and which columns are amounts (the codes, names and directions are text).
TEST_F(BalanceReportsTest, ExportHeadsAndColumnKinds) {
  using K = ReportColumnKind;
  const K t = K::kText, a = K::kAmount;
  CHobdzb5 emptyBalance;
  CHobdzb6 emptyTurnover;
  emptyBalance.SetDataEnv(&env);
  emptyTurnover.SetDataEnv(&env);
  auto balance = Balance("20260331");
  auto turnover = Turnover("20260301", "20260331");
  struct Case {
    CBalanceLevelView* view;
    std::string topic, headLine;
    std::vector<K> kinds;
  } cases[] = {
      {&emptyBalance, " 帐户余额表 ", "截止时间：×× 年 × 月 × 日", {t, t, t, a}},
      {&emptyTurnover,
       " 帐户余额及发生额表 ",
       "×× 年 × 月 × 日 至 ×× 年 × 月 × 日",
       {t, t, t, a, a, a, t, a}},
      {balance.get(), " 帐户余额表 ", "截止时间：2026 年 3 月 31 日", {t, t, t, a}},
      {turnover.get(), " 帐户余额及发生额表 ", "2026 年 3 月 1 日 至 31 日", {t, t, t, a, a, a, t, a}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> head = c.view->ReportHead();
    ASSERT_EQ(head.size(), 3u) << c.topic;
    EXPECT_EQ(head[0], c.topic);
    EXPECT_EQ(head[1], c.headLine);
    EXPECT_EQ(head[2], "单位：" + env.unitName);
    ASSERT_EQ(c.view->ColumnCaptions().size(), c.kinds.size()) << c.topic;
    for (size_t col = 0; col < c.kinds.size(); ++col)
      EXPECT_EQ(c.view->ColumnKind(static_cast<int>(col)), c.kinds[col]) << c.topic << " column " << col;
  }
}

TEST_F(BalanceReportsTest, FuzzyQuery) {
  Post("20260310", "1001-1-1", 1, 100, 1, "差旅费", "2");
  Post("20260311", "1001-2", -1, 100, 1, "报销差旅", "0");  // cancels the one above
  Post("20260312", "1002", 1, 100.004, 1, "其他", "2");
  Post("20260313", "1002", 1, 60, 1, "差旅", "2");
  Post("20260314", "1002", 1, 100, 1, "差旅", "1");  // outside the books

  struct Case {
    std::string summary, code, a1, a2;
    std::string message;                // a refusal, or
    std::string condition;              // the head line and
    std::vector<std::string> totalRow;  // the total row of the hits
  } cases[] = {
      {"",
       "",
       "100",
       "",
       "",
       "  2026 年 1 月 至 12 月 限制金额 = 100.00",
       {"", "", "", "     合    计", "平", ""}},
      {"", "", "100", "50", "后一个金额应不小于前一个金额", "", {}},
      {"",
       "",
       "100",
       "100",
       "",
       "  2026 年 1 月 至 12 月 限制金额 = 100.00",
       {"", "", "", "     合    计", "平", ""}},
      {"  差旅  ",
       "1001",
       "",
       "",
       "",
       "帐户：现金  2026 年 1 月 至 12 月 摘要包含“差旅”",
       {"", "", "", "     合    计", "平", ""}},
      {"",
       "",
       "50",
       "70",
       "",
       "  2026 年 1 月 至 12 月 金额在[50.00 ～ 70.00]内",
       {"", "", "", "     合    计", "借", "60.00"}},
      {"", "1-", "", "", "非法的科代码，请重输!", "", {}},
      {"", "1009", "", "", "给定的科代码不存在，请重输!", "", {}},
      {"", "", "1.2.3", "", "非法的金额，请重输!", "", {}},
      {"", "", "0", "", "科目代码和金额必须至少指定其一。", "", {}},
      {"无此摘要", "1001", "", "", "没有满足条件的记录", "", {}},
  };
  for (const Case& c : cases) {
    CFuzzyQueryDlg dlg(env);
    dlg.OnInitDialog();
    dlg.summary = c.summary;
    EXPECT_FALSE(dlg.ConfirmEnabled());  // a summary alone is not enough
    dlg.code = c.code;
    dlg.amount1 = c.a1;
    dlg.amount2 = c.a2;
    platform.messages.clear();
    bool ok = dlg.OnOK();
    if (!c.message.empty()) {
      EXPECT_FALSE(ok);
      EXPECT_EQ(platform.LastText(), c.message);
      continue;
    }
    ASSERT_TRUE(ok) << platform.LastText();
    EXPECT_EQ(dlg.conditionText, c.condition);
    CHobdzb7 view;
    view.SetDataEnv(&env);
    view.InitForm();
    view.SetParameters(dlg);
    view.Build();
    EXPECT_EQ(view.Rows().back(), c.totalRow) << c.condition;
    EXPECT_EQ(view.Rows().size(), static_cast<size_t>(dlg.hits) + 1);
  }
}

}  // namespace

namespace {

using NonzeroListing = BalanceBookTest;

// 只列有余额或发生额的科目 (--nonzero): the balance table leaves out an account without a balance and without a
// posting; the turnover table one whose four figures are all zero, but with every level listed it keeps a
// parent whose sub-accounts cancel out, and judges them one by one. The totals stay as they were.
TEST_F(NonzeroListing, AccountsWithNothingToShowAreLeftOutAndTheTotalsStay) {
  OpenBook();
  for (auto [code, name] : std::initializer_list<std::pair<const char*, const char*>>{
           {"1001", "现金"}, {"1002", "空户"}, {"1003", "往来"}, {"1004", "分户"}, {"1004-1", "甲"}, {"1004-2", "乙"},
           {"1004-3", "丙"}})
    Account(code, name);
  Opening("1001", 1, 500);
  Opening("1004-1", 1, 100);
  Opening("1004-2", -1, 100);
  Post("20260310", "1003", 1, 80);
  Post("20260320", "1003", -1, 80);
  struct Case {
    const char* table;
    bool allLevels;
    std::vector<std::string> codes;  // the accounts listed with --nonzero, the total row last ("")
  } cases[] = {
      {"balance", false, {"1001", "1003", ""}},
      {"turnover", false, {"1001", "1003", ""}},
      {"turnover", true, {"1001", "1003", "1004", "1004-1", "1004-2", ""}},
  };
  for (const Case& c : cases) {
    std::vector<std::vector<std::string>> rows[2];
    for (bool nonzero : {false, true}) {
      if (std::string(c.table) == "balance") {
        CBalanceDateDlg dlg(env);
        dlg.OnInitDialog("", "20261231");
        dlg.nonzero = nonzero;
        ASSERT_TRUE(dlg.OnOK());
        auto view = MakeView<CHobdzb5>();
        view->SetParameters(dlg);
        view->Build();
        rows[nonzero] = view->ReportRows();
      } else {
        CTurnoverRangeDlg dlg(env);
        dlg.OnInitDialog("", c.allLevels, "20260101", "20261231");
        dlg.nonzero = nonzero;
        ASSERT_TRUE(dlg.OnOK());
        auto view = MakeView<CHobdzb6>();
        view->SetParameters(dlg);
        view->Build();
        rows[nonzero] = view->ReportRows();
      }
    }
    std::vector<std::string> codes;
    for (const auto& row : rows[1]) codes.push_back(row[0]);
    EXPECT_EQ(codes, c.codes) << c.table << c.allLevels;
    EXPECT_EQ(rows[1].back(), rows[0].back()) << c.table;  // the total row
    EXPECT_GT(rows[0].size(), rows[1].size());
  }
}

}  // namespace
