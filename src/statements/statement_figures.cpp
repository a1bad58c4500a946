// One pass over the chart and the reviewed postings for the statements' formulas.
#include "statements/statement_figures.h"

#include <algorithm>

#include "accounts/account_code.h"
#include "accounts/period.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/database.h"
#include "data/sql_text.h"

const char* const kClosingSummary = "期末结转损益";

namespace {

// "01".."12" as a number, 0 for anything else.
int PeriodOf(std::string_view tt) {
  int p = 0;
  for (char c : tt) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') return 0;
    p = p * 10 + (c - '0');
  }
  return p >= 1 && p <= 12 ? p : 0;
}

// The number a code's own part stands for; the parts are digits without leading zeros.
long long PartValue(const std::string& code) {
  std::string part = OwnPart(code);
  return part.size() > 15 ? -1 : std::stoll(part);
}

}  // namespace

StatementFigures::StatementFigures(CVyDataEnv& env, bool chartOnly) {
  ReadChart(env);
  if (!chartOnly) ReadPostings(env);
}

void StatementFigures::ReadChart(CVyDataEnv& env) {
  for (auto c = env.Db()->Query("select trim(kno) from subt"); !c->AtEnd(); c->Next()) {
    std::string code = c->Text(0);
    if (!IsValidCode(code) || index_.count(code)) continue;
    index_.emplace(code, 0);
    accounts_.push_back({code, PartValue(code), {}, {}});
  }
  std::sort(accounts_.begin(), accounts_.end(), [](const Account& a, const Account& b) { return a.code < b.code; });
  for (size_t i = 0; i < accounts_.size(); ++i) {
    index_[accounts_[i].code] = static_cast<int>(i);
    children_[ParentCode(accounts_[i].code)].push_back(static_cast<int>(i));
  }
  std::vector<bool> hasChild(accounts_.size(), false);
  for (const Account& a : accounts_) {
    int parent = Find(ParentCode(a.code));
    if (parent >= 0) hasChild[static_cast<size_t>(parent)] = true;
  }
  leaf_.assign(accounts_.size(), false);
  for (size_t i = 0; i < accounts_.size(); ++i) {
    if (hasChild[i]) continue;
    leaf_[i] = true;
    for (std::string code = accounts_[i].code; !code.empty(); code = ParentCode(code)) {
      int at = Find(code);
      if (at >= 0) accounts_[static_cast<size_t>(at)].leaves.push_back(static_cast<int>(i));
    }
  }
}

int StatementFigures::Find(const std::string& code) const {
  auto it = index_.find(code);
  return it == index_.end() ? -1 : it->second;
}

void StatementFigures::ReadPostings(CVyDataEnv& env) {
  // Rows on their own accounts first; the cursor meets one code's rows together (the code index is read),
  // so the last account found is asked first.
  std::vector<std::array<Sums, 13>> own(accounts_.size());
  std::string lastCode;
  int last = -1;
  auto add = [&](std::string_view code, int period, long long side, double amount, bool closing) {
    if (code != lastCode) {
      lastCode.assign(code);
      last = Find(lastCode);
    }
    if (last < 0) return;  // a code the chart lacks belongs to no line (数据检查 names it)
    Sums& s = own[static_cast<size_t>(last)][static_cast<size_t>(period)];
    money::Micros m = money::ToMicros(amount);
    if (closing) (side > 0 ? s.closingDebit : s.closingCredit) += m;
    else (side > 0 ? s.debit : s.credit) += m;
  };
  for (auto c = env.Db()->Query("select trim(kno),tt,cer,f,my from p0 where mk='4' and trim(kno)>=''");
       !c->AtEnd(); c->Next()) {
    int period = c->TextView(2) == "    " ? 0 : PeriodOf(c->TextView(1));
    if (period == 0 && c->TextView(2) != "    ") continue;
    add(c->TextView(0), period, c->Int(3), c->Real(4), false);
  }
  // The closing postings, already counted above, stand on a period's last day: the date index finds them
  // without another pass, and they are set apart from the rest of their period.
  AccountingYear year = YearOf(env);
  for (int p = 1; p <= 12; ++p) {
    std::string sql = Format("select trim(kno),f,my from p0 where t='%s' and mk='4' and trim(mry)='%s'",
                             jet::SqlText(AccountingPeriod(year, p).last).c_str(), kClosingSummary);
    for (auto c = env.Db()->Query(sql); !c->AtEnd(); c->Next())
      add(c->TextView(0), p, c->Int(1), c->Real(2), true);
  }
  // An account stands for the rows of its sub-tree as the balance tables count them: a lowest-level
  // account its own rows, one with sub-accounts the rows of everything below it (rows posted on such an
  // account itself, which 数据检查 names, count only for the accounts above it).
  for (size_t d = 0; d < accounts_.size(); ++d) {
    auto add = [&](size_t into) {
      for (size_t p = 0; p < own[d].size(); ++p) {
        Sums& t = accounts_[into].periods[p];
        t.debit += own[d][p].debit;
        t.credit += own[d][p].credit;
        t.closingDebit += own[d][p].closingDebit;
        t.closingCredit += own[d][p].closingCredit;
      }
    };
    if (leaf_[d]) add(d);
    for (std::string code = ParentCode(accounts_[d].code); !code.empty(); code = ParentCode(code))
      if (int a = Find(code); a >= 0) add(static_cast<size_t>(a));
  }
}

bool StatementFigures::Accounts(const std::string& argument, std::vector<int>& found, std::string& error) const {
  found.clear();
  std::string text = Trim(argument);
  size_t colon = text.find(':');
  if (colon == std::string::npos) {
    int at = Find(text);
    if (at < 0) {
      error = IsValidCode(text) ? "科目表中没有科目" + text : "“" + text + "”不是科目代码";
      return false;
    }
    found.push_back(at);
    return true;
  }
  std::string from = Trim(text.substr(0, colon)), to = Trim(text.substr(colon + 1));
  if (!IsValidCode(from) || !IsValidCode(to) || ParentCode(from) != ParentCode(to) ||
      PartValue(from) > PartValue(to)) {
    error = "“" + text + "”不是同一级科目的代码范围";
    return false;
  }
  auto siblings = children_.find(ParentCode(from));
  if (siblings == children_.end()) return true;
  const long long low = PartValue(from), high = PartValue(to);
  for (int i : siblings->second) {
    long long v = accounts_[static_cast<size_t>(i)].part;
    if (v >= low && v <= high) found.push_back(i);
  }
  return true;
}

money::Micros StatementFigures::Balance(int account, int period) const {
  money::Micros b = 0;
  const auto& periods = accounts_[static_cast<size_t>(account)].periods;
  for (int p = 0; p <= period && p <= 12; ++p) {
    const Sums& s = periods[static_cast<size_t>(p)];
    b += s.debit - s.credit;
  }
  return b;
}

money::Micros StatementFigures::Turnover(int account, int from, int to, bool debit, bool withClosing) const {
  money::Micros sum = 0;
  const auto& periods = accounts_[static_cast<size_t>(account)].periods;
  for (int p = std::max(from, 1); p <= to && p <= 12; ++p) {
    const Sums& s = periods[static_cast<size_t>(p)];
    sum += debit ? s.debit - (withClosing ? 0 : s.closingDebit) : s.credit - (withClosing ? 0 : s.closingCredit);
  }
  return sum;
}
