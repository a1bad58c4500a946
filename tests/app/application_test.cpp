#include "app/application.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/rights_table.h"
#include "data/db_error.h"
#include "support/scripted_face.h"
#include "support/year_file_fixture.h"

namespace {

class ScriptedLogin : public ScriptedFace<CHobdFileDlg> {
 public:
  std::function<bool(CHobdFileDlg&)> act = [](CHobdFileDlg& d) { return d.OnOk(); };
  int runs = 0;
  std::vector<std::string>* calls = nullptr;  // where the host records its steps
  bool Run(CHobdFileDlg& dialog) override {
    ++runs;
    if (calls) calls->push_back("login");
    dialog.OnInitDialog();
    return act(dialog);
  }
};

class RecordingHost : public AppHost {
 public:
  void CreateMainFrame() override { calls.push_back("frame"); }
  void ShowMaximized() override { calls.push_back("maximised"); }
  void ShowLoginState() override { calls.push_back("state"); }
  std::vector<std::string> calls;
  ScriptedLogin login;
  RecordingHost() { login.calls = &calls; }
};

class NoView : public ViewCommandTarget {
 public:
  bool TakesCommand(int id) const override { return id == 3001; }
  bool RunCommand(int) override { return true; }
};

int ItemOf(const CHobdFileDlg& d, const std::string& opno) {
  for (size_t i = 0; i < d.operatorItems.size(); ++i)
    if (d.operatorItems[i].substr(0, 3) == opno) return static_cast<int>(i);
  return -1;
}

std::vector<int> DataCommands() {
  std::vector<int> ids;
  for (const CommandInfo& c : Commands())
    if (*c.right) ids.push_back(c.id);
  return ids;
}

}  // namespace

using AppTest = YearFileTest;

TEST_F(AppTest, ProductData) {
  CQirnApp app;
  EXPECT_EQ(app.productKind, 3);
  EXPECT_EQ(app.version, "1.0");
  EXPECT_EQ(app.extension, "VYX");
  EXPECT_EQ(app.typeText, "Tavrel项目核算数据文件");
  EXPECT_EQ(app.docTypeName, "Qirn");
  EXPECT_EQ(app.shortCode, "XM");
  EXPECT_EQ(app.AboutText(), "Tavrel项目核算软件(1.0 版)");
  EXPECT_EQ(app.MainTitle(), "Tavrel项目核算软件");
  EXPECT_EQ(&App(), &app);
}

TEST_F(AppTest, EnablingFollowsRightsAndOpenWindows) {
  CQirnApp app;
  for (int id : DataCommands()) app.SetBuilt(id, true);
  app.SetBuilt(cmd::kPassword, true);
  app.SetBuilt(cmd::kCalculator, true);
  WindowState none, oneChild{1, nullptr};

  // An operator without rights: every guarded command is off; the login, password, calculator, window and
  // help commands stay on.
  app.env.rights = "";
  for (int id : DataCommands()) EXPECT_FALSE(app.IsEnabled(id, none)) << id;
  for (int id : {cmd::kLogin, cmd::kPassword, cmd::kCalculator, cmd::kCascade, cmd::kTile, cmd::kArrangeIcons,
                 cmd::kHelpTopics, cmd::kAbout, cmd::kExit, cmd::kToolBar})
    EXPECT_TRUE(app.IsEnabled(id, none)) << id;

  // Each right enables exactly the commands that carry it, alone or among the alternatives of one.
  for (const RightInfo& r : RightsTable()) {
    app.env.rights = std::string(r.code) + " ";
    auto carries = [&](const CommandInfo& c) {
      const std::string right = "|" + std::string(c.right) + "|";
      return right.find("|" + std::string(r.code) + "|") != std::string::npos;
    };
    for (int id : DataCommands())
      EXPECT_EQ(app.IsEnabled(id, none), carries(*FindCommand(id))) << r.code << " " << id;
    // A command grey for want of its right says which right, by the name the operators' dialog uses.
    for (int id : DataCommands()) {
      const CommandInfo& c = *FindCommand(id);
      std::string expected;
      for (const RightInfo& other : RightsTable())
        if (c.right == std::string(other.code) && c.right != std::string(r.code))
          expected = std::string("当前操作员无此权限（") + other.name + "）";
      if (std::string(c.right).find('|') != std::string::npos && !carries(c))
        expected = "当前操作员无此权限（" + RightNames(c.right) + "）";
      EXPECT_EQ(app.MissingRightText(c), expected) << r.code << " " << id;
    }
  }
  EXPECT_EQ(app.MissingRightText(*FindCommand(cmd::kCalculator)), "");

  // With a child window open, 帐务管理 and 操作环境注册 are off even with 0101; the others are not.
  app.env.rights = "0101 0201 0301 ";
  for (int id : {40030, 40031, 40032, 40033, 40029, 40034}) {
    EXPECT_TRUE(app.IsEnabled(id, none)) << id;
    EXPECT_FALSE(app.IsEnabled(id, oneChild)) << id;
  }
  EXPECT_FALSE(app.IsEnabled(cmd::kLogin, oneChild));
  EXPECT_TRUE(app.IsEnabled(32771, oneChild));
  EXPECT_TRUE(app.IsEnabled(32779, oneChild));
  EXPECT_TRUE(app.IsEnabled(cmd::kWindowNew, oneChild));
  EXPECT_FALSE(app.IsEnabled(cmd::kWindowNew, none));

  // View commands follow the active view; a command not built stays off whatever the rights.
  NoView view;
  EXPECT_TRUE(app.IsEnabled(cmd::kSave, {1, &view}));
  EXPECT_FALSE(app.IsEnabled(cmd::kPrint, {1, &view}));
  EXPECT_FALSE(app.IsEnabled(cmd::kSave, oneChild));
  app.SetBuilt(32771, false);
  EXPECT_FALSE(app.IsEnabled(32771, none));
  EXPECT_FALSE(app.HasRight(""));
}

TEST_F(AppTest, StartsWithTheFileOfTheCommandLine) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  CQirnApp app;
  RecordingHost host;
  host.login.act = [](CHobdFileDlg& d) {
    d.selectedOperator = ItemOf(d, "101");
    return d.OnOk();
  };
  ASSERT_TRUE(app.InitInstance({path}, host));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"frame", "maximised", "login", "state"}));
  EXPECT_EQ(app.Templates().size(), 14u);
  EXPECT_STREQ(app.Templates()[1]->frameClass, "CQirnpzFrm2");
  EXPECT_EQ(app.MainTitle(), "Tavrel项目核算软件：××单位(" + path + ")");
  EXPECT_EQ(app.OperatorPaneText(), "操作：101,管理员");
  EXPECT_TRUE(app.HasRight("0101"));
  EXPECT_FALSE(app.HasRight("0201"));

  app.ExitInstance();
  EXPECT_FALSE(app.env.IsOpen());
  EXPECT_TRUE(app.Templates().empty());
}

TEST_F(AppTest, OtherRequestsAndFailedLoginsEndTheProgram) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  for (auto args : std::vector<std::vector<std::string>>{{"-p", path}, {"--print"}, {path, path}}) {
    CQirnApp app;
    RecordingHost host;
    EXPECT_FALSE(app.InitInstance(args, host));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"frame"}));
    EXPECT_EQ(host.login.runs, 0);
  }
  // Cancelled: no status, no title, the program ends.
  CQirnApp app;
  RecordingHost host;
  host.login.act = [](CHobdFileDlg&) { return false; };
  EXPECT_FALSE(app.InitInstance({path}, host));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"frame", "maximised", "login"}));
  EXPECT_FALSE(app.env.IsOpen());
  // A file that does not open ends it before the dialog shows.
  RecordingHost missing;
  EXPECT_FALSE(app.InitInstance({dir.File("2030.vyx")}, missing));
  EXPECT_EQ(missing.login.runs, 0);
  EXPECT_EQ(platform.LastText(), "该文件不存在！");
}

TEST_F(AppTest, StartsWithTheRememberedFileWhenNoneIsNamed) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  platform.settings = {{"DataDir", path}, {"Opno", "101"}};
  CQirnApp app;
  RecordingHost host;
  ASSERT_TRUE(app.InitInstance({}, host));
  EXPECT_EQ(app.env.opno, "101");
  EXPECT_EQ(app.env.dataFile, path);
}

TEST_F(AppTest, ReloginChangesOperatorOrGoesBackWhenCancelled) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  CQirnApp app;
  ASSERT_TRUE(app.env.Open(path, "101", 1));
  app.env.LoadRights();
  ScriptedLogin login;
  login.act = [](CHobdFileDlg& d) {
    EXPECT_EQ(d.ChosenOpno(), "101");  // the current operator is preselected
    d.selectedOperator = ItemOf(d, "102");
    return d.OnOk();
  };
  ASSERT_TRUE(app.Relogin());
  EXPECT_EQ(app.OperatorPaneText(), "操作：102,×××");
  EXPECT_TRUE(app.HasRight("0201"));

  // Cancelled: the previous file and operator come back without a password.
  Exec(path, "update opr set psd='x' where opno='102'");
  login.act = [](CHobdFileDlg&) { return false; };
  ASSERT_TRUE(app.Relogin());
  EXPECT_EQ(app.env.opno, "102");
  EXPECT_TRUE(app.env.IsOpen());
}

TEST_F(AppTest, ADatabaseErrorEndsOnlyTheCommand) {
  std::string path = CreateAccountSetFile(dir.Path(), 2026);
  CQirnApp app;
  ASSERT_TRUE(app.env.Open(path, "101", 1));
  bool after = false;
  EXPECT_FALSE(app.RunCommand([&] {
    app.env.Execute("delete from nosuchtable");
    after = true;
  }));
  EXPECT_FALSE(after);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("nosuchtable"), std::string::npos) << platform.messages[0].text;
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
  EXPECT_TRUE(app.env.IsOpen());
  EXPECT_EQ(app.env.QueryLong("select count(*) from opr"), 2);
  EXPECT_FALSE(app.RunCommand([] { throw jet::DbError(""); }));
  EXPECT_EQ(platform.LastText(), "命令失败。");
  EXPECT_TRUE(app.RunCommand([] {}));
}
