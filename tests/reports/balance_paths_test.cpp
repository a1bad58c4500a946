// The quick figures of the balance tables against the per-account statements, on random books: every cell
// of every row must be the same.
#include <gtest/gtest.h>

#include <random>

#include "balance_book.h"
#include "reports/balance_table.h"
#include "reports/turnover_table.h"

namespace {

class BalancePathsTest : public BalanceBookTest,
                         public ::testing::WithParamInterface<std::tuple<unsigned, const char*>> {
 protected:
  template <class View>
  std::vector<std::vector<std::string>> Rows(View& view, bool documented) {
    view.UseDocumentedStatements(documented);
    view.Build();
    return view.ReportRows();
  }
  // As the view chooses by itself.
  template <class View>
  std::vector<std::vector<std::string>> Rows(View& view) {
    view.Build();
    return view.ReportRows();
  }
};

TEST_P(BalancePathsTest, EveryCellOfBothPathsIsEqual) {
  auto [seed, closingDay] = GetParam();
  OpenBook(closingDay);
  std::mt19937 rnd(seed);
  MakeRandomBook(rnd);
  auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
  AccountingYear year = YearOf(env);
  for (int round = 0; round < 6; ++round) {
    std::string start = pick(2) && !book.parents.empty() ? book.parents[pick(static_cast<int>(book.parents.size()))] : "";
    PeriodDates a = AccountingPeriod(year, 1 + pick(12)), b = AccountingPeriod(year, 1 + pick(12));
    std::string from = std::min(a.first, b.last), to = std::max(a.first, b.last);

    CBalanceDateDlg balanceDlg(env);
    balanceDlg.OnInitDialog(start, to);
    ASSERT_TRUE(balanceDlg.OnOK()) << platform.LastText();
    CHobdzb5 balance;
    balance.SetDataEnv(&env);
    balance.InitForm();
    balance.SetParameters(balanceDlg);
    auto chosen = Rows(balance);
    auto quick = Rows(balance, false);
    EXPECT_EQ(quick, chosen);
    EXPECT_EQ(quick, Rows(balance, true)) << "balance to " << to << " under " << start;
    EXPECT_GT(quick.size(), 1u);

    CTurnoverRangeDlg rangeDlg(env);
    rangeDlg.OnInitDialog(start, pick(2) == 1, from, to);
    ASSERT_TRUE(rangeDlg.OnOK()) << platform.LastText();
    CHobdzb6 turnover;
    turnover.SetDataEnv(&env);
    turnover.InitForm();
    turnover.SetParameters(rangeDlg);
    EXPECT_EQ(Rows(turnover, false), Rows(turnover, true))
        << "turnover " << from << ".." << to << " under " << start
        << (rangeDlg.allLevels ? " all levels" : "");
  }
}

INSTANTIATE_TEST_SUITE_P(RandomBooks, BalancePathsTest,
                         ::testing::Combine(::testing::Values(7u, 1234u, 99991u),
                                            ::testing::Values("025", "105")));

}  // namespace
