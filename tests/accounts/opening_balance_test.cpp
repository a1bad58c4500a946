// Opening balances against a real year file: the browser's levels and totals, the edit dialog's fields and
// what a save leaves in P0.
#include "accounts/opening_balance.h"

#include <gtest/gtest.h>

#include "accounts/account_code.h"
#include "accounts/opening_browser_dlg.h"
#include "accounts/opening_edit_dlg.h"
#include "base/text.h"
#include "data/recordset.h"
#include "support/year_file_fixture.h"

namespace {

class OpeningTest : public YearFileTest {
 protected:
  void SetUp() override { ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1)); }

  void Add(const std::string& code, const std::string& name, int fz = 0) {
    env.Execute(
        Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','%d',%s,'0',0,0)",
               code.c_str(), name.c_str(), CodeLevel(code), fz, fz ? "'个'" : "NULL"));
  }
  bool Save(const std::string& code, bool debit, const std::string& amount,
            const std::string& quantity = "") {
    COpeningEditDlg dlg(env, code);
    EXPECT_TRUE(dlg.OnInitDialog()) << code;
    dlg.debit = debit;
    dlg.amount = amount;
    dlg.quantity = quantity;
    return dlg.OnOk();
  }
  // The opening rows of P0 as "code F MY NU T MRY MK TT RN", in code order.
  std::vector<std::string> OpeningRows() {
    CVyRecordset rs(env.Db(), {"f", "rn"}, {"my", "nu"}, {"Expr1000", "t", "Expr1005", "mk", "tt"});
    rs.Open(
        "select trim(kno),f,my,nu,t,trim(mry),mk,tt,rn from p0 where strcomp(cer,'    ',0)=0 order by kno");
    std::vector<std::string> rows;
    for (; !rs.IsEOF(); rs.MoveNext())
      rows.push_back(Format("%s %d %.2f %.4f %s %s %s %s %d", rs.GetText(0).c_str(), rs.GetLong(0),
                            rs.GetDouble(0), rs.GetDouble(1), rs.GetText(1).c_str(), rs.GetText(2).c_str(),
                            rs.GetText(3).c_str(), rs.GetText(4).c_str(), rs.GetLong(1)));
    return rows;
  }
  static std::vector<std::string> Shown(const COpeningBrowserDlg& b) {
    std::vector<std::string> lines;
    for (const auto& l : b.Lines()) lines.push_back(l.code + " " + l.name + " " + l.side + " " + l.amount);
    lines.push_back(b.DebitText() + " " + b.CreditText() + " " + b.DifferenceText());
    return lines;
  }

  CVyDataEnv env;
};

TEST_F(OpeningTest, TheBrowserWalksLevelsWithSubTreeBalancesAndLevelTotals) {
  Add("100", "备用金");
  Add("101", "现金");
  Add("101-1", "人民币");
  Add("101-2", "外汇");
  Add("101-10", "零用");
  Add("102", "银行");
  ASSERT_TRUE(Save("101-1", true, "100"));
  ASSERT_TRUE(Save("101-2", false, "30"));
  ASSERT_TRUE(Save("102", false, "1234.5"));

  COpeningBrowserDlg b(env);
  ASSERT_TRUE(b.OnInitDialog());
  // The parent shows its children's sum; the totals count the parent, never the children again.
  EXPECT_EQ(Shown(b), (std::vector<std::string>{"100 备用金 平 0.00", "101 现金 借 70.00",
                                                "102 银行 贷 1234.50", "70.00 1234.50 -1164.50"}));
  EXPECT_EQ(b.OnEnter(), COpeningBrowserDlg::EnterResult::Edit);  // 100 has no sub-accounts

  b.selected = 1;
  EXPECT_EQ(b.OnEnter(), COpeningBrowserDlg::EnterResult::Descended);
  EXPECT_EQ(b.Parent(), "101");
  EXPECT_EQ(Shown(b), (std::vector<std::string>{"101-1 人民币 借 100.00", "101-2 外汇 贷 30.00",
                                                "101-10 零用 平 0.00", "100.00 30.00 70.00"}));
  EXPECT_EQ(b.selected, 0);

  EXPECT_TRUE(b.OnEscape());
  EXPECT_EQ(b.Parent(), "");
  EXPECT_EQ(b.SelectedCode(), "101");  // the account just left
  EXPECT_FALSE(b.OnEscape());          // the top level closes the dialog

  EXPECT_FALSE(b.OpenLevel("100"));  // no sub-accounts: nothing changes
  EXPECT_EQ(b.Parent(), "");
  EXPECT_TRUE(b.OpenLevel("101"));

  // Saving a zero amount deletes the row; the level shows 平 once it is listed again.
  ASSERT_TRUE(Save("101-1", true, ""));
  b.selected = 2;
  b.Refresh();
  EXPECT_EQ(b.Lines()[0].side, "平");
  EXPECT_EQ(b.selected, 2);
  EXPECT_EQ(b.DifferenceText(), "-30.00");
}

TEST_F(OpeningTest, AYearWithoutAccountsHasNothingToAdjust) {
  COpeningBrowserDlg b(env);
  EXPECT_FALSE(b.OnInitDialog());
  EXPECT_EQ(platform.LastText(), "警  告：\r\r  本年度尚未建立科目，\r\r  无需录入或调整期初余额。");
}

TEST_F(OpeningTest, QuantityAndPriceMakeTheAmountAndTheAmountMakesThePrice) {
  Add("1403", "原材料", 1);
  struct Case {
    const char *quantity, *price, *amount;
    bool amountTyped;
    const char *wantPrice, *wantAmount;
  } cases[] = {
      {"10", "2.5", "", false, "2.5", "25.00"},
      {"10", "", "30", true, "3.0000", "30"},
      {"3", "", "10", true, "3.3333", "10"},
      {"", "2.5", "7", false, "2.5", "7"},  // no quantity: nothing to compute
      {"0", "", "30", true, "", "30"},      // a zero quantity gives no price
      {"10", "2.5", "", true, "2.5", ""},   // an amount cleared leaves the price
  };
  for (const Case& c : cases) {
    COpeningEditDlg dlg(env, "1403");
    ASSERT_TRUE(dlg.OnInitDialog());
    dlg.quantity = c.quantity;
    dlg.price = c.price;
    dlg.amount = c.amount;
    if (c.amountTyped)
      dlg.OnAmountChanged();
    else
      dlg.OnQuantityOrPriceChanged();
    EXPECT_EQ(dlg.price, c.wantPrice) << c.quantity << "/" << c.price << "/" << c.amount;
    EXPECT_EQ(dlg.amount, c.wantAmount) << c.quantity << "/" << c.price << "/" << c.amount;
  }
}

TEST_F(OpeningTest, TheEditDialogShowsTheAccountsKindAndItsSavedRow) {
  Add("1403", "原材料", 1);
  Add("1122", "应收美元", 2);
  Add("1001", "库存现金");
  ASSERT_TRUE(Save("1403", false, "25", "10"));

  struct Case {
    const char* code;
    const char *side, *quantity, *price, *amount;
    bool debit;
    const char *q, *p, *a;
  } cases[] = {
      {"1403", "金额方向", "数  量", "单  价", "金  额", false, "10", "2.5000", "25.00"},
      {"1122", "金额方向", "外  币", "汇  率", "本位币", true, "", "", ""},
      {"1001", "方向", "数  量", "单  价", "余额", true, "", "", ""},
  };
  for (const Case& c : cases) {
    COpeningEditDlg dlg(env, c.code);
    ASSERT_TRUE(dlg.OnInitDialog()) << c.code;
    EXPECT_EQ(dlg.Title(), std::string("帐户：") + c.code);
    EXPECT_EQ(dlg.SideCaption(), c.side) << c.code;
    EXPECT_EQ(dlg.AmountLabel(), c.amount) << c.code;
    if (dlg.HasQuantity()) {
      EXPECT_EQ(dlg.QuantityLabel(), c.quantity) << c.code;
      EXPECT_EQ(dlg.PriceLabel(), c.price) << c.code;
    }
    EXPECT_EQ(dlg.debit, c.debit) << c.code;
    EXPECT_EQ(dlg.quantity, c.q) << c.code;
    EXPECT_EQ(dlg.price, c.p) << c.code;
    EXPECT_EQ(dlg.amount, c.a) << c.code;
  }
}

TEST_F(OpeningTest, ASaveReplacesTheOpeningRowOrRefusesAndWritesNothing) {
  Add("1001", "库存现金");
  Add("1122", "应收美元", 2);
  Add("1403", "原材料", 1);
  Add("101", "现金");
  Add("101-1", "人民币");
  struct Case {
    const char* code;
    bool debit;
    const char *amount, *quantity;
    const char* message;  // "" when saved
    std::vector<std::string> rows;
  } cases[] = {
      {"1001", true, "100", "", "", {"1001 1 100.00 0.0000 20260101 期初余额 4 01 0"}},
      {"1001", false, "88.5", "", "", {"1001 -1 88.50 0.0000 20260101 期初余额 4 01 0"}},
      // A foreign amount alone still makes a row.
      {"1122",
       true,
       "",
       "50",
       "",
       {"1001 -1 88.50 0.0000 20260101 期初余额 4 01 0", "1122 1 0.00 50.0000 20260101 期初余额 4 01 0"}},
      {"1122", true, "-5", "50", "金额应为不小于零的数，最多两位小数，请重输!", {}},
      {"1403", true, "12.345", "", "金额应为不小于零的数，最多两位小数，请重输!", {}},
      {"1403", true, "1", "x", "数量应为不小于零的数，最多四位小数，请重输!", {}},
      // Too many digits is said as such, not as a wrong number.
      {"1001", true, "1000000000000", "", "金额太大，整数部分最多12位，请重输!", {}},
      {"1001", true, "1000000000000.5", "", "金额太大，整数部分最多12位，请重输!", {}},
      {"1403", true, "1", "1234567890123", "数量太大，整数部分最多12位，请重输!", {}},
      {"1001", true, "99999999999999.999", "", "金额应为不小于零的数，最多两位小数，请重输!", {}},
      {"1001", true, "", "", "", {"1122 1 0.00 50.0000 20260101 期初余额 4 01 0"}},
  };
  std::vector<std::string> last;
  for (const Case& c : cases) {
    platform.messages.clear();
    bool saved = Save(c.code, c.debit, c.amount, c.quantity);
    EXPECT_EQ(saved, !*c.message) << c.code << " " << c.amount;
    EXPECT_EQ(platform.LastText(), c.message) << c.code << " " << c.amount;
    if (saved) last = c.rows;
    EXPECT_EQ(OpeningRows(), last) << c.code << " " << c.amount;
  }

  COpeningEditDlg parent(env, "101");
  EXPECT_FALSE(parent.OnInitDialog());
  EXPECT_EQ(parent.Refusal(), "帐户代码不存在或非最低明细帐户");
}

TEST_F(OpeningTest, AFailedSaveLeavesTheFileAsItWasAndShowsTheEnginesMessage) {
  Add("1001", "库存现金");
  ASSERT_TRUE(Save("1001", true, "100"));
  const std::vector<std::string> before = OpeningRows();
  // The delete succeeds, the insert after it fails.
  env.Db()->ExecuteEngineSql("CREATE TRIGGER refuse BEFORE INSERT ON P0 BEGIN SELECT RAISE(ABORT,'磁盘已满'); END");
  platform.messages.clear();
  EXPECT_FALSE(Save("1001", false, "70"));
  EXPECT_EQ(OpeningRows(), before);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.LastText().find("磁盘已满"), std::string::npos);
  EXPECT_EQ(env.Db()->TransactionDepth(), 0);
}

}  // namespace

namespace {

// Closing the dialog says when the level-1 openings do not balance, from whatever level it closes on;
// balanced openings close without a word.
TEST_F(OpeningTest, ClosingOnUnbalancedOpeningsSaysByHowMuch) {
  Add("101", "现金");
  Add("102", "银行");
  Add("102-1", "工行");
  Add("201", "借款");
  struct Case {
    const char* code;
    bool debit;
    const char* amount;
    std::string said;  // "" for nothing
  } cases[] = {
      {"101", true, "100", "年初余额借贷不平衡：借 100.00，贷 0.00，差额 100.00。"},
      {"102-1", true, "50", "年初余额借贷不平衡：借 150.00，贷 0.00，差额 150.00。"},
      {"201", false, "150", ""},
      {"201", false, "150.01", "年初余额借贷不平衡：借 150.00，贷 150.01，差额 0.01。"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Save(c.code, c.debit, c.amount));
    platform.messages.clear();
    COpeningBrowserDlg b(env);
    ASSERT_TRUE(b.OnInitDialog());
    b.OpenLevel("102");  // closed from below the top
    b.OnClose();
    if (c.said.empty()) {
      EXPECT_TRUE(platform.messages.empty()) << c.amount;
    } else {
      ASSERT_EQ(platform.messages.size(), 1u) << c.amount;
      EXPECT_EQ(platform.messages[0].text.substr(0, c.said.size()), c.said);
      EXPECT_EQ(platform.messages[0].icon, MsgIcon::Information);
    }
    EXPECT_EQ(b.Parent(), "");
  }
}

}  // namespace

namespace {

// A new opening starts on the side the account's balance normally stands on, from its level-1 account; a
// currency account offers the currency's first rate of the year; an existing row keeps its own side.
TEST_F(OpeningTest, ANewOpeningStartsOnTheAccountsNormalSideWithTheCurrencysRate) {
  struct Case {
    const char* code;
    const char* name;
    bool debit;
  } cases[] = {
      {"1001", "库存现金", true},   {"1231", "坏账准备", false},     {"1602", "累计折旧", false},
      {"1702", "累计摊销", false},  {"2202", "应付账款", false},     {"4001", "实收资本", false},
      {"4103", "本年利润", false},  {"4201", "库存股", true},        {"6001", "主营业务收入", false},
      {"6111", "投资收益", false},  {"6602", "管理费用", true},      {"5001", "生产成本", true},
  };
  for (const Case& c : cases) {
    Add(c.code, c.name);
    Add(std::string(c.code) + "-1", "明细");
    COpeningEditDlg dlg(env, std::string(c.code) + "-1");  // the sub-account follows its level-1 account
    ASSERT_TRUE(dlg.OnInitDialog());
    EXPECT_EQ(dlg.debit, c.debit) << c.code;
  }
  ASSERT_TRUE(Save("1602-1", true, "5"));  // a saved row keeps the side it was given
  COpeningEditDlg saved(env, "1602-1");
  ASSERT_TRUE(saved.OnInitDialog());
  EXPECT_TRUE(saved.debit);

  env.Execute("insert into wbt(wno,na,ho) values('840','美元','')");
  env.Execute("insert into wbr(wno,t,my1,my2) values('840','20260301',100,712)");
  env.Execute("insert into wbr(wno,t,my1,my2) values('840','20260105',100,710)");
  env.Execute("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('1003','美元户',1,'0','2','840','0',0,0)");
  COpeningEditDlg currency(env, "1003");
  ASSERT_TRUE(currency.OnInitDialog());
  EXPECT_EQ(currency.price, "7.1000");
  currency.quantity = "1000";
  currency.OnQuantityOrPriceChanged();
  EXPECT_EQ(currency.amount, "7100.00");
  EXPECT_EQ(currency.AmountEcho(), "7,100.00");
  currency.amount = "999.99";
  EXPECT_EQ(currency.AmountEcho(), "");
}

}  // namespace
