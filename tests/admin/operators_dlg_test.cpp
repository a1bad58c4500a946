#include "admin/operators_dlg.h"

#include <gtest/gtest.h>

#include <deque>

#include "app/rights_table.h"
#include "support/scripted_face.h"
#include "support/year_file_fixture.h"

namespace {

using Mode = COperatorDlg::Mode;
using Focus = COperatorDlg::Focus;

class OperatorsDlgTest : public YearFileTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    ASSERT_TRUE(env.Open(path, "101", 1));
  }
  long Count(const std::string& sql) { return env.QueryLong(sql); }
  std::vector<bool> Ticks(const COperatorsDlg& dlg) {
    std::vector<bool> t;
    for (auto& r : dlg.rights) t.push_back(r.ticked);
    return t;
  }
  std::string path;
  CVyDataEnv env;
};

// Plays the operator dialog: each entry types a code and a name and presses OK until the dialog closes;
// when the entries run out the dialog is cancelled.
class ScriptedOperatorDialog : public ScriptedFace<COperatorDlg> {
 public:
  bool Run(COperatorDlg& dialog) override {
    // The window behind as it stands when the dialog opens: "selected code/operators listed".
    if (behind)
      changes.push_back(behind->SelectedCode() + "/" + std::to_string(behind->operatorItems.size()));
    seen.push_back(dialog.Caption() + "|" + dialog.code + "|" + dialog.name +
                   (dialog.codeEnabled ? "" : "|fixed"));
    while (!entries.empty()) {
      auto [code, name] = entries.front();
      entries.pop_front();
      if (!code.empty()) dialog.code = code;
      dialog.name = name;
      if (dialog.OnOk()) return true;
    }
    return false;
  }
  std::deque<std::pair<std::string, std::string>> entries;
  std::vector<std::string> seen;
  const COperatorsDlg* behind = nullptr;
  std::vector<std::string> changes;
};

TEST_F(OperatorsDlgTest, ANewAccountSetListsBothOperatorsAndTheRightsOfTheSecond) {
  COperatorsDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(dlg.operatorItems, (std::vector<std::string>{"101        管理员", "102        ×××"}));
  EXPECT_EQ(dlg.selectedOperator, 1);
  EXPECT_EQ(dlg.rightsOf, "102");
  ASSERT_EQ(dlg.rights.size(), RightsTable().size());
  EXPECT_EQ(dlg.rights[0].name, "帐务管理");
  EXPECT_EQ(dlg.rights[17].code, "0406");
  for (auto& r : dlg.rights) {
    EXPECT_EQ(r.ticked, r.code != "0101") << r.code;
    EXPECT_EQ(r.changeable, r.code != "0101") << r.code;
  }
  EXPECT_EQ(dlg.hint, "修改:双击或回车. 删除:<Delete>");
  EXPECT_TRUE(dlg.addEnabled);
  EXPECT_EQ(dlg.arrowPicture, 121);

  dlg.OnOperatorSelected(0);
  EXPECT_EQ(dlg.rightsOf, "101");
  for (auto& r : dlg.rights) {
    EXPECT_EQ(r.ticked, r.code == "0101") << r.code;
    EXPECT_FALSE(r.changeable) << r.code;
  }

  dlg.OnFocus(COperatorsDlg::Focus::RightsList);
  EXPECT_EQ(dlg.hint, "     单击小方框收授权限");
  EXPECT_FALSE(dlg.addEnabled);
  EXPECT_EQ(dlg.arrowPicture, 120);
}

TEST_F(OperatorsDlgTest, TheAdministratorAloneIsSelectedAndItsRightsShown) {
  env.Execute("delete from opr where opno='102'");
  COperatorsDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(dlg.selectedOperator, 0);
  EXPECT_EQ(dlg.rightsOf, "101");
}

TEST_F(OperatorsDlgTest, TogglingARightWritesItAtOnceAndLockedRightsStay) {
  env.Execute("insert into pwr(opno,pwr) values('102','0101')");  // granted behind the dialog's back
  env.Execute("insert into pwr(opno,pwr) values('102','0301')");  // twice
  COperatorsDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_TRUE(dlg.rights[0].ticked);
  EXPECT_TRUE(dlg.rights[5].ticked);  // 0301: held however many rows grant it

  dlg.OnRightToggled(0);  // 帐务管理 never changes here
  EXPECT_EQ(Count("select count(*) from pwr where opno='102' and pwr='0101'"), 1);
  dlg.OnRightToggled(1);  // 0201 off
  EXPECT_FALSE(dlg.rights[1].ticked);
  EXPECT_EQ(Count("select count(*) from pwr where opno='102' and pwr='0201'"), 0);
  dlg.OnRightToggled(1);  // and on again
  EXPECT_TRUE(dlg.rights[1].ticked);
  EXPECT_EQ(Count("select count(*) from pwr where opno='102' and pwr='0201'"), 1);
  dlg.OnRightToggled(5);  // clearing removes every row of the right
  EXPECT_EQ(Count("select count(*) from pwr where opno='102' and pwr='0301'"), 0);

  dlg.OnOperatorSelected(0);
  dlg.OnRightToggled(1);  // nothing of 101 changes
  EXPECT_EQ(Count("select count(*) from pwr where opno='101'"), 1);
  EXPECT_TRUE(platform.messages.empty());

  dlg.selectedOperator = -1;
  dlg.OnRightToggled(1);
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"没有选择操作员，不能操作权限！"});
}

TEST_F(OperatorsDlgTest, DeleteRefusesNothingSelectedAndTheAdministratorAndSelectsTheOneBefore) {
  env.Execute("insert into opr(opno,na,psd) values('103','张三','')");
  env.Execute("insert into pwr(opno,pwr) values('103','0201')");
  COperatorsDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());

  dlg.selectedOperator = -1;
  dlg.OnDeleteKey();
  dlg.OnOperatorSelected(0);
  dlg.OnDeleteKey();
  EXPECT_EQ(platform.Texts(),
            (std::vector<std::string>{"对不起，没有选择删除对象！", "不允许删除代码为101的操作员！"}));
  EXPECT_EQ(dlg.operatorItems.size(), 3u);

  platform.messages.clear();
  dlg.OnOperatorSelected(2);
  dlg.OnDeleteKey();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Count("select count(*) from opr where opno='103'"), 0);
  EXPECT_EQ(Count("select count(*) from pwr where opno='103'"), 0);
  EXPECT_EQ(dlg.operatorItems.size(), 2u);
  EXPECT_EQ(dlg.selectedOperator, 1);
  EXPECT_EQ(dlg.rightsOf, "102");
}

TEST_F(OperatorsDlgTest, TheOperatorDialogChecksInOrderWithItsMessagesAndFocus) {
  struct Case {
    const char *code, *name;
    const char* message;
    Focus focus;
    const char* nameAfter;
  } cases[] = {
      {"12", "张三", "代码不合法，请重输！", Focus::Code, "张三"},
      {"101", "张三", "代码不合法，请重输！", Focus::Code, "张三"},
      {"099", "张三", "代码不合法，请重输！", Focus::Code, "张三"},
      {"1a3", "张三", "代码不合法，请重输！", Focus::Code, "张三"},
      {"103", "   ", "姓名不能为空，请重输！", Focus::Name, ""},
      {"103", " a'b ", "操作员姓名中输入了无效字符，请重输！", Focus::Name, ""},
      {"103", "a|b", "操作员姓名中输入了无效字符，请重输！", Focus::Name, ""},
      {"102", "张三", "该代码已存在，请重输！", Focus::Code, "张三"},
  };
  for (auto& c : cases) {
    platform.messages.clear();
    COperatorDlg dlg(env, Mode::Add);
    EXPECT_EQ(dlg.Caption(), "增加操作员...");
    dlg.code = c.code;
    dlg.name = c.name;
    EXPECT_FALSE(dlg.OnOk()) << c.code << c.name;
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{c.message}) << c.code << c.name;
    EXPECT_EQ(dlg.focus, c.focus) << c.message;
    EXPECT_EQ(dlg.name, c.nameAfter);
  }
  EXPECT_EQ(Count("select count(*) from opr"), 2);

  platform.messages.clear();
  COperatorDlg dlg(env, Mode::Add);
  dlg.code = "103";
  dlg.name = " 縷觸 ";  // their second bytes are "|": not a refused character
  ASSERT_TRUE(dlg.OnOk());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Count("select count(*) from opr where opno='103' and na='縷觸' and psd=''"), 1);
  EXPECT_EQ(Count("select count(*) from pwr where opno='103' and pwr is null"), 1);
}

TEST_F(OperatorsDlgTest, ModifyingRenamesAndRecodesTheOperatorWithItsRights) {
  COperatorDlg admin(env, Mode::Modify, "101", "管理员");
  EXPECT_EQ(admin.Caption(), "修改操作员...");
  EXPECT_FALSE(admin.codeEnabled);
  EXPECT_EQ(admin.focus, Focus::Name);

  struct Case {
    const char* code;
    const char* message;
  } refused[] = {
      {"103", "该代码已存在，请重输！"}, {"101", "代码不合法，请重输！"}, {"100", "代码不合法，请重输！"}};
  env.Execute("insert into opr(opno,na,psd) values('103','张三','')");
  for (auto& c : refused) {
    platform.messages.clear();
    COperatorDlg dlg(env, Mode::Modify, "102", "×××");
    EXPECT_TRUE(dlg.codeEnabled);
    dlg.code = c.code;
    EXPECT_FALSE(dlg.OnOk());
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{c.message});
  }

  COperatorDlg keep(env, Mode::Modify, "102", "×××");
  keep.name = "王五";
  ASSERT_TRUE(keep.OnOk());  // the same code is no clash
  COperatorDlg recode(env, Mode::Modify, "102", "王五");
  recode.code = "105";
  ASSERT_TRUE(recode.OnOk());
  EXPECT_EQ(Count("select count(*) from opr where opno='105' and na='王五'"), 1);
  EXPECT_EQ(Count("select count(*) from pwr where opno='105'"), 17);
  EXPECT_EQ(Count("select count(*) from pwr where opno='102'"), 0);
}

TEST_F(OperatorsDlgTest, TheListsFollowModifyAndAddAndTheLoginFollowsItsOwnName) {
  COperatorsDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  ScriptedOperatorDialog runner;

  runner.entries = {{"", "主管"}};
  dlg.OnOperatorSelected(0);
  dlg.OnModify();
  EXPECT_EQ(runner.seen.back(), "修改操作员...|101|管理员|fixed");
  EXPECT_EQ(dlg.operatorItems[0], "101        主管");
  EXPECT_EQ(dlg.selectedOperator, 0);
  EXPECT_EQ(env.opName, "主管");

  runner.entries = {{"", "赵六"}};
  dlg.OnOperatorSelected(1);
  dlg.OnModify();
  EXPECT_EQ(dlg.operatorItems[1], "102        赵六");
  EXPECT_EQ(env.opName, "主管");  // another operator's name is not the login's

  dlg.OnFocus(COperatorsDlg::Focus::RightsList);
  runner.entries = {{"110", "甲"}, {"104", ""}, {"104", "乙"}};  // the second try is refused, the third taken
  runner.seen.clear();
  runner.behind = &dlg;
  dlg.OnAdd();
  // Each operator added is listed and selected before the next add dialog opens.
  EXPECT_EQ(runner.changes, (std::vector<std::string>{"102/2", "110/3", "104/4"}));
  EXPECT_EQ(runner.seen, (std::vector<std::string>{"增加操作员...||", "增加操作员...||", "增加操作员...||"}));
  EXPECT_EQ(dlg.operatorItems, (std::vector<std::string>{"101        主管", "102        赵六",
                                                         "104        乙", "110        甲"}));
  EXPECT_EQ(dlg.selectedOperator, 2);
  EXPECT_EQ(dlg.rightsOf, "104");
  for (auto& r : dlg.rights) EXPECT_FALSE(r.ticked);
  EXPECT_EQ(dlg.focus, COperatorsDlg::Focus::OperatorList);
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"姓名不能为空，请重输！"});
}

}  // namespace

namespace {

// The administrator clears another operator's password after a question whose default is 否; their own is
// not theirs to clear here.
TEST_F(OperatorsDlgTest, TheAdministratorClearsAnotherOperatorsPasswordAfterAQuestion) {
  env.Execute("update opr set psd='abc' where opno='102'");
  env.Execute("update opr set psd='xyz' where opno='101'");
  struct Case {
    const char* selected;
    bool enabled;
    MsgAnswer answer;
    const char* psd102;
  } cases[] = {
      {"101", false, MsgAnswer::Yes, "abc"},
      {"102", true, MsgAnswer::No, "abc"},
      {"102", true, MsgAnswer::Yes, ""},
  };
  for (const Case& c : cases) {
    COperatorsDlg dlg(env);
    ASSERT_TRUE(dlg.OnInitDialog());
    for (int i = 0; i < static_cast<int>(dlg.operatorItems.size()); ++i)
      if (dlg.CodeOf(i) == c.selected) dlg.OnOperatorSelected(i);
    EXPECT_EQ(dlg.ClearPasswordEnabled(), c.enabled) << c.selected;
    platform.messages.clear();
    platform.answers = {c.answer};
    dlg.OnClearPassword();
    EXPECT_EQ(Count("select count(*) from opr where opno='102' and trim(psd)='" + std::string(c.psd102) + "'"), 1)
        << c.selected;
    EXPECT_EQ(Count("select count(*) from opr where opno='101' and trim(psd)='xyz'"), 1);
    if (!c.enabled) {
      EXPECT_TRUE(platform.messages.empty());
      continue;
    }
    EXPECT_EQ(platform.messages[0].defaultButton, MsgAnswer::No);
    EXPECT_EQ(platform.messages.size(), c.answer == MsgAnswer::Yes ? 2u : 1u);
  }
  EXPECT_EQ(platform.LastText(), "操作员 102 的口令已清除。");
}

}  // namespace
