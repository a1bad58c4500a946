#include "data/year_schema.h"

#include <gtest/gtest.h>

#include "data/data_env.h"
#include "data/jet/schema.h"
#include "data/recordset.h"
#include "data/page_settings.h"
#include "support/year_file_fixture.h"

using YearSchema = YearFileTest;

namespace {
std::vector<std::string> Column(jet::Database& db, const std::string& sql) {
  std::vector<std::string> out;
  for (auto c = db.Query(sql); !c->AtEnd(); c->Next()) out.push_back(c->Text(0));
  return out;
}
}  // namespace

TEST_F(YearSchema, ANewAccountSetHasEveryTableAndItsSeedRows) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  jet::Database db;
  db.Open(path);
  for (const char* t : {"SYSTAB", "SYSCSTAB", "OPR", "PWR", "VyFormList", "VyFormFormula", "VyFormTopWord",
                        "VyFormHeadNote", "VYPAGESET", "FIELDWIDTH", "VYFONT", "SUBT", "P0", "WBT", "WBR", "STMT",
                        "STMTL"})
    EXPECT_TRUE(db.HasTable(t)) << t;
  EXPECT_FALSE(db.HasTable("VYVAR"));
  // The tables are made in the order the schema is written, the page settings' three included.
  std::vector<std::string> made;
  for (auto c = db.QueryEngineSql("SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid"); !c->AtEnd();
       c->Next())
    made.push_back(c->Text(0));
  EXPECT_EQ(made, (std::vector<std::string>{"SYSTAB", "SYSCSTAB", "OPR", "PWR", "VyFormList", "VyFormFormula",
                                            "VyFormTopWord", "VyFormHeadNote", "VYPAGESET", "FIELDWIDTH", "VYFONT",
                                            "SUBT", "P0", "WBT", "WBR", "STMT", "STMTL"}));
  EXPECT_EQ(db.FindTable("VYPAGESET")->columns.size(), 21u);
  EXPECT_EQ(db.FindTable("VYFONT")->columns.size(), 17u);
  EXPECT_EQ(db.FindTable("VYFONT")->Find("lfFaceName")->width, 60);

  EXPECT_EQ(
      Column(db,
             "select rtrim(NA)+'|'+rtrim(KJ)+'|'+cstr(PY)+'|'+cstr(MM)+'|'+JT+'|'+T1+'|'+T13 from systab"),
      std::vector<std::string>{"××单位|×××|2026|0|031|20260101|20261231"});
  EXPECT_EQ(Column(db, "select opno+'|'+rtrim(na)+'|'+trim(psd) from opr order by opno"),
            (std::vector<std::string>{"101|管理员|", "102|×××|"}));
  EXPECT_EQ(Column(db, "select pwr from pwr where opno='101'"), std::vector<std::string>{"0101"});
  auto rights = Column(db, "select pwr from pwr where opno='102'");
  EXPECT_EQ(rights.size(), 17u);
  EXPECT_EQ(rights.front(), "0201");
  EXPECT_EQ(rights.back(), "0406");
  // Print settings of forms 0-9: one page row and four fonts each, and the default column widths.
  EXPECT_EQ(CVyDataEnv::QueryLong(&db, "select count(*) from vypageset"), 10);
  EXPECT_EQ(CVyDataEnv::QueryLong(&db, "select count(*) from vyfont"), 40);
  EXPECT_EQ(Column(db, "select cstr(nwidth) from fieldwidth where nflag=3 order by nfield"),
            (std::vector<std::string>{"3", "3", "4", "40", "12", "12", "2", "12"}));
  EXPECT_EQ(CVyDataEnv::QueryLong(&db, "select count(*) from fieldwidth where nflag=4"), 0);
}

TEST_F(YearSchema, NextYearDatesFollowTheStartAndEndOfTheCurrentYear) {
  struct Case {
    const char *t1, *t13;
    int py, year;
    const char *newT1, *newT13;
  } cases[] = {
      {"20011221", "20021220", 2002, 2003, "20021221", "20031220"},  // starts in December of the year before
      {"20020101", "20021231", 2002, 2003, "20030101", "20031231"},
      {"20020101", "20030110", 2002, 2003, "20030101", "20040110"},  // ends in January of the year after
  };
  for (auto& c : cases) {
    std::string t1, t13;
    NextYearDates(c.t1, c.t13, c.py, c.year, t1, t13);
    EXPECT_EQ(t1, c.newT1);
    EXPECT_EQ(t13, c.newT13);
  }
}

TEST_F(YearSchema, ANextYearFileIsDerivedAndReceivesTheCopies) {
  std::string path = CreateAccountSetFile(dir.Path(), 2002);
  Exec(path, "Update Systab Set NA='测试单位',KJ='王五',JT='025',T1='20011221',T13='20021225'");
  Exec(path, "insert into opr(opno,na,psd) values('103','张三','abc')");
  Exec(path, "insert into pwr(opno,pwr) values('103','0201')");
  Exec(path,
       "insert into subt (kno,na,clas,op,fz,fzn,dl,dlf,dlw) values ('101','现金',1,'0','0',NULL,'0',0,0)");
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "101", 1));
  std::string next = CreateNextYearFile(env, 2003);
  EXPECT_EQ(NameOf(next), "2003.vyx");
  EXPECT_EQ(YearList(dir.Path()), (std::vector<std::string>{"2002", "2003"}));

  CVyDataEnv nextEnv;
  ASSERT_TRUE(nextEnv.Open(next, "103", 1));
  EXPECT_EQ(nextEnv.unitName, "测试单位");
  EXPECT_EQ(nextEnv.chiefAccountant, "王五");
  EXPECT_EQ(nextEnv.closingDay, "025");
  EXPECT_EQ(nextEnv.startDate, "20021221");
  EXPECT_EQ(nextEnv.endDate, "20031225");
  EXPECT_EQ(nextEnv.opPassword, "abc");
  nextEnv.LoadRights();
  EXPECT_EQ(nextEnv.rights, "0201 ");
  EXPECT_EQ(nextEnv.QueryLong("select count(*) from opr"), 3);
  EXPECT_EQ(nextEnv.QueryLong("select count(*) from pwr"), 19);
  EXPECT_EQ(nextEnv.QueryLong("select count(*) from vyfont"), 40);
  EXPECT_EQ(nextEnv.QueryLong("select count(*) from subt"), 0);  // the chart comes with the carry forward

  // A second copy adds only the rows the target lacks.
  CopyCarriedTables(*env.Db(), *nextEnv.Db());
  EXPECT_EQ(nextEnv.QueryLong("select count(*) from pwr"), 19);
  EXPECT_EQ(CanCreateYear("2003", YearList(dir.Path())), false);
  EXPECT_EQ(CanCreateYear("2004", YearList(dir.Path())), true);
  EXPECT_EQ(CanCreateYear("1989", {}), false);
  EXPECT_EQ(CanCreateYear("20a4", {}), false);
}

TEST_F(YearSchema, OnlyValidYearFilesMakeAnAccountSet) {
  std::string wrong = MakeYearFile("2001.VYX", 2002);  // SYSTAB says 2002
  EXPECT_TRUE(YearList(dir.Path()).empty());
  EXPECT_FALSE(IsAccountSetFolder(dir.Path()));
  MakeYearFile("2003.VYX", 2003);
  WriteText(dir.File("20045.VYX"), "");
  EXPECT_EQ(YearList(dir.Path()), std::vector<std::string>{"2003"});
  EXPECT_TRUE(IsAccountSetFolder(dir.Path()));
  EXPECT_TRUE(DeleteYearFile(dir.File("2003.VYX")));
  EXPECT_FALSE(IsAccountSetFolder(dir.Path()));
}

TEST_F(YearSchema, OlderFilesAreUpgraded) {
  std::string path = CreateAccountSetFile(dir.Path(), 2001);
  {
    jet::Database db;
    db.Open(path);
    for (const char* t : {"SYSCSTAB", "VYPAGESET", "VYFONT", "FIELDWIDTH"})
      db.Execute(std::string("DROP TABLE ") + t);
    // The older layout: no variant column.
    db.Execute(
        "CREATE TABLE VYPAGESET(nFlag LONG,AllPage LONG,SelectPage LONG,MaxPage LONG,FromPage LONG,ToPage "
        "LONG,PageRow LONG,PageWidth LONG,PageLength LONG,PageLeft LONG,PageTop LONG,PageRight LONG,"
        "PageBottom LONG,PageCopies LONG,TopicColor LONG,HeadColor LONG,TextColor LONG,TailColor LONG,"
        "OutBox LONG,FormLine LONG)");
    db.Execute(
        "CREATE TABLE VYFONT(nFlag LONG,nOrd LONG,lfHeight LONG,lfWidth LONG,lfEscapement LONG,"
        "lfOrientation LONG,lfWeight LONG,lfItalic LONG,lfUnderline LONG,lfStrikeOut LONG,lfCharSet LONG,"
        "lfOutPrecision LONG,lfClipPrecision LONG,lfQuality LONG,lfPitchAndFamily LONG,lfFaceName CHAR(60))");
    db.Execute("INSERT INTO VYPAGESET VALUES(7,1,0,5,1,1,30,2000,1500,100,100,100,100,2,0,0,0,0,0,0)");
  }
  jet::Database db;
  db.Open(path);
  PageSettings ps;
  LoadPageSettings(db, ps, 7, "0");
  EXPECT_TRUE(db.HasTable("FIELDWIDTH"));
  EXPECT_TRUE(db.HasColumn("VYPAGESET", "sFieldMode"));
  EXPECT_TRUE(db.HasColumn("VYFONT", "SFIELDMODE"));
  EXPECT_EQ(ps.PageRow, 30);  // the old row became variant "0"
  EXPECT_EQ(ps.PageWidth, 2000);
  EnsureSyscstab(db);
  EXPECT_TRUE(db.HasTable("syscstab"));
}
