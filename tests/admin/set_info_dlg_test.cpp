#include "admin/set_info_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/text.h"
#include "support/year_file_fixture.h"

namespace {

using Focus = CAccountInfoDlg::Focus;

class AccountInfoDlgTest : public YearFileTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2002);
    ASSERT_TRUE(env.Open(path, "101", 1));
  }
  std::string Row(const std::string& sql) {
    auto c = env.Db()->Query(sql);
    return c->AtEnd() ? "" : c->Text(0);
  }
  void AddOpening(const char* kno) {
    env.Execute(Format(
        "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20020101','    ',0,'','%s',1,100,0,'4','01')",
        kno));
  }
  void AddPosting(const char* date) {
    env.Execute(Format(
        "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%s','0',1,'','101',1,5,0,'4','01')", date));
  }
  int Index(const std::vector<std::string>& list, const char* value) {
    return static_cast<int>(std::find(list.begin(), list.end(), value) - list.begin());
  }
  std::string path;
  CVyDataEnv env;
};

TEST_F(AccountInfoDlgTest, TheListsSpanTheTurnOfTheYearAndSelectTheCurrentValues) {
  env.Execute("Update Systab Set MM=3");
  env.closedMonth = 3;
  CAccountInfoDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(dlg.fileText, path);
  EXPECT_EQ(dlg.yearText, "2002");
  EXPECT_EQ(dlg.closedMonthText, "3");
  EXPECT_EQ(dlg.unitName, "××单位");
  EXPECT_EQ(dlg.chief, "×××");
  ASSERT_EQ(dlg.startDates.size(), 22u);
  EXPECT_EQ(dlg.startDates.front(), "20011220");
  EXPECT_EQ(dlg.startDates[11], "20011231");
  EXPECT_EQ(dlg.startDates[12], "20020101");
  EXPECT_EQ(dlg.startDates.back(), "20020110");
  ASSERT_EQ(dlg.endDates.size(), 22u);
  EXPECT_EQ(dlg.endDates.front(), "20021220");
  EXPECT_EQ(dlg.endDates.back(), "20030110");
  ASSERT_EQ(dlg.closingDays.size(), 22u);
  EXPECT_EQ(dlg.closingDays.front(), "020");
  EXPECT_EQ(dlg.closingDays[11], "031");
  EXPECT_EQ(dlg.closingDays[12], "101");
  EXPECT_EQ(dlg.closingDays.back(), "110");
  EXPECT_EQ(dlg.selectedStart, 12);
  EXPECT_EQ(dlg.selectedEnd, 11);
  EXPECT_EQ(dlg.selectedClosing, 11);
  EXPECT_TRUE(dlg.closingEnabled);

  AddPosting("20020301");
  CAccountInfoDlg withPostings(env);
  ASSERT_TRUE(withPostings.OnInitDialog());
  EXPECT_FALSE(withPostings.closingEnabled);
}

TEST_F(AccountInfoDlgTest, OkChecksTheDatesAndTheClosingDayInOrder) {
  AddPosting("20020105");
  AddPosting("20021226");
  env.Execute("insert into wbr(wno,t,my1,my2) values('01','20020103',7.1,0)");
  env.Execute("insert into wbr(wno,t,my1,my2) values('01','20021228',7.2,0)");
  CAccountInfoDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());

  // Each step puts right what the step before refused.
  struct Step {
    std::function<void()> change;
    const char* message;
    Focus focus;
  } steps[] = {
      {[&] { dlg.selectedStart = -1; }, "没有设置年初日！", Focus::StartDate},
      {[&] { dlg.selectedStart = Index(dlg.startDates, "20020106"); },
       "年初日大于已存在数据的最小日,请重设置！", Focus::StartDate},
      {[&] { dlg.selectedStart = Index(dlg.startDates, "20020104"); },
       "年初日大于已设置的汇率的最小日,请重设置！", Focus::StartDate},
      {[&] {
         dlg.selectedStart = Index(dlg.startDates, "20020102");
         dlg.selectedEnd = -1;
       },
       "没有设置年末日！", Focus::EndDate},
      {[&] { dlg.selectedEnd = Index(dlg.endDates, "20021225"); }, "年末日小于已存在数据的最大日,请重设置！",
       Focus::EndDate},
      {[&] { dlg.selectedEnd = Index(dlg.endDates, "20021227"); },
       "年末日小于已设置的汇率的最大日,请重设置！", Focus::EndDate},
      {[&] {
         dlg.selectedEnd = Index(dlg.endDates, "20021231");
         dlg.selectedClosing = -1;
       },
       "没有设置月结日！", Focus::ClosingDay},
  };
  for (auto& s : steps) {
    platform.messages.clear();
    s.change();
    EXPECT_FALSE(dlg.OnOk()) << s.message;
    ASSERT_EQ(platform.Texts(), std::vector<std::string>{s.message});
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dlg.focus, s.focus) << s.message;
  }
  EXPECT_EQ(Row("select T1+T13+JT from systab"),
            "20020101"
            "20021231"
            "031");  // nothing written yet

  platform.messages.clear();
  dlg.selectedClosing = Index(dlg.closingDays, "025");
  EXPECT_TRUE(dlg.OnOk());
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"修改结束"});
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Information);  // a success, not a warning
  EXPECT_EQ(Row("select T1+T13+JT from systab"),
            "20020102"
            "20021231"
            "025");
}

TEST_F(AccountInfoDlgTest, OkWritesTheYearAndMovesTheOpeningRowsOnlyWhenTheStartChanges) {
  AddOpening("101");
  AddOpening("102");
  AddPosting("20020301");
  env.closingDay = "031";
  {
    CAccountInfoDlg dlg(env);
    ASSERT_TRUE(dlg.OnInitDialog());
    dlg.unitName = "O'Neil 公司";  // quotes go into the statement as data
    dlg.chief = "李四";
    ASSERT_TRUE(dlg.OnOk());
    EXPECT_EQ(Row("select rtrim(NA)+'|'+rtrim(KJ) from systab"), "O'Neil 公司|李四");
    EXPECT_EQ(Row("select count(*) from p0 where t='20020101'"), "2");
  }
  CAccountInfoDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(dlg.unitName, "O'Neil 公司");
  dlg.selectedStart = 0;  // 20011220
  dlg.selectedEnd = 21;   // 20030110
  ASSERT_TRUE(dlg.OnOk());
  EXPECT_EQ(Row("select count(*) from p0 where t='20011220' and cer='    '"), "2");
  EXPECT_EQ(Row("select t from p0 where rn=1"), "20020301");
  EXPECT_EQ(env.unitName, "O'Neil 公司");
  EXPECT_EQ(env.chiefAccountant, "李四");
  EXPECT_EQ(env.startDate, "20011220");
  EXPECT_EQ(env.endDate, "20030110");
  EXPECT_EQ(env.closingDay, "031");
}

TEST_F(AccountInfoDlgTest, AFailingUpdateLeavesTheFileAndTheLoginAsTheyWere) {
  AddOpening("101");
  CAccountInfoDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  dlg.selectedStart = 0;
  dlg.unitName = std::string(41, 'x');  // longer than the column: the engine refuses
  EXPECT_FALSE(dlg.OnOk());
  EXPECT_EQ(platform.messages.back().icon, MsgIcon::Stop);
  EXPECT_EQ(Row("select T1 from systab"), "20020101");
  EXPECT_EQ(Row("select t from p0"), "20020101");
  EXPECT_EQ(env.startDate, "20020101");
  EXPECT_EQ(env.unitName, "××单位");
}

}  // namespace
