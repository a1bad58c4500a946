#pragma once
// A small book for the ledger tests: a year file of 2026 with accounts and rows of P0 written directly.
#include <memory>
#include <string>

#include "accounts/period.h"
#include "base/text.h"
#include "data/data_env.h"
#include "support/book_rows.h"
#include "support/year_file_fixture.h"

class LedgerBook : public YearFileTest {
 protected:
  void SetUp() override { ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1)); }

 public:
  void Account(const std::string& code, const std::string& name, const std::string& fz = "0",
               const std::string& fzn = "", const std::string& dl = "0", int dlf = 0, int dlw = 0) {
    env.Execute(book_rows::Account(code, name, fz, fzn, dl, dlf, dlw));
  }
  // A posting: side 1 debit, -1 credit; mark "1" is written outside the books (MK '0').
  void Post(const std::string& date, const std::string& code, int side, double amount, int rn = 1,
            const std::string& summary = "摘要", const std::string& mark = "2", double nu = 0) {
    env.Execute(book_rows::Posting(PeriodOfDate(YearOf(env), date), date, code, side, amount, rn, summary, mark, nu));
  }
  void Opening(const std::string& code, int side, double amount, double nu = 0) {
    env.Execute(book_rows::Opening("20260101", code, side, amount, nu));
  }
  template <class View, class... Args>
  std::unique_ptr<View> Make(Args... args) {
    auto view = std::make_unique<View>(args...);
    view->SetDataEnv(&env);
    view->InitForm();
    return view;
  }

  CVyDataEnv env;
};
