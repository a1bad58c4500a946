#pragma once
// A standard-chart account set with a month of business in it, for the tests of the statements' windows,
// their templates and the month-end closing: stock and capital at the year's start, then in October capital
// paid into the bank, a sale on credit with its cost, and an expense paid from the bank.
#include <string>

#include "accounts/chart_templates.h"
#include "data/data_env.h"
#include "data/database.h"
#include "support/book_rows.h"
#include "support/year_file_fixture.h"

// The year file's path, "" with the reason in error.
inline std::string MakeStatementBook(const std::string& folder, std::string& error) {
  std::string path = CreateAccountSetWithChart(folder, 2026, "standard", error);
  if (path.empty()) return path;
  jet::Database db;
  db.Open(path);
  db.Begin();
  db.Execute(book_rows::Opening("20260101", "1405", 1, 50000));
  db.Execute(book_rows::Opening("20260101", "4001", -1, 50000));
  struct {
    const char* code;
    int side;
    double amount;
    const char* summary;
  } rows[] = {{"1002", 1, 100000, "收到投资"},     {"4001", -1, 100000, "收到投资"},
              {"1122", 1, 40000, "销售商品"},      {"6001", -1, 40000, "销售商品"},
              {"6401", 1, 25000, "结转销售成本"},  {"1405", -1, 25000, "结转销售成本"},
              {"6602", 1, 3000.5, "支付办公费"},   {"1002", -1, 3000.5, "支付办公费"}};
  int rn = 0;
  for (auto& r : rows)
    db.Execute(book_rows::Posting(10, "20261015", r.code, r.side, r.amount, ++rn, r.summary, "2"));
  db.Commit();
  return path;
}

// A test of the core over that book, open as the bookkeeper (operator 102).
class StatementBookTest : public YearFileTest {
 protected:
  void SetUp() override {
    std::string error;
    path = MakeStatementBook(dir.Path(), error);
    ASSERT_FALSE(path.empty()) << error;
    ASSERT_TRUE(env.Open(path, "102", 1));
  }
  std::string path;
  CVyDataEnv env;
};
