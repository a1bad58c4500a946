// The balance tables' totals against the rows they stand under, and the quick figures against the
// statements per account, to the cent, on random books: with the amounts the program writes (whole cents,
// now and then dust far below a cent) and with amounts of three decimals, whose sums fall on half cents.
#include <gtest/gtest.h>

#include <random>

#include "balance_book.h"
#include "base/money.h"
#include "reports/documented_balances.h"
#include "reports/grouped_balances.h"

namespace {

using money::Cents;
using money::ToCents;

Cents ShownCents(const std::string& cell) {
  return ToCents(FieldNumber(cell));
}
Cents SignedCents(const std::string& direction, const std::string& amount) {
  return ToCents(SignedFigure(direction, amount));
}

class BalanceTotalsTest : public BalanceBookTest, public ::testing::WithParamInterface<std::tuple<unsigned, bool>> {
 protected:
  void SetUp() override {
    const auto [seed, mills] = GetParam();
    OpenBook();
    rnd.seed(seed);
    MakeRandomBook(rnd, 250, {.unit = mills ? 1000.0 : 100.0});
  }
  int Pick(int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); }
  std::mt19937 rnd;
};

TEST_P(BalanceTotalsTest, EachTotalIsTheSumOfTheRowsShown) {
  AccountingYear year = YearOf(env);
  for (int round = 0; round < 4; ++round) {
    PeriodDates a = AccountingPeriod(year, 1 + Pick(12)), b = AccountingPeriod(year, 1 + Pick(12));
    const std::string from = std::min(a.first, b.last), to = std::max(a.first, b.last);

    auto balance = BalanceRows("", to);
    Cents sum = 0;
    for (size_t i = 0; i + 1 < balance.size(); ++i) sum += SignedCents(balance[i][2], balance[i][3]);
    EXPECT_EQ(SignedCents(balance.back()[2], balance.back()[3]), sum) << "balance at " << to;

    // Every level is listed; the total stands under the first level's rows.
    auto turnover = TurnoverRows(from, to);
    Cents opening = 0, debit = 0, credit = 0, closing = 0;
    for (size_t i = 0; i + 1 < turnover.size(); ++i) {
      const auto& r = turnover[i];
      if (r[0].find('-') != std::string::npos) continue;
      opening += SignedCents(r[2], r[3]), debit += ShownCents(r[4]), credit += ShownCents(r[5]);
      closing += SignedCents(r[6], r[7]);
    }
    const auto& total = turnover.back();
    const std::string where = "turnover " + from + ".." + to;
    EXPECT_EQ(SignedCents(total[2], total[3]), opening) << where;
    EXPECT_EQ(ShownCents(total[4]), std::max<Cents>(debit, 0)) << where;
    EXPECT_EQ(ShownCents(total[5]), std::max<Cents>(credit, 0)) << where;
    EXPECT_EQ(SignedCents(total[6], total[7]), closing) << where;
  }
}

// On the books the program writes. Where amounts of three decimals add up to exactly half a cent, the
// statements' sum of doubles may land on either side of it, and the two may differ by that cent.
using QuickFiguresTest = BalanceTotalsTest;

TEST_P(QuickFiguresTest, AreTheStatementsToTheCent) {
  AccountingYear year = YearOf(env);
  GroupedBalances quick(env);
  DocumentedBalances documented(env);
  std::vector<std::string> codes;
  for (auto c = env.Db()->Query("select trim(kno) from subt"); !c->AtEnd(); c->Next()) codes.push_back(c->Text(0));
  for (int round = 0; round < 3; ++round) {
    const int start = 1 + Pick(12), end = start + Pick(13 - start);
    const std::string endDate = AccountingPeriod(year, end).last;
    for (const std::string& code : codes) {
      const std::string where = code + Format(" %d..%d", start, end);
      EXPECT_EQ(ToCents(quick.Balance(code, endDate, end)), ToCents(documented.Balance(code, endDate, end))) << where;
      TurnoverFigures q = quick.Turnover(code, start, endDate, end), d = documented.Turnover(code, start, endDate, end);
      EXPECT_EQ(ToCents(q.opening), ToCents(d.opening)) << where;
      EXPECT_EQ(ToCents(q.debit), ToCents(d.debit)) << where;
      EXPECT_EQ(ToCents(q.credit), ToCents(d.credit)) << where;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(RandomBooks, BalanceTotalsTest,
                         ::testing::Combine(::testing::Values(7u, 1234u, 99991u), ::testing::Bool()));
INSTANTIATE_TEST_SUITE_P(RandomBooks, QuickFiguresTest,
                         ::testing::Combine(::testing::Values(7u, 1234u, 99991u, 5u, 31u), ::testing::Values(false)));

}  // namespace
