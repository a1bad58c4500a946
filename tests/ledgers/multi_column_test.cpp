// The multi-column and the quantity-amount / multi-currency ledgers: their columns, signs, prices and
// balances, and the catalogue dialog they open through.
#include <gtest/gtest.h>

#include "ledgers/aux_catalogue_dlg.h"
#include "ledgers/multi_column_ledger.h"
#include "ledgers/quantity_currency_ledger.h"
#include "ledgers_support.h"
#include "support/recording_dc.h"

namespace {

class MultiColumnTest : public LedgerBook {
 protected:
  void Chart() {
    Account("5001", "生产成本", "0", "", "1");
    Account("5001-1", "材料");
    Account("5001-1-1", "钢材");
    Account("5001-2", "人工");
    Account("5001-3", "冲减", "0", "", "0", -1, 4);
  }
};

TEST_F(MultiColumnTest, ColumnsAndLinesFollowTheSubAccounts) {
  Chart();
  Post("20260103", "5001-1", 1, 100, 1, "领料");
  Post("20260104", "5001-2", -1, 30, 1, "退回");
  Post("20260105", "5001-1-1", 1, 7, 1, "孙");
  Post("20260106", "5001-3", -1, 20, 1, "冲");
  auto view = Make<CQirnzb2>();
  view->Open("5001", "202601", "202612", "2026 年  1 月 至 12 月");
  // Sub-accounts without a side became debit columns five characters wide, in the chart for good.
  EXPECT_EQ(env.QueryLong("select count(*) from subt where kno like '5001-*' and clas=2 and dlf=1 and dlw=5"),
            2);
  EXPECT_EQ(view->ColumnWidths(), (std::vector<int>{3, 3, 38, 10, 10, 8, 2, 12}));
  EXPECT_EQ(view->ColumnCaptions()[5], "贷方/冲减");
  EXPECT_EQ(RowTexts(*view),
            (std::vector<std::string>{"01\t31\t本  月  汇  总\t107.00\t-30.00\t20.00\t借\t57.00",
                                      "01\t31\t本  年  累  计\t107.00\t-30.00\t20.00\t借\t57.00"}));
  view->SetDetail(true);
  // A credit on a debit column is negative there; the grandchild's posting is in the month line only.
  EXPECT_EQ(RowTexts(*view), (std::vector<std::string>{
                                 "01\t03\t领料\t100.00\t\t\t借\t100.00",
                                 "01\t04\t退回\t\t-30.00\t\t借\t70.00", "01\t06\t冲\t\t\t20.00\t借\t50.00",
                                 "01\t31\t本  月  合  计\t107.00\t-30.00\t20.00\t借\t57.00",
                                 "01\t31\t本  年  累  计\t107.00\t-30.00\t20.00\t借\t57.00"}));
  std::vector<bool> enabled;
  for (const VyMenuItem& m : view->ContextMenu())
    if (m.command == 32848 || m.command == 32849) enabled.push_back(m.enabled);
  EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
}

TEST_F(MultiColumnTest, GroupCaptionsSpanTheirColumns) {
  Chart();
  Post("20260103", "5001-1", 1, 100);
  auto view = Make<CQirnzb2>();
  view->Open("5001", "202601", "202601", "2026 年  1 月");
  RecordingDC dc;
  view->DrawFrame(dc);
  EXPECT_NE(dc.Find("      借      方"), nullptr);  // two columns of 10: 20 / 3 = 6 blanks
  EXPECT_NE(dc.Find("  贷  方"), nullptr);
  EXPECT_NE(dc.Find(" 多栏式帐页 "), nullptr);
}

TEST_F(MultiColumnTest, CatalogueDialogListsAndChecks) {
  EXPECT_FALSE(CAuxCatalogueDlg(env, CAuxCatalogueDlg::kMultiColumn, "", "", "").Open());
  EXPECT_EQ(platform.LastText(), "没有相应的辅助核算目录。");
  Chart();
  Account("1403", "原材料", "1", "吨");
  CAuxCatalogueDlg dialog(env, CAuxCatalogueDlg::kMultiColumn, "5001", "", "");
  ASSERT_TRUE(dialog.Open());
  EXPECT_EQ(dialog.lines, (std::vector<std::string>{Format("%-15s%-42s", "5001", "生产成本")}));
  EXPECT_EQ(dialog.Caption(), "2026年度辅助核算目录(多栏帐)");
  dialog.startMonth = "3";
  dialog.endMonth = "2";
  EXPECT_FALSE(dialog.Confirm());
  EXPECT_EQ(dialog.focus, "end");
  dialog.endMonth = "3";
  ASSERT_TRUE(dialog.Confirm());
  EXPECT_EQ(dialog.code, "5001");
  EXPECT_EQ(dialog.start, "202603");
  EXPECT_EQ(dialog.periodText, "2026 年  3 月");
  EXPECT_FALSE(CQirnzb2::HasContent(env, "5001", 12, "本科目无经济内容!"));
  EXPECT_EQ(platform.LastText(), "本科目无经济内容!");
}

class QuantityTest : public LedgerBook {};

TEST_F(QuantityTest, PricesAndBalancesLineByLine) {
  Account("1403", "原材料", "1", "吨");
  Opening("1403", 1, 100, 50);
  Post("20260110", "1403", 1, 3, 1, "入库", "2", 2);
  Post("20260111", "1403", 1, 1, 2, "入库", "2", 3);
  Post("20260112", "1403", -1, 5, 3, "调价", "2", -1);
  auto view = Make<CQirnzb3>(0);
  view->Open("1403", "202601", "202612", "2026 年  1 月 至 12 月");
  EXPECT_EQ(view->unitName, "吨");
  std::vector<std::string> rows = RowTexts(*view);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], "01\t01\t期 初 余 额\t\t\t\t\t\t\t借\t50\t2.00\t100.00");
  EXPECT_EQ(rows[1], "01\t10\t入库\t2\t1.50\t3.00\t\t\t\t借\t52\t1.9808\t103.00");
  EXPECT_EQ(rows[2], "01\t11\t入库\t3\t0.3333\t1.00\t\t\t\t借\t55\t1.8909\t104.00");
  // A negative quantity against a positive amount has no price.
  EXPECT_EQ(rows[3], "01\t12\t调价\t\t\t\t-1\t\t5.00\t借\t56\t1.7679\t99.00");
  EXPECT_EQ(rows[4], "01\t31\t本  月  合  计\t5\t0.80\t4.00\t-1\t\t5.00\t借\t56\t1.7679\t99.00");

  // From March, with nothing before it: the opening line is dated the period's first day.
  view->Open("1403", "202603", "202612", "2026 年  3 月 至 12 月");
  EXPECT_EQ(RowTexts(*view),
            (std::vector<std::string>{
                "03\t01\t期 初 余 额 汇 总\t5\t0.80\t4.00\t-1\t\t5.00\t借\t56\t1.7679\t99.00"}));
}

TEST_F(QuantityTest, OpeningTestsAndSigns) {
  Account("1403", "原材料", "1", "吨");
  Account("1403-1", "子");
  Account("1404", "材料", "1", "kg");
  Opening("1404", -1, 10, 4);
  Post("20260301", "1404", 1, 0, 1, "出", "2", 0);
  EXPECT_FALSE(CQirnzb3::CanShow(env, 0, "1403", 12));
  EXPECT_EQ(platform.LastText(), "本帐户已有子帐户，已不是数量金额核算");
  EXPECT_FALSE(CQirnzb3::CanShow(env, 1, "1403", 12));
  EXPECT_EQ(platform.LastText(), "本帐户已有子帐户，已不是外币核算");
  Account("1405", "无");
  EXPECT_FALSE(CQirnzb3::CanShow(env, 0, "1405", 12));
  EXPECT_EQ(platform.LastText(), "本帐户无经济内容!");
  auto view = Make<CQirnzb3>(1);
  view->Open("1404", "202603", "202603", "2026 年  3 月");
  auto rows = RowTexts(*view);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], "03\t01\t期 初 余 额\t\t\t\t\t\t\t贷\t4\t2.50\t10.00");
  struct Price {
    double amount, second, price;
  };
  for (const Price& p : std::vector<Price>{{3, 2, 1.5}, {1, 3, 1.0 / 3}, {-3, 2, 0}, {3, 0, 0}, {-6, -3, 2}})
    EXPECT_DOUBLE_EQ(CQirnzb3::Price(p.amount, p.second), p.price);
}

}  // namespace
