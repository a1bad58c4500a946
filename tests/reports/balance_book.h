#pragma once
// A year file with a small chart and postings written straight into SUBT and P0, for the report tests.
#include <string>

#include "accounts/period.h"
#include "base/text.h"
#include "data/vy_data_env.h"
#include "support/year_file_fixture.h"

class BalanceBookTest : public YearFileTest {
 protected:
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

  std::string path;
  CVyDataEnv env;
  int rn = 0;
};
