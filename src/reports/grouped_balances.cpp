#include "reports/grouped_balances.h"

#include <algorithm>
#include <cstdlib>

#include "accounts/account_code.h"
#include "base/text.h"
#include "data/vy_recordset.h"

namespace {

// What the dialect's val() reads from a text: its leading number, 0 when there is none.
double ValOf(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

// The text without blanks at its end, and with both it also without those at its start.
std::string_view TrimmedView(std::string_view text, bool both) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (both && !text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

void GroupedBalances::LoadChart() {
  if (chartRead_) return;
  chartRead_ = true;
  auto cursor = env_.Db()->Query("select trim(kno),trim(na),clas from subt");
  for (; !cursor->AtEnd(); cursor->Next())
    chart_.push_back({cursor->Text(0), cursor->Text(1), static_cast<long>(cursor->Int(2))});
  for (const Account& a : chart_)
    for (size_t i = 0; i < a.code.size(); ++i)
      if (a.code[i] == '-') parents_.insert(a.code.substr(0, i));
}

std::vector<ListedAccount> GroupedBalances::Accounts(const std::string& start) {
  LoadChart();
  struct Keyed {
    double key;
    const Account* account;
  };
  std::vector<Keyed> listed;
  const std::string prefix = start + "-";
  const long level = start.empty() ? 1 : CodeLevel(start) + 1;
  for (const Account& a : chart_) {
    if (a.clas != level) continue;
    if (start.empty())
      listed.push_back({ValOf(a.code), &a});
    else if (StartsWith(a.code, prefix))
      listed.push_back({ValOf(a.code.substr(prefix.size())), &a});
  }
  std::stable_sort(listed.begin(), listed.end(),
                   [](const Keyed& x, const Keyed& y) { return x.key < y.key; });
  std::vector<ListedAccount> accounts;
  accounts.reserve(listed.size());
  for (const Keyed& k : listed) accounts.push_back({k.account->code, k.account->name});
  return accounts;
}

bool GroupedBalances::HasSubAccounts(const std::string& code) {
  LoadChart();
  return parents_.count(code) > 0;
}

long GroupedBalances::ExpectedRows(const std::string& start, bool allLevels) {
  LoadChart();
  long n = 0;
  const std::string prefix = start + "-";
  for (const Account& a : chart_) {
    if (start.empty())
      n += allLevels || a.clas == 1;
    else if (StartsWith(a.code, prefix))
      n += allLevels || a.code.find('-', prefix.size()) == std::string::npos;
  }
  return n;
}

GroupedBalances::Bucket& GroupedBalances::BucketOf(Buckets& buckets, std::string_view tt, bool opening) {
  for (Bucket& b : buckets)
    if (b.opening == opening && b.tt == tt) return b;
  Bucket& b = buckets.emplace_back();
  b.tt = tt;
  b.period = static_cast<int>(ValOf(b.tt));
  b.opening = opening;
  return b;
}

// One pass over P0: the conditions every balance statement shares (reviewed rows up to the last date) are
// applied here as the dialect applies them to CHAR columns, trailing blanks ignored.
void GroupedBalances::ReadPostings(const std::string& lastDate) {
  if (postingsRead_ && postingsDate_ == lastDate) return;
  postingsRead_ = true;
  postingsDate_ = lastDate;
  own_.clear();
  below_.clear();
  const std::string last = RTrim(lastDate);
  auto cursor = env_.Db()->Query("select kno,tt,cer,t,mk,f,my from p0");
  std::string code;
  for (; !cursor->AtEnd(); cursor->Next()) {
    if (TrimmedView(cursor->TextView(4), false) != "4" || TrimmedView(cursor->TextView(3), false) > last)
      continue;
    const double f = static_cast<double>(cursor->Int(5)), my = cursor->Real(6);
    code.assign(TrimmedView(cursor->TextView(0), true));
    Bucket& b = BucketOf(own_[code], cursor->TextView(1), cursor->TextView(2) == "    ");
    ++b.count;
    b.signedSum += f * my;
    b.debit += 0.5 * (1 + f) * my;
    b.credit += 0.5 * (1 - f) * my;
  }
  for (const auto& [code, buckets] : own_)
    for (size_t i = 0; i < code.size(); ++i) {
      if (code[i] != '-') continue;
      Buckets& into = below_[code.substr(0, i)];
      for (const Bucket& b : buckets) {
        Bucket& sum = BucketOf(into, b.tt, b.opening);
        sum.count += b.count;
        sum.signedSum += b.signedSum;
        sum.debit += b.debit;
        sum.credit += b.credit;
      }
    }
}

const GroupedBalances::Buckets* GroupedBalances::Find(const std::unordered_map<std::string, Buckets>& map,
                                                      const std::string& code) const {
  auto it = map.find(code);
  return it == map.end() ? nullptr : &it->second;
}

long GroupedBalances::CountUpTo(const std::string& code, int period) const {
  long n = 0;
  for (const Buckets* buckets : {Find(own_, code), Find(below_, code)})
    if (buckets)
      for (const Bucket& b : *buckets)
        if (b.period <= period) n += b.count;
  return n;
}

double GroupedBalances::Balance(const std::string& code, const std::string& date, int period) {
  ReadPostings(date);
  if (CountUpTo(code, period) == 0) return 0;
  double sum = 0;
  for (const Buckets* buckets : {Find(own_, code), Find(below_, code)})
    if (buckets)
      for (const Bucket& b : *buckets)
        if (b.period <= period) sum += b.signedSum;
  return sum;
}

TurnoverFigures GroupedBalances::Turnover(const std::string& code, int startPeriod,
                                          const std::string& endDate, int endPeriod) {
  ReadPostings(endDate);
  TurnoverFigures f;
  if (CountUpTo(code, endPeriod) == 0) return f;
  // An account with sub-accounts sums its descendants' rows only, as its statement selects them.
  const Buckets* buckets = HasSubAccounts(code) ? Find(below_, code) : Find(own_, code);
  if (!buckets) return f;
  const std::string start = Format("%02d", startPeriod);
  for (const Bucket& b : *buckets) {
    if (b.period > endPeriod) continue;
    const bool before = b.tt < start;
    if (b.opening || before) f.opening += b.signedSum;
    if (!b.opening && !before) {
      f.debit += b.debit;
      f.credit += b.credit;
    }
  }
  return f;
}
