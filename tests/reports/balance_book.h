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
#include "support/book_rows.h"
#include "support/random_book.h"
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
  void Account(const std::string& code, const std::string& name) { env.Execute(book_rows::Account(code, name)); }
  // A posting: side 1 debit, -1 credit; mark "0", "1" or "2" (mark 1 stays outside the books, MK '0').
  void Post(const std::string& date, const std::string& code, int side, double amount, int rn = 1,
            const std::string& summary = "摘要", const std::string& mark = "2") {
    env.Execute(book_rows::Posting(PeriodOfDate(YearOf(env), date), date, code, side, amount, rn, summary, mark));
  }
  void Opening(const std::string& code, int side, double amount) {
    env.Execute(book_rows::Opening(env.startDate, code, side, amount));
  }

  // A random book (see RandomBookShape) of the given number of postings, written straight into the year.
  void MakeRandomBook(std::mt19937& rnd, int postings = 250, const RandomBookShape& shape = {}) {
    book = RandomBook{shape, {}, {}};
    env.Db()->Begin();
    book.Chart(rnd, [&](const std::string& code, const std::string& name) { Account(code, name); });
    book.Openings(rnd, [&](const std::string& code, int side, double amount) { Opening(code, side, amount); });
    book.Postings(rnd, postings, YearOf(env), [&](const RandomPosting& p) {
      Post(p.date, p.code, p.side, p.amount, p.rn, p.summary, p.mark);
    });
    env.Db()->Commit();
  }

  std::string path;
  CVyDataEnv env;
  RandomBook book;
};
