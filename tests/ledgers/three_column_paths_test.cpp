// The detail lines of the three-column ledger made the quick way against the lines of the statements'
// composed rows, on random books: every line, voucher and cell must be the same.
#include <gtest/gtest.h>

#include <random>

#include "ledgers/three_column_ledger.h"
#include "ledgers_support.h"
#include "support/random_book.h"

namespace {

class ThreeColumnPathsTest : public LedgerBook, public ::testing::WithParamInterface<unsigned> {
 protected:
  // A chart of three levels under two top accounts, opening rows on parents too, and postings of which many
  // share a date and a row number; amounts of whole cents mostly, now and then one that is not, a red
  // (negative) one or zero, marks stored untrimmed, and with oddTexts summaries with a line break.
  void MakeRandomBook(std::mt19937& rnd, bool oddTexts) {
    RandomBook book;
    book.shape.tops = {"1002", "2202"};
    book.shape.minChildren = 1;
    book.shape.parentsOpen = true;
    book.shape.oddAmounts = {0.005, 1.0 / 3, -0.004, 1e-7, 12345678901.125, 0, -250.5};
    book.shape.oddOneIn = 8;
    book.shape.oddTexts = oddTexts;
    book.shape.marks = {"0", "1", "2", "  2 "};
    book.shape.rowNumbers = 2;
    env.Db()->Begin();
    book.Chart(rnd, [&](const std::string& code, const std::string& name) { Account(code, name); });
    book.Openings(rnd, [&](const std::string& code, int side, double amount) { Opening(code, side, amount); });
    book.Postings(rnd, 160, YearOf(env), [&](const RandomPosting& p) {
      Post(p.date, p.code, p.side, p.amount, p.rn, p.summary, p.mark);
    });
    // A summary left out (NULL): the composed row of such a posting is empty.
    if (oddTexts)
      env.Execute(
          "insert into p0(t,cer,rn,kno,f,my,nu,mk,tt) values('20260301','2',9,'1002-1',1,5,0,'4','03')");
    env.Db()->Commit();
  }

  std::vector<LedgerLine> Lines(const std::string& code, int start, int end, bool reached, bool documented) {
    auto view = Make<CQirnzb1>();
    view->code = code;
    view->startMonth = MonthKey(2026, start);
    view->endMonth = MonthKey(2026, end);
    view->reached = reached;
    view->outputMode = 1;
    view->UseDocumentedStatements(documented);
    view->Build();
    return view->Lines();
  }
};

TEST_P(ThreeColumnPathsTest, EveryLineOfBothPathsIsEqual) {
  std::mt19937 rnd(GetParam());
  MakeRandomBook(rnd, GetParam() % 3 == 0);
  auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
  const char* codes[] = {"1002", "1002-1", "2202", "2202-2", "1002-1-1"};
  size_t compared = 0;
  for (int round = 0; round < 8; ++round) {
    int a = 1 + pick(12), b = 1 + pick(12);
    std::string code = codes[pick(5)];
    bool reached = pick(3) != 0;
    auto documented = Lines(code, std::min(a, b), std::max(a, b), reached, true);
    auto quick = Lines(code, std::min(a, b), std::max(a, b), reached, false);
    ASSERT_EQ(quick.size(), documented.size()) << code << " " << a << "-" << b;
    for (size_t i = 0; i < quick.size(); ++i) {
      EXPECT_EQ(quick[i].cells, documented[i].cells) << code << " line " << i;
      EXPECT_EQ(quick[i].voucher, documented[i].voucher) << code << " line " << i;
    }
    compared += quick.size();
  }
  EXPECT_GT(compared, 20u);
}

INSTANTIATE_TEST_SUITE_P(RandomBooks, ThreeColumnPathsTest, ::testing::Range(1u, 13u));

}  // namespace
