// Product sums and interest, year file by year file.
#include "interest/interest_calc.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "accounts/account_code.h"
#include "accounts/account_full_name.h"
#include "base/money.h"
#include "base/text.h"
#include "data/database.h"
#include "data/db_error.h"
#include "data/recordset.h"
#include "data/sql_text.h"

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

// Balance-day products are added exactly, in millionths of a yuan-day, so that a sum does not depend on the
// order of its rows: the list reads the same rows account by account or all at once, and both must come to
// the same cent even where an amount of half a cent makes the figure a tie.
using Product = __int128;

Product ProductOf(long f, double amount, long days) {
  return static_cast<Product>(f) * money::ToMicros(amount) * days;
}

double Yuan(Product sum) {
  return static_cast<double>(sum) / 1e6;
}

// Adds F × MY × days(t, E) of every row of the statement.
Product RowProducts(jet::Database* db, const std::string& sql, const InterestParams& p) {
  Product sum = 0;
  CVyRecordset rs(db, {"f"}, {"my"}, {"t"});
  rs.Open(sql);
  for (; !rs.IsEOF(); rs.MoveNext())
    sum += ProductOf(rs.GetLong(0), rs.GetDouble(0), CountDays(rs.GetText(0), p.end, p.method));
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
  Product sum = ProductOf(1, b0.IsEOF() ? 0 : b0.GetDouble(0), CountDays(p.start, p.end, p.method));

  // Postings only: the later files' opening rows repeat balances already counted.
  const std::string subTree =
      Format("select t,f,my from p0 where (trim(kno) like '%s' or trim(kno) like \t\t\t'%s-*')", k.c_str(),
             k.c_str());
  if (dbs.size() == 1)
    return Yuan(
        sum + RowProducts(
                  dbs.front(),
                  subTree + Format(" and t<'%s' and t>='%s' and rn>0 and mk='4'", e.c_str(), s.c_str()), p));
  sum += RowProducts(dbs.front(), subTree + Format(" and t>='%s' and rn>0 and mk='4'", s.c_str()), p);
  for (size_t i = 1; i + 1 < dbs.size(); ++i) sum += RowProducts(dbs[i], subTree + " and rn>0 and mk='4'", p);
  sum += RowProducts(dbs.back(), subTree + Format(" and t<'%s' and rn>0 and mk='4'", e.c_str()), p);
  return Yuan(sum);
}

// The product sums of many accounts at once: each year file's rows are read once (those of code's sub-tree,
// or all when code is empty), with the conditions of ProductSum, and added up per stored code; a code's sum
// is then that of itself and every code below it, as the sub-tree statements would find it.
class GroupedProducts {
 public:
  GroupedProducts(const PeriodFiles& files, const std::string& code, const InterestParams& p) {
    const std::vector<jet::Database*>& dbs = files.Dbs();
    std::string s = SqlText(p.start), e = SqlText(p.end);
    std::string within;
    if (!code.empty()) {
      std::string k = SqlText(code);
      within = Format(" and (trim(kno) like '%s' or trim(kno) like '%s-*')", k.c_str(), k.c_str());
    }
    // The balance before the start, opening rows dated on the start day included.
    CVyRecordset b0(dbs.front(), {}, {"Expr1001"}, {"Expr1000"});
    b0.Open(
        Format("select trim(kno),sum(f*my) from p0 where (t<'%s' or (t='%s' and rn=0)) and mk='4'%s "
               "group by trim(kno)",
               s.c_str(), s.c_str(), within.c_str()));
    const long startDays = CountDays(p.start, p.end, p.method);
    for (; !b0.IsEOF(); b0.MoveNext()) RollUp(b0.GetText(0), ProductOf(1, b0.GetDouble(0), startDays));

    // Postings only: the later files' opening rows repeat balances already counted.
    const std::string rows = "select trim(kno),t,f,my from p0 where rn>0 and mk='4'" + within;
    if (dbs.size() == 1) {
      Add(dbs.front(), rows + Format(" and t<'%s' and t>='%s'", e.c_str(), s.c_str()), p);
      return;
    }
    Add(dbs.front(), rows + Format(" and t>='%s'", s.c_str()), p);
    for (size_t i = 1; i + 1 < dbs.size(); ++i) Add(dbs[i], rows, p);
    Add(dbs.back(), rows + Format(" and t<'%s'", e.c_str()), p);
  }

  double Of(const std::string& code) const {
    auto it = sums_.find(code);
    return it == sums_.end() ? 0 : Yuan(it->second);
  }

 private:
  void Add(jet::Database* db, const std::string& sql, const InterestParams& p) {
    CVyRecordset rs(db, {"f"}, {"my"}, {"Expr1000", "t"});
    rs.Open(sql);
    // The rows come in no particular order: a code's sum is kept until another code comes, and days are
    // counted once per date.
    std::string code;
    Product sum = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      std::string k = rs.GetText(0);
      if (k != code) {
        RollUp(code, sum);
        code = std::move(k);
        sum = 0;
      }
      std::string t = rs.GetText(1);
      auto day = days_.find(t);
      if (day == days_.end()) day = days_.emplace(t, CountDays(t, p.end, p.method)).first;
      sum += ProductOf(rs.GetLong(0), rs.GetDouble(0), day->second);
    }
    RollUp(code, sum);
  }
  // Adds a stored code's sum to the code and to every code above it.
  void RollUp(const std::string& code, Product sum) {
    if (code.empty() && sum == 0) return;
    sums_[code] += sum;
    for (size_t dash = code.find('-'); dash != std::string::npos; dash = code.find('-', dash + 1))
      sums_[code.substr(0, dash)] += sum;
  }

  std::unordered_map<std::string, Product> sums_;
  std::unordered_map<std::string, long> days_;
};

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

// The listed codes that have another listed code below them.
std::unordered_set<std::string> ParentsIn(const std::vector<std::string>& codes) {
  std::unordered_set<std::string> parents;
  for (const std::string& c : codes)
    for (size_t dash = c.find('-'); dash != std::string::npos; dash = c.find('-', dash + 1))
      parents.insert(c.substr(0, dash));
  return parents;
}

// The full names of every account, from one read of the chart.
class FullNames {
 public:
  explicit FullNames(CVyDataEnv& env) {
    CVyRecordset rs(env.Db(), {}, {}, {"Expr1000", "Expr1001"});
    for (rs.Open("select trim(kno),trim(na) from subt"); !rs.IsEOF(); rs.MoveNext())
      names_.emplace(rs.GetText(0), rs.GetText(1));
  }
  // As AccountFullName gives it.
  std::string Of(const std::string& code, int width) const {
    if (!IsValidCode(code) || !names_.count(code)) return "";
    std::vector<std::string> names;
    for (size_t i = 0; i <= code.size(); ++i)
      if (i == code.size() || code[i] == '-') {
        auto it = names_.find(code.substr(0, i));
        names.push_back(it == names_.end() ? std::string() : it->second);
      }
    return FullNameOf(names, width);
  }

 private:
  std::unordered_map<std::string, std::string> names_;
};

double Rounded(double v) {
  return money::RoundToCents(v);
}

}  // namespace

std::string AmountText(double value) {
  std::string t = FormatAmount(value, 0, 2, 2);
  return Trim(t).empty() ? "0.00" : t;
}

std::vector<InterestRow> ComputeInterest(CVyDataEnv& env, const std::vector<YearFileSpan>& files,
                                         const InterestParams& p, bool documented) {
  PeriodFiles books(env, files, p);
  auto rowOf = [&](const std::string& code, double sum, const std::string& name, double& q,
                   double& interest) {
    q = p.Direction() * sum;
    interest = q * p.rate * 0.0001;
    return InterestRow{code, name, AmountText(q), AmountText(interest)};
  };

  std::vector<InterestRow> rows;
  double q = 0, interest = 0;
  if (!p.code.empty() && env.QueryLong(Format("select count(*) from subt where trim(kno) like '%s-*'",
                                              SqlText(p.code).c_str())) == 0) {
    rows.push_back(
        rowOf(p.code, ProductSum(books, p.code, p), AccountFullName(env, p.code, 40), q, interest));
    return rows;
  }
  std::vector<std::string> codes = ListedCodes(env, p.code);
  std::unordered_set<std::string> parents = ParentsIn(codes);
  std::optional<GroupedProducts> grouped;
  std::optional<FullNames> names;
  if (!documented) {
    grouped.emplace(books, p.code, p);
    names.emplace(env);
  }
  double totalQ = 0, totalI = 0;
  for (const std::string& code : codes) {
    if (documented)
      rows.push_back(rowOf(code, ProductSum(books, code, p), AccountFullName(env, code, 40), q, interest));
    else
      rows.push_back(rowOf(code, grouped->Of(code), names->Of(code, 40), q, interest));
    if (parents.count(code)) continue;
    totalQ += Rounded(q);
    totalI += Rounded(interest);
  }
  rows.push_back({"", "合        计", AmountText(totalQ), AmountText(totalI)});
  return rows;
}
