// The account dialog: what it allows, its checks in order with their messages and focus, and what it writes.
#include "accounts/account_dlg.h"

#include <gtest/gtest.h>

#include "chart_setup_fixture.h"

namespace {

using Focus = CAccountDlg::Focus;

class AccountDlgTest : public ChartSetupTest {};

TEST_F(AccountDlgTest, ChecksOfConfirmInOrder) {
  AddRow("101", "现金");
  AddRow("102", "专用", "1");
  AddRow("103", "外币", "0", "2");
  AddRow("104", "多栏");
  env.Execute("update subt set dl='1' where trim(kno)='104'");
  AddRow("104-1", "办公费");
  env.Execute("insert into wbt(wno,na,ho) values('1','美元','')");
  AddRow("1234567890123", "长代码");
  struct Case {
    const char* what;
    std::string parent;
    std::function<void(CAccountDlg&)> type;
    const char* message;
    Focus focus;
    bool closes;
  };
  auto plain = [](const char* own, const char* name) {
    return [=](CAccountDlg& d) {
      d.ownPart = own;
      d.OnNameChanged(name);
    };
  };
  const std::vector<Case> cases = {
      {"all zeros", "101", plain("000", "甲"), "代码不能为空或小于 1，请重输!", Focus::Code, false},
      {"empty code", "101", plain("", "甲"), "代码不能为空或小于 1，请重输!", Focus::Code, false},
      {"too long", "101", plain("12345678901", "甲"), "代码太长，本级代码最多10位，请重输!", Focus::Code,
       false},
      // A parent of 13 characters leaves no room: said as such, and the dialog closes.
      {"no room under the parent", "1234567890123", plain("1", "甲"), "该代码长度已不够，不能再设置子科目!",
       Focus::Code, true},
      {"special parent", "102", plain("1", "甲"), "其父科目为专用科目，禁止明细化!", Focus::Code, true},
      {"currency parent", "103", plain("1", "甲"), "其父科目已被指定为外币核算，禁止明细化!", Focus::Code,
       true},
      {"blank name", "101", plain("1", "  "), "名称不能为空，请重输!", Focus::Name, false},
      {"currency gone", "101",
       [](CAccountDlg& d) {
         d.ownPart = "1";
         d.name = "甲";
         d.OnCurrencyTicked(true);
         d.currencyLine = "9    欧元";
       },
       "所选币种现已不存在或已改变，请重选!", Focus::Currency, false},
      {"no unit", "101",
       [](CAccountDlg& d) {
         d.ownPart = "1";
         d.name = "甲";
         d.OnQuantityTicked(true);
         d.unit = "   ";
       },
       "数量单位不能为空，请重输!", Focus::Unit, false},
      {"no side", "104", plain("2", "差旅费"),
       "因其父科目(帐户)为多栏式帐页，\n\r故请指定本科目(帐户)的多栏方向!", Focus::Side, false},
      {"no width", "104",
       [](CAccountDlg& d) {
         d.ownPart = "2";
         d.name = "差旅费";
         d.side = -1;
       },
       "请指定多栏式帐页的栏宽!", Focus::Width, false},
      {"narrow", "104",
       [](CAccountDlg& d) {
         d.ownPart = "2";
         d.name = "差旅费用a";  // 9 bytes: 5 characters wide
         d.side = 1;
         d.width = 4;
       },
       "多栏帐的栏宽不能小于本科目名称的汉字数!", Focus::Width, false},
      {"taken", "104",
       [](CAccountDlg& d) {
         d.ownPart = "01";
         d.OnNameChanged("办公费");
         d.side = 1;
       },
       "该代码已存在，请重输!", Focus::Code, false},
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    CAccountDlg d = CAccountDlg::ForAdd(env, c.parent);
    d.OnInitDialog();
    c.type(d);
    EXPECT_EQ(d.OnOk(), c.closes) << c.what;
    EXPECT_FALSE(d.saved) << c.what;
    EXPECT_EQ(platform.LastText(), c.message) << c.what;
    EXPECT_EQ(d.focus, c.focus) << c.what;
    if (std::string(c.what) == "narrow") {
      EXPECT_EQ(d.width, 5);
    }
  }
  EXPECT_EQ(Chart().size(), 6u);  // nothing was written
}

TEST_F(AccountDlgTest, WhatTheDialogAllowsAndWhatItWrites) {
  AddRow("101", "现金");
  AddRow("101-1", "人民币");
  AddRow("104", "多栏");
  env.Execute("update subt set dl='1' where trim(kno)='104'");

  // No currency in the file: none can be chosen; an account with children keeps no auxiliary accounting.
  CAccountDlg parent = CAccountDlg::ForModify(env, "101", "现金");
  parent.OnInitDialog();
  EXPECT_FALSE(parent.quantityEnabled);
  EXPECT_FALSE(parent.currencyEnabled);
  EXPECT_FALSE(parent.columnEnabled);

  env.Execute("insert into wbt(wno,na,ho) values('12','美元','')");
  CAccountDlg d = CAccountDlg::ForAdd(env, "104");
  d.OnInitDialog();
  EXPECT_EQ(d.Caption(), "增加新科目(帐户)...");
  EXPECT_TRUE(d.quantityEnabled && d.currencyEnabled && d.columnEnabled);
  EXPECT_EQ(d.currencies, std::vector<std::string>{"12   美元"});
  EXPECT_EQ(d.CodeMask().maxLength, 10);
  d.OnQuantityTicked(true);
  d.OnCurrencyTicked(true);
  EXPECT_FALSE(d.quantity);
  d.currencyLine = d.currencies[0];
  d.ownPart = "007";
  d.OnNameChanged("美 元户");
  EXPECT_EQ(d.width, 4);
  d.side = -1;
  d.multiColumn = true;
  ASSERT_TRUE(d.OnOk());
  EXPECT_TRUE(d.saved);
  EXPECT_EQ(Chart()[3], "104-7 美元户 2/0/2/1/-1/4");
  EXPECT_EQ(ReadAccount(env, "104-7")->auxUnit, "12");

  // Opened again for modifying, it shows what was stored.
  CAccountDlg m = CAccountDlg::ForModify(env, "104-7", "美元户");
  m.OnInitDialog();
  EXPECT_EQ(m.Caption(), "修改科目(帐户)...");
  EXPECT_TRUE(m.currency);
  EXPECT_EQ(m.currencyLine, "12   美元");
  EXPECT_EQ(m.side, -1);
  EXPECT_EQ(m.width, 4);
}

TEST_F(AccountDlgTest, ModifyingKeepsEveryDescendantWithinFourteenCharacters) {
  AddRow("1", "现金");
  AddRow("1-2345678901", "甲");  // 12 characters
  AddRow("2", "银行");
  struct Case {
    std::string code;
    size_t limit;
  } cases[] = {{"1", 3}, {"1-2345678901", 12}, {"2", 14}};
  for (const Case& c : cases) {
    CAccountDlg d = CAccountDlg::ForModify(env, c.code, "x");
    d.OnInitDialog();
    EXPECT_EQ(d.ownPartLimit, c.limit) << c.code;
  }
  CAccountDlg d = CAccountDlg::ForModify(env, "1", "现金");
  d.OnInitDialog();
  d.ownPart = "2";
  EXPECT_FALSE(d.OnOk());
  EXPECT_EQ(platform.LastText(), "该代码已存在，请重输!");
  d.ownPart = "1";  // the code kept, only the name changed
  d.name = "库存现金";
  EXPECT_TRUE(d.OnOk());
  EXPECT_EQ(ReadAccount(env, "1")->name, "库存现金");
}

}  // namespace
