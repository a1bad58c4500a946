#include <gtest/gtest.h>
#include <sys/stat.h>

#include "admin/copy_info_dlg.h"
#include "admin/copy_source_dlg.h"
#include "calc/calc_variables.h"
#include "data/page_settings.h"
#include "io/backup.h"
#include "support/file_dump.h"
#include "support/year_file_fixture.h"

namespace {

class CopyInfoTest : public YearFileTest {
 protected:
  void SetUp() override {
    MakeFolders(dir.File("jia"));
    MakeFolders(dir.File("yi"));
    current = CreateAccountSetFile(dir.File("jia"), 2003);
    source = CreateAccountSetFile(dir.File("yi"), 2003);
    Exec(source, "update systab set na='乙单位'");
    for (const char* s :
         {"insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('101','现金',1,'1','2','USD','1',1,4)",
          "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('101-1','零用',2,'0','1','元','0',1,4)",
          "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('102','银行',1,'0','0',NULL,'0',0,0)"})
      Exec(source, s);
    Exec(current,
         "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('9','旧科目',1,'1','2','USD','1',0,0)");
  }
  void Login() { ASSERT_TRUE(env.Open(current, "101", 1)); }
  void AddVariables(const std::string& path, std::vector<std::string> names) {
    Exec(path, "CREATE TABLE VYVAR(SVAR CHAR(10),SEXP CHAR(100),SNOTE CHAR(40),NTYPE LONG)");
    for (auto& n : names)
      Exec(path, "INSERT INTO VYVAR(SVAR,SEXP,SNOTE,NTYPE) VALUES('" + n + "','1+2','',0)");
  }
  // The dialog after 选帐套 chose the source.
  CCopyInfoDlg& Chosen() {
    dlg = std::make_unique<CCopyInfoDlg>(env);
    dlg->OnInitDialog();
    dlg->OnSourceChosen(source, "乙单位");
    return *dlg;
  }
  std::string Rows(const std::string& sql) { return QueryRows(env, sql); }

  std::string current, source;
  CVyDataEnv env;
  std::unique_ptr<CCopyInfoDlg> dlg;
};

TEST_F(CopyInfoTest, TheSourceFileMustBeAnotherYearFile) {
  Login();
  WriteText(dir.File("yi/notes.txt"), "x");
  WriteText(dir.File("yi/2001.vyx"), "not a year file");
  CCopyZwData chooser(env);
  EXPECT_EQ(chooser.InitialName(), "2003");
  struct Case {
    std::string typed;
    bool ok;
    std::string message;
  } cases[] = {
      {current, false, "不能把自己拷贝到自己，请重新选择！"},
      {dir.File("jia/2003"), false, "不能把自己拷贝到自己，请重新选择！"},
      {dir.File("yi/2002.vyx"), false, "文件“" + dir.File("yi/2002.vyx") + "”不存在，请重新选择！"},
      {dir.File("yi/notes.txt"), false, ""},
      {dir.File("yi/2001.vyx"), false, ""},
      {dir.File("yi/2003."), true, ""},
      {dir.File("yi/2003.VYX"), true, ""},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.typed);
    platform.messages.clear();
    EXPECT_EQ(chooser.OnOk(c.typed), c.ok);
    EXPECT_EQ(platform.LastText(), c.message);
  }
  EXPECT_EQ(chooser.chosenPath, source);
  EXPECT_EQ(chooser.unitName, "乙单位");
}

TEST_F(CopyInfoTest, ChoicesAreOfferedOnlyForWhatTheFilesAllow) {
  struct Case {
    const char* name;
    bool postings, variables, emptyVariables;
    bool accounts, vars, pages;
  } cases[] = {
      {"plain", false, false, false, true, false, true},
      {"postings in the year", true, false, false, false, false, true},
      {"source with variables", false, true, false, true, true, true},
      {"source with an empty table", false, false, true, true, false, true},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    env.Close();
    std::remove(current.c_str());
    std::remove(source.c_str());
    SetUp();
    if (c.postings)
      Exec(current,
           "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20030105','0',1,'x','9',1,1,0,'4','01')");
    if (c.variables) AddVariables(source, {"a"});
    if (c.emptyVariables) AddVariables(source, {});
    Login();
    CCopyInfoDlg& d = Chosen();
    EXPECT_EQ(d.enabled[CCopyInfoDlg::kAccounts], c.accounts);
    EXPECT_EQ(d.enabled[CCopyInfoDlg::kVariables], c.vars);
    EXPECT_EQ(d.enabled[CCopyInfoDlg::kPages], c.pages);
    EXPECT_FALSE(d.enabled[CCopyInfoDlg::kTemplates] || d.enabled[CCopyInfoDlg::kVoucherKinds]);
    EXPECT_FALSE(d.okEnabled);
    d.OnItemToggled(CCopyInfoDlg::kPages, true);
    EXPECT_TRUE(d.okEnabled);
    d.OnItemToggled(CCopyInfoDlg::kPages, false);
    EXPECT_FALSE(d.OnOk());
    EXPECT_EQ(platform.LastText(), "没有选择拷贝信息！");
  }
}

TEST_F(CopyInfoTest, TheCopyReplacesChartVariablesAndFormsZeroToEight) {
  AddVariables(source, {"a", "b"});
  AddVariables(current, {"old"});
  {
    jet::Database src, cur;
    src.Open(source);
    cur.Open(current);
    for (int form = 0; form <= 9; ++form) {
      PageSettings ps;
      LoadPageSettings(src, ps, form, "0");
      ps.PageRow = 40 + form;
      SavePageSettings(src, ps, form, "0");
    }
  }
  Login();
  CCopyInfoDlg& d = Chosen();
  for (int item : {CCopyInfoDlg::kAccounts, CCopyInfoDlg::kVariables, CCopyInfoDlg::kPages})
    d.OnItemToggled(item, true);
  std::vector<int> seen;
  d.onChange = [&] { seen.push_back(d.Percent()); };
  EXPECT_TRUE(d.OnOk());
  EXPECT_TRUE(d.completed);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_EQ(d.PercentText(), "100％");
  std::vector<std::string> backups = YearBackups(dir.File("jia"), 2003);
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(platform.LastText(), "拷贝结束 ！\r\r拷贝前的数据已备份到：\r" + backups[0]);
  EXPECT_EQ(platform.messages.back().icon, MsgIcon::Information);

  // Codes, names and levels only: every attribute is gone, and so is the old chart.
  EXPECT_EQ(Rows("select trim(kno),trim(na),clas,op,fz,fzn,dl,dlf,dlw from subt order by kno"),
            "101,现金,1,0,0,,0,0,0;101-1,零用,2,0,0,,0,0,0;102,银行,1,0,0,,0,0,0;");
  EXPECT_EQ(Rows("select count(*) from subt where fzn is null"), "3;");
  EXPECT_EQ(Rows("select rtrim(svar) from vyvar order by svar"), "a;b;");
  for (int form = 0; form <= 9; ++form) {
    PageSettings ps;
    LoadPageSettings(*env.Db(), ps, form, "0");
    EXPECT_EQ(ps.PageRow, form <= 8 ? 40 + form : 25) << form;
  }
}

TEST_F(CopyInfoTest, VariablesReachAYearThatHadNone) {
  AddVariables(source, {"a"});
  Login();
  CCopyInfoDlg& d = Chosen();
  d.OnItemToggled(CCopyInfoDlg::kVariables, true);
  EXPECT_TRUE(d.OnOk());
  EXPECT_EQ(Rows("select rtrim(svar),rtrim(sexp) from vyvar"), "a,1+2;");
  EXPECT_EQ(Rows("select trim(kno) from subt"), "9;");  // the chart was not asked for
}

TEST_F(CopyInfoTest, AFailureHalfWayLeavesTheYearAsItWasAndTheBackupBehind) {
  AddVariables(source, {"a"});
  InjectFailure(current, "SUBT", "101-1");
  std::string before = DumpYearFile(current);
  Login();
  CCopyInfoDlg& d = Chosen();
  for (int item : {CCopyInfoDlg::kAccounts, CCopyInfoDlg::kVariables, CCopyInfoDlg::kPages})
    d.OnItemToggled(item, true);
  EXPECT_TRUE(d.OnOk());
  EXPECT_FALSE(d.completed);
  std::vector<std::string> texts = platform.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "disk full");
  env.Close();
  EXPECT_EQ(DumpYearFile(current), before);
  std::vector<std::string> backups = YearBackups(dir.File("jia"), 2003);
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(DumpYearFile(backups[0]), before);
}

TEST_F(CopyInfoTest, AReadOnlySourceIsChosenAndCopiedFrom) {
  Login();
  ::chmod(source.c_str(), 0444);
  platform.files[source] = {true, false, false, true, false};
  CCopyZwData chooser(env);
  ASSERT_TRUE(chooser.OnOk(source)) << platform.LastText();
  EXPECT_EQ(chooser.unitName, "乙单位");
  CCopyInfoDlg& d = Chosen();
  d.OnItemToggled(CCopyInfoDlg::kAccounts, true);
  platform.answers = {MsgAnswer::Yes};
  d.OnOk();
  EXPECT_TRUE(d.completed) << platform.LastText();
  EXPECT_EQ(Rows("select count(*) from subt"), "3;");
}

}  // namespace
