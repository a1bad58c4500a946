// Entry by date: the accounts of a day's rows, the switch to seven columns, F2, the code check and the
// line numbers of each account; the date dialog.
#include <gtest/gtest.h>

#include "accounts/account_asker.h"
#include "base/gbk.h"
#include "entry/date_entry_view.h"
#include "entry/date_entry_dlg.h"
#include "entry/postings_import.h"
#include "entry_fixture.h"

namespace {

class DayEntry : public EntryTest {
 protected:
  CQirnpz2& Open(int month, int day) {
    view = std::make_unique<CQirnpz2>();
    view->SetDataEnv(&env);
    view->InitForm();
    view->OnSize(1400, 900);
    view->Load(2026, month, day);
    return *view;
  }
  int Save() {
    platform.answers.push_back(MsgAnswer::Yes);
    return view->SaveFlow();
  }
  std::unique_ptr<CQirnpz2> view;
};

TEST_F(DayEntry, EachAccountsRowsOfTheDayAreNumberedAndParentsAreDropped) {
  CQirnpz2& v = Open(3, 9);
  EXPECT_EQ(v.SaveFlow(), CEntryView::kNotSaved);  // an empty day, unchanged
  TypeRow(v, 0, {"存入", "102-1", "300", "", "2"});
  TypeRow(v, 1, {"取现", "101", "", "100"});
  TypeRow(v, 2, {"再取", "101", "", "50", "1"});
  TypeRow(v, 3, {"上级", "102", "9"});
  EXPECT_EQ(v.ReportRows()[0][1], "银行存款/工商银行");  // a lowest-level account shows its full name
  EXPECT_EQ(v.ReportRows()[3][1], "102");
  platform.answers.push_back(MsgAnswer::No);  // the code check: save without the parent's row
  platform.answers.push_back(MsgAnswer::Yes);  // save
  platform.answers.push_back(MsgAnswer::Yes);  // although the day does not balance
  EXPECT_EQ(view->SaveFlow(), CEntryView::kSaved);
  EXPECT_EQ(
      platform.messages[0].text,
      "警告:  当前编辑的数据中有 1 项帐户代码不合理。\n（第 4 行）\n\n存盘时，这些项将被自动删除。\n\n是否返回继续修改？");
  EXPECT_EQ(Postings(), (std::vector<std::string>{"20260309 101 -1 100.00 0 0 4 1 03 取现",
                                                  "20260309 101 -1 50.00 0 1 0 2 03 再取",
                                                  "20260309 102-1 1 300.00 0 2 4 1 03 存入"}));
  // The next window reads the day in account order.
  // The day's totals are the books': the 对方达 row stands beside them.
  EXPECT_EQ(Open(3, 9).ReportRows().back(),
            (std::vector<std::string>{"借贷差额 200.00", "合       计(对方达另计 贷 50.00)", "300.00", "100.00", ""}));
}

TEST_F(DayEntry, GoingBackToABadCodePutsTheCaretOnItsRow) {
  CQirnpz2& v = Open(3, 10);
  TypeRow(v, 0, {"存入", "102-1", "300"});
  TypeRow(v, 1, {"上级", "102", "9"});
  TypeRow(v, 2, {"取现", "101", "", "100"});
  TypeRow(v, 3, {"无此帐户", "109", "", "5"});
  v.SetCurrent(0, 0, 0, "TEXT");
  platform.answers.push_back(MsgAnswer::Yes);  // 是: back to the rows
  EXPECT_EQ(v.SaveFlow(), CEntryView::kCancelled);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("有 2 项帐户代码不合理。\n（第 2、4 行）"), std::string::npos);
  EXPECT_EQ(v.Current().row, 1);
  EXPECT_EQ(v.Current().col, 1);
  EXPECT_EQ(v.Current().caret, 3);  // behind "102"
  EXPECT_TRUE(v.IsModified());
  EXPECT_TRUE(Postings().empty());
}

TEST_F(DayEntry, TheMarkColumnExplainsItsCodesInBothLayouts) {
  CQirnpz2& v = Open(3, 11);
  for (const char* account : {"101", "103"}) {  // 103 keeps quantities: seven columns
    TypeRow(v, 0, {"付款", account, "10"});
    for (int col = 0; col < v.ColumnCount(); ++col) {
      v.SetCurrent(0, col, 0, "TEXT");
      EXPECT_EQ(v.CellPrompt(), col == v.ColumnCount() - 1 ? "0 本帐达  1 对方达  2 双方达" : "")
          << account << " " << col;
    }
  }
  EXPECT_EQ(v.ColumnCount(), 7);
}

TEST_F(DayEntry, AQuantityAccountSwitchesToSevenColumnsForGood) {
  AccountAsker none;
  SetAccountAsker([](int mode, const std::string& preset) -> std::optional<std::string> {
    EXPECT_EQ(mode, accountquery::kLowestLevel);
    EXPECT_EQ(preset, "");
    return std::string("103");
  });
  CQirnpz2& v = Open(4, 1);
  TypeRow(v, 0, {"付款", "101", "10"});
  EXPECT_EQ(v.ColumnCount(), 5);
  v.SetCurrent(1, 1, 0, "TEXT");
  ASSERT_TRUE(v.IsCommandEnabled(vycmd::kAccountLookUp));
  v.OnCommand(vycmd::kAccountLookUp);  // F2 chooses 103 原材料, kept in 吨
  EXPECT_EQ(v.ColumnCount(), 7);
  EXPECT_FALSE(v.CanEditCell(0, 2, "TEXT"));  // 101 keeps no quantities
  EXPECT_TRUE(v.CanEditCell(1, 2, "TEXT"));
  TypeRow(v, 1, {"购料", "", "4", "2.5"});
  // A row with an amount and no mark says what it is saved as: 本帐达.
  EXPECT_EQ(v.ReportRows()[1], (std::vector<std::string>{"购料", "原材料", "4", "2.50", "10.00", "", "本帐达"}));
  TypeRow(v, 1, {"", "201"});  // another account: the columns stay
  EXPECT_EQ(v.ColumnCount(), 7);
  TypeRow(v, 1, {"", "103"});
  platform.answers.push_back(MsgAnswer::Yes);
  platform.answers.push_back(MsgAnswer::Yes);  // two debits: saved although the day does not balance
  EXPECT_EQ(v.SaveFlow(), CEntryView::kSaved);
  EXPECT_EQ(Postings()[1], "20260401 103 1 10.00 4 0 4 1 04 购料");
  SetAccountAsker(none);
}

TEST_F(DayEntry, TheDialogTakesOnlyDaysOfTheYearThatTheCalendarHas) {
  struct Case {
    const char *month, *day, *message;
  } cases[] = {
      {"2", "30", "2 月没有 30 日，请重输"},
      {"4", "31", "4 月没有 31 日，请重输"},
      {"13", "1", "你输入的日期已不在本年度之内，请重输"},
      {"12", "32", "你输入的日期已不在本年度之内，请重输"},
      {"2.9", "5", "你输入的日期不存在，请重输"},
      {"2", "5x", "你输入的日期不存在，请重输"},
      {"2", "28", ""},
  };
  for (const Case& c : cases) {
    CDateEntryDlg dlg(env);
    dlg.Prefill();
    EXPECT_EQ(dlg.dayText, "7");
    dlg.monthText = c.month;
    dlg.dayText = c.day;
    platform.messages.clear();
    EXPECT_EQ(dlg.OnOk(), !*c.message) << c.month << "-" << c.day;
    EXPECT_EQ(platform.LastText(), c.message);
    if (*c.message) {
      EXPECT_EQ(dlg.focus, CDateEntryDlg::Focus::Day);
    }
  }
}

TEST_F(DayEntry, ImportedPostingsContinueTheLineNumbersOrGoInNotAtAll) {
  env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260105','0',1,'已有','101',1,5,0,'4','01')");
  auto import = [&](const std::string& text) {
    CsvTable table;
    std::string error;
    EXPECT_TRUE(table.Parse(gbk::ToUtf8("date,account,summary,debit,credit,mark,quantity\n" + text), error));
    return ImportPostings(env, table);
  };
  ImportOutcome bad = import(
      "20260105,101,好,1,,,\n20260230,101,日,1,,,\n20260106,102,父,1,,,\n20260106,101,双,1,2,,\n"
      "20260106,101,空,,,,\n20260106,101,标,1,,3,\n20260106,101,量,1,,,2\n");
  EXPECT_EQ(bad.refused,
            (std::vector<std::string>{
                "第 3 行：2 月没有 30 日，请重输", "第 4 行：帐户代码不存在或非最低明细帐户",
                "第 5 行：借方金额和贷方金额只能填写一方", "第 6 行：未录入金额",
                "第 7 行：对帐标记应为 0、1 或 2", "第 8 行：该帐户不核算数量或外币，不能录入数量或外币"}));
  EXPECT_EQ(Postings().size(), 1u);
  ImportOutcome good = import("20260105,101,再,,2.5,1,\n20260105,101,又,3,,2,\n20260105,103,料,6,,,3\n");
  EXPECT_TRUE(good.Ok());
  EXPECT_EQ(Postings(), (std::vector<std::string>{
                            "20260105 101 1 5.00 0 0 4 1 01 已有", "20260105 101 -1 2.50 0 1 0 2 01 再",
                            "20260105 101 1 3.00 0 2 4 3 01 又", "20260105 103 1 6.00 3 0 4 1 01 料"}));
}

}  // namespace

namespace {

// The day's foot shows the difference of its sides; saving a day that does not balance asks, 否 (the default)
// back to editing with nothing written, 是 saving it. A balanced day is not asked about.
TEST_F(DayEntry, AnUnbalancedDayShowsItsDifferenceAndIsAskedAboutBeforeSaving) {
  struct Case {
    std::vector<std::vector<std::string>> rows;
    std::string foot;
    bool asked;
  } cases[] = {
      {{{"付款", "101", "", "60"}, {"付款", "102-1", "100"}}, "借贷差额 40.00", true},
      {{{"付款", "101", "", "60"}, {"付款", "102-1", "60"}}, "借贷平衡", false},
      // A 对方达 row is outside the books: beside the caption, not in the balance.
      {{{"付款", "101", "", "60"}, {"付款", "102-1", "60"}, {"未达", "102-2", "9", "", "1"}}, "借贷平衡", false},
      {{{"付款", "101", "", "60"}, {"付款", "102-1", "60"}, {"未达", "102-2", "9", "", "0"}}, "借贷差额 9.00", true},
  };
  int day = 1;
  for (const Case& c : cases) {
    platform.messages.clear();
    CQirnpz2& v = Open(5, day);
    for (size_t r = 0; r < c.rows.size(); ++r) TypeRow(v, static_cast<int>(r), c.rows[r]);
    EXPECT_EQ(v.ReportRows().back()[0], c.foot) << day;
    platform.answers = {MsgAnswer::Yes};  // save; the balance question then takes its default, 否
    if (c.asked) {
      EXPECT_EQ(v.SaveFlow(), CEntryView::kCancelled) << day;
      ASSERT_EQ(platform.messages.size(), 2u);
      const RecordedMessage& q = platform.messages[1];
      EXPECT_EQ(q.buttons, MsgButtons::YesNo);
      EXPECT_EQ(q.defaultButton, MsgAnswer::No);
      EXPECT_TRUE(v.IsModified());
      EXPECT_TRUE(Postings().empty());
      platform.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    }
    EXPECT_EQ(v.SaveFlow(), CEntryView::kSaved) << day;
    EXPECT_FALSE(v.IsModified());
    env.Execute("delete from p0");
    ++day;
  }
  EXPECT_EQ(platform.messages.back().text, "本日借贷不平衡（借 69.00，贷 60.00，差额 9.00），仍要保存吗？");
}

// Quantities of different accounts do not add up: the foot shows a total quantity and price only when the
// rows that have one share their account.
TEST_F(DayEntry, TheFootShowsAQuantityAndPriceOnlyForOneQuantityAccount) {
  env.Execute("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('104','产成品',1,'0','1','件','0',0,0)");
  struct Case {
    const char* second;
    std::string quantity, price;
  } cases[] = {{"103", "6", "5.00"}, {"104", "", ""}};
  int day = 10;
  for (const Case& c : cases) {
    CQirnpz2& v = Open(6, day++);
    TypeRow(v, 0, {"购料", "103", "4", "2.5"});
    TypeRow(v, 1, {"购料", c.second, "2", "10"});
    ASSERT_EQ(v.ColumnCount(), 7);
    const std::vector<std::string> foot = v.TotalsLine();
    EXPECT_EQ(Trim(foot[2]), c.quantity) << c.second;
    EXPECT_EQ(Trim(foot[3]), c.price) << c.second;
    v.SetModified(false);
  }
}

}  // namespace
