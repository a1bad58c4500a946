// The page set-up dialog, the print dialog, paper choice, and a view's page settings in its year file.
#include <gtest/gtest.h>

#include "base/text.h"
#include "data/data_env.h"
#include "formview/page_setup_dlg.h"
#include "formview/paper_choice.h"
#include "formview/print_dlg.h"
#include "grid_view.h"
#include "support/year_file_fixture.h"

namespace {

PageSettings FormDefaults(int nFlag) {
  PageSettings ps;
  SetPageDefaults(ps, nFlag, "0");
  return ps;
}

struct SetupCase {
  CVyPageSetupDlg::Field field;
  const char* value;
  const char* message;  // empty: accepted
  CVyPageSetupDlg::Field focus;
};

TEST(PageSetupDialog, ConfirmChecksEachFieldInOrder) {
  const SetupCase cases[] = {
      {CVyPageSetupDlg::kWidth, "9.9", "无效的页面宽度，\r\r输入另一个数。", CVyPageSetupDlg::kWidth},
      {CVyPageSetupDlg::kWidth, "abc", "无效的页面宽度，\r\r输入另一个数。", CVyPageSetupDlg::kWidth},
      {CVyPageSetupDlg::kLength, "1000", "无效的页面长度，\r\r输入另一个数。", CVyPageSetupDlg::kLength},
      {CVyPageSetupDlg::kRow, "0", "打印行间距无效，\r\r输入另一个数。", CVyPageSetupDlg::kRow},
      {CVyPageSetupDlg::kRow, "-2.5", "打印行间距无效，\r\r输入另一个数。", CVyPageSetupDlg::kRow},
      {CVyPageSetupDlg::kRow, "999", "", CVyPageSetupDlg::kRow},
      {CVyPageSetupDlg::kTop, "115", "无效的页头长度，\r\r输入另一个数。", CVyPageSetupDlg::kTop},
      {CVyPageSetupDlg::kBottom, "110",
       "所给页面除去页头和页脚长度已没有打印区域，\r\r请重新调整页长、页头和页脚之间的长度。",
       CVyPageSetupDlg::kBottom},
      {CVyPageSetupDlg::kLeft, "245.1", "无效的页左边距，\r\r输入另一个数。", CVyPageSetupDlg::kLeft},
      {CVyPageSetupDlg::kRight, "-1", "无效的页右边距，\r\r输入另一个数。", CVyPageSetupDlg::kRight},
      {CVyPageSetupDlg::kLeft, "220", "", CVyPageSetupDlg::kLeft},  // 10 mm left across
      {CVyPageSetupDlg::kLeft, "220.1",
       "所给页面除去左右边距外，已没有打印区域，\r\r请重新调整页宽、页左边距和页右边距之间的长度。",
       CVyPageSetupDlg::kLeft},
  };
  for (const SetupCase& c : cases) {
    ScriptedPlatform platform;
    CVyPageSetupDlg dlg(FormDefaults(0), 0, "0");  // 245 x 115 mm, margins 25, 3, 15, 15
    dlg.field[c.field] = c.value;
    bool ok = dlg.Confirm();
    EXPECT_EQ(ok, *c.message == 0) << c.value;
    if (*c.message) {
      ASSERT_EQ(platform.messages.size(), 1u) << c.value;
      EXPECT_EQ(platform.LastText(), c.message) << c.value;
      EXPECT_EQ(platform.messages[0].caption, "Tavrel软件-页面设置");
      EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
      EXPECT_EQ(dlg.focus, c.focus);
      EXPECT_EQ(dlg.settings, FormDefaults(0)) << "a refusal keeps the copy";
    }
  }
}

TEST(PageSetupDialog, ConfirmedMillimetresBecomeTenths) {
  ScriptedPlatform platform;
  CVyPageSetupDlg dlg(FormDefaults(0), 0, "0");
  EXPECT_EQ(dlg.field[CVyPageSetupDlg::kWidth], "245.0");
  EXPECT_EQ(dlg.field[CVyPageSetupDlg::kRow], "2.5");
  dlg.field[CVyPageSetupDlg::kRow] = "2.3";
  dlg.field[CVyPageSetupDlg::kTop] = " 4.1 ";
  ASSERT_TRUE(dlg.Confirm());
  EXPECT_EQ(dlg.settings.PageRow, 23);
  EXPECT_EQ(dlg.settings.PageTop, 41);
  EXPECT_EQ(dlg.settings.PageWidth, 2450);
}

TEST(PageSetupDialog, SpinStepsAreRefusedAtTheirLimits) {
  CVyPageSetupDlg dlg(FormDefaults(0), 0, "0");
  EXPECT_TRUE(dlg.Step(CVyPageSetupDlg::kRow, -1));
  EXPECT_EQ(dlg.field[CVyPageSetupDlg::kRow], "2.4");
  dlg.field[CVyPageSetupDlg::kWidth] = "40.0";  // margins 25 + 15
  EXPECT_FALSE(dlg.Step(CVyPageSetupDlg::kWidth, -1));
  EXPECT_TRUE(dlg.Step(CVyPageSetupDlg::kWidth, +1));
  EXPECT_EQ(dlg.field[CVyPageSetupDlg::kWidth], "40.1");
  dlg.field[CVyPageSetupDlg::kLength] = "20.4";  // top 3 + bottom 15 + spacing 2.4
  EXPECT_FALSE(dlg.Step(CVyPageSetupDlg::kLength, -1));
  dlg.field[CVyPageSetupDlg::kTop] = "9999.0";
  EXPECT_FALSE(dlg.Step(CVyPageSetupDlg::kTop, +1));
  dlg.field[CVyPageSetupDlg::kLeft] = "0.0";
  EXPECT_FALSE(dlg.Step(CVyPageSetupDlg::kLeft, -1));
}

TEST(PageSetupDialog, FontListDefaultsAndColours) {
  PageSettings ps = FormDefaults(3);
  ps.fonts[1].italic = 1;
  ps.fonts[3].italic = 1;
  ps.fonts[3].weight = 700;
  ps.fonts[3].strikeOut = 1;
  ps.HeadColor = VyRgb(18, 52, 86);
  ps.PageRow = 99;
  ps.widths = {1, 2, 3, 4, 5, 6, 7, 8};
  CVyPageSetupDlg dlg(ps, 3, "0");
  EXPECT_EQ(CVyPageSetupDlg::FontHeaders().size(), 7u);
  auto rows = dlg.FontRows();
  EXPECT_EQ(rows[0], (std::vector<std::string>{"标题", "宋体", "粗体字样", "29", "×", "√", "黑色"}));
  EXPECT_EQ(rows[1][2], "斜体字样");
  EXPECT_EQ(rows[1][6], "自定义色");
  EXPECT_EQ(rows[2][3], "14");
  EXPECT_EQ(rows[3][2], "粗斜体字样");
  EXPECT_EQ(rows[3][4], "√");
  EXPECT_EQ(dlg.FontColumnWidths(), (std::vector<int>{60, 48, 100, 60, 60, 60, 60}));

  VyLogFont big;
  big.faceName = std::string(40, 'F');
  dlg.SetFont(2, big, VyRgb(0, 0, 255));
  EXPECT_EQ(dlg.FontRows()[2][6], "蓝色");
  EXPECT_EQ(dlg.FontColumnWidths()[1], 12 * 32);

  dlg.TakeDefaults();
  EXPECT_EQ(dlg.settings.PageRow, 22);
  EXPECT_EQ(dlg.field[CVyPageSetupDlg::kRow], "2.2");
  EXPECT_EQ(dlg.settings.HeadColor, 0u);
  EXPECT_EQ(dlg.settings.widths, (std::vector<int>{3, 3, 4, 40, 12, 12, 2, 12}));
  EXPECT_EQ(CVyPageSetupDlg::CopyExtensions("VYY"),
            (std::vector<std::string>{".vyy", ".vyk", ".vyx", ".vyc"}));
}

TEST(PrintDialog, PrintersAlwaysIncludeAPdfFile) {
  ScriptedPlatform platform;
  CVyPrintDlg none(false, {}, "", "");
  ASSERT_TRUE(none.Open());
  EXPECT_EQ(none.printers, (std::vector<std::string>{"打印到 PDF 文件"}));
  EXPECT_TRUE(none.IsPdf());
  EXPECT_EQ(none.Caption(), "Tavrel财务软件－打印");
  EXPECT_TRUE(platform.messages.empty());

  CVyPrintDlg some(true, {"甲", "乙", "甲"}, "", "乙");
  EXPECT_EQ(some.printers.size(), 3u);
  EXPECT_EQ(some.SelectedPrinter(), "乙");
  EXPECT_FALSE(some.IsPdf());
  EXPECT_EQ(some.Caption(), "Tavrel财务软件－打印机设置");
  EXPECT_TRUE(some.Confirm());  // set-up mode checks nothing

  CVyPrintDlg nothing(false, {}, "", "", false);
  EXPECT_FALSE(nothing.Open());
  EXPECT_EQ(platform.LastText(), "黄牌警告：\r\t尚未安装打印机，不能打印!");
  EXPECT_EQ(platform.messages.back().caption, "Tavrel软件");
  EXPECT_EQ(platform.messages.back().icon, MsgIcon::Warning);
}

TEST(PrintDialog, RangeAndCopiesAreChecked) {
  struct Case {
    const char *from, *to, *copies, *message;
  } cases[] = {
      {"1", "3", "2", ""},
      {"0", "3", "1", "指定开始打印页无效，或大于当前打印的最多页，\r\r输入另一个数。"},
      {"4", "3", "1", "指定开始打印页无效，或大于当前打印的最多页，\r\r输入另一个数。"},
      {"1", "x", "1", "指定终止打印页无效，或大于当前打印的最多页，\r\r输入另一个数。"},
      {"3", "2", "1", "指定开始打印页大于终止打印页，\r\r输入另一个数。"},
      {"1", "1", "0", "无效的打印份数，\r\r输入另一个数。"},
      {"1", "1", "1.5", "无效的打印份数，\r\r输入另一个数。"},
  };
  for (const Case& c : cases) {
    ScriptedPlatform platform;
    CVyPrintDlg dlg(false, {}, "", "");
    dlg.SetPages(FormDefaults(0), 3);
    dlg.allPages = false;
    dlg.fromText = c.from;
    dlg.toText = c.to;
    dlg.copiesText = c.copies;
    EXPECT_EQ(dlg.Confirm(), *c.message == 0) << c.from << " " << c.to << " " << c.copies;
    EXPECT_EQ(platform.LastText(), c.message);
    if (*c.message) {
      EXPECT_EQ(platform.messages.back().caption, "Tavrel软件-打印");
    }
  }
  CVyPrintDlg all(false, {}, "", "");
  all.SetPages(FormDefaults(0), 3);
  all.fromText = "junk";
  ASSERT_TRUE(all.Confirm());
  EXPECT_EQ(all.fromPage, 1);
  EXPECT_EQ(all.toPage, 3);
}

TEST(PaperChoice, NearestPaperUprightOrTurned) {
  std::vector<VyPaper> papers = {{"A4", 2100, 2970}, {"A3", 2970, 4200}, {"B5", 1760, 2500}};
  VyPaperChoice a4 = ChoosePaper(papers, 2100, 2900);
  EXPECT_EQ(a4.index, 0);
  EXPECT_FALSE(a4.landscape);
  VyPaperChoice wide = ChoosePaper(papers, 2450, 1150);  // form 0: wider than long
  EXPECT_EQ(wide.index, 2);
  EXPECT_TRUE(wide.landscape);
  EXPECT_EQ(ChoosePaper(papers, 3600, 2600, 100, 100).index, 1);
  EXPECT_EQ(ChoosePaper({}, 2100, 2970).index, -1);
}

// A paper chosen for a page: turned when that shrinks the page less, and the page shrunk whole when it is
// larger than the paper either way; never enlarged.
TEST(PaperChoice, APageLargerThanItsPaperIsShrunkWholeNeverCut) {
  struct Case {
    VyPaper paper;
    int width, length;
    bool landscape;
    double scale;
  } cases[] = {
      {{"A4", 2100, 2970}, 2450, 1150, true, 1},              // wide ledger: A4 turned holds it
      {{"A4", 2100, 2970}, 2100, 2900, false, 1},             // upright form on upright paper
      {{"A4", 2100, 2970}, 1000, 1000, false, 1},             // fits either way: as the nearest choice
      {{"B5", 1760, 2500}, 2450, 1150, true, 1},              // the paper the books once took
      {{"A5", 1480, 2100}, 2450, 1150, true, 2100 / 2450.0},  // too small: turned shrinks it least
      {{"A4", 2100, 2970}, 4200, 5940, false, 0.5},           // twice A4: half size, upright
      {{"A4", 2100, 2970}, 5940, 4200, true, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paper.name + Format(" %dx%d", c.width, c.length));
    VyPaperFit fit = FitOnPaper(c.paper, c.width, c.length);
    EXPECT_EQ(fit.landscape, c.landscape);
    EXPECT_DOUBLE_EQ(fit.scale, c.scale);
    // What is printed never reaches past the paper as it lies.
    const int across = fit.landscape ? c.paper.length : c.paper.width;
    const int down = fit.landscape ? c.paper.width : c.paper.length;
    EXPECT_LE(c.width * fit.scale, across + 1e-9);
    EXPECT_LE(c.length * fit.scale, down + 1e-9);
  }
}

TEST(Printing, NoRowOnPaperStopsPrintingWithAMessage) {
  ScriptedPlatform platform;
  GridView view;
  ViewOnScreen screen(view);
  EXPECT_EQ(view.BeginPrinting(), 2);
  EXPECT_EQ(view.Page().MaxPage, 2);
  PageSettings ps = view.Page();
  ps.PageRow = 9990;  // 999 mm
  view.Page() = ps;
  EXPECT_EQ(view.RowsPerPage(true), 0);
  EXPECT_EQ(view.BeginPrinting(), 0);
  EXPECT_EQ(platform.LastText(), "行距太大，或纸张太小！");
  EXPECT_EQ(platform.messages.back().caption, "Tavrel财务软件");
}

TEST(Printing, ResolutionSetsThePaperScales) {
  GridView view;
  ViewOnScreen screen(view);
  view.SetPrintResolution(600);
  EXPECT_NEAR(view.PrintScale(), 2.3626944, 1e-9);
  EXPECT_NEAR(view.PrintFontScale(), 6.0, 1e-12);
  EXPECT_EQ(view.RowsPerPage(true), 9);
  view.SetPrintResolution(0);  // unknown: kept
  EXPECT_NEAR(view.PrintFontScale(), 6.0, 1e-12);
}

using ViewSettings = YearFileTest;

TEST_F(ViewSettings, LoadedOnCreationSavedOnConfirmation) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  jet::Database db;
  db.Open(path);
  GridView view;
  view.SetDatabase(&db);
  ViewOnScreen screen(view);
  // Form 0's default widths are four; the sample has five columns, so its own widths stand.
  EXPECT_EQ(view.ColumnWidths(), (std::vector<int>{20, 10, 6, 12, 18}));
  EXPECT_EQ(view.Page().widths, view.ColumnWidths());
  auto stored = [&] { return CVyDataEnv::QueryLong(&db, "select count(*) from vypageset where nflag=0"); };
  long before = stored();

  // Confirming without a change saves all the same.
  view.ApplyPageSettings(view.Page());
  EXPECT_EQ(stored(), 1);
  EXPECT_EQ(CVyDataEnv::QueryLong(&db, "select count(*) from fieldwidth where nflag=0"), 5);
  (void)before;

  PageSettings ps = view.Page();
  ps.PageRow = 40;
  ps.widths = {5, 5, 5, 5, 0};
  view.ApplyPageSettings(ps);
  EXPECT_EQ(view.Spacing(false), 8);
  EXPECT_EQ(view.ColumnWidths(), (std::vector<int>{5, 5, 5, 5, 14}));  // a width of 0 becomes 14

  GridView again;
  again.SetDatabase(&db);
  ViewOnScreen screen2(again);
  EXPECT_EQ(again.Page().PageRow, 40);
  EXPECT_EQ(again.ColumnWidths(), (std::vector<int>{5, 5, 5, 5, 14}));

  // Saved widths of another column count are ignored.
  GridView narrow(3, {7, 7, 7});
  narrow.SetDatabase(&db);
  ViewOnScreen screen3(narrow);
  EXPECT_EQ(narrow.ColumnWidths(), (std::vector<int>{7, 7, 7}));
}

TEST_F(ViewSettings, CopiedFromAnotherFile) {
  MakeFolders(dir.Path() + "/other");
  std::string other = CreateAccountSetFile(dir.Path() + "/other", 2025);
  {
    jet::Database db;
    db.Open(other);
    PageSettings ps = FormDefaults(6);
    ps.PageRow = 77;
    ps.widths = {1, 2, 3, 4};
    SavePageSettings(db, ps, 6, "0");
  }
  CVyPageSetupDlg dlg(FormDefaults(6), 6, "0");
  ASSERT_TRUE(dlg.CopyFrom(other));
  EXPECT_EQ(dlg.settings.PageRow, 77);
  EXPECT_EQ(dlg.field[CVyPageSetupDlg::kRow], "7.7");
  EXPECT_EQ(dlg.settings.widths, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_FALSE(dlg.CopyFrom(dir.File("missing.vyx")));
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(dlg.settings.PageRow, 77);
}

}  // namespace
