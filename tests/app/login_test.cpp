#include "app/login_rules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/text.h"
#include "support/scripted_face.h"
#include "support/year_file_fixture.h"

namespace {

// Plays the user in front of the login dialog.
class ScriptedRunner : public ScriptedFace<CHobdFileDlg> {
 public:
  std::function<bool(CHobdFileDlg&)> act;
  std::string seenFile, seenOpno;
  bool Run(CHobdFileDlg& dialog) override {
    dialog.OnInitDialog();
    seenFile = dialog.fileName;
    seenOpno = dialog.ChosenOpno();
    return act(dialog);
  }
};

int ItemOf(const CHobdFileDlg& d, const std::string& opno) {
  for (size_t i = 0; i < d.operatorItems.size(); ++i)
    if (d.operatorItems[i].substr(0, 3) == opno) return static_cast<int>(i);
  return -1;
}

}  // namespace

using LoginDialog = YearFileTest;

TEST_F(LoginDialog, ProbesTheChosenFileAndListsItsOperators) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  WriteText(dir.File("abc.vyx"), "");
  CHobdFileDlg d("", "101");
  EXPECT_EQ(CHobdFileDlg::Title(), "打开Tavrel项目核算数据文件");
  d.OnInitDialog();
  EXPECT_EQ(d.dateText, "2026 年 12 月 7 日");
  EXPECT_FALSE(d.okEnabled || d.operatorEnabled || d.passwordEnabled);

  d.OnFileChanged(path);
  EXPECT_TRUE(d.okEnabled && d.operatorEnabled && d.passwordEnabled);
  EXPECT_EQ(d.focus, CHobdFileDlg::Focus::Password);
  EXPECT_EQ(d.unitName, "××单位");
  EXPECT_EQ(d.yearText, "2026");
  EXPECT_EQ(d.operatorItems, (std::vector<std::string>{"101  管理员", "102  ×××"}));
  EXPECT_EQ(d.ChosenOpno(), "101");

  // An invalid choice puts the previous file back, silently.
  d.OnFileChanged(dir.File("abc.vyx"));
  EXPECT_EQ(d.fileName, path);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoginDialog, OkChecksTheOperatorAndThePassword) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  Exec(path, "update opr set psd=' 口令 ' where opno='102'");
  CHobdFileDlg d(path, "");
  d.OnInitDialog();
  d.selectedOperator = -1;
  EXPECT_FALSE(d.OnOk());
  EXPECT_EQ(platform.LastText(), "没有选择操作员！");

  d.selectedOperator = ItemOf(d, "102");
  d.password = "口令 ";  // blanks are not part of the stored password
  EXPECT_FALSE(d.OnOk());
  EXPECT_EQ(platform.LastText(), "操作员口今不正确！");
  EXPECT_EQ(d.focus, CHobdFileDlg::Focus::Password);
  d.password = "口令";
  EXPECT_TRUE(d.OnOk());

  d.selectedOperator = ItemOf(d, "101");  // no password: an empty box
  d.password = "";
  EXPECT_TRUE(d.OnOk());
}

TEST_F(LoginDialog, StartWithAFileLogsInAndRemembersIt) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  Exec(path, "DROP TABLE SYSCSTAB");
  ScriptedRunner runner;
  runner.act = [](CHobdFileDlg& d) {
    d.selectedOperator = ItemOf(d, "101");
    return d.OnOk();
  };
  CVyDataEnv env;
  ASSERT_TRUE(Login(env, dir.File("2026")));
  EXPECT_EQ(runner.seenFile, path);
  EXPECT_EQ(runner.seenOpno, "102");  // the default operator is preselected
  EXPECT_EQ(env.opno, "101");
  EXPECT_EQ(env.rights, "0101 ");
  EXPECT_TRUE(env.Db()->HasTable("SYSCSTAB"));
  EXPECT_EQ(platform.settingWrites, (std::vector<std::string>{"DataDir", "Opno"}));
  EXPECT_EQ(platform.settings["DataDir"], path);
  EXPECT_EQ(platform.settings["Opno"], "101");
}

TEST_F(LoginDialog, StartWithoutAFileUsesTheRememberedOnes) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  platform.settings = {{"DataDir", path}, {"Opno", "101"}};
  ScriptedRunner runner;
  runner.act = [](CHobdFileDlg& d) { return d.OnOk(); };
  CVyDataEnv env;
  ASSERT_TRUE(Login(env, ""));
  EXPECT_EQ(runner.seenFile, path);
  EXPECT_EQ(runner.seenOpno, "101");

  // Nothing remembered, and the user cancels: the login fails.
  platform.settings.clear();
  ScriptedRunner cancel;
  cancel.act = [](CHobdFileDlg&) { return false; };
  CVyDataEnv fresh;
  EXPECT_FALSE(Login(fresh, ""));
  EXPECT_EQ(cancel.seenFile, "");
  // A file named on the command line that cannot be opened ends the login with its message.
  EXPECT_FALSE(Login(fresh, dir.File("1989.vyx")));
  EXPECT_EQ(platform.LastText(), "该文件不存在！");
}

TEST_F(LoginDialog, CancellingALoginWhileLoggedInReopensThePreviousFile) {
  std::string first = CreateAccountSetFile(dir.Path(), 2026);
  Exec(first, "update opr set psd='x' where opno='101'");
  CVyDataEnv env;
  ScriptedRunner pick;
  pick.act = [](CHobdFileDlg& d) {
    d.selectedOperator = ItemOf(d, "101");
    d.password = "x";
    return d.OnOk();
  };
  ASSERT_TRUE(Login(env, first));
  ScriptedRunner cancel;
  cancel.act = [](CHobdFileDlg&) { return false; };
  ASSERT_TRUE(Login(env, ""));  // no password asked again
  EXPECT_EQ(cancel.seenFile, first);
  EXPECT_EQ(cancel.seenOpno, "101");
  EXPECT_TRUE(env.IsOpen());
  EXPECT_EQ(env.opno, "101");
  EXPECT_EQ(env.rights, "0101 ");
}

TEST_F(LoginDialog, PreselectsTheLastOperatorElseTheFirstWhoKeepsTheBooks) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  Exec(path, "insert into opr(opno,na,psd) values('103','张三','')");
  Exec(path, "insert into pwr(opno,pwr) values('103','0301')");
  struct Case {
    const char* initial;
    std::vector<const char*> changes;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"", {}, "102"},                                           // a new set: not 101, who only administers
      {"101", {}, "101"},                                        // the operator of before
      {"109", {}, "102"},                                        // of before, but not in this file
      {"", {"delete from pwr where opno='102'"}, "103"},         // 102 without rights
      {"", {"delete from pwr where opno<>'101'"}, ""},           // nobody keeps the books
  };
  for (const Case& c : cases) {
    std::string file = dir.File(Format("case%zu", &c - cases.data()));
    std::filesystem::create_directories(file);
    std::string copy = CreateAccountSetFile(file, 2026);
    Exec(copy, "insert into opr(opno,na,psd) values('103','张三','')");
    Exec(copy, "insert into pwr(opno,pwr) values('103','0301')");
    for (const char* sql : c.changes) Exec(copy, sql);
    CHobdFileDlg d("", c.initial);
    d.OnInitDialog();
    d.OnFileChanged(copy);
    EXPECT_EQ(d.ChosenOpno(), c.expected) << c.initial << " " << (c.changes.empty() ? "" : c.changes[0]);
  }

  // The remembered file is gone; the remembered operator is still chosen in the file the user picks.
  platform.settings = {{"DataDir", dir.File("gone/2026.vyx")}, {"Opno", "103"}};
  ScriptedRunner runner;
  std::string chosen;
  runner.act = [&](CHobdFileDlg& d) {
    d.OnFileChanged(path);
    chosen = d.ChosenOpno();
    return d.OnOk();
  };
  CVyDataEnv env;
  ASSERT_TRUE(Login(env, ""));
  EXPECT_EQ(chosen, "103");
  EXPECT_EQ(env.rights, "0301 ");
}
