#pragma once
// A small book for the ledger tests: a year file of 2026 with accounts and rows of P0 written directly.
#include <memory>
#include <string>

#include "accounts/period.h"
#include "base/text.h"
#include "data/data_env.h"
#include "support/year_file_fixture.h"

class LedgerBook : public YearFileTest {
 protected:
  void SetUp() override { ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1)); }

 public:
  void Account(const std::string& code, const std::string& name, const std::string& fz = "0",
               const std::string& fzn = "", const std::string& dl = "0", int dlf = 0, int dlw = 0) {
    int level = 1;
    for (char c : code) level += c == '-';
    env.Execute(Format(
        "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','%s','%s','%s',%d,%d)",
        code.c_str(), name.c_str(), level, fz.c_str(), fzn.c_str(), dl.c_str(), dlf, dlw));
  }
  // A posting: side 1 debit, -1 credit; mark "1" is written outside the books (MK '0').
  void Post(const std::string& date, const std::string& code, int side, double amount, int rn = 1,
            const std::string& summary = "摘要", const std::string& mark = "2", double nu = 0) {
    int period = PeriodOfDate(YearOf(env), date);
    env.Execute(
        Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) "
               "values('%s','%s',%d,'%s','%s',%d,%.2f,%.4f,'%s','%02d')",
               date.c_str(), mark.c_str(), rn, summary.c_str(), code.c_str(), side, amount, nu,
               mark == "1" ? "0" : "4", period));
  }
  void Opening(const std::string& code, int side, double amount, double nu = 0) {
    env.Execute(
        Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260101','    "
               "',0,'期初余额','%s',%d,%.2f,%.4f,'4','01')",
               code.c_str(), side, amount, nu));
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
