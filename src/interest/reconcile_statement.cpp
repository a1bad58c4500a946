// Building the reconciliation statement from the reconciliation marks of the postings.
#include "interest/reconcile_statement.h"

#include "accounts/account_full_name.h"
#include "base/date.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"
#include "interest/interest_calc.h"

using jet::SqlText;

namespace {

struct ItemSum {
  long count = 0;
  double sum = 0;
};

// Count and sum of the period's postings of one side and one mark.
ItemSum SumOf(CVyDataEnv& env, const std::string& code, const ReconcileParams& p, int side,
              const char* mark) {
  CVyRecordset rs(env.Db(), {"Expr1000"}, {"Expr1001"}, {});
  rs.Open(
      Format("select count(*),sum(my) from p0 where trim(kno)='%s' and t>='%s' \t\tand t<='%s' and rn>0 "
             "and f=%d and trim(cer)='%s'",
             code.c_str(), SqlText(p.start).c_str(), SqlText(p.end).c_str(), side, mark));
  if (rs.IsEOF()) return {};
  return {rs.GetLong(0), rs.GetDouble(0)};
}

using Half = std::vector<std::array<std::string, 3>>;

// One half's lines: its receipts, the "减：未达支出" line with the payments' sum, then its payments.
Half HalfOf(CVyDataEnv& env, const std::string& code, const ReconcileParams& p, const char* mark,
            long receipts, double payments) {
  Half half;
  CVyRecordset rs(env.Db(), {}, {"my"}, {"t", "Expr1001"});
  rs.Open(
      Format("select t,rtrim(mry),my from p0 where trim(kno)='%s' and t>='%s' \tand t<='%s' and rn>0 and "
             "trim(cer)='%s' order by -1*f,t,rn",
             code.c_str(), SqlText(p.start).c_str(), SqlText(p.end).c_str(), mark));
  bool lineShown = false;
  for (long n = 0; !rs.IsEOF(); rs.MoveNext(), ++n) {
    if (n == receipts) {
      half.push_back({"", "减：未达支出", AmountText(payments)});
      lineShown = true;
    }
    std::string t = rs.GetText(0);
    std::string date = t.size() >= 8 ? t.substr(0, 4) + "." + t.substr(4, 2) + "." + t.substr(6, 2) : t;
    half.push_back({date, rs.GetText(1), AmountText(rs.GetDouble(0))});
  }
  if (!lineShown) half.push_back({"", "减：未达支出", AmountText(payments)});
  return half;
}

}  // namespace

std::string ReconcileDateText(const ReconcileParams& p) {
  int ys = 0, ms = 0, ds = 0, ye = 0, me = 0, de = 0;
  SplitDate(p.start, ys, ms, ds);
  SplitDate(p.end, ye, me, de);
  return Format("日期：%4d 年 %d 月 %d 日至 %4d 年 %d 月 %d 日", ys, ms, ds, ye, me, de);
}

std::string ReconcileAccountText(CVyDataEnv& env, const ReconcileParams& p) {
  return "帐户代码：" + p.code + "  名称：" + AccountFullName(env, p.code, 84);
}

std::vector<ReconcileRow> BuildReconciliation(CVyDataEnv& env, const ReconcileParams& p) {
  std::string k = SqlText(p.code);
  CVyRecordset book(env.Db(), {}, {"Expr1001"}, {});
  book.Open(Format("select count(*),sum(f*my) from p0 where trim(kno)='%s' and t<='%s' and trim(cer)<>'1'",
                   k.c_str(), SqlText(p.end).c_str()));
  double balance = book.IsEOF() ? 0 : book.GetDouble(0);
  ItemSum d1 = SumOf(env, k, p, 1, "1"), c1 = SumOf(env, k, p, -1, "1");
  ItemSum d0 = SumOf(env, k, p, 1, "0"), c0 = SumOf(env, k, p, -1, "0");

  std::vector<ReconcileRow> rows;
  rows.push_back(
      {"", "调节前本帐户余额", AmountText(balance), "", "调节前对方帐户余额", AmountText(p.otherBalance)});
  rows.push_back({"", "加：未达收入", AmountText(d1.sum), "", "加：未达收入", AmountText(d0.sum)});
  Half left = HalfOf(env, k, p, "1", d1.count, c1.sum);
  Half right = HalfOf(env, k, p, "0", d0.count, c0.sum);
  for (size_t i = 0; i < left.size() || i < right.size(); ++i) {
    ReconcileRow row;
    if (i < left.size()) std::copy(left[i].begin(), left[i].end(), row.begin());
    if (i < right.size()) std::copy(right[i].begin(), right[i].end(), row.begin() + 3);
    rows.push_back(row);
  }
  rows.push_back({"", "调节后本帐户余额", AmountText(balance + d1.sum - c1.sum), "", "调节后对方帐户余额",
                  AmountText(p.otherBalance + d0.sum - c0.sum)});
  return rows;
}
