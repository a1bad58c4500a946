// The interest list from one read of each year file against the statements per account, on random books
// of two year files: every cell of every row must be the same.
#include <random>

#include "accounts/period.h"
#include "interest/interest_calc.h"
#include "interest_books.h"
#include "support/random_book.h"

namespace {

class InterestPathsTest : public InterestBooks, public ::testing::WithParamInterface<unsigned> {};

TEST_P(InterestPathsTest, EveryCellOfBothPathsIsEqual) {
  std::mt19937 rnd(GetParam());
  RandomBook book;
  auto pick = [&](int n) { return book.Pick(rnd, n); };
  std::string earlier = AddYear(2025);
  jet::Database before;
  before.Open(earlier);
  book.Chart(rnd, [&](const std::string& code, const std::string& name) {
    Account(code, name, &before);
    Account(code, name);
  });
  // Each year's opening rows; the later year's repeat balances the earlier already counted.
  book.Openings(rnd, [&](const std::string& code, int f, double amount) {
    Opening(code, f, amount, "20250101", &before);
    Opening(code, -f, amount / 2);  // half cents too: both paths must still agree to the cent
  });
  int rn = 0;
  for (jet::Database* db : {&before, static_cast<jet::Database*>(nullptr)}) {
    const char* year = db ? "2025" : "2026";
    db ? db->Begin() : env.Db()->Begin();
    book.Postings(rnd, 300, YearOf(env), [&](const RandomPosting& p) {
      Post(year + p.date.substr(4), p.code, p.side, p.amount, ++rn, p.summary, p.mark, db);
    });
    db ? db->Commit() : env.Db()->Commit();
  }
  before.Close();

  std::vector<YearFileSpan> files = ListInterestYearFiles(env.dataDir);
  ASSERT_EQ(files.size(), 2u);
  const char* starts[] = {"20250101", "20250315", "20251231", "20260101", "20260401"};
  const char* ends[] = {"20250601", "20260101", "20260228", "20261231"};
  for (int round = 0; round < 8; ++round) {
    InterestParams p;
    p.start = starts[pick(5)];
    p.end = ends[pick(4)];
    if (p.end < p.start) std::swap(p.start, p.end);
    // The whole chart, a parent's sub-tree or a single lowest-level account.
    int scope = pick(3);
    if (scope == 1) p.code = book.parents.empty() ? "" : book.parents[pick(static_cast<int>(book.parents.size()))];
    if (scope == 2) p.code = book.leaves[pick(static_cast<int>(book.leaves.size()))];
    p.rate = 1 + pick(40) / 10.0;
    p.method = pick(2) ? DayCount::ActualMonths : DayCount::EqualMonths;
    p.credit = pick(2) == 1;
    std::vector<InterestRow> quick = ComputeInterest(env, files, p, false);
    EXPECT_EQ(quick, ComputeInterest(env, files, p, true)) << p.start << ".." << p.end << " " << p.code;
    EXPECT_FALSE(quick.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(RandomBooks, InterestPathsTest, ::testing::Values(3u, 77u, 2026u, 424242u));

}  // namespace
