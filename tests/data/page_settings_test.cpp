#include "data/page_settings.h"

#include <gtest/gtest.h>

#include "data/data_env.h"
#include "support/year_file_fixture.h"

using PageSettingsStore = YearFileTest;

TEST_F(PageSettingsStore, AFormWithoutARowGetsItsDefaultsAndNothingIsWritten) {
  std::string path = CreateAccountSetFile(dir.Path(), 2001);
  jet::Database db;
  db.Open(path);
  PageSettings ps;
  LoadPageSettings(db, ps, 11, "0");
  EXPECT_EQ(ps.widths.size(), 19u);
  EXPECT_EQ(ps.PageWidth, 2600);
  EXPECT_EQ(ps.fonts[0].height, -29);
  EXPECT_EQ(ps.fonts[0].weight, 700);
  EXPECT_EQ(ps.FormLine, VyRgb(192, 192, 192));
  EXPECT_EQ(CVyDataEnv::QueryLong(&db, "select count(*) from vypageset where nflag=11"), 0);

  PageSettings five;
  SetPageDefaults(five, 5, "0");
  EXPECT_EQ(five.PageLength, 1650);
  EXPECT_EQ(five.PageBottom, 150);
  EXPECT_EQ(five.fonts[1].height, -12);
  EXPECT_EQ(five.fonts[2].height, -10);
  EXPECT_EQ(five.widths.size(), 14u);
}

TEST_F(PageSettingsStore, SavedSettingsComeBackAsTheyWere) {
  std::string path = CreateAccountSetFile(dir.Path(), 2001);
  jet::Database db;
  db.Open(path);
  PageSettings ps;
  SetPageDefaults(ps, 7, "甲'乙");
  ps.PageRow = 31;
  ps.TextColor = VyRgb(18, 52, 86);
  ps.fonts[2].faceName = "黑体";
  ps.fonts[2].italic = 1;
  ps.widths = {5, 6, 7};
  SavePageSettings(db, ps, 7, "甲'乙");
  SavePageSettings(db, ps, 7, "甲'乙");  // saving again replaces, never doubles
  PageSettings back;
  LoadPageSettings(db, back, 7, "甲'乙");
  EXPECT_EQ(back, ps);
  EXPECT_EQ(CVyDataEnv::QueryLong(&db, "select count(*) from vyfont where nflag=7 and sfieldmode='甲''乙'"),
            4);
  PageSettings other;
  LoadPageSettings(db, other, 7, "0");
  EXPECT_EQ(other.PageRow, 25);  // the variants are kept apart
}

TEST(ColourNames, NamesTheSixteenAndCallsTheRestCustom) {
  EXPECT_EQ(ColourName(VyRgb(0, 0, 0)), "黑色");
  EXPECT_EQ(ColourName(VyRgb(192, 192, 192)), "银色");
  EXPECT_EQ(ColourName(VyRgb(255, 0, 255)), "紫红色");
  EXPECT_EQ(ColourName(VyRgb(18, 52, 86)), "自定义色");
}
