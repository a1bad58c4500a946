// The reports of one book against each other, on random books: for every account and month the entry
// window's 月初 and 月末, the three-column ledger's balances, the balance table, the balance-and-turnover
// table's four figures and the fuzzy query's total agree, and after 转帐 every account opens the next year
// with the closing balance the balance table showed. A wrong figure in any one of them is a disagreement.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "admin/carry_forward_dlg.h"
#include "balance_book.h"
#include "data/recordset.h"
#include "data/year_files.h"
#include "entry/account_entry_view.h"
#include "ledgers/ledger_line.h"
#include "ledgers/three_column_ledger.h"
#include "reports/balance_date_dlg.h"
#include "reports/fuzzy_query_dlg.h"
#include "reports/balance_table.h"
#include "reports/turnover_table.h"
#include "reports/fuzzy_query_list.h"
#include "reports/turnover_range_dlg.h"

namespace {

constexpr double kCent = 0.006;

class CrossReportTest : public BalanceBookTest,
                        public ::testing::WithParamInterface<std::tuple<unsigned, const char*>> {
 protected:

  // The three-column ledger of the year in summary mode: the balance after each period (index 0: the
  // opening balance), and each period's debit and credit.
  struct Summary {
    double after[13] = {};
    double debit[13] = {}, credit[13] = {};
  };
  Summary SummaryLedger(const std::string& code) {
    auto view = MakeView<CQirnzb1>();
    view->code = code;
    view->startMonth = MonthKey(2026, 1);
    view->endMonth = MonthKey(2026, 12);
    view->outputMode = 2;
    view->Build();
    Summary s;
    AccountingYear year = YearOf(env);
    int done = 0;
    for (const LedgerLine& line : view->Lines()) {
      const auto& c = line.cells;
      double balance = SignedFigure(c[5], c[6]);
      if (c[2] == "期 初 余 额 汇 总") {
        s.after[0] = balance;
        continue;
      }
      if (c[2] != "本  月  合  计") continue;
      int p = 1;
      while (p < 12 && AccountingPeriod(year, p).last.substr(4) != c[0] + c[1]) ++p;
      for (int q = done + 1; q < p; ++q) s.after[q] = s.after[done];
      s.after[p] = balance;
      s.debit[p] = FieldNumber(c[3]);
      s.credit[p] = FieldNumber(c[4]);
      done = p;
    }
    for (int q = done + 1; q <= 12; ++q) s.after[q] = s.after[done];
    return s;
  }

  // The detail ledger's balance before date (the opening balance when no posting comes earlier).
  double DetailBalanceBefore(const std::vector<LedgerLine>& lines, const std::string& date) {
    double balance = 0;
    for (const LedgerLine& line : lines) {
      const auto& c = line.cells;
      if (line.IsPosting() ? "2026" + c[0] + c[1] >= date : c[2] != "期 初 余 额") continue;
      balance = SignedFigure(c[5], c[6]);
    }
    return balance;
  }

  // The balance table at date, the accounts of one level: code → signed balance.
  std::map<std::string, double> BalanceTable(const std::string& start, const std::string& date) {
    std::map<std::string, double> out;
    for (const auto& row : BalanceRows(start, date)) out[row[0]] = SignedFigure(row[2], row[3]);
    return out;
  }

  // The fuzzy query of an account over periods s..e: the total row's signed figure, 0 without hits.
  double FuzzyTotal(const std::string& code, int s, int e) {
    CFuzzyQueryDlg dlg(env);
    dlg.OnInitDialog();
    dlg.code = code;
    dlg.startMonth = Format("%d", s);
    dlg.endMonth = Format("%d", e);
    if (!dlg.OnOK()) {
      EXPECT_EQ(platform.LastText(), "没有满足条件的记录");
      return 0;
    }
    auto view = MakeView<CHobdzb7>();
    view->SetParameters(dlg);
    view->Build();
    const auto& total = view->Rows().back();
    if (total[5].empty()) EXPECT_EQ(total[4], "平") << code << " " << s << ".." << e;
    return SignedFigure(total[4], total[5]);
  }

  // The ledgers of code's direct sub-accounts added up.
  static Summary ChildrenSum(const std::string& code, const std::map<std::string, Summary>& ledgers) {
    Summary sum;
    for (const auto& [child, s] : ledgers) {
      if (child.rfind(code + "-", 0) != 0 || child.find('-', code.size() + 1) != std::string::npos) continue;
      for (int p = 0; p <= 12; ++p) {
        sum.after[p] += s.after[p];
        sum.debit[p] += s.debit[p];
        sum.credit[p] += s.credit[p];
      }
    }
    return sum;
  }

  // Every account's figures of the open year against each other; returns the year-end balances.
  std::map<std::string, double> CheckYear(const std::string& label) {
    AccountingYear year = YearOf(env);
    std::set<std::string> parentSet(book.parents.begin(), book.parents.end());
    std::vector<std::string> codes = book.leaves;
    codes.insert(codes.end(), parentSet.begin(), parentSet.end());
    std::map<std::string, Summary> ledgers;
    for (const std::string& code : codes) ledgers[code] = SummaryLedger(code);

    for (int p = 1; p <= 12; ++p) {
      PeriodDates dates = AccountingPeriod(year, p);
      std::string where = label + Format(" period %d ", p);
      // Balance table, level by level.
      std::vector<std::string> starts = {""};
      starts.insert(starts.end(), parentSet.begin(), parentSet.end());
      for (const std::string& start : starts)
        for (const auto& [code, balance] : BalanceTable(start, dates.last))
          if (!code.empty()) EXPECT_NEAR(balance, ledgers[code].after[p], kCent) << where << code << " 余额表";

      // Balance-and-turnover table of the period, every level at once.
      for (const auto& row : TurnoverRows(dates.first, dates.last)) {
        if (row[0].empty()) continue;
        // An account with sub-accounts is their sum there: a posting on the account itself, which only
        // the ledger and the balance table count, is left out.
        Summary s = ledgers[row[0]];
        if (parentSet.count(row[0])) s = ChildrenSum(row[0], ledgers);
        EXPECT_NEAR(SignedFigure(row[2], row[3]), s.after[p - 1], kCent) << where << row[0] << " 期初";
        EXPECT_NEAR(FieldNumber(row[4]), s.debit[p], kCent) << where << row[0] << " 借方";
        EXPECT_NEAR(FieldNumber(row[5]), s.credit[p], kCent) << where << row[0] << " 贷方";
        EXPECT_NEAR(SignedFigure(row[6], row[7]), s.after[p], kCent) << where << row[0] << " 期末";
      }
    }

    // The fuzzy query: one period's hits net to its turnover (with the opening rows in the first), the
    // whole year's to the closing balance.
    for (const std::string& code : codes) {
      const Summary& s = ledgers[code];
      for (int p : {1, 2, 7, 12})
        EXPECT_NEAR(FuzzyTotal(code, p, p), (p == 1 ? s.after[0] : 0) + s.debit[p] - s.credit[p], kCent)
            << label << " 模糊查询 " << code << " period " << p;
      EXPECT_NEAR(FuzzyTotal(code, 1, 12), s.after[12], kCent) << label << " 模糊查询 " << code;
    }

    // The entry window of every lowest-level account and calendar month against the detail ledger.
    for (const std::string& code : book.leaves) {
      auto ledger = MakeView<CQirnzb1>();
      ledger->code = code;
      ledger->startMonth = MonthKey(2026, 1);
      ledger->endMonth = MonthKey(2026, 12);
      ledger->outputMode = 1;
      ledger->Build();
      std::vector<LedgerLine> lines = ledger->Lines();
      for (int m = 1; m <= 12; ++m) {
        CQirnpz1 entry;
        entry.SetDataEnv(&env);
        entry.InitForm();
        entry.Load(code, 2026, m, 0);
        std::string where = label + " 按帐户录入 " + code + Format(" month %d ", m);
        EXPECT_NEAR(entry.OpeningBalance(), DetailBalanceBefore(lines, Format("2026%02d01", m)), kCent)
            << where << "月初";
        EXPECT_NEAR(entry.ClosingBalance(),
                    DetailBalanceBefore(lines, m == 12 ? "20270101" : Format("2026%02d01", m + 1)), kCent)
            << where << "月末";
      }
      EXPECT_NEAR(DetailBalanceBefore(lines, "20270101"), ledgers[code].after[12], kCent) << label << code;
    }

    std::map<std::string, double> closing;
    for (const std::string& code : codes) closing[code] = ledgers[code].after[12];
    return closing;
  }
};

TEST_P(CrossReportTest, EveryReportAgreesAndTheNextYearOpensWithTheClosingBalances) {
  auto [seed, closingDay] = GetParam();
  OpenBook(closingDay);
  std::mt19937 rnd(seed);
  MakeRandomBook(rnd, 160);
  std::map<std::string, double> closing = CheckYear("2026");

  // 转帐 into 2027: each lowest-level account opens with the balance table's closing balance; an account
  // with sub-accounts takes none (its own postings are warned about).
  std::string next = CreateNextYearFile(env, 2027);
  env.Close();
  ASSERT_TRUE(env.Open(next, "101", 1));
  platform.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
  CCarryForwardDlg dlg(env);
  ASSERT_TRUE(dlg.OnInitDialog());
  dlg.OnItemToggled(CCarryForwardDlg::kAccounts, true);
  dlg.OnItemToggled(CCarryForwardDlg::kBalances, true);
  ASSERT_TRUE(dlg.OnOk());
  ASSERT_TRUE(dlg.completed);
  for (const std::string& code : book.leaves) {
    CVyRecordset rs(env.Db(), {}, {"Expr1000"}, {});
    rs.Open(Format("select sum(f*my) from p0 where trim(kno)='%s' and rn=0", code.c_str()));
    EXPECT_NEAR(rs.GetDouble(0), std::round(closing[code] * 100) / 100, 0.0001) << "2027 opening of " << code;
  }
  for (const std::string& code : book.parents)
    EXPECT_EQ(env.QueryLong(Format("select count(*) from p0 where trim(kno)='%s'", code.c_str())), 0) << code;
}

INSTANTIATE_TEST_SUITE_P(RandomBooks, CrossReportTest,
                         ::testing::Combine(::testing::Values(3u, 58u, 2024u, 77777u, 90001u),
                                            ::testing::Values("031", "025", "105")));

}  // namespace
