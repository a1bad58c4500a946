#include <gtest/gtest.h>
#include <sys/stat.h>

#include "accounts/chart_templates.h"
#include "admin/carry_forward_dlg.h"
#include "base/text.h"
#include "data/recordset.h"
#include "io/backup.h"
#include "support/file_dump.h"
#include "support/year_file_fixture.h"

namespace {

class CarryForwardTest : public YearFileTest {
 protected:
  // The account set's 2002 with the given statements, and 2003 made from it and logged in to.
  void MakeYears(const std::vector<std::string>& in2002, const std::vector<std::string>& in2003 = {}) {
    source = CreateAccountSetFile(dir.Path(), 2002);
    for (auto& s : in2002) Exec(source, s);
    CVyDataEnv old;
    ASSERT_TRUE(old.Open(source, "101", 1));
    current = CreateNextYearFile(old, 2003);
    old.Close();
    for (auto& s : in2003) Exec(current, s);
  }
  void Login() { ASSERT_TRUE(env.Open(current, "101", 1)); }
  // Runs 转帐 with the items chosen, the two confirmations answered 是 and then the given answers.
  bool Run(bool accounts, bool balances, std::vector<MsgAnswer> answers = {}) {
    platform.messages.clear();
    platform.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    platform.answers.insert(platform.answers.end(), answers.begin(), answers.end());
    CCarryForwardDlg dlg(env);
    if (!dlg.OnInitDialog()) return false;
    dlg.OnItemToggled(CCarryForwardDlg::kAccounts, accounts);
    dlg.OnItemToggled(CCarryForwardDlg::kBalances, balances);
    bool closed = dlg.OnOk();
    finalText = dlg.finalText;
    return closed && dlg.completed;
  }
  std::string Rows(const std::string& sql) { return QueryRows(env, sql); }
  std::string Openings() {
    return Rows(
        "select trim(kno),f,my,nu,t,rtrim(mry),rn,tt,mk from p0 where strcomp(cer,'    ',0)=0 order by "
        "trim(kno)");
  }
  static std::string Account(const char* kno, const char* na, int clas, const char* fz = "0",
                             const char* op = "0") {
    return Format(
        "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'%s','%s',NULL,'0',0,0)", kno,
        na, clas, op, fz);
  }
  static std::string Posting(const char* kno, int f, double my, double nu = 0, const char* mk = "4") {
    return Format(
        "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) "
        "values('20020105','0',1,'x','%s',%d,%.2f,%.4f,'%s','01')",
        kno, f, my, nu, mk);
  }

  std::string source, current, finalText;
  CVyDataEnv env;
};

TEST_F(CarryForwardTest, TheSourceIsTheNearestEarlierYearThatLogsIn) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, int>> files;  // name, year; py 0: no operators
    std::string expected;                            // source year, or the message
  } cases[] = {
      {"2002 without operators", {{"2002.vyx", 0}, {"2001.vyx", 2001}}, "2001"},
      {"upper-case name", {{"2002.VYX", 2002}, {"2001.vyx", 2001}}, "2002"},
      {"eleven years back", {{"1992.vyx", 1992}}, "本帐套最近十年内无任何年度数据，无需结转!"},
      {"ten years back", {{"1993.vyx", 1993}}, "1993"},
      // Run from the older of two years: the message says where the carry forward belongs.
      {"only a later year",
       {{"2004.vyx", 2004}, {"2005.vyx", 2005}},
       "本帐套最近十年内无任何年度数据，无需结转!\n结转应在新年度中进行：请用“操作环境注册”登录“2004”年度的数据文件，"
       "再在那里运行转帐。"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir folder;
    for (auto& [name, py] : c.files) {
      MakeFolders(folder.File(name.substr(0, 4)));
      std::string made = CreateAccountSetFile(folder.File(name.substr(0, 4)), py ? py : 2002);
      std::string path = folder.File(name);
      std::rename(made.c_str(), path.c_str());
      Exec(path, Account("101", "现金", 1));
      if (!py) Exec(path, "delete from opr");
    }
    std::string path = CreateAccountSetFile(folder.Path(), 2003);
    CVyDataEnv year;
    ASSERT_TRUE(year.Open(path, "101", 1));
    platform.messages.clear();
    CCarryForwardDlg dlg(year);
    bool opened = dlg.OnInitDialog();
    EXPECT_EQ(opened ? dlg.sourceYearText : platform.LastText(), c.expected);
    if (opened) {
      EXPECT_EQ(dlg.status, "请选择需要复制结转的项目");
    }
  }

  // A source without accounts has nothing to give.
  MakeYears({});
  Login();
  CCarryForwardDlg empty(env);
  EXPECT_FALSE(empty.OnInitDialog());
  EXPECT_EQ(platform.LastText(), "上年度无数据，无需结转!");
}

TEST_F(CarryForwardTest, ChoicesAndTheTwoQuestionsComeBeforeAnyChange) {
  MakeYears({Account("101", "现金", 1), Posting("101", 1, 10)});
  Login();
  CCarryForwardDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_TRUE(dlg.enabled[0] && dlg.enabled[3]);
  EXPECT_FALSE(dlg.enabled[1] || dlg.enabled[2]);
  EXPECT_EQ(dlg.OnOk(), false);
  EXPECT_EQ(platform.LastText(), "没有任何复制结转项目，请选择它们!");

  // The year has no accounts: balances bring the chart along.
  dlg.OnItemToggled(CCarryForwardDlg::kBalances, true);
  EXPECT_TRUE(dlg.chosen[CCarryForwardDlg::kAccounts]);
  platform.messages.clear();
  platform.answers = {MsgAnswer::Yes, MsgAnswer::No};
  EXPECT_FALSE(dlg.OnOk());
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(
      platform.messages[0].text,
      "选择情况：\r\r\t① 会 计 科 目 表     (√)\r\r\t② 凭 证 分 类 表     (×)\r\r\t③ 分 录 模 板 表     "
      "(×)\r\r\t④ 帐 户 余 额 表     (√)\t\r\r以上选择正确吗？");
  EXPECT_EQ(platform.messages[1].defaultButton, MsgAnswer::No);
  EXPECT_EQ(platform.messages[1].text.rfind("\r检查结果报告：\r\r    ① 会计科目表，本年度未建立。\r    ② "
                                            "凭证分类表，未检查。\r    ③ 分录模板表，未检查。",
                                            0),
            0u);
  EXPECT_NE(platform.messages[1].text.find("④ 帐户余额表，本年度未建立。"), std::string::npos);
  EXPECT_EQ(dlg.status, "请选择需要复制结转的项目");
  EXPECT_FALSE(dlg.progressVisible || dlg.timerRunning);
  EXPECT_EQ(env.QueryLong("select count(*) from subt"), 0);
  EXPECT_TRUE(YearBackups(dir.Path(), 2003).empty());
}

TEST_F(CarryForwardTest, BalancesAreCarriedWithSideAmountAndQuantity) {
  MakeYears({Account("101", "现金", 1), Account("102", "银行", 1), Account("103", "存货", 1, "1"),
             Account("104", "平帐", 1), Account("105", "未达", 1), Account("201", "应付", 1),
             Account("201-1", "甲", 2), Posting("101", 1, 1000), Posting("101", -1, 200),
             Posting("102", -1, 1234.5), Posting("103", 1, 50, 8), Posting("103", -1, 50, 3),
             Posting("104", 1, 5), Posting("104", -1, 5), Posting("105", 1, 70, 0, "1"),
             // 对方达: outside the books, so not carried either.
             Posting("101", 1, 65.5, 0, "0"), Posting("102", 1, 1234.5, 0, "0"),
             Posting("201-1", -1, 0.5), "insert into wbt(wno,na,ho) values('USD','美元',NULL)"});
  Login();
  ASSERT_TRUE(Run(true, true));
  EXPECT_EQ(Openings(),
            "101,1,800,0,20030101,  上 年  结  转,0,01,4;"
            "102,-1,1234.5,0,20030101,  上 年  结  转,0,01,4;"
            "103,-1,0,-5,20030101,  上 年  结  转,0,01,4;"
            "201-1,-1,0.5,0,20030101,  上 年  结  转,0,01,4;");
  EXPECT_EQ(Rows("select trim(kno),trim(na),clas,fz from subt order by trim(kno)"),
            "101,现金,1,0;102,银行,1,0;103,存货,1,1;104,平帐,1,0;105,未达,1,0;201,应付,1,0;201-1,甲,2,0;");
  EXPECT_EQ(Rows("select trim(wno),trim(na),ho from wbt"), "USD,美元,;");
  std::vector<std::string> backups = YearBackups(dir.Path(), 2003);
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(finalText,
            "余额结转情况：\r\r    借方合计：800.00\r\r    贷方合计：1,235.00\r\r结转前的数据已备份到：\r" +
                backups[0]);
  EXPECT_EQ(platform.LastText(), finalText);

  // Again: the first run's opening rows are replaced, no account or currency is doubled.
  std::string chart = Rows("select * from subt order by kno");
  platform.now.second = 1;
  ASSERT_TRUE(Run(true, true));
  EXPECT_NE(platform.messages[1].text.find("④ 帐户余额表，本年度已有帐户余额。"), std::string::npos);
  EXPECT_EQ(Rows("select count(*) from p0"), "4;");
  EXPECT_EQ(Rows("select * from subt order by kno"), chart);
  EXPECT_EQ(Rows("select count(*) from wbt"), "1;");
  EXPECT_EQ(YearBackups(dir.Path(), 2003).size(), 2u);
}

TEST_F(CarryForwardTest, ChangedAccountsAreWarnedAboutOrAskedInOrder) {
  MakeYears({Account("301", "消失", 1), Account("302", "有子", 1), Account("303", "专用", 1),
             Account("304", "数量", 1, "1"), Account("305", "旧名", 1), Account("306", "普通", 1),
             Account("307", "双亲", 1), Account("307-1", "孤儿", 2), Account("308", "外币", 1, "2"),
             Posting("301", 1, 1), Posting("302", 1, 2), Posting("303", 1, 3), Posting("304", 1, 4, 2),
             Posting("305", 1, 5), Posting("306", 1, 6, 1), Posting("307-1", 1, 7), Posting("308", 1, 8, 3)},
            {Account("302", "有子", 1), Account("302-1", "子", 2), Account("303", "专用", 1, "0", "1"),
             Account("304", "数量", 1, "0"), Account("305", "新名", 1), Account("306", "普通", 1, "1"),
             Account("307", "双亲", 1), Account("307", "双亲", 1), Account("307-1", "孤儿", 2),
             Account("308", "外币", 1, "0")});
  Login();
  // 304: 是; 305: 否; 306: 是; 308: 否.
  ASSERT_TRUE(Run(false, true, {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::No}));
  std::vector<std::string> texts = platform.Texts();
  ASSERT_EQ(texts.size(), 11u);
  std::vector<std::string> expected = {
      "警告：\r\v本年度“301”科目已不存在，其余额不能结转\r\v按确认钮继续！",
      "警告：\r\v本年度“302”科目已有子科目，其余额不能结转\r\v按确认钮继续！",
      "警告：\r\v本年度“303”科目已设置为专用科目，而上年度为普通科目，\r其余额不能结转\r\v按确认钮继续！",
      "上年度“304”科目设置为数量金额核算，而本年度已取消，\r其余额结转入本年度吗？",
      "“305”科目的帐户名称已由\r“旧名”\r改为：\r“新名”\r其余额结转入本年度吗？",
      "本年度“306”科目设置为数量金额核算，而上年度是普通科目，\r其余额转入本年度吗？",
      "警告：\r\v本年度“307-1”科目为非法科目，系统将删除它，其余额不能结转\r\v按确认钮继续！",
      "上年度“308”科目设置为外币科目，而本年度已取消，\r其余额结转入本年度吗？",
  };
  EXPECT_EQ(std::vector<std::string>(texts.begin() + 2, texts.end() - 1), expected);
  EXPECT_EQ(platform.messages[5].caption, "黄牌警告：");
  EXPECT_EQ(platform.messages[5].defaultButton, MsgAnswer::No);
  // 304 loses its quantity with the accounting; 305 (否) and 308 (否) get nothing; 307-1 is gone.
  EXPECT_EQ(Rows("select trim(kno),f,my,nu from p0 order by trim(kno)"), "304,1,4,0;306,1,6,1;");
  EXPECT_EQ(Rows("select count(*) from subt where trim(kno)='307-1'"), "0;");
}

TEST_F(CarryForwardTest, AFailureHalfWayLeavesTheYearAsItWasAndTheBackupBehind) {
  MakeYears({Account("101", "现金", 1), Account("102", "银行", 1), Account("103", "存货", 1),
             Posting("101", 1, 10), Posting("102", 1, 20), Posting("103", 1, 30)},
            {Account("101", "现金", 1), Account("9", "本年", 1),
             "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20030101','    "
             "',0,'期初余额','9',1,1,0,'4','01')"});
  InjectFailure(current, "P0", "102");
  std::string before = DumpYearFile(current);
  Login();
  EXPECT_FALSE(Run(true, true));
  std::vector<std::string> texts = platform.Texts();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2], "disk full");
  EXPECT_EQ(texts.back().substr(0, 42), "结转没有完成，本年度数据保持结转前的原样。");
  env.Close();
  EXPECT_EQ(DumpYearFile(current), before);
  std::vector<std::string> backups = YearBackups(dir.Path(), 2003);
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(DumpYearFile(backups[0]), before);
}

// The previous year is only read: a read-only file serves (opened read-only), while the year written to
// must be writable.
TEST_F(CarryForwardTest, AReadOnlyPreviousYearIsCarriedFromAndAReadOnlyYearIsNotWritten) {
  MakeYears({Account("101", "现金", 1), Posting("101", 1, 10)});
  ::chmod(source.c_str(), 0444);
  platform.files[source] = {true, false, false, true, false};
  Login();
  EXPECT_TRUE(Run(true, true)) << platform.LastText();
  EXPECT_EQ(Openings(), "101,1,10,0,20030101,  上 年  结  转,0,01,4;");
  env.Close();
  platform.files[current] = {true, false, false, true, false};
  EXPECT_FALSE(env.Open(current, "101", 1));
  EXPECT_EQ(platform.LastText(), "Tavrel帐务数据文件不能是只读文件！");
}

}  // namespace

namespace {

// Income and expense balances left at the previous year's end are told about before anything is carried:
// 是 closes them there first (the year's profit then comes over in 本年利润), 否 carries them as they are,
// 取消 carries nothing.
TEST_F(CarryForwardTest, OpenProfitAndLossIsClosedFirstCarriedOrLeft) {
  const struct {
    MsgAnswer answer;
    bool carried;
    std::string openings;
  } cases[] = {
      {MsgAnswer::Yes, true, "1002,1,500;4103,-1,500;"},
      {MsgAnswer::No, true, "1002,1,500;6001,-1,500;"},
      {MsgAnswer::Cancel, false, ""},
  };
  int n = 0;
  for (const auto& c : cases) {
    env.Close();
    std::string folder = dir.Path() + "/set" + std::to_string(++n);
    MakeFolders(folder);
    source = CreateAccountSetFile(folder, 2002);
    {
      CVyDataEnv old;
      ASSERT_TRUE(old.Open(source, "101", 1));
      ASSERT_EQ(LoadChart(old, "project"), "");
      old.Execute(Posting("1002", 1, 500));
      old.Execute(Posting("6001", -1, 500));
      current = CreateNextYearFile(old, 2003);
    }
    Login();
    platform.messages.clear();
    platform.answers = {MsgAnswer::Yes, c.answer, MsgAnswer::Yes};
    CCarryForwardDlg dlg(env);
    ASSERT_TRUE(dlg.OnInitDialog());
    dlg.OnItemToggled(CCarryForwardDlg::kBalances, true);
    dlg.OnOk();
    EXPECT_EQ(dlg.completed, c.carried);
    ASSERT_GE(platform.messages.size(), 2u);
    EXPECT_NE(platform.messages[1].text.find("6001 项目收入 贷 500.00"), std::string::npos) << platform.messages[1].text;
    EXPECT_EQ(QueryRows(env, "select trim(kno),f,my from p0 where rn=0 order by kno"), c.openings);
  }
}

}  // namespace
