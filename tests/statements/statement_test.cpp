// The financial statements against the books: a quarter worked out by hand line by line, the balance sheet
// balancing on random books before and after their months are closed, the income statement seeing through
// the closings, the year's total equal to its months, and formulas that fail named with their lines.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "accounts/chart_templates.h"
#include "base/gbk.h"
#include "reports/balance_book.h"
#include "statements/pl_closing.h"
#include "statements/statement.h"

namespace {

using money::Cents;

class StatementTest : public BalanceBookTest {
 protected:
  void SetUp() override {
    OpenBook();
    ASSERT_EQ(LoadChart(env, "standard"), "");
    names = StatementNamesInstalling(env);
  }
  StatementResult Work(const std::string& name, int month) {
    StatementTemplate form;
    EXPECT_TRUE(LoadStatement(env, name, form)) << name;
    StatementFigures figures(env);
    return ComputeStatement(form, month, figures);
  }
  // Line lineNo's figure of column col in cents; -1 … never a figure of these books, for a blank cell.
  static Cents Figure(const StatementResult& r, int lineNo, int col) {
    for (size_t i = 0; i < r.form.lines.size(); ++i)
      if (r.form.lines[i].lineNo == lineNo) {
        const StatementCell& c = r.cells[i][static_cast<size_t>(col)];
        return c.blank ? -1 : c.value;
      }
    ADD_FAILURE() << "no line " << lineNo;
    return -2;
  }
  // A posting pair: debit on one account, credit on the other.
  void Pair(const std::string& date, const std::string& debit, const std::string& credit, double amount) {
    Post(date, debit, 1, amount);
    Post(date, credit, -1, amount);
  }
  std::vector<std::string> names;
};

TEST_F(StatementTest, TheStandardChartGetsBothStatements) {
  EXPECT_EQ(names, (std::vector<std::string>{"资产负债表", "利润表"}));
  // A file from before the statements gets the tables and the chart's templates when first asked.
  env.Execute("drop table stmtl");
  env.Execute("drop table stmt");
  EXPECT_EQ(StatementNamesInstalling(env), names);
  for (const char* chart : {"standard", "project"}) {
    std::vector<StatementTemplate> shipped = ShippedTemplates(chart);
    ASSERT_EQ(shipped.size(), 2u) << chart;
    for (const StatementTemplate& t : shipped) {
      // The CSV form reads back as the same template.
      StatementTemplate again;
      std::string error;
      ASSERT_TRUE(ParseTemplateCsv(TemplateCsv(t), again, error)) << gbk::ToUtf8(error);
      EXPECT_EQ(TemplateCsv(again), TemplateCsv(t));
    }
  }
}

// A small company's first quarter, every figure worked out by hand.
TEST_F(StatementTest, AQuarterWorkedByHand) {
  Account("1122-1", "客户甲");
  Account("1122-2", "客户乙");
  Pair("20260105", "1002", "4001", 500000);    // capital paid in
  Pair("20260110", "1405", "2202", 150000);    // goods bought on credit
  Pair("20260110", "2221", "2202", 19500);     // with input VAT
  Pair("20260120", "1002", "6001", 150000);    // a sale paid into the bank
  Pair("20260120", "1002", "2221", 19500);     // with output VAT
  Pair("20260120", "6401", "1405", 80000);     // its cost
  Pair("20260131", "6602", "2211", 30000);     // wages of the office
  Pair("20260131", "6601", "2211", 10000);     // and of the sales staff
  Pair("20260201", "1601", "1002", 60000);     // equipment
  Pair("20260205", "1002", "2001", 200000);    // a loan
  Pair("20260210", "2211", "1002", 40000);     // wages paid
  Pair("20260215", "1122-1", "6001", 80000);   // a sale on credit
  Pair("20260215", "1122-1", "2221", 10400);   // with output VAT
  Pair("20260215", "6401", "1405", 45000);     // its cost
  Pair("20260228", "6602", "1602", 1000);      // depreciation
  Pair("20260303", "1002", "1122-2", 3000);    // a customer pays ahead
  Pair("20260310", "1002", "2203", 20000);     // an advance received
  Pair("20260315", "1123", "1002", 5000);      // a supplier paid ahead
  Pair("20260320", "2202", "1002", 100000);    // a supplier paid
  Pair("20260331", "6603", "2231", 1000);      // the loan's interest
  Pair("20260331", "6602", "1602", 1000);      // depreciation
  Pair("20260331", "6403", "2221", 1200);      // taxes and surcharges

  // Line, the month's end, the year's opening; -1 a line without a formula.
  const std::vector<std::array<Cents, 3>> balance = {
      {1, 68750000, 0},   {4, 9040000, 0},     {5, 500000, 0},      {7, 2500000, 0},    {8, -1, -1},
      {10, 80790000, 0},  {16, 5800000, 0},    {26, 5800000, 0},    {27, 86590000, 0},  {28, 20000000, 0},
      {31, 6950000, 0},   {32, 2300000, 0},    {33, 0, 0},          {34, 1160000, 0},   {35, 100000, 0},
      {38, 30510000, 0},  {47, 30510000, 0},   {48, 50000000, 0},   {52, 6080000, 0},   {53, 56080000, 0},
      {54, 86590000, 0}};
  // Line, March, the quarter.
  const std::vector<std::array<Cents, 3>> income = {
      {1, 0, 23000000},   {2, 0, 12500000},      {3, 120000, 120000}, {4, 0, 1000000},
      {5, 100000, 3200000}, {6, 100000, 100000}, {11, -320000, 6080000}, {14, -320000, 6080000},
      {16, -320000, 6080000}};
  for (bool closed : {false, true}) {
    SCOPED_TRACE(closed ? "after closing" : "before closing");
    StatementResult sheet = Work("资产负债表", 3), profit = Work("利润表", 3);
    EXPECT_TRUE(sheet.errors.empty() && profit.errors.empty());
    for (const auto& [line, end, opening] : balance) {
      EXPECT_EQ(Figure(sheet, static_cast<int>(line), 0), end) << "资产负债表 行次 " << line;
      EXPECT_EQ(Figure(sheet, static_cast<int>(line), 1), opening) << "资产负债表 行次 " << line;
    }
    for (const auto& [line, month, year] : income) {
      EXPECT_EQ(Figure(profit, static_cast<int>(line), 0), month) << "利润表 行次 " << line;
      EXPECT_EQ(Figure(profit, static_cast<int>(line), 1), year) << "利润表 行次 " << line;
    }
    EXPECT_EQ(sheet.check[0].value, 0);
    for (int m = 1; m <= 3; ++m) ASSERT_TRUE(PostClosing(env, PlanClosing(env, m)));
  }
  // Closed, the profit stands in 本年利润 and nothing is left to close.
  EXPECT_TRUE(UnclosedAtYearEnd(env).empty());
  EXPECT_TRUE(PlanClosing(env, 3).postings.empty());
  StatementFigures figures(env);
  std::vector<int> profitAccount;
  std::string error;
  ASSERT_TRUE(figures.Accounts("4103", profitAccount, error));
  EXPECT_EQ(figures.Balance(profitAccount[0], 3), -60800LL * 1000000);
}

class RandomStatementTest : public StatementTest, public ::testing::WithParamInterface<unsigned> {};

// Books whose postings balance: the balance sheet balances at every month's end, before and after closing
// some months, the income statement's figures do not move with the closings, and December's year total is
// the sum of the twelve months.
TEST_P(RandomStatementTest, TheBalanceSheetBalancesAndTheYearIsItsMonths) {
  std::mt19937 rnd(GetParam());
  auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
  std::vector<std::string> leaves;
  for (auto c = env.Db()->Query("select trim(kno) from subt"); !c->AtEnd(); c->Next()) leaves.push_back(c->Text(0));
  // A few accounts get sub-accounts, so that the sums over lowest-level accounts have something to split.
  for (int i = 0; i < 6; ++i) {
    std::string parent = leaves[static_cast<size_t>(pick(static_cast<int>(leaves.size())))];
    if (parent.find('-') != std::string::npos || parent == "4103") continue;
    for (int k = 1; k <= 2; ++k) Account(parent + "-" + std::to_string(k), "明细");
    leaves.erase(std::find(leaves.begin(), leaves.end(), parent));
    leaves.push_back(parent + "-1");
    leaves.push_back(parent + "-2");
  }
  env.Db()->Begin();
  auto any = [&] { return leaves[static_cast<size_t>(pick(static_cast<int>(leaves.size())))]; };
  for (int i = 0; i < 20; ++i) {
    std::string a = any(), b = any();
    double amount = pick(10000000) / 100.0;
    env.Execute(book_rows::Opening(env.startDate, a, 1, amount));
    env.Execute(book_rows::Opening(env.startDate, b, -1, amount));
  }
  for (int i = 0; i < 300; ++i) {
    std::string date = Format("2026%02d%02d", 1 + pick(12), 1 + pick(28));
    Pair(date, any(), any(), pick(100000000) / 100.0);
  }
  env.Db()->Commit();

  std::map<int, StatementResult> before;
  for (int m = 1; m <= 12; ++m) before[m] = Work("利润表", m);
  std::vector<int> closedMonths;
  for (int round = 0; round < 2; ++round) {
    for (int m = 1; m <= 12; ++m) {
      StatementResult sheet = Work("资产负债表", m);
      EXPECT_TRUE(sheet.errors.empty());
      EXPECT_EQ(sheet.check[0].value, 0) << "month " << m << ", round " << round;
      EXPECT_EQ(sheet.check[1].value, 0) << "opening, month " << m;
      StatementResult profit = Work("利润表", m);
      for (size_t i = 0; i < profit.cells.size(); ++i)
        for (size_t c = 0; c < 2; ++c)
          EXPECT_EQ(profit.cells[i][c].value, before[m].cells[i][c].value)
              << "利润表 month " << m << " line " << profit.form.lines[i].lineNo;
    }
    // Close a few months, one of them twice.
    for (int k = 0; k < 4; ++k) {
      int m = 1 + pick(12);
      ASSERT_TRUE(PostClosing(env, PlanClosing(env, m)));
      EXPECT_TRUE(PlanClosing(env, m).postings.empty()) << "month " << m << " closed twice";
    }
  }
  // December's 本年累计 is the sum of the months' 本期.
  const StatementResult& december = before[12];
  for (size_t i = 0; i < december.cells.size(); ++i) {
    if (december.cells[i][1].blank) continue;
    Cents months = 0;
    for (int m = 1; m <= 12; ++m) months += before[m].cells[i][0].value;
    EXPECT_EQ(december.cells[i][1].value, months) << "line " << december.form.lines[i].lineNo;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomStatementTest, ::testing::Values(1u, 7u, 42u));

// A formula that fails leaves its cell blank and names its line and why; the other lines are worked out.
TEST_F(StatementTest, FormulasThatFailAreNamedWithTheirLines) {
  struct Case {
    std::string formula, reason;
  };
  const std::vector<Case> cases = {
      {"qm(1999)", "科目表中没有科目1999"},
      {"qm(1401:1301)", "不是同一级科目的代码范围"},
      {"qm(1001,13)", "月份应为 0 到 12 的整数"},
      {"h(2)", "引用"},
      {"foo(1)", "函数名出错"},
      {"qm(1001)+", "符号出错"},
  };
  for (const Case& c : cases) {
    StatementTemplate form;
    form.name = "试算";
    form.columns[0] = "期末余额";
    form.lines = {{1, 0, 0, "货币资金", {"qm(1001)", ""}}, {2, 0, 0, "有错的行", {c.formula, ""}}};
    if (c.formula == "h(2)") form.lines[1].formula[0] = "h(2)+1";
    StatementFigures figures(env);
    StatementResult r = ComputeStatement(form, 6, figures);
    EXPECT_FALSE(r.cells[0][0].blank) << c.formula;
    EXPECT_TRUE(r.cells[1][0].blank) << c.formula;
    ASSERT_EQ(r.errors.size(), 1u) << c.formula;
    EXPECT_NE(r.errors[0].find("行次 2"), std::string::npos) << r.errors[0];
    EXPECT_NE(r.errors[0].find(c.reason), std::string::npos) << r.errors[0];
    EXPECT_EQ(FormulaRefusal(form, figures), r.errors[0]);
  }
}

}  // namespace

namespace {

// The statements' figures and the balance tables read the same books: every account's balance at a month's
// end, and its turnover over the months to it, are the tables' to the cent, on random books of every mark.
class StatementFiguresTest : public BalanceBookTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(StatementFiguresTest, AgreeWithTheBalanceTables) {
  OpenBook();
  std::mt19937 rnd(GetParam());
  MakeRandomBook(rnd, 300);
  StatementFigures figures(env);
  AccountingYear year = YearOf(env);
  for (int month : {1, 6, 12}) {
    const std::string last = AccountingPeriod(year, month).last;
    for (const auto& row : TurnoverRows(env.startDate, last)) {
      std::vector<int> found;
      std::string error;
      if (!figures.Accounts(row[0], found, error)) continue;  // the total row
      ASSERT_EQ(found.size(), 1u);
      const int a = found[0];
      const std::string where = row[0] + " to month " + std::to_string(month);
      EXPECT_EQ(money::ToCents(money::FromMicros(figures.Balance(a, month))), money::ToCents(SignedFigure(row[6], row[7])))
          << where;
      EXPECT_EQ(money::ToCents(money::FromMicros(figures.Balance(a, 0))), money::ToCents(SignedFigure(row[2], row[3])))
          << where;
      EXPECT_EQ(money::ToCents(money::FromMicros(figures.Debit(a, 1, month))), money::ToCents(FieldNumber(row[4])))
          << where;
      EXPECT_EQ(money::ToCents(money::FromMicros(figures.Credit(a, 1, month))), money::ToCents(FieldNumber(row[5])))
          << where;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, StatementFiguresTest, ::testing::Values(3u, 11u));

}  // namespace
