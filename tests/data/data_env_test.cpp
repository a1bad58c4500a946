#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "data/db_error.h"
#include "data/data_env.h"
#include "support/year_file_fixture.h"

using DataEnvOpen = YearFileTest;

TEST_F(DataEnvOpen, RefusesBadFilesWithTheirMessagesInOrder) {
  std::string good = MakeYearFile("2001.VYX", 2001);
  std::filesystem::create_directory(dir.File("2003.VYX"));
  WriteText(dir.File("2004.VYX"), "not a database");
  WriteText(dir.File("abc.VYX"), "");
  WriteText(dir.File("1989.VYX"), "");
  WriteText(dir.File("1990.VYX"), "");
  WriteText(dir.File(".2005.VYX"), "");
  std::string wrongYear = MakeYearFile("2006.VYX", 2007);
  platform.files[dir.File("2008.VYX")] = {true, false, false, true, false};  // read-only
  platform.files[dir.File("2009.VYX")] = {true, false, false, false, true};  // system
  // A read-only file that is also hidden reports read-only: the attributes are tested in a fixed order.
  platform.files[dir.File("2010.VYX")] = {true, false, true, true, false};

  struct Case {
    std::string path, message;
  } cases[] = {
      {"", "文件名为空！"},
      {dir.File("2001.txt"), "不是Tavrel帐务数据文件！"},
      {dir.File("2002.VYX"), "该文件不存在！"},
      {dir.File("2003.VYX"), "Tavrel帐务数据文件不能是文件夹！"},
      {dir.File("2008.VYX"), "Tavrel帐务数据文件不能是只读文件！"},
      {dir.File("2009.VYX"), "Tavrel帐务数据文件不能是系统文件！"},
      {dir.File("2010.VYX"), "Tavrel帐务数据文件不能是只读文件！"},
      {dir.File(".2005.VYX"), "Tavrel帐务数据文件不能是隐藏文件！"},
      {dir.File("abc.VYX"), "文件名不是由有效年度构成！"},
      {dir.File("1989.VYX"), "文件名不是由有效年度构成！"},
      {dir.File("1990.VYX"), "无法打开此文件！"},  // a valid name: the next test refuses it
      {dir.File("2004.VYX"), "无法打开此文件！"},
      {wrongYear, "文件名中的年度与实际帐务年度不相符！\n文件名应当改为：“2007.VYX”"},
  };
  for (auto& c : cases) {
    platform.messages.clear();
    CVyDataEnv env;
    EXPECT_FALSE(env.Open(c.path, "", 1)) << c.path;
    EXPECT_EQ(env.loggedIn, 0);
    ASSERT_EQ(platform.messages.size(), 1u) << c.path;
    EXPECT_EQ(platform.LastText(), c.message) << c.path;
  }
  // Without reporting, the same refusals are silent.
  platform.messages.clear();
  CVyDataEnv quiet;
  EXPECT_FALSE(quiet.Open(dir.File("abc.VYX"), "", 0));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(CVyDataEnv().Open(good, "", 1));
}

TEST_F(DataEnvOpen, FindsTheExtensionWithoutRegardToCase) {
  std::string made = CreateAccountSetFile(dir.Path(), 2001);  // written as 2001.vyx
  EXPECT_EQ(NameOf(made), "2001.vyx");
  for (std::string asked :
       {dir.File("2001"), dir.File("2001."), dir.File("2001.VYX"), dir.File("2001.vyx")}) {
    CVyDataEnv env;
    EXPECT_TRUE(env.Open(asked, "", 1)) << asked;
    EXPECT_EQ(env.dataFile, made);
    EXPECT_EQ(env.dataDir, dir.Path());
  }
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DataEnvOpen, ReadsTheYearsSettings) {
  std::string path = MakeYearFile("2001.VYX", 2001);
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "", 1));
  EXPECT_EQ(env.year, 2001);
  EXPECT_EQ(env.unitName, "××单位");
  EXPECT_EQ(env.chiefAccountant, "×××");
  EXPECT_EQ(env.closingDay, "031");
  EXPECT_EQ(env.startDate, "20010101");
  EXPECT_EQ(env.endDate, "20011231");
  EXPECT_EQ(env.closedMonth, 0);
}

TEST_F(DataEnvOpen, ChoosesTheOperator) {
  std::string path = MakeYearFile("2001.VYX", 2001);
  {
    CVyDataEnv env;  // 101 and 102, none asked: 102
    ASSERT_TRUE(env.Open(path, "", 1));
    EXPECT_EQ(env.opno, "102");
    EXPECT_EQ(env.opName, "×××");
    EXPECT_EQ(env.opPassword, "");
  }
  {
    CVyDataEnv env;  // an unknown operator: the message, then the default
    ASSERT_TRUE(env.Open(path, "103", 1));
    EXPECT_EQ(platform.LastText(), "无此操作员！");
    EXPECT_EQ(env.opno, "102");
  }
  Exec(path, "update opr set psd='  secret ' where opno='101'");
  {
    CVyDataEnv env;  // asked by code; the stored password is read trimmed
    ASSERT_TRUE(env.Open(path, "101", 1));
    EXPECT_EQ(env.opName, "管理员");
    EXPECT_EQ(env.opPassword, "secret");
  }
  Exec(path, "delete from opr where opno='102'");
  {
    CVyDataEnv env;  // 101 alone is the default
    ASSERT_TRUE(env.Open(path, "", 1));
    EXPECT_EQ(env.opno, "101");
  }
  Exec(path, "delete from opr");
  {
    platform.messages.clear();
    CVyDataEnv env;
    EXPECT_FALSE(env.Open(path, "", 1));
    EXPECT_EQ(platform.LastText(), "本帐套无操作员！");
  }
  Exec(path, "delete from systab");
  {
    CVyDataEnv env;
    EXPECT_FALSE(env.Open(path, "101", 1));
    EXPECT_EQ(platform.LastText(), "无环境信息！");
  }
}

TEST_F(DataEnvOpen, BuildsTheRightsText) {
  std::string path = MakeYearFile("2001.VYX", 2001);
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "101", 1));
  env.LoadRights();
  EXPECT_EQ(env.rights, "0101 ");
  ASSERT_TRUE(env.Open(path, "102", 1));
  env.LoadRights();
  EXPECT_EQ(env.rights,
            "0201 0202 0203 0204 0301 0302 0303 0304 0305 0306 0307 0401 0402 0403 0404 0405 0406 ");
  env.Execute("insert into opr(opno,na,psd) values('103','新人','')");
  env.Execute("insert into pwr(opno,pwr) values('103',NULL)");
  ASSERT_TRUE(env.Open(path, "103", 1));
  env.LoadRights();
  EXPECT_EQ(env.rights, " ");  // the placeholder row gives a lone blank
  env.Close();
  env.LoadRights();
  EXPECT_EQ(env.rights, "");
}

TEST_F(DataEnvOpen, DoesNotHangOnAFileLockedByAnotherProcess) {
  std::string path = MakeYearFile("2001.VYX", 2001);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; DELETE FROM OPR;", nullptr, nullptr, nullptr), SQLITE_OK);
  std::time_t start = std::time(nullptr);
  CVyDataEnv env;
  EXPECT_FALSE(env.Open(path, "", 1));
  // Not broken, only busy: the message says so.
  EXPECT_EQ(platform.LastText(), "数据文件正被其他程序使用（已锁定），请稍后再试。");
  EXPECT_LT(std::time(nullptr) - start, 10);  // <chrono> holds a literal GBK cannot encode
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_TRUE(env.Open(path, "", 1));
}

TEST_F(DataEnvOpen, AFailedStatementInATransactionLeavesTheFileAsItWas) {
  std::string path = MakeYearFile("2001.VYX", 2001);
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "", 1));
  bool ok = env.RunInTransaction([&] {
    env.Execute("delete from pwr where opno='102'");
    env.Execute("insert into opr(opno,na,psd) values('104','张三','')");
    env.Execute("insert into opr(opno,na,psd) values('105','这个名字太长了放不下','')");  // 18 bytes > 8
  });
  EXPECT_FALSE(ok);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
  EXPECT_NE(platform.LastText().find("NA"), std::string::npos);
  EXPECT_EQ(env.QueryLong("select count(*) from pwr where opno = '102'"), 17);
  EXPECT_EQ(env.QueryLong("select count(*) from opr"), 2);
  // The file is usable afterwards, and a good transaction commits.
  EXPECT_TRUE(
      env.RunInTransaction([&] { env.Execute("insert into opr(opno,na,psd) values('104','张三','')"); }));
  env.Close();
  ASSERT_TRUE(env.Open(path, "104", 1));
  EXPECT_EQ(env.opName, "张三");
}
