#include "app/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/doc_templates.h"
#include "app/rights_table.h"

TEST(CommandTable, MenusHoldEveryMenuCommandOnceInTheDocumentedPopups) {
  std::vector<std::string> titles;
  std::multiset<int> inMenus;
  for (const MenuPopup& p : MenuLayout()) {
    titles.push_back(p.title);
    for (int id : p.items) {
      if (id == 0) continue;
      inMenus.insert(id);
      const CommandInfo* c = FindCommand(id);
      ASSERT_NE(c, nullptr) << id;
      EXPECT_STRNE(c->text, "") << id;
    }
    // No separator at either end or twice in a row.
    EXPECT_NE(p.items.front(), 0) << p.title;
    EXPECT_NE(p.items.back(), 0) << p.title;
    for (size_t i = 1; i < p.items.size(); ++i) EXPECT_FALSE(p.items[i] == 0 && p.items[i - 1] == 0);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"通用服务(&F)", "数据操纵(&E)", "查询帐簿(&B)", "帐户目录(&K)",
                                              "帐务管理(&G)", "查看", "窗口", "帮助(&H)"}));
  for (const CommandInfo& c : Commands()) {
    EXPECT_EQ(inMenus.count(c.id), *c.text ? 1u : 0u) << c.id;
  }
  // 帐务管理 lists its commands in this order, 备份与恢复 after 拷贝会计信息 and 建立帐套 after it.
  std::vector<int> admin;
  for (int id : MenuLayout()[4].items)
    if (id) admin.push_back(id);
  EXPECT_EQ(admin, (std::vector<int>{40030, 40031, 40032, 40033, 40046, 40029, 40034, 40035}));
  EXPECT_TRUE(MenuLayout()[6].windowList);
}

TEST(CommandTable, RightsAndWindowsOfTheDataCommands) {
  std::set<std::string> codes;
  for (const RightInfo& r : RightsTable()) codes.insert(r.code);
  EXPECT_EQ(RightsTable().size(), 18u);
  EXPECT_EQ(codes.size(), 18u);
  EXPECT_STREQ(RightsTable().front().code, "0101");
  EXPECT_STREQ(RightsTable()[9].name, "帐簿余额表");

  std::set<std::string> used;
  std::set<int> templatesOpened;
  for (const CommandInfo& c : Commands()) {
    bool guarded = c.rule == EnableRule::Right || c.rule == EnableRule::RightNoChild;
    EXPECT_EQ(guarded, *c.right != '\0') << c.id;
    if (guarded) {
      // A command open to holders of any of several rights names each of them.
      std::string right = c.right;
      for (size_t at = 0; at <= right.size();) {
        size_t bar = std::min(right.find('|', at), right.size());
        std::string one = right.substr(at, bar - at);
        EXPECT_TRUE(codes.count(one)) << c.id << " " << one;
        used.insert(one);
        at = bar + 1;
      }
    }
    if (c.templateNo) {
      EXPECT_NE(FindTemplate(c.templateNo), nullptr) << c.id;
      EXPECT_EQ(c.owner, CommandOwner::App) << c.id;
      templatesOpened.insert(c.templateNo);
    }
  }
  EXPECT_EQ(used, codes);  // every right guards some command
  EXPECT_EQ(templatesOpened.size(), DocTemplates().size());
  EXPECT_EQ(DocTemplates().size(), 14u);
  EXPECT_EQ(FindCommand(32781)->templateNo, FindCommand(32782)->templateNo);
  EXPECT_TRUE(IsEntryFrame(FindTemplate(FindCommand(32771)->templateNo)->frame));
  EXPECT_TRUE(IsEntryFrame(FindTemplate(FindCommand(32772)->templateNo)->frame));
  EXPECT_FALSE(IsEntryFrame(FindTemplate(FindCommand(32779)->templateNo)->frame));
  for (int id : {40030, 40031, 40032, 40033, 40029, 40034})
    EXPECT_EQ(FindCommand(id)->rule, EnableRule::RightNoChild);
}

TEST(CommandTable, AcceleratorsAndToolBarNameKnownCommands) {
  std::set<std::string> keys;
  for (const Accelerator& a : Accelerators()) {
    EXPECT_NE(FindCommand(a.id), nullptr) << a.keys;
    EXPECT_TRUE(keys.insert(a.keys).second) << "twice: " << a.keys;
  }
  // The keys beside a menu text are accelerators, except the window keys of closing.
  for (const CommandInfo& c : Commands()) {
    if (!*c.keys || c.id == 57602 || c.id == 57665) continue;
    EXPECT_TRUE(keys.count(c.keys)) << c.id;
  }
  for (int id : ToolBarLayout()) {
    if (!id) continue;
    ASSERT_NE(FindCommand(id), nullptr) << id;
    EXPECT_STRNE(FindCommand(id)->glyph, "") << id;
  }
}

TEST(CommandTable, PlainMenuTextDropsTheMnemonicMarker) {
  EXPECT_EQ(PlainMenuText("打印(&P)..."), "打印(P)...");
  EXPECT_EQ(PlainMenuText("帐务管理(&G)"), "帐务管理(G)");
  EXPECT_EQ(PlainMenuText("A&&B"), "A&B");
  EXPECT_EQ(PlainMenuText("计算器(D)"), "计算器(D)");
}

TEST(CommandTable, ChildWindowsAreTitledByWhatTheyShow) {
  using V = std::vector<std::string>;
  const std::pair<V, V> cases[] = {
      {{""}, {"Tavrel软件"}},
      {{"", ""}, {"Tavrel软件:1", "Tavrel软件:2"}},
      {{"三栏式帐页 1002", "三栏式帐页 1001", "按户录入数据 1002 2026年3月"},
       {"三栏式帐页 1002", "三栏式帐页 1001", "按户录入数据 1002 2026年3月"}},
      // 新建窗口 of a ledger: the two windows of one account by their number among them.
      {{"三栏式帐页 1002", "帐户余额表 2026年12月31日", "三栏式帐页 1002"},
       {"三栏式帐页 1002:1", "帐户余额表 2026年12月31日", "三栏式帐页 1002:2"}},
  };
  for (const auto& [views, titles] : cases) EXPECT_EQ(ChildWindowTitles(views), titles);
}

TEST(CommandTable, ARightOfAlternativesIsHeldByHoldingAnyOfThem) {
  struct Case {
    const char* rights;
    const char* code;
    bool held;
  } cases[] = {
      {"0301 ", "0301|0305", true},   {"0305 ", "0301|0305", true},  {"0201 0202 ", "0301|0305", false},
      {"", "0301|0305", false},       {"0301 ", "", false},          {"0101 ", "0101", true},
      {"0203 ", "0301|0302|0303", false},
  };
  for (const Case& c : cases) EXPECT_EQ(HoldsRight(c.rights, c.code), c.held) << c.rights << " " << c.code;
  EXPECT_EQ(RightNames("0301|0305"), "三栏式帐或帐簿余额表");
  EXPECT_EQ(RightNames("0404"), "年初帐户余额");
  // The trial balance is every ledger reader's: any right of 查询帐簿 opens it.
  const CommandInfo* trial = FindCommand(cmd::kTrialBalance);
  ASSERT_NE(trial, nullptr);
  for (const char* right : {"0301 ", "0304 ", "0307 "}) EXPECT_TRUE(HoldsRight(right, trial->right)) << right;
  EXPECT_FALSE(HoldsRight("0101 0201 0202 0404 ", trial->right));
}
