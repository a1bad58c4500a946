// Entry by account: loading a month, typing rows, the totals and balances, and the save flow.
#include <gtest/gtest.h>

#include "entry/account_entry_dlg.h"
#include "entry/account_entry_view.h"
#include "entry_fixture.h"
#include "support/stale_sheets.h"

namespace {

class MonthEntry : public EntryTest {
 protected:
  CQirnpz1& Open(const std::string& code, int month, int fz = 0) {
    view = std::make_unique<CQirnpz1>();
    view->SetDataEnv(&env);
    view->InitForm();
    view->OnSize(1400, 900);
    view->Load(code, 2026, month, fz);
    return *view;
  }
  // Answers 是 to the save question (after the answers already queued) and saves.
  int Save() {
    platform.answers.push_back(MsgAnswer::Yes);
    return view->SaveFlow();
  }
  std::unique_ptr<CQirnpz1> view;
};

TEST_F(MonthEntry, AnEmptyMonthShowsOneRowZeroTotalsAndBalancesWithoutSide) {
  CQirnpz1& v = Open("101", 5);
  EXPECT_EQ(v.TextRows(), 1);
  auto rows = v.ReportRows();
  ASSERT_EQ(rows.size(), 1u);  // the totals line only
  EXPECT_EQ(rows[0], (std::vector<std::string>{"", "本  月  合  计", "0.00", "0.00", ""}));
  EXPECT_EQ(v.ItemText("FOOT", 0, 3), "月初：0.00");
  EXPECT_EQ(v.ItemText("FOOT", 0, 4), "月末：0.00");
  EXPECT_EQ(v.ItemText("HEAD", 0, 1), "帐户代码：101 名称：现金");
  EXPECT_EQ(v.SaveFlow(), CEntryView::kNotSaved);  // nothing changed: no question either
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MonthEntry, SavingNumbersEachDaysRowsAndWritesMarksSidesAndPeriods) {
  CQirnpz1& v = Open("101", 5);
  TypeRow(v, 0, {"5", "甲", "10", "", "2"});
  TypeRow(v, 1, {"3", "乙", "", "20", "1"});
  TypeRow(v, 2, {"5", "丙", "30", "", ""});
  TypeRow(v, 3, {"5", "丁", "", "40", "0"});
  TypeRow(v, 4, {"6", "没有金额", "", "", ""});  // dropped: no amount
  EXPECT_EQ(Save(), CEntryView::kSaved);
  EXPECT_FALSE(v.IsModified());
  EXPECT_EQ(Postings(), (std::vector<std::string>{
                            "20260503 101 -1 20.00 0 1 0 1 05 乙",
                            "20260505 101 1 10.00 0 2 4 1 05 甲",
                            "20260505 101 1 30.00 0 0 4 2 05 丙",
                            "20260505 101 -1 40.00 0 0 4 3 05 丁",
                        }));
  // What was written is what the next window reads, in date order.
  CQirnpz1& again = Open("101", 5);
  EXPECT_EQ(again.ReportRows()[0], (std::vector<std::string>{"03", "乙", "", "20.00", "对方达"}));
  // The 对方达 row stays outside the month's totals, shown beside them.
  EXPECT_EQ(again.ReportRows()[4],
            (std::vector<std::string>{"", "本  月  合  计(对方达另计 贷 20.00)", "40.00", "40.00", ""}));
}

TEST_F(MonthEntry, ADayOutsideTheMonthIsCountedAskedAboutAndDropped) {
  CQirnpz1& v = Open("101", 2);
  TypeRow(v, 0, {"3", "好", "10"});
  v.PutCell(1, 0, "TEXT", "0");  // a pasted day 0 with an amount
  v.PutCell(1, 2, "TEXT", "5");
  v.OnRowCountChanged(1);
  v.SetModified(true);
  platform.answers.push_back(MsgAnswer::Yes);  // back to editing
  EXPECT_EQ(v.SaveFlow(), CEntryView::kCancelled);
  EXPECT_EQ(platform.messages[0].text,
            "警告:  当前编辑的数据中有 1 项日期不合理，\n\n有效日期范围是: 1 日至 28 日。\n\n"
            "存盘时，这些项将被自动删除。\n\n是否返回继续修改？");
  EXPECT_TRUE(Postings().empty());
  platform.answers.push_back(MsgAnswer::No);  // save anyway
  EXPECT_EQ(Save(), CEntryView::kSaved);
  EXPECT_EQ(platform.messages.back().text,
            "警告:  2026 年 2 月份的数据已被修改\n\n请作选择：\n\n① 存盘请选择“是”；\n② 不存盘请选择“否”；\n"
            "③ 返回继续录入请选择“取消”。");
  EXPECT_EQ(Postings(), (std::vector<std::string>{"20260203 101 1 10.00 0 0 4 1 02 好"}));
}

TEST_F(MonthEntry, ClearingEveryRowDeletesTheMonthAndKeepsOtherMonthsAndOpenings) {
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260101','    "
      "',0,'期初余额','101',1,100,0,'4','01')");
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260405','0',1,'四月','101',1,7,0,'4','04')");
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) "
      "values('20260505','0',1,'五月','101',-1,150,0,'4','05')");
  CQirnpz1& v = Open("101", 5);
  EXPECT_EQ(v.ItemText("FOOT", 0, 3), "月初：107.00(借)");
  EXPECT_EQ(v.ItemText("FOOT", 0, 4), "月末：43.00(贷)");
  v.SetCurrent(0, 0, 0, "TEXT");
  v.OnKeyDown(VyKey::End, false, false);
  v.SelectAll();
  v.DeleteSelection();
  EXPECT_EQ(Save(), CEntryView::kNothingWritten);
  EXPECT_EQ(Postings(), (std::vector<std::string>{"20260405 101 1 7.00 0 0 4 1 04 四月"}));
  EXPECT_EQ(env.QueryLong("select count(*) from p0 where rn=0"), 1);
}

// 月初 and 月末 are the books' balances: the year's opening rows count from January on, 对方达 rows (stored
// outside the books) never, whether read from the file or typed; their sum is shown beside the caption.
TEST_F(MonthEntry, BalancesTakeTheOpeningRowsAndLeaveOutTheOtherSidesRows) {
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260101','    "
      "',0,'期初余额','101',1,100,0,'4','01')");
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260105','1',1,'对方','101',1,30,0,'0','01')");
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260106','2',1,'双方','101',-1,20,0,'4','01')");
  CQirnpz1& jan = Open("101", 1);
  EXPECT_EQ(jan.ItemText("FOOT", 0, 3), "月初：100.00(借)");
  EXPECT_EQ(jan.ItemText("FOOT", 0, 4), "月末：80.00(借)");
  EXPECT_EQ(jan.ReportRows().back(),
            (std::vector<std::string>{"", "本  月  合  计(对方达另计 借 30.00)", "0.00", "20.00", ""}));
  EXPECT_EQ(jan.ReportFoot(),
            (std::vector<std::string>{"会计主管：×××\t记帐：×××\t出纳：\t月初：100.00(借)\t月末：80.00(借)"}));
  // A typed 对方达 row stays outside too, until its mark changes.
  TypeRow(jan, 2, {"9", "对方贷", "", "500", "1"});
  EXPECT_EQ(jan.ItemText("FOOT", 0, 4), "月末：80.00(借)");
  EXPECT_EQ(jan.ReportRows().back()[1], "本  月  合  计(对方达另计 借 30.00 贷 500.00)");
  TypeRow(jan, 2, {"", "", "", "", "2"});
  EXPECT_EQ(jan.ItemText("FOOT", 0, 4), "月末：420.00(贷)");
  EXPECT_EQ(Open("101", 2).ItemText("FOOT", 0, 3), "月初：80.00(借)");
}

TEST_F(MonthEntry, ARowKeepsOneSideAndQuantityTimesPriceMakesTheAmount) {
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260101','    "
      "',0,'期初余额','101',1,100,0,'4','01')");
  CQirnpz1& cash = Open("101", 3);
  TypeRow(cash, 0, {"2", "还款", "", "20"});
  TypeRow(cash, 0, {"", "", "50"});  // a debit typed into the credit row empties the credit
  TypeRow(cash, 1, {"4", "付款", "", "200"});
  EXPECT_EQ(cash.ReportRows()[0], (std::vector<std::string>{"2", "还款", "50.00", "", "本帐达"}));
  EXPECT_EQ(cash.ItemText("FOOT", 0, 4), "月末：50.00(贷)");
  EXPECT_EQ(Save(), CEntryView::kSaved);
  EXPECT_EQ(Postings()[0], "20260302 101 1 50.00 0 0 4 1 03 还款");

  CQirnpz1& stock = Open("103", 3, 1);
  EXPECT_EQ(stock.ColumnCount(), 7);
  EXPECT_EQ(stock.ItemText("HEAD", 0, 2), "数量单位：吨");
  TypeRow(stock, 0, {"1", "购入", "10", "2"});  // 10 吨 at 2: a debit of 20
  TypeRow(stock, 1, {"2", "领用", "", "", "", "5"});
  TypeRow(stock, 1, {"", "", "3", "2.5"});  // 3 吨 at 2.5: the credit becomes 7.50
  auto rows = stock.ReportRows();
  EXPECT_EQ(rows[1], (std::vector<std::string>{"2", "领用", "3", "2.50", "", "7.50", "本帐达"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"", "本  月  合  计", "7", "1.7857", "20.00", "7.50", ""}));
  EXPECT_EQ(Save(), CEntryView::kSaved);
  EXPECT_EQ(Postings()[2], "20260302 103 -1 7.50 3 0 4 1 03 领用");
}

TEST_F(MonthEntry, RowsRemovedInsertedOrUndoneAreSavedExactlyAsShown) {
  CQirnpz1& v = Open("101", 6);
  TypeRow(v, 0, {"1", "一", "1"});
  TypeRow(v, 1, {"2", "二", "2"});
  TypeRow(v, 2, {"3", "三", "3"});
  // Remove the second row: the sheet loses it too.
  Click(v, 1, 0);
  Click(v, 1, 4, true);
  v.DeleteSelection();
  EXPECT_EQ(v.TextRows(), v.Sheet().Count());
  // Paste two whole rows at the top: both views of the rows open the same place.
  platform.clipboard = "4\t四\t4\t\t\n5\t五\t5\t\t\n";
  v.SetCurrent(0, 0, 0, "TEXT");
  v.Paste();
  EXPECT_EQ(v.TextRows(), v.Sheet().Count());
  // Undo the last cell typed: the fifth row's amount.
  v.SetCurrent(1, 2, 0, "TEXT");
  v.OnChar("0");
  v.Undo();
  EXPECT_EQ(Save(), CEntryView::kSaved);
  EXPECT_EQ(Postings(), (std::vector<std::string>{
                            "20260601 101 1 1.00 0 0 4 1 06 一", "20260603 101 1 3.00 0 0 4 1 06 三",
                            "20260604 101 1 4.00 0 0 4 1 06 四", "20260605 101 1 5.00 0 0 4 1 06 五"}));
}

TEST_F(MonthEntry, AFailingSaveLeavesTheFileAsItWasAndTheWindowModified) {
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260705','0',1,'旧','101',1,9,0,'4','07')");
  CQirnpz1& v = Open("101", 7);
  TypeRow(v, 1, {"6", "新", "1"});
  TypeRow(v, 2, {"7", "太长", "2"});
  v.PutCell(2, 1, "TEXT", std::string(41, 'x'));  // longer than the column can hold
  EXPECT_EQ(Save(), CEntryView::kFailed);
  EXPECT_EQ(platform.messages.back().icon, MsgIcon::Stop);
  EXPECT_TRUE(v.IsModified());
  EXPECT_EQ(Postings(), (std::vector<std::string>{"20260705 101 1 9.00 0 0 4 1 07 旧"}));
  // The close rule keeps such a window open and stops a shutdown.
  ShutdownLoop loop;
  platform.answers.push_back(MsgAnswer::Yes);
  EXPECT_FALSE(v.Frame().QueryClose(loop));
  EXPECT_FALSE(loop.KeepClosing());
  v.PutCell(2, 1, "TEXT", "短");
  platform.answers.push_back(MsgAnswer::Yes);
  EXPECT_TRUE(v.Frame().QueryClose(loop));
  EXPECT_EQ(Postings().size(), 3u);
}

TEST_F(MonthEntry, TheParameterDialogRefusesWithTheFocusOnTheField) {
  struct Case {
    const char *year, *month, *code, *message;
    CAccountEntryDlg::Focus focus;
  } cases[] = {
      {"2026", "13", "101", "录入日期已不在本年度内，请重录入", CAccountEntryDlg::Focus::Month},
      {"2025", "12", "101", "录入日期已不在本年度内，请重录入", CAccountEntryDlg::Focus::Month},
      {"2026", "3", "", "未录入帐户代码", CAccountEntryDlg::Focus::Code},
      {"2026", "3", "102", "帐户代码不存在或非最低明细帐户", CAccountEntryDlg::Focus::Code},
      {"2026", "3", "999", "帐户代码不存在或非最低明细帐户", CAccountEntryDlg::Focus::Code},
      {"2026", "2.9", "101", "录入日期已不在本年度内，请重录入", CAccountEntryDlg::Focus::Month},
      {"2026x", "3", "101", "录入日期已不在本年度内，请重录入", CAccountEntryDlg::Focus::Month},
      {"2026", "3", "103", "", CAccountEntryDlg::Focus::None},
  };
  for (const Case& c : cases) {
    CAccountEntryDlg dlg(env);
    dlg.Prefill();
    EXPECT_FALSE(dlg.yearEnabled);
    EXPECT_EQ(dlg.monthText, "12");  // the clock's month
    dlg.yearText = c.year;
    dlg.monthText = c.month;
    dlg.code = c.code;
    platform.messages.clear();
    EXPECT_EQ(dlg.OnOk(), !*c.message) << c.code;
    EXPECT_EQ(platform.LastText(), c.message);
    EXPECT_EQ(dlg.focus, c.focus);
    if (!*c.message) {
      EXPECT_EQ(dlg.fz, 1);
    }
  }
}

// Two programs on one year file: a save of a month or day that another program changed since it was
// opened is refused (the scenario is shared with the server's test).
TEST_F(MonthEntry, ASheetAnotherProgramChangedSinceItWasOpenedIsNotOverwritten) {
  ExpectStaleSheetsRefused(path, platform);
}

}  // namespace

namespace {

// After a save the status bar says when the books' period no longer balances; a month of one account is
// never a question. The note goes with the next change.
TEST_F(MonthEntry, ASaveThatLeavesThePeriodUnbalancedSaysSoInTheStatusBarOnly) {
  CQirnpz1& cash = Open("101", 3);
  TypeRow(cash, 0, {"5", "付款", "", "770"});
  EXPECT_EQ(Save(), CEntryView::kSaved);
  EXPECT_EQ(platform.messages.size(), 1u);  // the save question alone
  cash.SetCurrent(0, 1, 0, "TEXT");
  EXPECT_EQ(cash.CellPrompt(), "第 3 期借贷不平衡：借 0.00，贷 770.00，差额 770.00");
  cash.SetCurrent(0, 4, 0, "TEXT");
  EXPECT_EQ(cash.CellPrompt(), CEntryView::MarkLegend());  // the mark column keeps its legend
  cash.SetCurrent(0, 1, 0, "TEXT");
  TypeRow(cash, 0, {"", "付现"});
  EXPECT_EQ(cash.CellPrompt(), "");

  // The row was typed without a mark and saved as 本帐达: the 对帐 column says so, and still takes a digit.
  EXPECT_EQ(cash.ReportRows()[0][4], "本帐达");
  cash.SetCurrent(0, 4, 0, "TEXT");
  cash.OnChar("2");
  EXPECT_EQ(cash.ReportRows()[0][4], "双方达");

  // The counter posting on the bank's side: the period balances, nothing is said.
  CQirnpz1& bank = Open("102-1", 3);
  TypeRow(bank, 0, {"5", "付款", "770"});
  EXPECT_EQ(Save(), CEntryView::kSaved);
  bank.SetCurrent(0, 1, 0, "TEXT");
  EXPECT_EQ(bank.CellPrompt(), "");
}

}  // namespace
