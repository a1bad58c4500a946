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
    Run(db,
        Format("INSERT INTO SUBT(KNO,NA,CLAS,OP,FZ,DL,DLF,DLW) VALUES('%s','%s',%d,'0','0','0',0,0)",
               code.c_str(), name.c_str(), static_cast<int>(std::count(code.begin(), code.end(), '-')) + 1));
  }
  // An opening row (RN 0, four blanks) of the year starting on date.
  void Opening(const std::string& code, const std::string& date, int side, double amount,
               jet::Database* db = nullptr) {
    Run(db,
        Format(
            "INSERT INTO P0(T,CER,RN,MRY,KNO,F,MY,NU,MK,TT) VALUES('%s','    ',0,'期初余额','%s',%d,%.2f,0,"
            "'4','01')",
            date.c_str(), code.c_str(), side, amount));
  }
  // A posting with its reconciliation mark; mark "1" is outside the books (MK '0').
  void Posting(const std::string& code, const std::string& date, int side, double amount,
               const std::string& mark = "0", const std::string& summary = "摘要", int rn = 1,
               jet::Database* db = nullptr) {
    Run(db,
        Format("INSERT INTO P0(T,CER,RN,MRY,KNO,F,MY,NU,MK,TT) VALUES('%s','%s',%d,'%s','%s',%d,%.2f,0,'%s',"
               "'%s')",
               date.c_str(), mark.c_str(), rn, summary.c_str(), code.c_str(), side, amount,
               mark == "1" ? "0" : "4", date.substr(4, 2).c_str()));
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
