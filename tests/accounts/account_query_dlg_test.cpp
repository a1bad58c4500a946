// The account query dialog over a small chart: order, presets, confirmation in each mode, the name filter
// and walking the levels.
#include "accounts/account_query_dlg.h"

#include <gtest/gtest.h>

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "base/pinyin.h"
#include "base/text.h"
#include "support/year_file_fixture.h"

namespace {

class AccountQueryTest : public YearFileTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1));
    for (auto [code, name] : std::initializer_list<std::pair<const char*, const char*>>{
             {"1", "现金"},
             {"10", "银行存款"},
             {"10-3", "工商银行"},
             {"10-3-2", "活期户"},
             {"10-3-12", "定期户"},
             {"10-3-1", "外汇户"},
             {"10-20", "建设银行"},
             {"10-4", "农业银行"},
             {"10-4-1", "结算户"},
             {"2", "应付帐款"},
         })
      env.Execute(Format(
          "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','0',NULL,'0',0,0)",
          code, name, CodeLevel(code)));
  }
  std::vector<std::string> Codes(const CAccountQueryDlg& d) {
    std::vector<std::string> codes;
    for (int i = 0; i < static_cast<int>(d.lines.size()); ++i) codes.push_back(d.CodeOf(i));
    return codes;
  }
  std::string Selected(const CAccountQueryDlg& d) { return d.CodeOf(d.selected); }

  CVyDataEnv env;
};

using CodeList = std::vector<std::string>;

TEST_F(AccountQueryTest, ListsALevelInTheNumericOrderOfTheLastPart) {
  CAccountQueryDlg d(env, accountquery::kBrowse, "10-3");
  ASSERT_TRUE(d.OnInitDialog());
  EXPECT_EQ(d.parent, "10-3");
  EXPECT_EQ(Codes(d), (CodeList{"10-3-1", "10-3-2", "10-3-12"}));
  EXPECT_EQ(d.lines[1], "10-3-2            活期户");
  EXPECT_EQ(d.StatusText(), "本级有科目3个");
  // The combo box holds 10-3's siblings with 10-3 chosen; its name stands beside.
  EXPECT_EQ(d.comboCodes, (CodeList{"10-3", "10-4", "10-20"}));
  EXPECT_EQ(d.comboSelected, 0);
  EXPECT_EQ(d.parentName, "工商银行");
  EXPECT_TRUE(d.ComboEnabled());

  CAccountQueryDlg top(env, accountquery::kBrowse, "");
  ASSERT_TRUE(top.OnInitDialog());
  EXPECT_EQ(Codes(top), (CodeList{"1", "2", "10"}));
  EXPECT_EQ(top.parentName, "科 目 名 称");
  EXPECT_FALSE(top.ComboEnabled());
  EXPECT_FALSE(top.UpEnabled());
}

TEST_F(AccountQueryTest, APresetOpensItsLevelWithItsLineSelected) {
  struct Case {
    int mode;
    const char* preset;
    const char* parent;
    const char* selected;
  } cases[] = {
      {accountquery::kLowestLevel, "10-3-12", "10-3", "10-3-12"},
      {accountquery::kLowestLevel, "10-3-2-", "10-3", "10-3-2"},  // a trailing "-" is dropped
      {accountquery::kLowestLevel, "10-3", "10-3", "10-3-1"},     // with sub-accounts: they are shown
      {accountquery::kBrowse, "10", "10", "10-3"},
      {accountquery::kAnyAccount, "10-3", "10", "10-3"},  // any account: among its siblings
      {accountquery::kAnyAccount, "10-20", "10", "10-20"},
      {accountquery::kBrowse, "2", "", "2"},
      {accountquery::kLowestLevel, "99", "", "1"},  // not in the chart: the top level
      {accountquery::kLowestLevel, "10-*", "", "1"},
      {accountquery::kLowestLevel, "", "", "1"},
  };
  for (const Case& c : cases) {
    CAccountQueryDlg d(env, c.mode, c.preset);
    ASSERT_TRUE(d.OnInitDialog()) << c.preset;
    EXPECT_EQ(d.parent, c.parent) << c.preset;
    EXPECT_EQ(Selected(d), c.selected) << c.preset;
  }
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(AccountQueryTest, ConfirmationReturnsOrOpensByMode) {
  struct Case {
    int mode;
    const char* line;
    CAccountQueryDlg::State state;
    const char* result;
    const char* parent;  // the level shown afterwards
  } cases[] = {
      {accountquery::kLowestLevel, "10-3", CAccountQueryDlg::State::Open, "", "10-3"},
      {accountquery::kLowestLevel, "10-20", CAccountQueryDlg::State::Chosen, "10-20", "10"},
      {accountquery::kAnyAccount, "10-3", CAccountQueryDlg::State::Chosen, "10-3", "10"},
      {accountquery::kBrowse, "10-20", CAccountQueryDlg::State::Open, "", "10"},
      {accountquery::kBrowse, "10-4", CAccountQueryDlg::State::Open, "", "10-4"},
  };
  for (const Case& c : cases) {
    CAccountQueryDlg chooser(env, c.mode, "10-3-1");
    ASSERT_TRUE(chooser.OnInitDialog());
    chooser.OnUp();  // to the level of 10's sub-accounts, as the user would walk
    ASSERT_EQ(chooser.parent, "10");
    int index = -1;
    for (int i = 0; i < static_cast<int>(chooser.lines.size()); ++i)
      if (chooser.CodeOf(i) == c.line) index = i;
    chooser.OnSelect(index);
    chooser.OnOk();
    EXPECT_EQ(chooser.state, c.state) << c.mode << " " << c.line;
    EXPECT_EQ(chooser.result, c.result) << c.mode << " " << c.line;
    EXPECT_EQ(chooser.parent, c.parent) << c.mode << " " << c.line;
  }
}

TEST_F(AccountQueryTest, TheFilterMatchesAnyPartOfTheName) {
  struct Case {
    const char* preset;
    const char* filter;
    CodeList codes;
  } cases[] = {
      {"", "现金", {"1"}},
      {"", " 存 ", {"10"}},  // blanks around it are dropped
      {"", "行存", {"10"}},  // the middle of 银行存款
      {"10", "银行", {"10-3", "10-4", "10-20"}},
      {"10", "工商", {"10-3"}},
      {"10-3", "户", {"10-3-1", "10-3-2", "10-3-12"}},
      {"10-3", "期户", {"10-3-2", "10-3-12"}},
      {"10-3", "结算", {}},  // 10-4-1 is not under 10-3
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    CAccountQueryDlg d(env, accountquery::kBrowse, c.preset);
    ASSERT_TRUE(d.OnInitDialog());
    d.focus = CAccountQueryDlg::Focus::Filter;
    d.filter = c.filter;
    d.OnOk();
    EXPECT_EQ(Codes(d), c.codes) << c.filter;
    EXPECT_EQ(d.ClearEnabled(), true);
    if (c.codes.empty()) {
      ASSERT_EQ(platform.messages.size(), 1u) << c.filter;
      EXPECT_EQ(platform.messages[0].text, "没有满足条件的科目(帐户)!");
      EXPECT_EQ(platform.messages[0].icon, MsgIcon::Warning);
      EXPECT_EQ(d.focus, CAccountQueryDlg::Focus::Filter);
      EXPECT_EQ(d.StatusText(), "本级有科目0个");
    } else {
      EXPECT_TRUE(platform.messages.empty()) << c.filter;
    }
  }
}

TEST_F(AccountQueryTest, ClearingTheFilterKeepsTheLineSelected) {
  CAccountQueryDlg d(env, accountquery::kBrowse, "10");
  ASSERT_TRUE(d.OnInitDialog());
  d.focus = CAccountQueryDlg::Focus::Filter;
  d.filter = "建设";
  d.OnOk();
  ASSERT_EQ(Codes(d), CodeList{"10-20"});
  d.OnClearFilter();
  EXPECT_EQ(d.filter, "");
  EXPECT_FALSE(d.ClearEnabled());
  EXPECT_EQ(Codes(d), (CodeList{"10-3", "10-4", "10-20"}));
  EXPECT_EQ(Selected(d), "10-20");
}

TEST_F(AccountQueryTest, WalksDownUpAndSideways) {
  CAccountQueryDlg d(env, accountquery::kBrowse, "");
  ASSERT_TRUE(d.OnInitDialog());
  d.OnSelect(0);  // 1 has no sub-accounts: going down does nothing
  d.OnEnterChildren();
  EXPECT_EQ(d.parent, "");
  d.OnSelect(2);
  d.OnEnterChildren();
  EXPECT_EQ(d.parent, "10");
  EXPECT_EQ(Selected(d), "10-3");
  d.OnEnterChildren();
  EXPECT_EQ(d.parent, "10-3");
  EXPECT_EQ(d.comboCodes, (CodeList{"10-3", "10-4", "10-20"}));

  // Sideways to a sibling with sub-accounts; to one without, its level is shown with it selected.
  d.OnComboChosen(1);
  EXPECT_EQ(d.parent, "10-4");
  EXPECT_EQ(Codes(d), CodeList{"10-4-1"});
  d.OnComboChosen(2);
  EXPECT_EQ(d.parent, "10");
  EXPECT_EQ(Selected(d), "10-20");

  // Up clears the filter and selects the account left.
  d.OnSelect(1);
  d.OnEnterChildren();
  d.filter = "结算";
  d.OnUp();
  EXPECT_EQ(d.filter, "");
  EXPECT_EQ(d.parent, "10");
  EXPECT_EQ(Selected(d), "10-4");
  d.OnUp();
  EXPECT_EQ(d.parent, "");
  EXPECT_EQ(Selected(d), "10");
  EXPECT_FALSE(d.UpEnabled());
}

TEST_F(AccountQueryTest, AnEmptyChartClosesTheDialog) {
  env.Execute("delete from subt");
  CAccountQueryDlg d(env, accountquery::kLowestLevel, "10");
  EXPECT_FALSE(d.OnInitDialog());
  EXPECT_EQ(d.state, CAccountQueryDlg::State::Closed);
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"本年度尚未设置科目(帐户)"});
}

}  // namespace

namespace {

// The search beside the filter finds accounts of every level by code, name and pinyin initials, and going
// to a found account shows its level with it selected.
TEST_F(AccountQueryTest, TheSearchFindsEveryLevelByCodeNameAndInitialsAndGoesThere) {
  CAccountQueryDlg d(env, accountquery::kBrowse, "");
  ASSERT_TRUE(d.OnInitDialog());
  struct Case {
    const char* typed;
    CodeList codes;
  } cases[] = {
      {"工商", {"10-3"}},                          // a name two levels down, from the top level
      {"gsy", {"10-3"}},                           // 工商银行's initials
      {"JSYX", {"10-20"}},                         // in capitals
      {"10-3", {"10-3", "10-3-1", "10-3-12", "10-3-2"}},  // codes that start so
      {"户", {"10-3-1", "10-3-12", "10-3-2", "10-4-1"}},
      {"yfzk", {"2"}},
      {"无此", {}},
      {" ", {}},
  };
  for (const Case& c : cases) {
    d.OnSearch(c.typed);
    CodeList codes;
    for (const std::string& line : d.found) codes.push_back(line.substr(0, line.find(' ')));
    EXPECT_EQ(codes, c.codes) << c.typed;
  }
  d.OnSearch("定期");
  ASSERT_EQ(d.found.size(), 1u);
  d.OnFoundChosen(0);
  EXPECT_EQ(d.parent, "10-3");
  EXPECT_EQ(Selected(d), "10-3-12");
  d.OnSearch("现金");
  d.OnFoundChosen(0);  // a level-1 account: the top level
  EXPECT_EQ(d.parent, "");
  EXPECT_EQ(Selected(d), "1");
}

TEST(PinyinInitials, TheCommonCharactersLettersAndDigits) {
  const std::pair<const char*, const char*> cases[] = {
      {"库存现金", "kcxj"}, {"应收账款", "yszk"}, {"A-1号", "a1h"}, {"啊", "a"}, {"座", "z"}, {"", ""}, {"（", ""},
  };
  for (const auto& [text, initials] : cases) EXPECT_EQ(PinyinInitials(text), initials) << text;
}

}  // namespace
