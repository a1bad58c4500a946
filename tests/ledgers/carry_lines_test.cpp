// The printed copy of a detail ledger: where the carry lines go and what they carry.
#include <gtest/gtest.h>

#include "base/text.h"
#include "ledgers/ledger_line.h"

namespace {

LedgerLine Posting(const std::string& text, double debit) {
  return {{text, FormatAmount(debit, 0, 2, 2)}, "0"};
}
LedgerLine Total(const std::string& text) {
  return {{text, ""}, ""};
}

TEST(CarryLines, GoWhereAPageEndsBeforeAPosting) {
  struct Case {
    const char* name;
    std::vector<LedgerLine> lines;
    int rowsPerPage;
    std::vector<std::string> printed;  // text, then the sum column
  };
  const std::vector<Case> cases = {
      {"a page ending inside a month",
       {Total("期初"), Posting("a", 1), Posting("b", 2), Posting("c", 1000), Posting("d", 4)},
       4,
       {"期初|", "a|1.00", "b|2.00", "  过  次  页|3.00", "  承  前  页|3.00", "c|1,000.00", "d|4.00"}},
      {"a page ending right after a total line",
       {Posting("a", 1), Posting("b", 2), Total("合计"), Posting("c", 3)},
       4,
       {"a|1.00", "b|2.00", "合计|", "|", "c|3.00"}},
      {"sums restart after a total line",
       {Posting("a", 1), Total("合计"), Posting("b", 2), Posting("c", 3), Posting("d", 5)},
       4,
       {"a|1.00", "合计|", "b|2.00", "  过  次  页|2.00", "  承  前  页|2.00", "c|3.00", "d|5.00"}},
      {"a short ledger prints as it is", {Posting("a", 1), Total("合计")}, 4, {"a|1.00", "合计|"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto printed =
        CarryPrintCopy(c.lines, c.rowsPerPage, {1},
                       [](const LedgerLine& prev, const std::vector<double>& sums, const std::string& t) {
                         return LedgerLine{{t, FormatAmount(sums[0], 0, 2, 2)}, ""};
                       });
    std::vector<std::string> texts;
    for (const LedgerLine& l : printed) texts.push_back(l.cells[0] + "|" + l.cells[1]);
    EXPECT_EQ(texts, c.printed);
  }
}

TEST(LedgerLine, TextsAndNumbers) {
  EXPECT_EQ(SplitRowTexts("a\r\rb\n1\r2\n"),
            (std::vector<std::vector<std::string>>{{"a", "", "b"}, {"1", "2"}}));
  EXPECT_DOUBLE_EQ(FieldNumber("1,234.5"), 1234.5);
  EXPECT_DOUBLE_EQ(FieldNumber("1E-05"), 0.00001);
  EXPECT_EQ(BalanceDirection(0.0000005), "平");
  EXPECT_EQ(BalanceDirection(-0.01), "贷");
  EXPECT_EQ(LedgerPeriodText(2026, 3, 3), "2026 年  3 月");
  EXPECT_EQ(LedgerPeriodText(2026, 1, 12), "2026 年  1 月 至 12 月");
}

}  // namespace
