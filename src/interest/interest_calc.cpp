// Product sums and interest, year file by year file.
#include "interest/interest_calc.h"

#include <cstdlib>
#include <memory>

#include "accounts/account_full_name.h"
#include "base/text.h"
#include "data/jet/database.h"
#include "data/jet/db_error.h"
#include "data/jet/sql_text.h"
#include "data/vy_recordset.h"

using jet::SqlText;

namespace {

// The year files of the period, open for reading: the logged-in one through the environment, the others
// opened read-only for this calculation and closed when it ends.
class PeriodFiles {
 public:
  PeriodFiles(CVyDataEnv& env, const std::vector<YearFileSpan>& files, const InterestParams& p) {
    // The files left out of the list are looked at again: a year of the period is never passed over.
    std::vector<YearFileSpan> refused;
    ListInterestYearFiles(env.dataDir, env.extension, &refused);
    size_t first = 0, last = 0;
    if (!FilesOfPeriod(files, p.start, p.end, first, last)) {
      std::string why = RefusedYearFileIn(refused, std::atoi(p.start.substr(0, 4).c_str()) - 1,
                                          std::atoi(p.end.substr(0, 4).c_str()) + 1);
      throw jet::DbError(why.empty() ? "计息时间不在本帐套的年度文件之内。" : why);
    }
    std::string missing = MissingYearFile(files, first, last, refused, env.dataDir, env.extension);
    if (!missing.empty()) throw jet::DbError(missing);
    for (size_t i = first; i <= last; ++i) {
      if (NameOf(files[i].path) == NameOf(env.dataFile)) {
        dbs_.push_back(env.Db());
        continue;
      }
      auto db = std::make_unique<jet::Database>();
      try {
        db->Open(files[i].path, true);
      } catch (const jet::DbError& e) {
        throw jet::DbError("年度文件“" + files[i].path + "”不能读出：" + e.what() + "，无法计息!");
      }
      dbs_.push_back(db.get());
      owned_.push_back(std::move(db));
    }
  }
  const std::vector<jet::Database*>& Dbs() const { return dbs_; }

 private:
  std::vector<jet::Database*> dbs_;
  std::vector<std::unique_ptr<jet::Database>> owned_;
};

// Adds F × MY × days(t, E) of every row of the statement.
double RowProducts(jet::Database* db, const std::string& sql, const InterestParams& p) {
  double sum = 0;
  CVyRecordset rs(db, {"f"}, {"my"}, {"t"});
  rs.Open(sql);
  for (; !rs.IsEOF(); rs.MoveNext())
    sum += rs.GetLong(0) * rs.GetDouble(0) * static_cast<double>(CountDays(rs.GetText(0), p.end, p.method));
  return sum;
}

// The debit-positive product sum of code's sub-tree over the period.
double ProductSum(const PeriodFiles& files, const std::string& code, const InterestParams& p) {
  const std::vector<jet::Database*>& dbs = files.Dbs();
  std::string k = SqlText(code), s = SqlText(p.start), e = SqlText(p.end);
  // The balance before the start, opening rows dated on the start day included.
  CVyRecordset b0(dbs.front(), {}, {"Expr1001"}, {});
  b0.Open(
      Format("select count(*),sum(f*my) from p0 where (t<'%s' or (t='%s' and rn=0)) and "
             "\t\t\t(trim(kno) like '%s' or trim(kno) like '%s-*') and mk='4'",
             s.c_str(), s.c_str(), k.c_str(), k.c_str()));
  double balance = b0.IsEOF() ? 0 : b0.GetDouble(0);
  double sum = balance * static_cast<double>(CountDays(p.start, p.end, p.method));

  // Postings only: the later files' opening rows repeat balances already counted.
  const std::string subTree =
      Format("select t,f,my from p0 where (trim(kno) like '%s' or trim(kno) like \t\t\t'%s-*')", k.c_str(),
             k.c_str());
  if (dbs.size() == 1)
    return sum +
           RowProducts(dbs.front(),
                       subTree + Format(" and t<'%s' and t>='%s' and rn>0 and mk='4'", e.c_str(), s.c_str()),
                       p);
  sum += RowProducts(dbs.front(), subTree + Format(" and t>='%s' and rn>0 and mk='4'", s.c_str()), p);
  for (size_t i = 1; i + 1 < dbs.size(); ++i) sum += RowProducts(dbs[i], subTree + " and rn>0 and mk='4'", p);
  sum += RowProducts(dbs.back(), subTree + Format(" and t<'%s' and rn>0 and mk='4'", e.c_str()), p);
  return sum;
}

// The account codes of the list: the code and its sub-tree, or the whole chart.
std::vector<std::string> ListedCodes(CVyDataEnv& env, const std::string& code) {
  std::vector<std::string> codes;
  std::string sql = "select trim(kno) from subt order by kno";
  if (!code.empty()) {
    std::string k = SqlText(code);
    sql = Format("select trim(kno) from subt where trim(kno) like '%s' or trim(kno) like '%s-*' order by kno",
                 k.c_str(), k.c_str());
  }
  CVyRecordset rs(env.Db(), {}, {}, {"Expr1000"});
  rs.Open(sql);
  for (; !rs.IsEOF(); rs.MoveNext()) codes.push_back(rs.GetText(0));
  return codes;
}

bool HasChildIn(const std::vector<std::string>& codes, const std::string& code) {
  std::string prefix = code + "-";
  for (const std::string& c : codes)
    if (c.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

double Rounded(double v) {
  return std::atof(Format("%.2lf", v).c_str());
}

}  // namespace

std::string AmountText(double value) {
  std::string t = FormatAmount(value, 0, 2, 2);
  return Trim(t).empty() ? "0.00" : t;
}

std::vector<InterestRow> ComputeInterest(CVyDataEnv& env, const std::vector<YearFileSpan>& files,
                                         const InterestParams& p) {
  PeriodFiles books(env, files, p);
  auto rowOf = [&](const std::string& code, double& q, double& interest) {
    q = p.Direction() * ProductSum(books, code, p);
    interest = q * p.rate * 0.0001;
    return InterestRow{code, AccountFullName(env, code, 40), AmountText(q), AmountText(interest)};
  };

  std::vector<InterestRow> rows;
  double q = 0, interest = 0;
  if (!p.code.empty() && env.QueryLong(Format("select count(*) from subt where trim(kno) like '%s-*'",
                                              SqlText(p.code).c_str())) == 0) {
    rows.push_back(rowOf(p.code, q, interest));
    return rows;
  }
  std::vector<std::string> codes = ListedCodes(env, p.code);
  double totalQ = 0, totalI = 0;
  for (const std::string& code : codes) {
    rows.push_back(rowOf(code, q, interest));
    if (HasChildIn(codes, code)) continue;
    totalQ += Rounded(q);
    totalI += Rounded(interest);
  }
  rows.push_back({"", "合        计", AmountText(totalQ), AmountText(totalI)});
  return rows;
}
