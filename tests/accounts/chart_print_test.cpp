// The account catalogue: its rows depth first with their indentation and marks, the starting point and the
// moves between sub-trees.
#include <gtest/gtest.h>

#include "accounts/account_code.h"
#include "accounts/chart_print_view.h"
#include "base/dialog_asker.h"
#include "base/text.h"
#include "support/year_file_fixture.h"

namespace {

class SubjectPrintTest : public YearFileTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1));
    view.SetDataEnv(&env);
    view.InitForm();
    view.OnSize(1200, 800);
  }
  void Add(const std::string& code, const std::string& name, int fz = 0, int dl = 0, int dlf = 0) {
    env.Execute(Format(
        "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','%d',%s,'%d',%d,%d)",
        code.c_str(), name.c_str(), CodeLevel(code), fz, fz ? "'个'" : "NULL", dl, dlf, dlf ? 5 : 0));
  }
  void AddChart() {
    Add("1002", "银行存款", 0, 1);
    Add("1002-2", "工行", 0, 0, 1);
    Add("1002-10", "建行", 0, 0, -1);
    Add("1002-2-1", "美元户", 2);
    Add("1001", "库存现金");
    Add("1403", "原材料", 1);
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (const auto& row : view.ReportRows()) {
      std::string line;
      for (const std::string& cell : row) line += (line.empty() ? "" : "|") + cell;
      lines.push_back(line);
    }
    return lines;
  }

  CVyDataEnv env;
  CHobdSubjectPrint view;
};

TEST_F(SubjectPrintTest, RowsComeDepthFirstWithIndentedNamesAndMarks) {
  AddChart();
  struct Case {
    const char* start;
    std::vector<std::string> lines;
  } cases[] = {
      {"",
       {"1001|库存现金|1|||", "1002|银行存款|1|多栏||", "1002-2|  工行|2||借|",
        "1002-2-1|    美元户|3|||外币", "1002-10|  建行|2||贷|", "1403|原材料|1|||数量金额"}},
      {"1002", {"1002-2|  工行|2||借|", "1002-2-1|    美元户|3|||外币", "1002-10|  建行|2||贷|"}},
      {"1002-2", {"1002-2-1|    美元户|3|||外币"}},
  };
  for (const Case& c : cases) {
    view.Build(c.start);
    EXPECT_EQ(Lines(), c.lines) << c.start;
    EXPECT_EQ(view.TextRows(), static_cast<int>(c.lines.size()));
    EXPECT_EQ(view.Current().row, 0);
  }
}

TEST_F(SubjectPrintTest, EnterOpensASubTreeAndEscGoesBackToTheParents) {
  AddChart();
  int asked = 0;
  ScopedFace<CSubjectChoiceDlg> choice([&](CSubjectChoiceDlg& dlg) {
    ++asked;
    dlg.ChooseAll(true);
    return dlg.OnOk();
  });
  view.OnKeyDown(VyKey::Enter, false, false);  // the empty table asks where to start
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(view.Rows().size(), 6u);
  EXPECT_EQ(view.PrintTime(), "打印时间：2026 年 12 月 7 日");

  struct Step {
    int row;
    VyKey key;
    const char* start;
    const char* current;
  } steps[] = {
      {1, VyKey::Enter, "1002", "1002-2"},
      {0, VyKey::Enter, "1002-2", "1002-2-1"},
      {0, VyKey::Enter, "1002-2", "1002-2-1"},  // no sub-accounts: the table stays
      {0, VyKey::Escape, "1002", "1002-2"},     // back, on the account just left
      {0, VyKey::Escape, "", "1002"},
      {0, VyKey::Escape, "", "1001"},  // the whole chart has no parent
  };
  for (const Step& s : steps) {
    view.SetCurrent(s.row, 0, 0, "TEXT");
    view.OnKeyDown(s.key, false, false);
    EXPECT_EQ(view.StartCode(), s.start) << s.start;
    EXPECT_EQ(view.Rows()[static_cast<size_t>(view.Current().row)].code, s.current) << s.start;
  }
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(view.IsCommandEnabled(vycmd::kOpen));
  EXPECT_TRUE(view.OnCommand(vycmd::kOpen));
  EXPECT_EQ(asked, 2);
}

TEST_F(SubjectPrintTest, TheChoiceNeedsAnAccountWithSubAccounts) {
  ScopedFace<CSubjectChoiceDlg> choice([](CSubjectChoiceDlg&) -> bool {
    ADD_FAILURE() << "no dialog without accounts";
    return false;
  });
  EXPECT_FALSE(view.AskStart());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "本年度尚未设置科目！");
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Warning);

  AddChart();
  struct Case {
    const char* typed;
    bool accepted;
    const char* start;
  } cases[] = {
      {"1002", true, "1002"}, {"1001", false, ""},       {"9", false, ""},
      {"1*", false, ""},      {"'10|02[", true, "1002"},  // the field drops | ' [ and *
      {"1002-*", false, ""},
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    CSubjectChoiceDlg dlg(env);
    dlg.ChooseAll(false);
    dlg.code = c.typed;
    EXPECT_EQ(dlg.OnOk(), c.accepted) << c.typed;
    if (c.accepted) {
      EXPECT_EQ(dlg.startCode, c.start);
    } else {
      EXPECT_EQ(platform.LastText(), "该科目不存在或没有子科目，请重输！") << c.typed;
      EXPECT_EQ(dlg.focus, CSubjectChoiceDlg::Focus::Code);
    }
  }
  CSubjectChoiceDlg dlg(env);
  dlg.ChooseAll(false);
  dlg.code = "1002";
  dlg.ChooseAll(true);
  EXPECT_FALSE(dlg.codeEnabled);
  EXPECT_EQ(dlg.code, "");
  EXPECT_TRUE(dlg.OnOk());
  EXPECT_EQ(dlg.startCode, "");
}

TEST_F(SubjectPrintTest, TheProgressRisesToAHundredWhileTheTableIsBuilt) {
  for (int i = 1; i <= 40; ++i) Add(Format("%d", i), "科目");
  std::vector<int> seen;
  view.paintNow = [&] { seen.push_back(view.Progress()); };
  view.Build("");
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(view.Progress(), -1);
}

}  // namespace
