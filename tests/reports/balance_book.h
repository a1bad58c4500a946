#pragma once
// A year file with a small chart and postings written straight into SUBT and P0, for the report tests.
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "accounts/period.h"
#include "base/text.h"
#include "data/data_env.h"
#include "ledgers/ledger_line.h"
#include "reports/balance_date_dlg.h"
#include "reports/balance_table.h"
#include "reports/turnover_table.h"
#include "reports/turnover_range_dlg.h"
#include "support/year_file_fixture.h"

// A signed figure from a direction cell and an absolute amount cell of a report.
inline double SignedFigure(const std::string& direction, const std::string& amount) {
  double v = FieldNumber(amount);
  return direction == "贷" ? -v : direction == "借" ? v : 0;
}

class BalanceBookTest : public YearFileTest {
 protected:
  template <class View>
  std::unique_ptr<View> MakeView() {
    auto view = std::make_unique<View>();
    view->SetDataEnv(&env);
    view->InitForm();
    return view;
  }
  // The rows of the balance-and-turnover table of first..last, every level at once.
  std::vector<std::vector<std::string>> TurnoverRows(const std::string& first, const std::string& last) {
    CTurnoverRangeDlg range(env);
    range.OnInitDialog("", true, first, last);
    EXPECT_TRUE(range.OnOK()) << platform.LastText();
    auto view = MakeView<CHobdzb6>();
    view->SetParameters(range);
    view->Build();
    return view->ReportRows();
  }
  // The rows of the balance table at date of start's sub-accounts ("": the level-1 accounts).
  std::vector<std::vector<std::string>> BalanceRows(const std::string& start, const std::string& date) {
    CBalanceDateDlg dlg(env);
    dlg.OnInitDialog(start, date);
    EXPECT_TRUE(dlg.OnOK()) << platform.LastText();
    auto view = MakeView<CHobdzb5>();
    view->SetParameters(dlg);
    view->Build();
    return view->ReportRows();
  }
  void OpenBook(const std::string& closingDay = "031") {
    path = MakeYearFile("2026.vyx", 2026);
    Exec(path, "update systab set jt='" + closingDay + "'");
    ASSERT_TRUE(env.Open(path, "101", 1));
  }
  void Account(const std::string& code, const std::string& name) {
    int level = 1;
    for (char c : code) level += c == '-';
    env.Execute(
        Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','0','','0',0,0)",
               code.c_str(), name.c_str(), level));
  }
  // A posting: f 1 debit, -1 credit; mark "0", "1" or "2" (mark 1 stays outside the books, MK '0').
  void Post(const std::string& code, const std::string& date, int f, double amount,
            const std::string& mark = "2", const std::string& summary = "摘要") {
    int period = PeriodOfDate(YearOf(env), date);
    env.Execute(Format(
        "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%s','%s',%d,'%s','%s',%d,%.7f,0,'%s','%02d')",
        date.c_str(), mark.c_str(), ++rn, summary.c_str(), code.c_str(), f, amount, mark == "1" ? "0" : "4",
        period));
  }
  void Opening(const std::string& code, int f, double amount) {
    env.Execute(
        Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%s','    "
               "',0,'期初余额','%s',%d,%.7f,0,'4','01')",
               env.startDate.c_str(), code.c_str(), f, amount));
  }

  // A random book: five level-1 accounts with up to three children and grandchildren; opening rows on
  // both sides on most lowest-level accounts; postings of all three marks on the first, the last or any
  // day of a period; now and then a negative amount (a reversal) or a posting on an account that has
  // sub-accounts, which only the count sees. Fills leaves and parents. With mills, the amounts have three
  // decimals, as a year file written by some other means may hold them.
  void MakeRandomBook(std::mt19937& rnd, int postings = 250, bool mills = false) {
    const double unit = mills ? 1000.0 : 100.0;
    auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
    env.Db()->Begin();
    for (int top = 1; top <= 5; ++top) {
      std::string a = Format("%d", 1000 + top);
      Account(a, "科目" + a);
      int children = pick(4);
      if (children == 0) leaves.push_back(a);
      for (int c = 1; c <= children; ++c) {
        std::string b = Format("%s-%d", a.c_str(), c);
        Account(b, "明细" + b);
        parents.push_back(a);
        int grand = pick(3);
        if (grand == 0) leaves.push_back(b);
        for (int g = 1; g <= grand; ++g) {
          std::string d = Format("%s-%d", b.c_str(), g);
          Account(d, "项目" + d);
          leaves.push_back(d);
          if (g == 1) parents.push_back(b);
        }
      }
    }
    for (const std::string& leaf : leaves)
      if (pick(3)) Opening(leaf, pick(2) ? 1 : -1, pick(5) == 0 ? 0.000005 : pick(1000000) / unit);
    AccountingYear year = YearOf(env);
    for (int i = 0; i < postings; ++i) {
      const std::string& code = pick(40) == 0 && !parents.empty()
                                    ? parents[pick(static_cast<int>(parents.size()))]
                                    : leaves[pick(static_cast<int>(leaves.size()))];
      PeriodDates p = AccountingPeriod(year, 1 + pick(12));
      std::string date = pick(2) ? p.first : p.last;
      // Any day of the period's closing month, when the period holds it.
      if (pick(3) == 0) {
        std::string any = p.last.substr(0, 6) + Format("%02d", 1 + pick(28));
        if (p.first <= any && any <= p.last) date = any;
      }
      const char* marks[] = {"0", "1", "2"};
      double amount = pick(500000) / unit;
      if (pick(15) == 0) amount = -amount;
      Post(code, date, pick(2) ? 1 : -1, amount, marks[pick(3)]);
    }
    env.Db()->Commit();
  }

  std::string path;
  CVyDataEnv env;
  int rn = 0;
  std::vector<std::string> leaves, parents;
};
