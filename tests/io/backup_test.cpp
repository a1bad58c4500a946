#include "io/backup.h"

#include <gtest/gtest.h>

#include "admin/new_year_dlg.h"
#include "data/jet/db_error.h"
#include "support/file_dump.h"
#include "support/year_file_fixture.h"

namespace {

using BackupTest = YearFileTest;

std::string NameOnly(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

TEST_F(BackupTest, EachYearKeepsItsNewestTenCopies) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  MakeFolders(BackupFolder(dir.Path()));
  WriteText(dir.File("notes.txt"), "");
  std::string foreign = BackupFolder(dir.Path()) + "/2003-mine.vyx";
  WriteText(NativePath(foreign), "kept");
  jet::Database db;
  db.Open(path);
  ASSERT_TRUE(BackupYear(db, dir.Path(), 2002).Ok());  // another year's copy stays whatever 2003 does
  for (int i = 0; i < 12; ++i) {
    platform.now.minute = i;
    // Two copies within one second are told apart, the later sorting last.
    BackupOutcome first = BackupYear(db, dir.Path(), 2003);
    ASSERT_TRUE(first.Ok()) << first.error;
    if (i == 11) {
      EXPECT_EQ(NameOnly(BackupYear(db, dir.Path(), 2003).path), "2003-20261207-091100-2.vyx");
    }
  }
  std::vector<std::string> kept = YearBackups(dir.Path(), 2003);
  ASSERT_EQ(kept.size(), 10u);
  EXPECT_EQ(NameOnly(kept.front()), "2003-20261207-090300.vyx");
  EXPECT_EQ(NameOnly(kept[8]), "2003-20261207-091100.vyx");
  EXPECT_EQ(NameOnly(kept.back()), "2003-20261207-091100-2.vyx");
  EXPECT_EQ(YearBackups(dir.Path(), 2002).size(), 1u);
  EXPECT_TRUE(QueryRealFile(foreign).exists);

  // The copy is the file as it stands, and a year file of the program.
  db.Execute(
      "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('101','现金',1,'0','0',NULL,'0',0,0)");
  BackupOutcome last = BackupYear(db, dir.Path(), 2003);
  db.Close();
  EXPECT_EQ(DumpYearFile(last.path), DumpYearFile(path));
  jet::Database copy;
  EXPECT_NO_THROW(copy.Open(last.path));
}

TEST_F(BackupTest, ACopyIsRefusedInsideATransactionOrOverAnotherFile) {
  std::string path = CreateAccountSetFile(dir.Path(), 2003);
  jet::Database db;
  db.Open(path);
  db.Begin();
  EXPECT_THROW(db.BackupTo(dir.File("copy.vyx")), jet::DbError);
  db.Rollback();
  EXPECT_THROW(db.BackupTo(path), jet::DbError);
  EXPECT_FALSE(QueryRealFile(dir.File("copy.vyx")).exists);
  BackupOutcome refused = BackupYearFile(dir.File("1999.vyx"));
  EXPECT_FALSE(refused.Ok());
}

TEST_F(BackupTest, DeletingAYearFileKeepsACopyFirst) {
  std::string path = CreateAccountSetFile(dir.Path(), 2002);
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "101", 1));
  std::string next = CreateNextYearFile(env, 2003);
  std::string before = DumpYearFile(next);
  CNewYearDlg dlg(env);
  dlg.OnInitDialog();
  dlg.OnYearSelected(1);
  platform.answers = {MsgAnswer::Yes};
  dlg.OnDeleteKey();
  EXPECT_FALSE(QueryRealFile(next).exists);
  std::vector<std::string> copies = YearBackups(dir.Path(), 2003);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(DumpYearFile(copies[0]), before);
  EXPECT_EQ(platform.LastText(), "2003年数据文件已删除。\r\r删除前的数据已备份到：\r" + copies[0]);
}

}  // namespace
