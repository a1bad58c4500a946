// The chart browser: walking the tree, adding and modifying through the account dialog, and the sub-account
// commands with their checks, against a real year file.
#include <gtest/gtest.h>

#include "chart_setup_fixture.h"

namespace {

using Codes = std::vector<std::string>;

TEST_F(ChartSetupTest, WalkingDownAndUpWithTheStatusLine) {
  AddRow("102", "银行存款");
  AddRow("101", "现金");
  AddRow("101-1", "人民币");
  AddRow("103", "专用", "1");
  AddRow("104", "材料", "0", "1");
  ASSERT_TRUE(browser.OnInitDialog());
  EXPECT_EQ(Listed(), (Codes{"101", "102", "103", "104"}));
  EXPECT_EQ(browser.items[0], "101              现金");
  EXPECT_EQ(browser.status, "本级共有科目4个\n子目[→]、 上级[←]");
  EXPECT_TRUE(browser.levelItems.empty());

  browser.OnSelect(0);
  browser.OnEnter();
  EXPECT_EQ(browser.directory, "101");
  EXPECT_EQ(browser.heading, "101 现金");
  EXPECT_EQ(Listed(), Codes{"101-1"});
  EXPECT_EQ(browser.selected, 0);
  EXPECT_EQ(browser.levelItems, (Codes{"101 现金", "102 银行存款", "103 专用", "104 材料"}));
  browser.OnEnter();
  EXPECT_EQ(browser.directory, "101-1");
  EXPECT_EQ(browser.status, "请按增加按扭增加科目\n子目[→]、 上级[←]");
  EXPECT_TRUE(browser.addIsDefault);
  browser.OnUp();
  browser.OnUp();
  EXPECT_EQ(browser.directory, "");
  EXPECT_EQ(browser.SelectedCode(), "101");  // the account just left

  // Accounts that take no children are not entered; the level selector jumps sideways.
  struct Case {
    std::string code, message;
  } refusals[] = {{"103", "“103”科目为专用科目，无子细目!"}, {"104", "“104”科目为外币科目，无子细目!"}};
  for (const Case& c : refusals) {
    browser.OnSelect(browser.IndexOfCode(c.code));
    browser.OnEnter();
    EXPECT_EQ(platform.LastText(), c.message);
    EXPECT_EQ(browser.directory, "");
  }
  browser.OnSelect(0);
  browser.OnEnter();
  browser.OnLevelChosen("102 银行存款");
  EXPECT_EQ(browser.directory, "102");
  browser.OnLevelChosen("109");
  EXPECT_EQ(platform.LastText(), "警告：\n\t本级科目无此代码!");
  EXPECT_EQ(browser.directory, "102");
  browser.OnSelect(-1);
  browser.OnModify();
  EXPECT_EQ(platform.LastText(), "没有选择对象!");
}

TEST_F(ChartSetupTest, AddingOneAfterAnotherListsInTheOrderOfTheNumbers) {
  AddRow("101", "现金");
  Book("101");
  Show("", "101");
  browser.OnEnter();
  dialog.Type("1", "人民币");
  dialog.Type("10", "港币");
  dialog.Type("2", "美元");
  browser.OnAdd();
  EXPECT_EQ(dialog.closed, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(dialog.seen[0], "增加新科目(帐户)...");
  EXPECT_EQ(Listed(), (Codes{"101-1", "101-2", "101-10"}));
  EXPECT_EQ(browser.SelectedCode(), "101-2");  // the last one added
  EXPECT_EQ(Rows("101-1"), 1);                 // the first child took over the postings
  EXPECT_EQ(Rows("101"), 0);

  // A parent that refuses children refuses before the dialog opens.
  AddRow("101-1-2-3-4-5", "六级");
  Show("101-1-2-3-4", "101-1-2-3-4-5");
  browser.OnEnter();  // nothing lies below level 6
  EXPECT_EQ(browser.directory, "101-1-2-3-4");
  browser.directory = "101-1-2-3-4-5";
  browser.OnAdd();
  EXPECT_EQ(platform.LastText(), "该科目级数达６级，不能再设置子科目!");

  // A series cancelled on an empty level goes up, and at the top closes the browser.
  Show("101", "101-1");
  browser.OnEnter();
  browser.OnAdd();
  EXPECT_EQ(browser.directory, "101");
  env.Execute("delete from subt");
  browser.directory = "";
  ASSERT_TRUE(browser.OnInitDialog());
  browser.OnAdd();
  EXPECT_TRUE(browser.closeRequested);
}

TEST_F(ChartSetupTest, ANewCodeCarriesTheDescendantsAndTheirPostings) {
  AddRow("101", "现金");
  AddRow("101-1", "人民币");
  AddRow("101-1-2", "零钱");
  Book("101-1-2");
  Book("101-1-2");
  Show("", "101");
  dialog.steps.push_back([](CAccountDlg& d) { d.ownPart = "105"; });
  browser.OnModify();
  EXPECT_EQ(dialog.seen[0], "修改科目(帐户)...");
  EXPECT_EQ(Chart(), (Codes{"105 现金 1/0/0/0/0/0", "105-1 人民币 2/0/0/0/0/0", "105-1-2 零钱 3/0/0/0/0/0"}));
  EXPECT_EQ(Rows("105-1-2"), 2);
  EXPECT_EQ(browser.SelectedCode(), "105");
  EXPECT_TRUE(browser.keepScroll);
}

TEST_F(ChartSetupTest, CopiedSubAccountsArePastedWithTheirAttributesReset) {
  for (const char* code : {"101", "101-1", "101-1-1", "2", "3"}) AddRow(code, "甲");
  env.Execute("update subt set dl='1',fz='1',fzn='吨',dlf=1,dlw=5 where trim(kno) like '101-*'");
  Show("", "101");
  browser.OnCopyChildren();
  for (const char* target : {"2", "3"}) {
    browser.OnSelect(browser.IndexOfCode(target));
    browser.OnPasteChildren();
  }
  EXPECT_EQ(Chart(), (Codes{"101 甲 1/0/0/0/0/0", "101-1 甲 2/0/1/1/1/5", "101-1-1 甲 3/0/1/1/1/5",
                            "2 甲 1/0/0/0/0/0", "2-1 甲 2/0/0/0/0/0", "2-1-1 甲 3/0/0/0/0/0",
                            "3 甲 1/0/0/0/0/0", "3-1 甲 2/0/0/0/0/0", "3-1-1 甲 3/0/0/0/0/0"}));
  EXPECT_EQ(browser.clipMode, 1);  // a copy may be pasted again

  // A move takes the children away, with the currencies that gain on them.
  AddRow("4", "乙");
  env.Execute("insert into wbt(wno,na,ho) values('1','美元','2-1-1')");
  Show("", "2");
  browser.OnMoveChildren();
  browser.OnSelect(browser.IndexOfCode("4"));
  browser.OnPasteChildren();
  EXPECT_EQ(CountDescendants(env, "2"), 0);
  EXPECT_EQ(CountDescendants(env, "4"), 2);
  EXPECT_EQ(env.QueryLong("select count(*) from wbt where trim(ho)='4-1-1'"), 1);
  EXPECT_EQ(browser.clipMode, 0);
}

TEST_F(ChartSetupTest, EveryPasteCheckRefusesWithItsMessage) {
  for (const char* code :
       {"101", "101-1", "101-1-1", "2", "3", "3-1", "4", "5", "6", "7", "8", "9", "123456"})
    AddRow(code, "甲");
  AddRow("1011", "专用", "1");
  AddRow("10", "数量", "0", "1");
  AddRow("11", "外币", "0", "2");
  AddRow("1-1-1-1", "四级");
  AddRow("1-1-1-1-1", "五级");
  AddRow("1-1", "二级");
  AddRow("1", "一级");
  AddRow("101-1-1-12345", "长");  // 13 characters: 10 below the source
  AddRow("7-1", "乙");
  AddRow("7-1-1", "丙");
  env.Execute("insert into wbt(wno,na,ho) values('1','美元','4')");
  Book("5");
  struct Case {
    std::string source;  // "" nothing copied
    int mode;
    std::string target, message;
  };
  const std::vector<Case> cases = {
      {"", 1, "2", "没有选择源对象或源对象子目不存在!"},
      {"2", 1, "3", "没有选择源对象或源对象子目不存在!"},  // copied, then its children went
      {"101", 1, "1011", "“1011”科目为专用科目，不能粘贴!"},
      {"101", 1, "4", "目标科目已被外币科目引用! 不能粘贴"},
      {"101", 1, "5", "目标对象本年度已有经济内容! 不能粘贴"},
      {"101", 1, "101", "目标对象与源对象相同! 不能粘贴"},
      {"101", 1, "3", "目标科目已有子目! 不能粘贴"},
      {"101", 1, "10", "目标科目已被指定为数量金额式核算，不能粘贴!"},
      {"101", 1, "11", "目标科目已被指定为外币核算，不能粘贴!"},
      {"101", 1, "123456", "粘贴后，目标科目代码已超过14个字符! 不能粘贴"},  // 6 + 13 - 3 = 16
      {"1", 1, "7-1-1", "粘贴后，目标科目级数已超过６级! 不能粘贴"},
      {"101", 2, "101-1-1-12345", "目标对象是源对象的子目! 不能移动"},
  };
  const auto before = Chart();
  for (const Case& c : cases) {
    browser.clipSource = c.source;
    browser.clipMode = c.source.empty() ? 0 : c.mode;
    Show(ParentCode(c.target), c.target);
    browser.OnPasteChildren();
    EXPECT_EQ(platform.LastText(), c.message) << c.target;
  }
  EXPECT_EQ(Chart(), before);

  // Exactly 14 characters is allowed: 6 + 11 - 3.
  env.Execute("delete from subt where trim(kno)='101-1-1-12345'");
  AddRow("101-1-1-123", "长");
  browser.clipSource = "101";
  browser.clipMode = 1;
  Show("", "123456");
  browser.OnPasteChildren();
  EXPECT_EQ(CountCode(env, "123456-1-1-123"), 1);
}

TEST_F(ChartSetupTest, DeletingSubAccountsAsksFirst) {
  for (const char* code : {"101", "101-1", "101-1-1", "102", "103", "103-1"}) AddRow(code, "甲");
  Book("103-1");
  struct Case {
    std::string code;
    MsgAnswer answer;
    std::string message;
    long left;
  } cases[] = {
      {"102", MsgAnswer::Yes, "该科目无子科目! 无须删除", 0},
      {"103", MsgAnswer::Yes, "该科目的子科目本年度已有经济内容，不能删除!", 1},
      {"101", MsgAnswer::No, "该科目共有2个子科目，决定删除吗？", 2},
      {"101", MsgAnswer::Yes, "该科目共有2个子科目，决定删除吗？", 0},
  };
  for (const Case& c : cases) {
    platform.answers = {c.answer};
    Show("", c.code);
    browser.OnDeleteChildren();
    EXPECT_EQ(platform.LastText(), c.message) << c.code;
    EXPECT_EQ(CountDescendants(env, c.code), c.left) << c.code;
  }
  const RecordedMessage& question = platform.messages.back();
  EXPECT_EQ(question.caption, "黄牌警告：");
  EXPECT_EQ(question.buttons, MsgButtons::YesNo);
  EXPECT_EQ(question.defaultButton, MsgAnswer::No);
}

TEST_F(ChartSetupTest, TheDeleteKeyTakesTheSubTreeAndGivesPostingsBack) {
  for (const char* code :
       {"101", "101-1", "102", "102-1", "102-1-1", "102-2", "103", "103-1", "103-2", "104"})
    AddRow(code, "甲");
  AddRow("105", "专用", "1");
  Book("101-1");
  Book("101-1", 50);
  Book("103-1");
  Book("104");
  env.Execute("insert into wbt(wno,na,ho) values('1','美元','101-1')");
  struct Case {
    std::string directory, code, message;
    bool gone;
  } cases[] = {
      {"101", "101-1", "", true},                                      // the only child: postings back to 101
      {"102", "102-1", "", true},                                      // with its descendant, no postings
      {"103", "103-1", "该科目本年度已有经济内容，不能删除!", false},  // a sibling is left
      {"", "104", "该科目本年度已有经济内容，不能删除!", false},
      {"", "105", "“105”科目为专用科目，不能删除!", false},
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    Show(c.directory, c.code);
    browser.OnDeleteKey();
    EXPECT_EQ(platform.LastText(), c.message) << c.code;
    EXPECT_EQ(CountCode(env, c.code) == 0, c.gone) << c.code;
  }
  EXPECT_EQ(Rows("101"), 2);
  EXPECT_EQ(env.QueryLong("select count(*) from wbt where trim(ho)='101'"), 1);
  EXPECT_EQ(CountCode(env, "102-1-1"), 0);
  EXPECT_EQ(CountCode(env, "102-2"), 1);
}

TEST_F(ChartSetupTest, DeletingAnOnlyChildGivesBackItsDescendantsPostingsToo) {
  // A chart whose parent counts its only child alone (an older file's, say) must not strand postings.
  AddRow("101", "现金");
  AddRow("101-1", "甲");
  AddRow("101-1-1", "乙");
  Book("101-1-1");
  ASSERT_TRUE(DeleteAccount(env, "101-1", "101", true));
  EXPECT_EQ(Rows("101"), 1);
  EXPECT_EQ(env.QueryLong("select count(*) from p0"), 1);
}

TEST_F(ChartSetupTest, AFailureHalfWayLeavesTheFileAsItWas) {
  for (const char* code : {"101", "101-1", "101-1-1", "102", "103", "103-1"}) AddRow(code, "甲");
  Book("103-1");
  Book("101-1-1");
  Refuse("BEFORE DELETE ON SUBT");
  const auto chart = Chart();

  // A move inserts the copy, then the delete fails.
  Show("", "102");
  browser.clipSource = "103";
  browser.clipMode = 2;
  env.Execute("delete from p0 where trim(kno)='103-1'");
  browser.OnPasteChildren();
  EXPECT_EQ(platform.LastText().find("disk I/O error") != std::string::npos, true) << platform.LastText();
  EXPECT_EQ(Chart(), chart);
  EXPECT_EQ(browser.clipMode, 2);

  // The only child's postings go back after its row is gone: the update fails, the row stays.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  sqlite3_exec(
      db,
      "DROP TRIGGER broken; CREATE TRIGGER broken BEFORE UPDATE ON P0 BEGIN SELECT RAISE(ABORT,'disk "
      "I/O error'); END",
      nullptr, nullptr, nullptr);
  sqlite3_close(db);
  Show("103", "103-1");
  Book("103-1");
  const auto chart2 = Chart();
  browser.OnDeleteKey();
  EXPECT_EQ(Chart(), chart2);
  EXPECT_EQ(Rows("103-1"), 1);

  // A new code whose postings cannot follow keeps the old one.
  Show("", "101");
  dialog.steps.push_back([](CAccountDlg& d) { d.ownPart = "109"; });
  browser.OnModify();
  EXPECT_EQ(dialog.closed, std::vector<bool>{false});
  EXPECT_EQ(Chart(), chart2);
  EXPECT_EQ(Rows("101-1-1"), 1);
}

}  // namespace
