// The reconciliation statement: where its items stand, which marks and dates count, and its dialog.
#include "interest/reconcile_view.h"
#include "interest/reconcile_dlg.h"
#include "interest_books.h"

class ReconcileTest : public InterestBooks {
 protected:
  void SetUp() override {
    InterestBooks::SetUp();
    Account("1002", "银行存款");
    Opening("1002", 1, 1000);
    Post("20260105", "1002", 1, 50, 1, "摘要", "2");  // both sides have it
  }
  std::vector<ReconcileRow> Build(double other = 1000) {
    CQirnpz4 view(env);
    view.InitForm();
    EXPECT_TRUE(view.Build({"20260201", "20260228", "1002", other}));
    return view.Rows();
  }
};

TEST_F(ReconcileTest, NoMarkedItems) {
  EXPECT_EQ(Build(1050), (std::vector<ReconcileRow>{
                             {"", "调节前本帐户余额", "1,050.00", "", "调节前对方帐户余额", "1,050.00"},
                             {"", "加：未达收入", "0.00", "", "加：未达收入", "0.00"},
                             {"", "减：未达支出", "0.00", "", "减：未达支出", "0.00"},
                             {"", "调节后本帐户余额", "1,050.00", "", "调节后对方帐户余额", "1,050.00"},
                         }));
}

TEST_F(ReconcileTest, HalvesFilledSideBySide) {
  Post("20260212", "1002", 1, 30, 1, "对方收款丙", "1");
  Post("20260203", "1002", 1, 10, 1, "对方收款甲", "1");
  Post("20260210", "1002", 1, 20, 1, "对方收款乙", "1");
  Post("20260215", "1002", -1, 40, 1, "本帐付款", "0");
  // Outside the period: ignored as items, while the book balance runs from the start of the year.
  Post("20260120", "1002", -1, 100, 1, "一月付款", "0");
  Post("20260301", "1002", 1, 70, 1, "三月对方收款", "1");
  Post("20260220", "1002", 1, 80, 1, "双方收款", "2");

  std::vector<ReconcileRow> rows = Build(1000);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[0][2], "990.00");  // 1,000 + 50 − 100 − 40 + 80: counter-party-only rows left out
  EXPECT_EQ(rows[1], (ReconcileRow{"", "加：未达收入", "60.00", "", "加：未达收入", "0.00"}));
  EXPECT_EQ(rows[2], (ReconcileRow{"2026.02.03", "对方收款甲", "10.00", "", "减：未达支出", "40.00"}));
  EXPECT_EQ(rows[3], (ReconcileRow{"2026.02.10", "对方收款乙", "20.00", "2026.02.15", "本帐付款", "40.00"}));
  EXPECT_EQ(rows[4], (ReconcileRow{"2026.02.12", "对方收款丙", "30.00", "", "", ""}));
  EXPECT_EQ(rows[5], (ReconcileRow{"", "减：未达支出", "0.00", "", "", ""}));
  EXPECT_EQ(rows[6], (ReconcileRow{"", "调节后本帐户余额", "1,050.00", "", "调节后对方帐户余额", "960.00"}));
}

TEST_F(ReconcileTest, WindowTextsAndReport) {
  CQirnpz4 view(env);
  view.InitForm();
  ASSERT_TRUE(view.Build({"20260201", "20260228", "1002", -5}));
  EXPECT_EQ(view.AccountText(), "帐户代码：1002  名称：银行存款");
  EXPECT_EQ(view.DateText(), "日期：2026 年 2 月 1 日至 2026 年 2 月 28 日");
  EXPECT_EQ(view.ReportRows()[0][5], "-5.00");
  EXPECT_EQ(view.ColumnCaptions()[4], "对方帐户 摘要");
  EXPECT_FALSE(view.IsEditable());
}

TEST_F(ReconcileTest, ParameterChecksInOrder) {
  Account("1003", "应收款");
  Account("1003-1", "甲");
  Account("1004", "备用金");
  platform.now = {2026, 3, 15, 9, 0, 0};
  CReconcileDlg defaults(env);
  defaults.OnInitDialog();
  EXPECT_EQ(defaults.end.Date(), "20260315");
  platform.now.year = 2027;
  defaults.OnInitDialog();
  EXPECT_EQ(defaults.end.Date(), "20261231");

  struct Case {
    std::string s, e, code, message;
  } cases[] = {
      {"20260001", "20260131", "1002", "起始时间的月份不合理，请重输!"},
      {"20260101", "20260132", "1002", "终止时间的日不合理，请重输!"},
      {"20251231", "20260131", "1002", "起始时间小于本年度的年初日，请重输!"},
      {"20260101", "20270101", "1002", "终止时间大于本年度的年末日，请重输!"},
      {"20260101", "20260131", "", "指定帐户不能为空，请重输!"},
      {"20260101", "20260131", "1003", "指定帐户不存在或非明细帐户，请重输!"},
      {"20260101", "20260131", "100?", "指定帐户不存在或非明细帐户，请重输!"},
      {"20260101", "20260131", "1004", "指定帐户本年度无任何数据，请重新指定其他帐户！"},
      {"20260301", "20260131", "1002", ""},  // start after end: an empty statement, not a refusal
  };
  for (const Case& c : cases) {
    CReconcileDlg dlg(env);
    dlg.OnInitDialog();
    dlg.start.Set(c.s);
    dlg.end.Set(c.e);
    dlg.code = c.code;
    dlg.balanceText = "-12.5";
    platform.messages.clear();
    EXPECT_EQ(dlg.OnOk(), c.message.empty()) << c.message;
    EXPECT_EQ(platform.LastText(), c.message);
    if (c.message.empty()) {
      EXPECT_EQ(dlg.params.otherBalance, -12.5);
    }
  }
}
