// The template window's model: every refusal of 保存 names its field or the grid's row and stores nothing;
// edits, new statements and a name taken by another are stored as the user says; edits are not dropped
// unasked.
#include "statements/statement_template_dlg.h"

#include <gtest/gtest.h>

#include <functional>

#include "data/data_env.h"
#include "support/statement_book.h"

namespace {

class TemplateDlgTest : public StatementBookTest {
 protected:
  std::string Stored(const std::string& name) {
    StatementTemplate t;
    return LoadStatement(env, name, t) ? TemplateCsv(t) : "none";
  }
};

TEST_F(TemplateDlgTest, ARefusalNamesItsRowOrFieldAndStoresNothing) {
  using D = CTemplateDlg;
  struct Case {
    const char* what;
    std::function<void(D&)> edit;
    const char* message;  // the start of the message
    const char* focus;
    int focusRow;
  } cases[] = {
      {"blank name", [](D& d) { d.form.name = "  "; }, "报表名称不能为空。", "name", -1},
      {"a 行次 in words", [](D& d) { d.rows[2][D::kLineNo] = "三"; }, "第 3 行：行次和缩进应为数字。", "rows", 2},
      {"a side", [](D& d) { d.rows[1][D::kSide] = "中"; }, "第 2 行：左/右 应为“左”或“右”。", "rows", 1},
      {"a 行次 twice", [](D& d) { d.rows[4][D::kLineNo] = "4"; }, "第 5 行：行次 4 重复。", "rows", 4},
      {"rows counted without the blank ones",
       [](D& d) {
         d.InsertRow(0);
         d.InsertRow(3);
         d.rows[6][D::kLineNo] = "4";  // the fifth line
       },
       "第 5 行：行次 4 重复。", "rows", 4},
      {"a formula on a heading",
       [](D& d) {
         d.rows[0][D::kLineNo] = "";
         d.rows[0][D::kFormula1] = "fs(6001)";
       },
       "第 1 行：有公式的行要有行次。", "rows", 0},
      {"an account the chart has not", [](D& d) { d.rows[2][D::kFormula1] = "fs(6999)"; },
       "公式有错：行次 3 本期金额：", "rows", 2},
      {"a formula's bracket", [](D& d) { d.rows[15][D::kFormula2] = "h(14"; }, "公式有错：行次 16 本年累计金额：", "rows",
       15},
      {"the check", [](D& d) { d.form.checkFormula = "h(99)+"; }, "公式有错：校验公式", "check", -1},
      {"closed accounts", [](D& d) { d.form.closed = "6001:6801,7999"; }, "利润表模板的结转设置有错：", "closed", -1},
  };
  ASSERT_TRUE(CTemplateDlg(env).OnInitDialog());  // the shipped templates, stored
  std::string before = Stored("利润表");
  ASSERT_NE(before, "none");
  for (const Case& c : cases) {
    CTemplateDlg dlg(env);
    ASSERT_TRUE(dlg.OnInitDialog());
    ASSERT_TRUE(dlg.Choose("利润表"));
    ASSERT_EQ(dlg.rows.size(), 16u);
    c.edit(dlg);
    size_t messages = platform.messages.size();
    EXPECT_FALSE(dlg.OnOk()) << c.what;
    ASSERT_EQ(platform.messages.size(), messages + 1) << c.what;
    EXPECT_EQ(platform.LastText().rfind(c.message, 0), 0u) << c.what << ": " << platform.LastText();
    EXPECT_EQ(dlg.focus, c.focus) << c.what;
    EXPECT_EQ(dlg.focusRow, c.focusRow) << c.what;
    EXPECT_EQ(Stored("利润表"), before) << c.what;
  }
}

TEST_F(TemplateDlgTest, EditsAreStoredAsTheGridShowsThem) {
  CTemplateDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(dlg.names, (std::vector<std::string>{"资产负债表", "利润表"}));
  EXPECT_EQ(dlg.form.name, "资产负债表");
  ASSERT_TRUE(dlg.Choose("利润表"));
  EXPECT_EQ(dlg.rows[1], (CTemplateDlg::GridRow{"2", "1", "左", "减：营业成本",
                                                "fs(6401:6402)+fs(6411:6542)+fs(6604:6604)",
                                                "ljfs(6401:6402)+ljfs(6411:6542)+ljfs(6604:6604)"}));
  dlg.DeleteRow(9);  // 汇兑收益
  dlg.InsertRow(9);
  dlg.rows[9] = {"10", "2", "右", "  其他收益  ", " -fs(6111) ", ""};
  dlg.InsertRow(99);  // a blank row at the end is dropped
  dlg.form.columns[1] = "上年金额";
  ASSERT_TRUE(dlg.OnOk()) << platform.LastText();
  EXPECT_FALSE(dlg.modified);
  StatementTemplate t;
  ASSERT_TRUE(LoadStatement(env, "利润表", t));
  ASSERT_EQ(t.lines.size(), 16u);
  EXPECT_EQ(t.columns[1], "上年金额");
  const StatementLine& l = t.lines[9];
  EXPECT_EQ(l.lineNo, 10);
  EXPECT_EQ(l.indent, 2);
  EXPECT_EQ(l.side, 1);
  EXPECT_EQ(l.caption, "  其他收益");
  EXPECT_EQ(l.formula[0], "-fs(6111)");
  EXPECT_EQ(l.formula[1], "");
}

TEST_F(TemplateDlgTest, NewStatementsAndANameTakenByAnother) {
  CTemplateDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  std::string sheet = Stored("资产负债表");

  ASSERT_TRUE(dlg.Choose("现金流量表"));
  EXPECT_TRUE(dlg.isNew);
  EXPECT_EQ(dlg.rows.size(), 1u);
  dlg.rows[0] = {"1", "0", "", "现金", "qm(1001:1012)", "qm(1001:1012,0)"};
  ASSERT_TRUE(dlg.OnOk()) << platform.LastText();
  EXPECT_EQ(dlg.names, (std::vector<std::string>{"资产负债表", "利润表", "现金流量表"}));

  // Saved under the balance sheet's name: asked, and kept apart when the answer is 否.
  dlg.form.name = "资产负债表";
  platform.answers = {MsgAnswer::No};
  EXPECT_FALSE(dlg.OnOk());
  EXPECT_EQ(dlg.focus, "name");
  EXPECT_EQ(Stored("资产负债表"), sheet);
  platform.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(dlg.OnOk());
  StatementTemplate t;
  ASSERT_TRUE(LoadStatement(env, "资产负债表", t));
  EXPECT_EQ(t.lines.size(), 1u);
}

TEST_F(TemplateDlgTest, ChangesAreDroppedOnlyWhenTheUserSaysSo) {
  CTemplateDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_TRUE(dlg.CanLeave());
  EXPECT_TRUE(platform.messages.empty());
  dlg.DeleteRow(0);
  platform.answers = {MsgAnswer::No, MsgAnswer::No};
  EXPECT_FALSE(dlg.Choose("利润表"));
  EXPECT_EQ(dlg.form.name, "资产负债表");
  EXPECT_FALSE(dlg.CanLeave());
  EXPECT_EQ(platform.messages.size(), 2u);
  platform.answers = {MsgAnswer::Yes};
  EXPECT_TRUE(dlg.Choose("利润表"));
  EXPECT_EQ(dlg.form.name, "利润表");
  EXPECT_TRUE(dlg.CanLeave());
}

}  // namespace
