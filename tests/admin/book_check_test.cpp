// 数据检查: each rule finds the rows that break it and only those; the trial balance of random balanced books
// is 平 line by line, and one row left out shows in its period and at the year's end.
#include "admin/book_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "admin/book_check_view.h"
#include "base/money.h"
#include "data/database.h"
#include "entry/entry_fixture.h"
#include "reports/balance_book.h"

namespace {

class BookCheckTest : public EntryTest {
 protected:
  void Row(const std::string& t, const std::string& cer, int rn, const std::string& mry, const std::string& kno,
           int f, const std::string& my, const std::string& mk, const std::string& tt, const std::string& nu = "0") {
    env.Execute("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('" + t + "','" + cer + "'," +
                std::to_string(rn) + ",'" + mry + "','" + kno + "'," + std::to_string(f) + "," + my + "," + nu +
                ",'" + mk + "','" + tt + "')");
  }
  // Each finding as its rule and the summaries of its rows.
  std::vector<std::string> Findings() {
    std::vector<std::string> out;
    for (const BookFinding& f : CheckBook(env).findings) {
      std::string line = f.what + ":";
      for (const CheckedRow& r : f.rows) line += " " + r.summary;
      out.push_back(line);
    }
    return out;
  }
};

TEST_F(BookCheckTest, EachRuleListsTheRowsThatBreakIt) {
  Row("20260101", "    ", 0, "期初余额", "101", 1, "100", "4", "01");
  Row("20260101", "    ", 0, "期初余额", "201", -1, "100", "4", "01");
  Row("20260105", "0", 1, "好", "101", 1, "50", "4", "01");
  Row("20260105", "1", 1, "好对方", "201", -1, "50", "0", "01");
  EXPECT_TRUE(Findings().empty());

  Row("20260105", "0", 2, "无此户", "999", 1, "1", "4", "01");
  Row("20260105", "0", 1, "父帐户", "102", 1, "1", "4", "01");
  Row("20260101", "    ", 0, "父期初", "102", 1, "1", "4", "01");
  Row("20270105", "0", 3, "年外", "101", 1, "1", "4", "01");
  Row("20260230", "0", 4, "无此日", "101", 1, "1", "4", "02");
  Row("20260305", "0", 5, "期间错", "101", 1, "1", "4", "01");
  Row("20260102", "    ", 0, "期初日错", "301-9", 1, "1", "4", "01");
  Row("20260101", "    ", 0, "又一期初", "101", 1, "1", "4", "01");
  Row("20260106", "1", 1, "对方达记入帐", "101", 1, "1", "4", "01");
  Row("20260106", "7", 2, "标记错", "101", 1, "1", "4", "01");
  Row("20260106", "0", 0, "行号错", "101", 1, "1", "4", "01");
  Row("20260106", "0", 3, "方向错", "101", 2, "1", "4", "01");
  Row("20260106", "0", 4, "换\n行", "101", 1, "1", "4", "01");
  Row("20260106", "0", 5, "太大", "101", 1, "10000000000000", "4", "01");
  Row("20260106", "0", 6, "三位小数", "101", 1, "1.234", "4", "01");
  Row("20260106", "0", 1, "数量太细", "103", 1, "1", "4", "01", "0.12345");
  env.Execute("insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values('1--2','坏码',3,'0','0','0',0,0)");
  env.Execute("insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values('301-9','级次错',3,'0','0','0',0,0)");

  EXPECT_EQ(Findings(),
            (std::vector<std::string>{
                "帐户代码不在科目表中: 无此户",
                "发生额记在有下级帐户的帐户上: 父帐户",
                "期初余额记在有下级帐户的帐户上: 父期初",
                "日期不在本年度的任何会计期间内: 无此日 年外",
                "会计期间(TT)与日期不符: 期间错",
                "期初余额的日期不是年初日: 期初日错",
                "同一帐户有不止一行期初余额: 又一期初",
                "对帐标记(CER)、状态(MK)或行号(RN)不合规则: 行号错 对方达记入帐 标记错",
                "借贷方向(F)不是 1 或 -1: 方向错",
                "文字中含有换行、回车、制表符等控制字符: 换\n行",
                "金额或数量超出录入格式(金额至多 12 位整数、2 位小数，数量至多 12 位整数、4 位小数): 太大 三位小数 "
                "数量太细",
                "科目代码不合规则、重复或级次不符: 坏码 级次错",
            }));
}

// Balanced random books: every line of the trial balance is 平 and nothing is found; a posting left without
// its other half shows in its own period and at the year's end, and nowhere else.
TEST_F(BookCheckTest, TheTrialBalanceOfBalancedBooksIsEven) {
  const char* codes[] = {"101", "102-1", "102-2", "103", "201"};
  for (unsigned seed : {11u, 12u, 13u, 14u, 15u}) {
    env.Db()->Begin();  // one write to the disk for the whole book
    env.Execute("delete from p0");
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int cents = 1 + pick(100000);
    Row("20260101", "    ", 0, "期初余额", codes[pick(4)], 1, Format("%d.%02d", cents / 100, cents % 100), "4", "01");
    Row("20260101", "    ", 0, "期初余额", "201", -1, Format("%d.%02d", cents / 100, cents % 100), "4", "01");
    for (int i = 0; i < 60; ++i) {
      int month = 1 + pick(12), amount = 1 + pick(1000000), mark = pick(3);
      std::string date = Format("2026%02d%02d", month, 1 + pick(28)), tt = Format("%02d", month);
      std::string my = Format("%d.%02d", amount / 100, amount % 100), mk = mark == 1 ? "0" : "4";
      Row(date, std::to_string(mark), 2 * i + 1, "借", codes[pick(5)], 1, my, mk, tt);
      Row(date, std::to_string(mark), 2 * i + 2, "贷", codes[pick(5)], -1, my, mk, tt);
    }
    env.Db()->Commit();
    BookCheck check = CheckBook(env);
    EXPECT_TRUE(check.Clean()) << seed;
    const TrialBalance& t = check.trial;
    EXPECT_EQ(TrialSide(t.openingDebit, t.openingCredit), "平") << seed;
    EXPECT_EQ(TrialSide(t.closingDebit, t.closingCredit), "平") << seed;
    for (int p = 0; p < 12; ++p) EXPECT_EQ(t.debit[p], t.credit[p]) << seed << " period " << p + 1;

    Row("20260415", "0", 999, "单边", "101", 1, "12.34", "4", "04");
    check = CheckBook(env);
    EXPECT_EQ(check.trial.debit[3] - check.trial.credit[3], 1234) << seed;
    EXPECT_EQ(TrialSide(check.trial.closingDebit, check.trial.closingCredit), "借") << seed;
    EXPECT_EQ(TrialSide(check.trial.openingDebit, check.trial.openingCredit), "平") << seed;
  }
}

using BookCheckOfRandomBooks = BalanceBookTest;

using money::ToCents;

// The trial balance against the reports the books are read from, on random books with rows of every mark
// (对方达 rows stand on one side only and stay outside the books): each period's debit and credit are the
// sums of the level-1 accounts' turnover, and the closing sides those of their balances at the year's end.
TEST_F(BookCheckOfRandomBooks, TheTrialBalanceIsWhatTheTurnoverAndBalanceTablesSay) {
  OpenBook();
  for (unsigned seed : {21u, 22u, 23u}) {
    env.Execute("delete from p0");
    env.Execute("delete from subt");
    std::mt19937 rnd(seed);
    MakeRandomBook(rnd, 300);
    // A posting on an account with sub-accounts is a finding of its own, counted differently by each report.
    for (const std::string& parent : book.parents) env.Execute("delete from p0 where trim(kno)='" + parent + "'");
    const TrialBalance t = CheckBook(env).trial;
    AccountingYear year = YearOf(env);
    for (int p = 1; p <= 12; ++p) {
      PeriodDates dates = AccountingPeriod(year, p);
      int64_t debit = 0, credit = 0;
      for (const auto& row : TurnoverRows(dates.first, dates.last)) {
        if (row[0].empty() || row[0].find('-') != std::string::npos) continue;
        debit += ToCents(FieldNumber(row[4]));
        credit += ToCents(FieldNumber(row[5]));
      }
      EXPECT_EQ(t.debit[p - 1], debit) << seed << " period " << p;
      EXPECT_EQ(t.credit[p - 1], credit) << seed << " period " << p;
    }
    int64_t debit = 0, credit = 0;
    for (const auto& row : BalanceRows("", AccountingPeriod(year, 12).last)) {
      if (row[0].empty()) continue;
      int64_t b = ToCents(SignedFigure(row[2], row[3]));
      (b > 0 ? debit : credit) += b > 0 ? b : -b;
    }
    EXPECT_EQ(t.closingDebit, debit) << seed;
    EXPECT_EQ(t.closingCredit, credit) << seed;
  }
}

TEST_F(BookCheckTest, TheWindowListsFindingsWithTheirRowsAndTheTrialBalance) {
  Row("20260105", "0", 1, "无此户", "999", 1, "5", "4", "01");
  CBookCheckView view;
  view.SetDataEnv(&env);
  view.InitForm();
  view.Build();
  std::vector<std::vector<std::string>> rows = view.ReportRows();
  ASSERT_EQ(rows.size(), 1u + 14u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"帐户代码不在科目表中（1 行）", "20260105", "999", "1", "无此户", "借",
                                               "5.00", "", "0", "4", "01"}));
  EXPECT_EQ(rows[4][0], "试算平衡：第 3 期发生额");
  EXPECT_EQ(rows[4][5], "平");
  // A posting on no account of the chart is money all the same: the year's end counts it as its period does.
  EXPECT_EQ(rows[2][4], "借 5.00  贷 0.00");
  EXPECT_EQ(rows.back()[4], "借 5.00  贷 0.00");
  EXPECT_EQ(view.ReportHead()[2], "发现 1 类问题，共 1 行。");
}

}  // namespace
