// The detail lines of the three-column ledger made the quick way against the lines of the statements'
// composed rows, on random books: every line, voucher and cell must be the same.
#include <gtest/gtest.h>

#include <random>

#include "data/sql_text.h"
#include "ledgers/three_column_ledger.h"
#include "ledgers_support.h"

namespace {

class ThreeColumnPathsTest : public LedgerBook, public ::testing::WithParamInterface<unsigned> {
 protected:
  // A chart of three levels under two top accounts, opening rows, and postings on few days so that many
  // share a date and a row number; amounts of whole cents mostly, now and then one that is not, a red
  // (negative) one or zero.
  void MakeRandomBook(std::mt19937& rnd, bool oddTexts) {
    auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
    env.Db()->Begin();
    std::vector<std::string> codes;
    for (const char* top : {"1002", "2202"}) {
      Account(top, "科目");
      codes.push_back(top);
      for (int c = 1; c <= 1 + pick(3); ++c) {
        std::string b = Format("%s-%d", top, c);
        Account(b, "明细");
        codes.push_back(b);
        for (int g = 1; g <= pick(3); ++g) {
          Account(Format("%s-%d", b.c_str(), g), "项目");
          codes.push_back(Format("%s-%d", b.c_str(), g));
        }
      }
    }
    for (const std::string& code : codes)
      if (pick(2)) Opening(code, pick(2) ? 1 : -1, pick(100000) / 100.0);
    AccountingYear year = YearOf(env);
    const double odd[] = {0.005, 1.0 / 3, -0.004, 1e-7, 12345678901.125, 0, -250.5};
    for (int i = 0; i < 160; ++i) {
      const std::string& code = codes[static_cast<size_t>(pick(static_cast<int>(codes.size())))];
      PeriodDates p = AccountingPeriod(year, 1 + pick(12));
      std::string date = pick(2) ? p.first : p.last;
      double amount = pick(8) == 0 ? odd[pick(7)] : pick(1000000) / 100.0;
      std::string summary = oddTexts && pick(20) == 0 ? "换\r行" : Format("摘要%d", pick(5));
      const char* marks[] = {"0", "1", "2", "  2 "};
      const char* mark = marks[pick(4)];
      env.Execute(
          Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%s','%s',%d,'%s','%s',%d,%.17g,0,"
                 "'%s','%02d')",
                 date.c_str(), mark, 1 + pick(2), jet::SqlText(summary).c_str(), code.c_str(),
                 pick(2) ? 1 : -1, amount, std::string(mark) == "1" ? "0" : "4", PeriodOfDate(year, date)));
    }
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
