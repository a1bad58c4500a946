// What a printed page holds where: head and foot items at their thousandths of the paper's width, and
// columns that keep their widths in characters however narrow the paper, so that no amount loses digits.
#include <gtest/gtest.h>

#include <memory>

#include "data/data_env.h"
#include "entry/account_entry_view.h"
#include "entry/date_entry_view.h"
#include "grid_view.h"
#include "support/year_file_fixture.h"

namespace {

// Paper of the default forms 0-2 at the engine's default scales: page 1735, margins 177 and 106.
int PaperItemX(int pos) {
  return 177 + (1735 - 177 - 106) * pos / 1000;
}

struct PrintedItems : YearFileTest {
  void SetUp() override {
    std::string path = MakeYearFile("2026.vyx", 2026);
    Exec(path, "update systab set kj='李主管'");
    ASSERT_TRUE(env.Open(path, "", 1));
  }
  // The x of each text on page 1, in the order given.
  std::vector<int> Printed(CVyFormView& view, const std::vector<std::string>& texts) {
    RecordingDC paper(true);
    view.DrawPrintPage(paper, 1);
    std::vector<int> xs;
    for (const std::string& t : texts) xs.push_back(paper.Find(t) ? paper.Find(t)->x : -1);
    return xs;
  }
  CVyDataEnv env;
};

// The foot's signatures come from the account set (its chief accountant) and the login (the operator).
TEST_F(PrintedItems, EntryWindowsPrintHeadAndFootItemsAtTheirPositions) {
  CQirnpz2 day;
  day.SetDataEnv(&env);
  day.InitForm();
  day.Load(2026, 6, 18);
  EXPECT_EQ(Printed(day, {"2026 年 6 月 18 日", "会计主管：李主管", "记帐：×××", "出纳："}),
            (std::vector<int>{PaperItemX(450), PaperItemX(5), PaperItemX(200), PaperItemX(350)}));

  CQirnpz1 month;
  month.SetDataEnv(&env);
  month.InitForm();
  month.Load("101", 2026, 6, 0);
  EXPECT_EQ(Printed(month, {"2026 年  6 月", "会计主管：李主管", "记帐：×××", "出纳："}),
            (std::vector<int>{PaperItemX(10), PaperItemX(5), PaperItemX(200), PaperItemX(350)}));
}

// On paper of form 0 (usable width 1452) the body font is 28 high with G = 14 under the fixed metrics.
TEST(PrintedColumns, KeepTheirWidthsByShrinkingTheBodyFontWhenThePaperIsNarrow) {
  struct Case {
    std::vector<int> widths;
    int bodyHeight;
  } cases[] = {
      {{14, 30, 16, 16}, 28},                      // 80 × 14 fits: the font as set
      {{14, 30, 2, 14, 14, 14, 2, 14}, 25},        // 113 × 14 would not: 113 × 12 does
      {{20, 20, 20, 20, 20, 20, 20, 20, 20}, 15},  // 190 units: G = 7
  };
  for (const Case& c : cases) {
    GridView view(3, c.widths);
    ViewOnScreen screen(view);
    std::vector<std::string> row;
    for (int w : c.widths) row.push_back(std::string(static_cast<size_t>(w), '8'));
    view.Fill(0, row);
    EXPECT_EQ(view.FontHeight(2, true), c.bodyHeight);
    EXPECT_EQ(view.FontHeight(2, false), 16);  // the screen keeps its font
    RecordingDC paper(true);
    view.DrawPrintPage(paper, 1);
    int g = view.CharWidth(2, true);
    for (size_t k = 0; k < c.widths.size(); ++k) {
      EXPECT_GE(view.CellWidth(static_cast<int>(k), true, "TEXT", 0), c.widths[k] * g) << k;
      EXPECT_NE(paper.Find(row[k]), nullptr) << "column " << k << " was cut";
    }
    // The right edge stays at the paper's right margin.
    EXPECT_EQ(view.GetColumnX(static_cast<int>(c.widths.size()), true, "TEXT", 0, true), 1735 - 106);
  }
}

}  // namespace
