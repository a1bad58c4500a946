// Writing the interest as postings of the day.
#include "interest/interest_posting.h"

#include <cmath>

#include "accounts/account_code.h"
#include "accounts/chart_queries.h"
#include "accounts/period.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/sql_text.h"

using jet::SqlText;

namespace {

struct Posting {
  std::string code;
  double interest;
};

}  // namespace

bool PostInterest(CVyDataEnv& env, const std::vector<InterestRow>& rows, const std::string& date,
                  const std::string& summary, bool credit, const std::string& counter) {
  std::vector<Posting> postings;
  try {
    for (const InterestRow& row : rows) {
      std::string code = Trim(row.code);
      if (code.empty()) continue;
      double interest = ParseNumber(ReplaceAll(Trim(row.interest), ",", ""));
      if (money::ToCents(interest) == 0) continue;
      // A parent's row only sums its children, which have rows of their own.
      if (IsValidCode(code) && env.QueryLong(Format("select count(*) from subt where trim(kno) like '%s-*'",
                                                    SqlText(code).c_str())) > 0)
        continue;
      // A corrected code must still name an account, or the interest would land outside the chart.
      if (!IsValidCode(code) || CountCode(env, code) < 1) {
        ShowMessage(Format("帐户“%s”不存在，请改正后再记帐!", code.c_str()), MsgIcon::Stop);
        return false;
      }
      postings.push_back({code, interest});
    }
  } catch (const jet::DbError& e) {
    ShowMessage(e.what(), MsgIcon::Stop);
    return false;
  }

  int period = PeriodOfDate(YearOf(env), date);
  std::string tt = period < 10 ? Format("0%1d", period) : Format("%2d", period);
  int side = credit ? -1 : 1;
  auto write = [&](const std::string& code, int f, double amount) {
    std::string k = SqlText(code), d = SqlText(date);
    long rn = env.QueryLong(Format("select max(rn) from p0 where trim(kno)='%s' and t='%s'", k.c_str(), d.c_str()));
    env.Execute(
        Format("INSERT INTO P0(t,mry,cer,kno,f,my,nu,mk,rn,tt) VALUES('%s','%s','0','%s',%d,%.2lf,0,'4',"
               "%ld,'%2s')",
               d.c_str(), SqlText(summary).c_str(), k.c_str(), f, amount, rn + 1, tt.c_str()));
  };
  return env.RunInTransaction([&] {
    for (const Posting& p : postings) {
      write(p.code, side, p.interest);
      // The same amount on the other side: signed amounts of the pair add up to nothing.
      if (!counter.empty()) write(counter, -side, p.interest);
    }
  });
}
