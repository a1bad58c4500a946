// Layout and drawing of the form engine, measured with fixed metrics: a body font of 16 makes G = 8 on
// screen; on paper (scale 0.7085, fonts x1.8) the body font is 28 high and G = 14.
#include <gtest/gtest.h>

#include "formview/form_view.h"
#include "grid_view.h"

namespace {

// The sample form (10 rows, one line in every other section) with the defaults of form 0: spacing 25,
// fonts 29/14/16/14, page 2450 x 1150 with margins 250, 30, 150, 150.
struct SampleForm : ::testing::Test {
  GridView view;
  ViewOnScreen screen{view};
};

TEST_F(SampleForm, LinesAndRowsPerPageOnScreenAndPaper) {
  EXPECT_EQ(view.Spacing(false), 5);
  EXPECT_EQ(view.RowsPerPage(false), 21);  // (600 - 149) / (16 + 5)
  EXPECT_EQ(view.GetRowY(0, false, "TOPIC"), 15);
  EXPECT_EQ(view.GetRowY(0, false, "HEAD"), 49);
  EXPECT_EQ(view.GetRowY(0, false, "FORMHEAD"), 68);
  EXPECT_EQ(view.GetRowY(0, false, "TEXT"), 89);
  EXPECT_EQ(view.GetRowY(3, false, "TEXT"), 152);
  EXPECT_EQ(view.GetRowY(0, false, "FORMFOOT"), 89 + 21 * 21);
  EXPECT_EQ(view.GetRowY(0, false, "FOOT"), 89 + 22 * 21);
  EXPECT_EQ(view.GetRowY(0, false, "TAIL"), view.GetRowY(0, false, "FOOT"));
  EXPECT_EQ(view.RuleY(1, false, "TEXT"), 110 - 3);

  EXPECT_EQ(view.Spacing(true), 17);
  EXPECT_EQ(view.FontHeight(2, true), 28);
  EXPECT_EQ(view.RowsPerPage(true), 9);  // (814 - 387) / (28 + 17)
  EXPECT_EQ(view.PageCount(true), 2);
  EXPECT_EQ(view.GetRowY(0, true, "TEXT"), 21 + 52 + 34 + 42 + 45);
}

TEST_F(SampleForm, ColumnsWidenEquallyOnScreenAndKeepWholeGOnPaper) {
  // Natural width 576; 204 spare pixels are shared 40 to each column and 4 to the right edge.
  const int screenX[] = {18, 226, 354, 450, 594, 790};
  const int paperX[] = {191, 611, 821, 975, 1227, 1629};
  for (int c = 0; c <= 5; ++c) {
    EXPECT_EQ(view.GetColumnX(c, false, "TEXT", 0, true), screenX[c]) << c;
    EXPECT_EQ(view.GetColumnX(c, true, "TEXT", 0, true), paperX[c]) << c;
  }
  for (int c = 0; c < 4; ++c) EXPECT_EQ((paperX[c + 1] - paperX[c]) % 14, 0) << c;
  EXPECT_EQ(view.GetRuleX(1, false, "TEXT", 0), 223);
  EXPECT_EQ(view.CellWidth(0, false, "TEXT", 0), 200);
  // Head items: thousandths of the usable width, which on screen ends at the table's right margin.
  EXPECT_EQ(view.GetColumnX(0, false, "HEAD", 0, true), 10 + 780 * 335 / 1000);
  EXPECT_EQ(view.GetColumnX(410, false, "FOOT", 0, false), 10 + 780 * 410 / 1000);
  EXPECT_EQ(view.GetColumnX(1, true, "FOOT", 0, true), 177 + (1735 - 177 - 106) * 300 / 1000);
  EXPECT_EQ(view.CellWidth(1, false, "FOOT", 0), 20 * 7);

  // A narrow window: no spare room, the natural widths.
  view.OnSize(300, 600);
  EXPECT_EQ(view.GetColumnX(1, false, "TEXT", 0, true), 18 + 8 * 21);
  EXPECT_EQ(view.GetColumnX(5, false, "TEXT", 0, true), 10 + 576);
}

TEST_F(SampleForm, PageDrawsRulesFrameItemsRowsAndMarker) {
  view.Fill(0, {"摘要一", "12.50"});
  screen.dc.Clear();
  view.DrawPage(screen.dc);
  const auto& dc = screen.dc;
  ASSERT_NE(dc.Find("样本表单"), nullptr);
  EXPECT_EQ(dc.Find("样本表单")->y, 15);
  EXPECT_EQ(dc.Find("摘要一")->y, 89);
  EXPECT_EQ(dc.Find("摘要一")->x, 18);
  // A number stands right in its cell (the current cell is (0, 0)).
  ASSERT_NE(dc.Find("12.50"), nullptr);
  EXPECT_EQ(dc.Find("12.50")->x, 226 + 120 - 5 * 8);
  EXPECT_NE(dc.Find("1页"), nullptr);
  EXPECT_NE(dc.Find("制表"), nullptr);

  // 22 row rules, 6 column rules, top and bottom of the table, in the rule colour; the two-pixel frame.
  int ruleLines = 0;
  for (auto& l : dc.lines) ruleLines += l.colour == view.Page().FormLine;
  EXPECT_EQ(ruleLines, 22 + 6 + 2);
  ASSERT_GE(dc.frames.size(), 3u);
  EXPECT_EQ(dc.frames[0].r, (VyRect{15 - 1, 65 - 1, 787 + 2, 548 + 2}));
  EXPECT_EQ(dc.frames[1].r, (VyRect{15 - 2, 65 - 2, 787 + 3, 548 + 3}));
  // The marker frames the current cell inside its rules.
  EXPECT_EQ(dc.frames.back().r, (VyRect{16, 87, 223, 107}));
  EXPECT_EQ(dc.frames.back().colour, view.Page().OutBox);
}

TEST_F(SampleForm, SelectionIsInvertedButNotTheCurrentCell) {
  view.Select(0, 0, 1, 2);
  screen.dc.Clear();
  view.DrawPage(screen.dc);
  EXPECT_EQ(screen.dc.inverted.size(), 5u);  // six cells, the current one framed instead
  // Nothing of the kind on paper.
  RecordingDC paper(true);
  view.DrawPrintPage(paper, 1);
  EXPECT_TRUE(paper.inverted.empty());
  EXPECT_TRUE(paper.fills.empty());
}

TEST_F(SampleForm, PrintedPagesShowTheirOwnRowsAndRepeatTheFrame) {
  view.Fill(0, {"第一行"});
  view.Fill(9, {"第十行"});
  RecordingDC page1(true), page2(true);
  view.DrawPrintPage(page1, 1);
  view.DrawPrintPage(page2, 2);
  EXPECT_NE(page1.Find("第一行"), nullptr);
  EXPECT_EQ(page1.Find("第十行"), nullptr);
  ASSERT_NE(page2.Find("第十行"), nullptr);
  EXPECT_EQ(page2.Find("第十行")->y, page1.Find("第一行")->y);
  EXPECT_NE(page2.Find("样本表单"), nullptr);
  EXPECT_EQ(page2.Find("样本表单")->height, 52);
  // The screen is not disturbed by printing.
  EXPECT_EQ(view.FirstRow(false), 0);
}

TEST(FormLayout, ZeroHeadAndFootLinesStillDrawTitleAndTable) {
  GridView view(3, {10, 10}, 0, 0);
  ViewOnScreen screen(view);
  view.Fill(0, {"甲", "乙"});
  ASSERT_GT(view.RowsPerPage(false), 0);
  view.DrawPage(screen.dc);
  ASSERT_NE(screen.dc.Find("样本表单"), nullptr);
  EXPECT_EQ(screen.dc.Find("样本表单")->y, 15);
  EXPECT_EQ(screen.dc.Find("甲")->y, 10 + 29 + 10);
  EXPECT_FALSE(screen.dc.lines.empty());
  EXPECT_GE(screen.dc.frames.size(), 2u);
}

TEST(FormLayout, NothingIsDrawnOrTypedWhenNoRowFits) {
  GridView view;
  ViewOnScreen screen(view, 800, 100);
  EXPECT_EQ(view.RowsPerPage(false), 0);
  view.DrawPage(screen.dc);
  EXPECT_TRUE(screen.dc.texts.empty());
  EXPECT_TRUE(screen.dc.lines.empty());
  view.OnChar("x");
  EXPECT_EQ(view.Text(0, 0), "");
}

TEST(FormLayout, CellTextIsCutWithoutSplittingATwoByteCharacter) {
  GridView view;
  ViewOnScreen screen(view);
  RecordingDC& dc = screen.dc;
  // Head item 0 is 4 characters of the 14-high head font: 28 units.
  view.DrawCellText(0, 0, dc, "a中文", "LEFT", "HEAD");
  view.DrawCellText(0, 0, dc, "a中文", "RIGHT", "HEAD");
  view.DrawCellText(0, 0, dc, "中文字", "MID", "HEAD");
  view.DrawCellText(0, 0, dc, "a中文", "NOCUT", "HEAD");
  view.DrawCellText(0, 860, dc, "长长的页脚文字", "PERCENT", "FOOT");
  int x = view.GetColumnX(0, false, "HEAD", 0, true);
  ASSERT_EQ(dc.texts.size(), 5u);
  EXPECT_EQ(dc.texts[0].text, "a中");
  EXPECT_EQ(dc.texts[0].x, x);
  EXPECT_EQ(dc.texts[1].text, "a中");
  EXPECT_EQ(dc.texts[1].x, x + 28 - 21);
  EXPECT_EQ(dc.texts[2].text, "中文");
  EXPECT_EQ(dc.texts[3].text, "a中文");
  EXPECT_EQ(dc.texts[4].text, "长长的页脚文字");
  EXPECT_EQ(dc.texts[4].x, view.GetColumnX(860, false, "FOOT", 0, false));
  EXPECT_EQ(dc.fills.size(), 4u);  // PERCENT paints no background
}

TEST(FormLayout, LineTextSpansFromTheLeftMarginToTheTableEdge) {
  GridView view;
  ViewOnScreen screen(view);
  view.DrawLineText(0, screen.dc, "左", "LEFT", "FORMFOOT");
  view.DrawLineText(0, screen.dc, "右", "RIGHT", "FORMFOOT");
  view.DrawLineText(0, screen.dc, "中", "MID", "FORMFOOT");
  EXPECT_EQ(screen.dc.texts[0].x, 10);
  EXPECT_EQ(screen.dc.texts[1].x, 790 - 16);
  EXPECT_EQ(screen.dc.texts[2].x, 10 + (780 - 16) / 2);
}

TEST_F(SampleForm, ScrollingStaysInRangeAndFollowsTheCurrentRow) {
  view.OnSize(800, 200);  // (200 - 149) / 21 = 2 rows on a page
  ASSERT_EQ(view.RowsPerPage(false), 2);
  EXPECT_EQ(view.VScrollMax(), 8);
  view.OnVScroll(VyScroll::PageDown);
  EXPECT_EQ(view.FirstRow(false), 2);
  view.OnVScroll(VyScroll::Thumb, 50);
  EXPECT_EQ(view.FirstRow(false), 8);
  view.OnVScroll(VyScroll::LineUp);
  EXPECT_EQ(view.FirstRow(false), 7);
  view.OnVScroll(VyScroll::Top);
  // Moving down past the page scrolls by one row.
  view.OnKeyDown(VyKey::Down, false, false);
  view.OnKeyDown(VyKey::Down, false, false);
  EXPECT_EQ(view.Current().row, 2);
  EXPECT_EQ(view.FirstRow(false), 1);
  // Rows shown after a jump: with fewer than four rows on a page the row becomes the last one shown.
  view.SetCurrent(7, 0, 0, "TEXT");
  view.MakeCurrentVisible();
  EXPECT_EQ(view.FirstRow(false), 6);
  view.OnKeyDown(VyKey::Home, false, true);
  EXPECT_EQ(view.FirstRow(false), 0);
  EXPECT_EQ(view.Current(), (VyCellPos{0, 0, "TEXT", 0}));
}

TEST_F(SampleForm, HitZonesAndCursors) {
  int y = 95;  // inside row 0
  EXPECT_EQ(view.HitTest(50, y).zone, "TEXT");
  EXPECT_EQ(view.HitTest(15, y).zone, "TEXTL");
  VyHit rule = view.HitTest(223, y);
  EXPECT_EQ(rule.zone, "TEXTH");
  EXPECT_EQ(rule.col, 1);
  EXPECT_EQ(view.HitTest(788, y).col, 5);
  EXPECT_EQ(view.HitTest(50, 108).zone, "TEXTV");
  EXPECT_EQ(view.HitTest(50, 75).zone, "FORMHEAD");
  EXPECT_EQ(view.HitTest(12, 75).zone, "FORMHEADL");
  EXPECT_EQ(view.HitTest(view.GetColumnX(0, false, "HEAD", 0, true) + 2, 52).zone, "HEAD");
  EXPECT_EQ(view.HitTest(50, 5).zone, "OUTCLIENT");
  EXPECT_EQ(view.HitTest(50, 595).zone, "OUTCLIENT");
  EXPECT_EQ(view.CursorAt(223, y), VyCursor::SizeColumn);
  EXPECT_EQ(view.CursorAt(50, 108), VyCursor::SizeRow);
  EXPECT_EQ(view.CursorAt(15, y), VyCursor::SelectRow);
  EXPECT_EQ(view.CursorAt(50, 75), VyCursor::SelectColumn);
  EXPECT_EQ(view.CursorAt(12, 75), VyCursor::SelectAll);
  EXPECT_EQ(view.CursorAt(50, y), VyCursor::IBeam);
}

TEST_F(SampleForm, HeaderPressesSelectRowsColumnsAndEverything) {
  view.OnLButtonDown(15, 95 + 21 * 2, false);  // row head of row 2
  view.OnLButtonUp(15, 95 + 21 * 2);
  EXPECT_EQ(view.Anchor(), (VyCellPos{2, 4, "TEXT", 0}));
  EXPECT_EQ(view.Current(), (VyCellPos{2, 0, "TEXT", 0}));
  view.OnLButtonDown(240, 75, false);  // caption of column 1
  view.OnLButtonUp(240, 75);
  EXPECT_EQ(view.Anchor(), (VyCellPos{9, 1, "TEXT", 0}));
  EXPECT_EQ(view.Current(), (VyCellPos{0, 1, "TEXT", 0}));
  view.OnLButtonDown(12, 75, false);
  view.OnLButtonUp(12, 75);
  EXPECT_EQ(view.Anchor(), (VyCellPos{9, 4, "TEXT", 0}));
  EXPECT_EQ(view.Current(), (VyCellPos{0, 0, "TEXT", 0}));
}

TEST_F(SampleForm, DraggingAColumnRuleSetsTheWidthOfTheColumnLeftOfIt) {
  // Far to the left: clamped to the first rule, the width becomes 0.
  view.OnLButtonDown(223, 95, false);
  EXPECT_EQ(view.DragState(), 2);
  view.OnMouseMove(-400, 95, true);
  view.OnLButtonUp(-400, 95);
  EXPECT_EQ(view.ColumnWidths()[0], 0);
  EXPECT_EQ(view.Page().widths[0], 0);
  // The rule right of the last column sizes the last column.
  int last = view.GetRuleX(5, false, "TEXT", 0);
  view.OnLButtonDown(last, 95, false);
  view.OnMouseMove(last - 40, 95, true);
  view.OnLButtonUp(last - 40, 95);
  EXPECT_EQ(view.ColumnWidths()[4], (-40 + 8 * 18) / 8);
  // The rule left of column 0 selects the row instead.
  view.OnLButtonDown(view.GetRuleX(0, false, "TEXT", 0), 95, false);
  EXPECT_EQ(view.DragState(), 1);
  view.OnLButtonUp(0, 95);
}

TEST_F(SampleForm, DraggingARowRuleSetsTheSpacingWithinLimits) {
  view.OnLButtonDown(50, 108, false);
  view.OnMouseMove(50, 90, true);
  view.OnLButtonUp(50, 90);
  EXPECT_EQ(view.Page().PageRow, 15);  // below 3 pixels: 3 pixels
  EXPECT_EQ(view.Spacing(false), 3);

  // So large that nothing fits: taken back until one row fits on screen and on paper.
  view.OnLButtonDown(50, view.RuleY(1, false, "TEXT"), false);
  view.OnMouseMove(50, 2000, true);
  view.OnLButtonUp(50, 2000);
  EXPECT_EQ(view.Page().PageRow, 101);
  EXPECT_EQ(view.RowsPerPage(true), 1);
  EXPECT_GE(view.RowsPerPage(false), 1);
  EXPECT_EQ(view.FirstRow(false), 0);
}

TEST(FormLayout, ResetColumnsKeepsTheCurrentColumnInRange) {
  GridView view;
  ViewOnScreen screen(view);
  view.SetCurrent(0, 4, 0, "TEXT");
  view.ResetColumns({8, 8});
  EXPECT_EQ(view.ColumnCount(), 2);
  EXPECT_EQ(view.Current().col, 1);
  EXPECT_EQ(view.Page().widths, (std::vector<int>{8, 8}));
  view.SetRowCount(0);
  EXPECT_EQ(view.TextRows(), 1);
}

}  // namespace
