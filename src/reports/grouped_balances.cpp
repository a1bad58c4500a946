#include "reports/grouped_balances.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "accounts/account_code.h"
#include "base/money.h"
#include "base/text.h"
#include "data/recordset.h"

namespace {

using money::ToMicros;
using money::ValNumber;

// The text without blanks at its end, and with both it also without those at its start.
std::string_view TrimmedView(std::string_view text, bool both) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (both && !text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// A period text of up to three bytes and the opening mark packed into one number, which a bucket is found
// by; longer texts are compared as texts.
constexpr uint32_t kLongPeriod = 0xFFFFFFFF;
uint32_t BucketKey(std::string_view tt, bool opening) {
  if (tt.size() > 3) return kLongPeriod;
  uint32_t key = static_cast<uint32_t>(tt.size());
  for (char c : tt) key = key << 8 | static_cast<unsigned char>(c);
  return key << 1 | (opening ? 1 : 0);
}

// Where the rows of one account code as stored (blanks and all, up to 16 bytes) and one bucket key are
// added up: the scan meets each such pair thousands of times and finds its bucket here at once, without
// trimming, copying or hashing the code as a text. Open addressing over a table kept at most half full.
template <class Value>
class RowKeys {
 public:
  // nullptr when the pair has not been seen, or cannot be kept here (a longer code, a long period text).
  Value* Find(std::string_view stored, uint32_t bucketKey) {
    if (!Fits(stored, bucketKey) || slots_.empty()) return nullptr;
    Key k = KeyOf(stored, bucketKey);
    for (size_t i = Hash(k) & mask_;; i = (i + 1) & mask_) {
      if (!slots_[i].used) return nullptr;
      if (slots_[i].key.a == k.a && slots_[i].key.b == k.b && slots_[i].key.c == k.c) return &slots_[i].value;
    }
  }
  void Add(std::string_view stored, uint32_t bucketKey, Value value) {
    if (!Fits(stored, bucketKey)) return;
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    Put(KeyOf(stored, bucketKey), value);
  }

 private:
  struct Key {
    uint64_t a = 0, b = 0, c = 0;
  };
  struct Slot {
    Key key;
    Value value{};
    bool used = false;
  };
  static bool Fits(std::string_view stored, uint32_t bucketKey) {
    return stored.size() <= 16 && bucketKey != kLongPeriod;
  }
  static Key KeyOf(std::string_view s, uint32_t bucketKey) {
    Key k;
    k.c = static_cast<uint64_t>(s.size()) << 32 | bucketKey;
    std::memcpy(&k.a, s.data(), std::min<size_t>(s.size(), 8));
    if (s.size() > 8) std::memcpy(&k.b, s.data() + 8, s.size() - 8);
    return k;
  }
  static size_t Hash(const Key& k) {
    uint64_t h =
        (k.a ^ (k.b * 0x9E3779B97F4A7C15ull) ^ (k.c * 0x165667B19E3779F9ull)) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<size_t>(h ^ (h >> 29));
  }
  void Put(const Key& k, Value value) {
    size_t i = Hash(k) & mask_;
    while (slots_[i].used) i = (i + 1) & mask_;
    slots_[i] = {k, value, true};
    ++count_;
  }
  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 4096 : old.size() * 2, Slot());
    mask_ = slots_.size() - 1;
    count_ = 0;
    for (const Slot& s : old)
      if (s.used) Put(s.key, s.value);
  }
  std::vector<Slot> slots_;
  size_t mask_ = 0, count_ = 0;
};

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
      listed.push_back({ValNumber(a.code), &a});
    else if (StartsWith(a.code, prefix))
      listed.push_back({ValNumber(a.code.substr(prefix.size())), &a});
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
  const uint32_t key = BucketKey(tt, opening);
  for (Bucket& b : buckets)
    if (b.key == key && (key != kLongPeriod || (b.opening == opening && b.tt == tt))) return b;
  Bucket& b = buckets.emplace_back();
  b.key = key;
  b.tt = tt;
  b.period = static_cast<int>(ValNumber(b.tt));
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
  // Only the reviewed mark is left to the statement: a bound on the date would make the engine walk the
  // date index and fetch each row by itself, far slower than reading the table through. Every code is not
  // less than the empty text, a condition that lets the engine read the code index, which holds every
  // column asked for in half the pages of the table.
  auto cursor = env_.Db()->Query("select trim(kno),tt,cer,t,f,my from p0 where mk='4' and trim(kno)>=''");
  struct Place {
    Buckets* buckets;
    size_t index;
  };
  RowKeys<Place> places;
  for (; !cursor->AtEnd(); cursor->Next()) {
    if (TrimmedView(cursor->TextView(3), false) > last) continue;
    const double f = static_cast<double>(cursor->Int(4)), my = cursor->Real(5);
    const std::string_view stored = cursor->TextView(0), tt = cursor->TextView(1);
    const bool opening = cursor->TextView(2) == "    ";
    const uint32_t key = BucketKey(tt, opening);
    Place found;
    Place* place = places.Find(stored, key);
    if (!place) {
      Buckets& buckets = own_[std::string(TrimmedView(stored, true))];
      found = {&buckets, static_cast<size_t>(&BucketOf(buckets, tt, opening) - buckets.data())};
      places.Add(stored, key, found);
      place = &found;
    }
    Bucket& b = (*place->buckets)[place->index];
    ++b.count;
    b.signedSum += ToMicros(f * my);
    b.debit += ToMicros(0.5 * (1 + f) * my);
    b.credit += ToMicros(0.5 * (1 - f) * my);
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
  money::Micros sum = 0;
  for (const Buckets* buckets : {Find(own_, code), Find(below_, code)})
    if (buckets)
      for (const Bucket& b : *buckets)
        if (b.period <= period) sum += b.signedSum;
  return money::FromMicros(sum);
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
  money::Micros opening = 0, debit = 0, credit = 0;
  for (const Bucket& b : *buckets) {
    if (b.period > endPeriod) continue;
    const bool before = b.tt < start;
    if (b.opening || before) opening += b.signedSum;
    if (!b.opening && !before) {
      debit += b.debit;
      credit += b.credit;
    }
  }
  return {money::FromMicros(opening), money::FromMicros(debit), money::FromMicros(credit)};
}
