#include <gtest/gtest.h>

#include "data/database.h"
#include "data/db_error.h"
#include "support/temp_dir.h"

TEST(JetSmoke, CreateInsertSelect) {
  TempDir dir;
  jet::Database db;
  db.Create(dir.File("2001.vyx"));
  db.Execute(
      "CREATE TABLE P0(T CHAR(8),CER CHAR(4),RN LONG,MRY CHAR(40),\t\t\tKNO CHAR(14),F LONG,MY DOUBLE,NU "
      "DOUBLE,MK CHAR(1),TT CHAR(2))");
  db.Execute("CREATE INDEX P0 ON P0(T,CER,RN)");
  db.Execute("CREATE INDEX P01 ON P0(KNO,T)");
  db.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt)\t\tvalues('20010101','    "
      "',0,'期初余额','101',1,70,0,'4','01')");
  db.Execute(
      "insert into "
      "p0(t,cer,rn,mry,kno,f,my,nu,mk,tt)\t\tvalues('20010105','0',1,'x','101-1',-1,12.5,0,'4','01')");
  auto c = db.Query(
      "select count(*),sum(f*my) from p0 where (trim(kno)='101' or trim(kno) like '101-*') \t\tand "
      "t<='20011231' and val(tt)<=12 and mk='4'");
  ASSERT_FALSE(c->AtEnd());
  EXPECT_EQ(c->ColumnName(0), "Expr1000");
  EXPECT_EQ(c->Int(0), 2);
  EXPECT_EQ(c->Text(1), "57.5");
  for (auto& s : db.Explain("select count(*),sum(f*my) from p0 where (trim(kno)='101' or trim(kno) like "
                            "'101-*') and t<='20011231' and val(tt)<=12 and mk='4'"))
    std::printf("%s\n", s.c_str());
  auto k = db.Query("SELECT kno, t+'\r'+cer, cstr$(my) FROM P0 ORDER BY t");
  EXPECT_EQ(k->ColumnName(0), "KNO");
  EXPECT_EQ(k->Text(0), "101           ");
  EXPECT_EQ(k->ColumnName(1), "Expr1001");
  EXPECT_EQ(k->Text(1), "20010101\r    ");
  EXPECT_EQ(k->Text(2), "70");
  EXPECT_THROW(db.Execute("insert into p0(kno) values('123456789012345')"), jet::DbError);
}
