#pragma once
// Books for the interest and reconciliation tests: an account set with the year files asked for, the chart
// and postings written straight into P0 the way entry writes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "accounts/account_asker.h"
#include "base/text.h"
#include "data/database.h"
#include "data/data_env.h"
#include "data/year_files.h"
#include "support/book_rows.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

class InterestBooks : public ::testing::Test {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    ASSERT_TRUE(env.Open(path, "101", 1));
    SetAccountAsker(nullptr);
  }
  void TearDown() override { SetAccountAsker(nullptr); }

  // Another year of the same account set, with its own dates.
  std::string AddYear(int year) { return CreateAccountSetFile(dir.Path(), year); }

  void Account(const std::string& code, const std::string& name, jet::Database* db = nullptr) {
    Run(db, book_rows::Account(code, name));
  }
  // An opening row of the year starting on firstDay.
  void Opening(const std::string& code, int side, double amount, const std::string& firstDay = "20260101",
               jet::Database* db = nullptr) {
    Run(db, book_rows::Opening(firstDay, code, side, amount));
  }
  // A posting with its reconciliation mark, by default not yet reconciled; mark "1" is outside the books.
  void Post(const std::string& date, const std::string& code, int side, double amount, int rn = 1,
            const std::string& summary = "摘要", const std::string& mark = "0", jet::Database* db = nullptr) {
    Run(db, book_rows::Posting(std::stoi(date.substr(4, 2)), date, code, side, amount, rn, summary, mark));
  }
  long Count(const std::string& sql) { return env.QueryLong(sql); }

  ScriptedPlatform platform;
  TempDir dir;
  std::string path;
  CVyDataEnv env;

 private:
  void Run(jet::Database* db, const std::string& sql) {
    if (db)
      db->Execute(sql);
    else
      env.Execute(sql);
  }
};
