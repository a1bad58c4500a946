#include "admin/new_year_dlg.h"

#include <gtest/gtest.h>

#include "data/recordset.h"
#include "support/year_file_fixture.h"

namespace {

class NewYearDlgTest : public YearFileTest {
 protected:
  // An account set of 2002 whose year runs from t1 to t13, opened as the login leaves it.
  void OpenSet(const std::string& t1, const std::string& t13) {
    std::string path = CreateAccountSetFile(dir.Path(), 2002);
    Exec(path, "Update Systab Set NA='测试单位',T1='" + t1 + "',T13='" + t13 + "'");
    ASSERT_TRUE(env.Open(path, "101", 1));
  }
  std::string Dates(const std::string& path) {
    jet::Database db;
    db.Open(path);
    auto c = db.Query("select T1+'-'+T13+'-'+rtrim(NA) from systab");
    return c->Text(0);
  }
  CVyDataEnv env;
};

TEST_F(NewYearDlgTest, NewIsEnabledOnlyForAFourDigitYearFrom1990NotYetListed) {
  OpenSet("20020101", "20021231");
  CNewYearDlg dlg(env);
  dlg.OnInitDialog();
  EXPECT_EQ(dlg.folder, dir.Path());
  EXPECT_EQ(dlg.years, std::vector<std::string>{"2002"});
  EXPECT_FALSE(dlg.createEnabled);
  for (const char* refused : {"", "200", "1989", "2002", "20a3", "0999"}) {
    dlg.OnYearTextChanged(refused);
    EXPECT_FALSE(dlg.createEnabled) << refused;
  }
  dlg.OnYearTextChanged("2003");
  EXPECT_TRUE(dlg.createEnabled);
}

TEST_F(NewYearDlgTest, TheNextYearIsMadeOnlyAfterYesAndTakesItsDatesFromTheOpenYear) {
  struct Case {
    const char *t1, *t13, *expected;
  } cases[] = {
      {"20011221", "20021220", "20021221-20031220-测试单位"},
      {"20020101", "20021231", "20030101-20031231-测试单位"},
      {"20020101", "20030105", "20030101-20040105-测试单位"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.t1);
    std::string next = dir.File("2003.vyx");
    std::remove(next.c_str());
    std::remove(dir.File("2002.vyx").c_str());
    platform.messages.clear();
    OpenSet(c.t1, c.t13);
    CNewYearDlg dlg(env);
    dlg.OnInitDialog();
    dlg.OnYearTextChanged("2003");

    platform.answers = {MsgAnswer::No};
    EXPECT_FALSE(dlg.OnCreate());
    ASSERT_EQ(platform.Texts(), std::vector<std::string>{"真的要建立“2003”年的数据文件吗？"});
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(platform.messages[0].defaultButton, MsgAnswer::No);
    EXPECT_TRUE(dlg.cancelEnabled);
    EXPECT_EQ(YearList(dir.Path()), std::vector<std::string>{"2002"});

    platform.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(dlg.OnCreate());
    EXPECT_EQ(platform.LastText(), "2003年数据文件建立完毕！");
    EXPECT_EQ(Dates(next), c.expected);
    EXPECT_EQ(YearList(dir.Path()), (std::vector<std::string>{"2002", "2003"}));
    EXPECT_EQ(env.year, 2002);  // the login stays on its year
    env.Close();
  }
}

TEST_F(NewYearDlgTest, AnUnlistedFileInTheWayReportsTheEngineAndKeepsTheDialog) {
  OpenSet("20020101", "20021231");
  WriteText(dir.File("2003.vyx"), "not a year file");
  CNewYearDlg dlg(env);
  dlg.OnInitDialog();
  dlg.OnYearTextChanged("2003");
  ASSERT_TRUE(dlg.createEnabled);
  platform.answers = {MsgAnswer::Yes};
  EXPECT_FALSE(dlg.OnCreate());
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].icon, MsgIcon::Stop);
  EXPECT_TRUE(dlg.createEnabled && dlg.cancelEnabled);
}

TEST_F(NewYearDlgTest, DeleteRefusesTheLoggedInYearAndRemovesAnotherAfterYes) {
  OpenSet("20020101", "20021231");
  CreateNextYearFile(env, 2003);
  CreateNextYearFile(env, 2004);
  CNewYearDlg dlg(env);
  dlg.OnInitDialog();
  dlg.OnYearTextChanged("2004");
  ASSERT_EQ(dlg.years, (std::vector<std::string>{"2002", "2003", "2004"}));

  dlg.OnDeleteKey();  // nothing selected: nothing happens
  EXPECT_TRUE(platform.messages.empty());

  dlg.OnYearSelected(0);
  dlg.OnDeleteKey();
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"不能删除注册年度帐务！"});

  platform.messages.clear();
  dlg.OnYearSelected(2);
  platform.answers = {MsgAnswer::No};
  dlg.OnDeleteKey();
  ASSERT_EQ(platform.Texts(), std::vector<std::string>{"真的要删除“2004”年的数据文件吗？"});
  EXPECT_EQ(platform.messages[0].defaultButton, MsgAnswer::No);
  EXPECT_EQ(dlg.years.size(), 3u);

  platform.answers = {MsgAnswer::Yes};
  dlg.OnDeleteKey();
  EXPECT_EQ(dlg.years, (std::vector<std::string>{"2002", "2003"}));
  EXPECT_EQ(dlg.selectedYear, 1);  // the one before
  EXPECT_EQ(YearList(dir.Path()), (std::vector<std::string>{"2002", "2003"}));
  EXPECT_TRUE(dlg.createEnabled);  // 2004 may be made again
}

}  // namespace
