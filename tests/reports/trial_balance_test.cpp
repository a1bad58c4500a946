// The trial balance and every other place that tells whether the books balance (the status bar's sums, a
// period's and a day's sums, 数据检查), on random books that balance: the trial balance's lines and totals
// are the balance-and-turnover table's and the balance table's, a balanced book is 平 in every place, and one
// one-sided row shows its amount in each, from its period on.
#include "reports/trial_balance.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "admin/book_check.h"
#include "base/money.h"
#include "reports/balance_book.h"

namespace {

using money::Cents;
using money::ToCents;

class TrialBalanceOfRandomBooks : public BalanceBookTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  // The trial balance of period p against the tables of the same period, line by line and in total.
  TrialSheet CheckAgainstTables(int p) {
    const PeriodDates dates = AccountingPeriod(YearOf(env), p);
    const TrialSheet sheet = BuildTrialSheet(env, p);
    std::map<std::string, const TrialLine*> lines;
    for (const TrialLine& l : sheet.lines) lines[l.code] = &l;
    const auto rows = TurnoverRows(dates.first, dates.last);
    for (const auto& row : rows) {
      if (row[0].empty() || row[0].find('-') != std::string::npos) continue;
      const Cents opening = ToCents(SignedFigure(row[2], row[3])), closing = ToCents(SignedFigure(row[6], row[7]));
      const Cents debit = ToCents(FieldNumber(row[4])), credit = ToCents(FieldNumber(row[5]));
      auto it = lines.find(row[0]);
      if (it == lines.end()) {  // only accounts with a figure are listed
        EXPECT_EQ(opening | closing | debit | credit, 0) << row[0];
        continue;
      }
      EXPECT_EQ(it->second->opening.Difference(), opening) << row[0] << " period " << p;
      EXPECT_EQ(it->second->turnover.debit, debit) << row[0] << " period " << p;
      EXPECT_EQ(it->second->turnover.credit, credit) << row[0] << " period " << p;
      EXPECT_EQ(it->second->closing.Difference(), closing) << row[0] << " period " << p;
    }
    const auto& total = rows.back();
    EXPECT_EQ(sheet.total.opening.Difference(), ToCents(SignedFigure(total[2], total[3]))) << p;
    EXPECT_EQ(sheet.total.closing.Difference(), ToCents(SignedFigure(total[6], total[7]))) << p;
    const auto balance = BalanceRows("", dates.last).back();
    EXPECT_EQ(sheet.total.closing.Difference(), ToCents(SignedFigure(balance[2], balance[3]))) << p;
    return sheet;
  }
};

TEST_P(TrialBalanceOfRandomBooks, ABalancedBookIsLevelEverywhereAndOneSidedRowShowsWhereItIs) {
  OpenBook();
  std::mt19937 rnd(GetParam());
  RandomBookShape shape;
  shape.balanced = true;
  MakeRandomBook(rnd, 120, shape);
  const AccountingYear year = YearOf(env);
  std::vector<std::string> days;
  for (int p = 1; p <= 12; ++p) {
    const TrialSheet sheet = CheckAgainstTables(p);
    EXPECT_TRUE(sheet.Balanced()) << GetParam() << " period " << p;
    EXPECT_TRUE(PeriodSides(env, p).Balanced()) << p;
    for (std::string d = AccountingPeriod(year, p).first; d <= AccountingPeriod(year, p).last;
         d = d.substr(0, 6) + Format("%02d", std::atoi(d.substr(6).c_str()) + 1))
      if (d.substr(6) <= "31") days.push_back(d);
  }
  EXPECT_EQ(ImbalanceText(ReadBookTally(env).Closing()), "");
  EXPECT_TRUE(UnbalancedDays(env, days).empty());
  const TrialBalance check = CheckBook(env).trial;
  EXPECT_EQ(TrialSide(check.closingDebit, check.closingCredit), "平");

  // One debit without its credit, in a random period.
  const int q = 1 + static_cast<int>(rnd() % 12);
  const std::string date = AccountingPeriod(year, q).last;
  const Cents amount = 100 + static_cast<Cents>(rnd() % 900000);
  Post(date, book.leaves.front(), 1, money::FromCents(amount), 9999, "单边", "0");
  const std::string shown = Trim(FormatAmount(money::FromCents(amount), 0, 2, 2));
  for (int p = 1; p <= 12; ++p) {
    const TrialSheet sheet = CheckAgainstTables(p);
    EXPECT_EQ(sheet.total.opening.Difference(), p > q ? amount : 0) << p;
    EXPECT_EQ(sheet.total.turnover.Difference(), p == q ? amount : 0) << p;
    EXPECT_EQ(sheet.total.closing.Difference(), p >= q ? amount : 0) << p;
    EXPECT_EQ(PeriodSides(env, p).Difference(), p == q ? amount : 0) << p;
  }
  EXPECT_EQ(ImbalanceText(ReadBookTally(env).Closing()), "借贷不平 差额 " + shown);
  const std::vector<DaySums> unbalanced = UnbalancedDays(env, days);
  ASSERT_EQ(unbalanced.size(), 1u);
  EXPECT_EQ(unbalanced[0].date, date);
  EXPECT_EQ(unbalanced[0].sums.Difference(), amount);
  const TrialBalance after = CheckBook(env).trial;
  EXPECT_EQ(after.debit[static_cast<size_t>(q - 1)] - after.credit[static_cast<size_t>(q - 1)], amount);
  EXPECT_EQ(after.closingDebit - after.closingCredit, amount);
}

INSTANTIATE_TEST_SUITE_P(Seeds, TrialBalanceOfRandomBooks, ::testing::Values(5u, 6u, 7u));

using TrialBalanceWindow = BalanceBookTest;

// The window's rows: each account on the sides of its figures, the totals, and the verdict of each pair.
TEST_F(TrialBalanceWindow, ListsTheAccountsTheTotalsAndTheVerdictOfEachPair) {
  OpenBook();
  Account("1001", "库存现金");
  Account("1002", "银行存款");
  Account("2001", "短期借款");
  Account("9001", "无额科目");
  Opening("1001", 1, 500);
  Opening("2001", -1, 500);
  Post("20260310", "1002", 1, 200, 1, "借款", "0");
  Post("20260310", "2001", -1, 200, 1, "借款", "0");
  Post("20260420", "1001", -1, 30, 1, "付款", "0");  // no counter posting

  struct Case {
    const char* month;
    std::vector<std::vector<std::string>> rows;
    std::string verdict;
  } cases[] = {
      {"3",
       {{"1001", "库存现金", "500.00", "", "", "", "500.00", ""},
        {"1002", "银行存款", "", "", "200.00", "", "200.00", ""},
        {"2001", "短期借款", "", "500.00", "", "200.00", "", "700.00"},
        {"", "合    计", "500.00", "500.00", "200.00", "200.00", "700.00", "700.00"},
        {"", "试算结果", "", "平", "", "平", "", "平"}},
       "平"},
      {"4",
       {{"1001", "库存现金", "500.00", "", "", "30.00", "470.00", ""},
        {"1002", "银行存款", "200.00", "", "", "", "200.00", ""},
        {"2001", "短期借款", "", "700.00", "", "", "", "700.00"},
        {"", "合    计", "700.00", "700.00", "0.00", "30.00", "670.00", "700.00"},
        {"", "试算结果", "", "平", "", "贷多 30.00", "", "贷多 30.00"}},
       "借贷不平：期初 平；本期 贷多 30.00；期末 贷多 30.00"},
  };
  for (const Case& c : cases) {
    CTrialMonthDlg dlg(env);
    dlg.OnInitDialog();
    dlg.monthText = c.month;
    ASSERT_TRUE(dlg.OnOK());
    auto view = MakeView<CTrialBalanceView>();
    view->SetParameters(dlg);
    view->Build();
    EXPECT_EQ(view->ReportRows(), c.rows) << c.month;
    EXPECT_EQ(view->Verdict(), c.verdict) << c.month;
    EXPECT_EQ(view->ReportHead()[2], c.verdict);
  }
  // The dialog takes the months of the year only.
  for (const char* wrong : {"0", "13", "", "x"}) {
    CTrialMonthDlg dlg(env);
    dlg.OnInitDialog();
    dlg.monthText = wrong;
    EXPECT_FALSE(dlg.OnOK()) << wrong;
    EXPECT_EQ(platform.LastText(), "月份应为 1 至 12。");
  }
  CTrialMonthDlg today(env);
  today.OnInitDialog();
  EXPECT_EQ(today.monthText, "12");  // the scripted clock's December
}

}  // namespace
