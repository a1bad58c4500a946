// Currencies and their rates against a real year file: the checks of both dialogs, what follows a renamed
// currency, deleting, and a failing change that leaves the file as it was.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "accounts/account_code.h"
#include "accounts/currency_list_dlg.h"
#include "accounts/rate_list_dlg.h"
#include "base/text.h"
#include "data/recordset.h"
#include "support/scripted_face.h"
#include "support/year_file_fixture.h"

namespace {

class CurrencyTest : public YearFileTest {
 protected:
  void SetUp() override {
    path = MakeYearFile("2026.VYX", 2026);
    ASSERT_TRUE(env.Open(path, "", 1));
    Account("6", "财务费用", "0", "");
    Account("6-1", "汇兑损益", "0", "");
    Account("6-2", "利息", "0", "");
    Account("7", "美元存款", "2", "1");
    Account("8", "钢材", "1", "1");  // a quantity unit that happens to read "1"
    env.Execute("insert into wbt(wno,na,ho) values('1','美元','6-1')");
    env.Execute("insert into wbt(wno,na,ho) values('2','港币','6-1')");
    Rate("1", "20260105", 100, 712.5);
    Rate("1", "20260301", 100, 709);
  }
  void Account(const char* code, const char* name, const char* fz, const char* fzn) {
    env.Execute(
        Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','%s',%s,'0',0,0)",
               code, name, CodeLevel(code), fz, *fzn ? Format("'%s'", fzn).c_str() : "NULL"));
  }
  void Rate(const char* wno, const char* t, double my1, double my2) {
    env.Execute(Format("insert into wbr(wno,t,my1,my2) values('%s','%s',%f,%f)", wno, t, my1, my2));
  }
  // The rows of a statement, each row's columns joined by "|".
  std::vector<std::string> Rows(const std::string& sql, int columns) {
    std::vector<std::string> names;
    for (int i = 0; i < columns; ++i) names.push_back(Format("Expr%d", 1000 + i));
    CVyRecordset rs(env.Db(), {}, {}, names);
    rs.Open(sql);
    std::vector<std::string> rows;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      std::string row;
      for (int i = 0; i < columns; ++i) row += (i ? "|" : "") + rs.GetText(i);
      rows.push_back(row);
    }
    return rows;
  }
  std::vector<std::string> Everything() {
    auto all = Rows("select trim(wno)+' '+trim(na)+' '+trim(ho) from wbt order by wno", 1);
    for (auto& r : Rows("select trim(wno)+' '+trim(t)+' '+cstr(my2) from wbr order by wno,t", 1))
      all.push_back(r);
    for (auto& r : Rows("select trim(kno)+' '+fz+' '+trim(fzn) from subt order by kno", 1)) all.push_back(r);
    return all;
  }

  std::string path;
  CVyDataEnv env;
};

using Texts = std::vector<std::string>;

TEST_F(CurrencyTest, TheCurrencyDialogChecksInOrder) {
  using M = CCurrencyDlg::Mode;
  using F = CCurrencyDlg::Focus;
  struct Case {
    M mode;
    const char* old;
    const char* code;
    const char* name;
    const char* gain;
    const char* message;  // "" when accepted
    F focus;
  } cases[] = {
      {M::Add, "", "", "欧元", "6-1", "币种代码不能为空或小于1，请重输！", F::Code},
      {M::Add, "", "000", "欧元", "6-1", "币种代码不能为空或小于1，请重输！", F::Code},
      {M::Add, "", "1.5", "欧元", "6-1", "币种代码不能为空或小于1，请重输！", F::Code},
      {M::Add, "", "12345", "欧元", "6-1", "币种代码最多为4位数字，请重输！", F::Code},
      {M::Add, "", "3", "  ", "6-1", "币名不能为空，请重输!", F::Name},
      {M::Add, "", "3", "欧元", "", "汇兑损益科目不能为空，请重输!", F::GainAccount},
      {M::Add, "", "01", "欧元", "6-1", "代码重复，请重输！", F::Code},
      {M::Modify, "2", "1", "港币", "6-1", "代码重复，请重输！", F::Code},
      {M::Add, "", "3", "欧元", "6", "汇兑损益科目不存在或非最低明细科目，请重输！", F::GainAccount},
      {M::Add, "", "3", "欧元", "9", "汇兑损益科目不存在或非最低明细科目，请重输！", F::GainAccount},
      {M::Add, "", "3", "欧元", "6-*", "汇兑损益科目不存在或非最低明细科目，请重输！", F::GainAccount},
      {M::Modify, "2", "2", "港元", "6-2", "", F::Code},
      {M::Add, "", "007", "欧元", "6-2", "", F::Code},
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    CCurrencyDlg d(env, c.mode, c.old, "港币", "6-1");
    d.code = c.code;
    d.name = c.name;
    d.gainAccount = c.gain;
    bool saved = d.OnOk();
    EXPECT_EQ(saved, !*c.message) << c.code << " " << c.gain;
    EXPECT_EQ(platform.LastText(), c.message) << c.code << " " << c.gain;
    if (*c.message) {
      EXPECT_EQ(d.focus, c.focus) << c.message;
    }
  }
  EXPECT_EQ(Rows("select trim(wno),trim(na),trim(ho) from wbt order by val(wno)", 3),
            (Texts{"1|美元|6-1", "2|港元|6-2", "7|欧元|6-2"}));
}

TEST_F(CurrencyTest, ARenamedCurrencyTakesItsRatesAndAccountsAlong) {
  CCurrencyListDlg list(env);
  ASSERT_TRUE(list.OnInitDialog());
  EXPECT_EQ(list.lines, (Texts{"1       美元            6-1", "2       港币            6-1"}));
  struct Rename : public ScriptedFace<CCurrencyDlg> {
    bool Run(CCurrencyDlg& d) override {
      d.code = "5";
      return d.OnOk();
    }
  } rename;
  list.OnModify();
  EXPECT_EQ(list.lines, (Texts{"2       港币            6-1", "5       美元            6-1"}));
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(Rows("select trim(wno),trim(t) from wbr order by t", 2), (Texts{"5|20260105", "5|20260301"}));
  EXPECT_EQ(Rows("select trim(kno),trim(fzn) from subt where fzn<>'' order by kno", 2),
            (Texts{"7|5", "8|1"}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CurrencyTest, AFailingRenameLeavesTheFileAsItWas) {
  {
    // The foreign-currency accounts are the last to follow; make their update fail.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(
            db, "CREATE TRIGGER no_subt BEFORE UPDATE ON SUBT BEGIN SELECT RAISE(ABORT,'disk full'); END",
            nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(db);
  }
  Texts before = Everything();
  CCurrencyDlg d(env, CCurrencyDlg::Mode::Modify, "1", "美元", "6-1");
  d.code = "5";
  EXPECT_FALSE(d.OnOk());
  EXPECT_EQ(Everything(), before);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("disk full"), std::string::npos) << platform.messages[0].text;
}

TEST_F(CurrencyTest, DeletingACurrency) {
  // 7 keeps its money in 港币 now; 8 counts 钢材 in a unit "1", which is no currency.
  env.Execute("update subt set fzn='2' where kno='7'");
  struct Case {
    const char* code;
    std::vector<MsgAnswer> answers;
    Texts messages;
    bool gone;
  } cases[] = {
      {"2", {}, {"代码为“2”的外币币种已被引用，不能删除！"}, false},
      {"1", {MsgAnswer::No}, {"代码为“1”的外币已设置汇率，决定删除吗？"}, false},
      {"1", {MsgAnswer::Yes}, {"代码为“1”的外币已设置汇率，决定删除吗？"}, true},
      {"3", {}, {}, true},  // neither used nor rated: no question
  };
  env.Execute("insert into wbt(wno,na,ho) values('3','日元','6-1')");
  for (const Case& c : cases) {
    platform.messages.clear();
    platform.answers.assign(c.answers.begin(), c.answers.end());
    CCurrencyListDlg list(env);
    ASSERT_TRUE(list.OnInitDialog());
    for (int i = 0; i < static_cast<int>(list.currencies.size()); ++i)
      if (list.currencies[static_cast<size_t>(i)].code == c.code) list.OnSelect(i);
    list.OnDeleteKey();
    EXPECT_EQ(platform.Texts(), c.messages) << c.code;
    long left = env.QueryLong(Format("select count(*) from wbt where wno='%s'", c.code)) +
                env.QueryLong(Format("select count(*) from wbr where wno='%s'", c.code));
    EXPECT_EQ(left == 0, c.gone) << c.code;
  }
  for (auto& m : platform.messages) EXPECT_NE(m.buttons, MsgButtons::YesNo);
  CCurrencyListDlg list(env);
  ASSERT_TRUE(list.OnInitDialog());
  EXPECT_EQ(list.selected, 0);
  list.selected = -1;
  list.OnDeleteKey();
  EXPECT_EQ(platform.LastText(), "对不起，没有选择删除对象!");
}

TEST_F(CurrencyTest, TheRateDialogChecksInOrder) {
  using F = CRateDlg::Focus;
  struct Case {
    const char* currency;
    const char* old;  // the date modified, "" when adding
    const char* y;
    const char* m;
    const char* d;
    const char* foreign;
    const char* base;
    const char* message;
    F focus;
  } cases[] = {
      {"1", "", "1989", "1", "1", "100", "700", "设置的年份不合理，输入一数!", F::Year},
      {"1", "", "2026", "13", "1", "100", "700", "设置的月份不合理，输入一数!", F::Month},
      {"1", "", "2026", "2", "29", "100", "700", "设置的日期不合理，输入一数!", F::Day},
      {"1", "", "2026", "2", "", "100", "700", "设置的日期不合理，输入一数!", F::Day},
      {"1", "", "2026", "2", "2", "0.0009", "700", "外币数不合理，输入一数!", F::Foreign},
      {"1", "", "2026", "2", "2", "100", "", "本位币数不合理，输入一数!", F::Base},
      {"1", "", "2027", "1", "1", "100", "700", "所设置的时间已不在本年度的\r年初日与年末日之间，请重输!",
       F::Year},
      {"1", "", "2026", "1", "5", "100", "700", "本次输入时间已有汇率，不允许重复设置，请重输！", F::Year},
      {"1", "20260301", "2026", "1", "5", "100", "700", "本次输入时间已有汇率，不允许重复设置，请重输！",
       F::Year},
      {"2", "", "2026", "1", "5", "100", "701.25", "", F::Year},       // the same day, another currency
      {"1", "20260301", "2026", "3", "1", "100", "705", "", F::Year},  // its own day kept
      {"1", "", "2026", "12", "31", "1", "7.1", "", F::Year},
  };
  for (const Case& c : cases) {
    platform.messages.clear();
    CRateDlg d(env, *c.old ? CRateDlg::Mode::Modify : CRateDlg::Mode::Add, c.currency, c.old, "", "");
    d.year = c.y;
    d.month = c.m;
    d.day = c.d;
    d.foreign = c.foreign;
    d.base = c.base;
    EXPECT_EQ(d.OnOk(), !*c.message) << c.message;
    EXPECT_EQ(platform.LastText(), c.message);
    if (!*c.message) continue;
    EXPECT_EQ(d.focus, c.focus) << c.message;
    bool plain = std::string(c.message).starts_with("所设置") || std::string(c.message).starts_with("本次");
    EXPECT_EQ(platform.messages[0].icon, plain ? MsgIcon::None : MsgIcon::Stop) << c.message;
  }
  EXPECT_EQ(
      Rows("select trim(wno),trim(t),cstr(my1),cstr(my2) from wbr order by wno,t", 4),
      (Texts{"1|20260105|100|712.5", "1|20260301|100|705", "1|20261231|1|7.1", "2|20260105|100|701.25"}));
}

TEST_F(CurrencyTest, TheRateListFollowsTheSelectedCurrency) {
  CRateListDlg d(env);
  ASSERT_TRUE(d.OnInitDialog());
  EXPECT_EQ(d.currencyLines, (Texts{"   1  美元", "   2  港币"}));
  EXPECT_EQ(d.rateLines, (Texts{"20260105         100     712.5", "20260301         100       709"}));
  d.OnRateSelected(1);
  d.OnDeleteKey();
  EXPECT_EQ(d.rateLines, Texts{"20260105         100     712.5"});

  d.OnCurrencySelected(1);
  EXPECT_TRUE(d.rateLines.empty());
  struct Never : public ScriptedFace<CRateDlg> {
    bool Run(CRateDlg&) override { return false; }
  } never;
  d.OnModify();
  EXPECT_EQ(platform.Texts(), Texts{"无可修改内容，请先设置！"});

  env.Execute("delete from wbt");
  CRateListDlg none(env);
  EXPECT_FALSE(none.OnInitDialog());
  EXPECT_EQ(platform.LastText(), "本年度尚未设置外币目录，不能设置汇率！");
}

}  // namespace
