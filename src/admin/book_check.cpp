#include "admin/book_check.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "accounts/account_code.h"
#include "accounts/period.h"
#include "base/money.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/recordset.h"
#include "entry/book_balance.h"
#include "entry/posting.h"

namespace {

// The rules, in the order the findings are listed.
enum Rule {
  kMissingCode,
  kParentPosting,
  kParentOpening,
  kNoPeriod,
  kWrongPeriod,
  kOpeningDate,
  kTwoOpenings,
  kMarks,
  kSide,
  kControl,
  kAmount,
  kChart,
  kRuleCount
};

const char* const kRuleText[kRuleCount] = {
    "帐户代码不在科目表中",
    "发生额记在有下级帐户的帐户上",
    "期初余额记在有下级帐户的帐户上",
    "日期不在本年度的任何会计期间内",
    "会计期间(TT)与日期不符",
    "期初余额的日期不是年初日",
    "同一帐户有不止一行期初余额",
    "对帐标记(CER)、状态(MK)或行号(RN)不合规则",
    "借贷方向(F)不是 1 或 -1",
    "文字中含有换行、回车、制表符等控制字符",
    "金额或数量超出录入格式(金额至多 12 位整数、2 位小数，数量至多 12 位整数、4 位小数)",
    "科目代码不合规则、重复或级次不符",
};

const std::string kOpeningMark = "    ";

// Whether value is a number the entry mask of that many decimals lets a user type, stored as typed.
bool WithinMask(double value, int decimals) {
  return std::isfinite(value) && std::fabs(value) < 1e12 && money::RoundToPlaces(value, decimals) == value;
}

class Checker {
 public:
  explicit Checker(CVyDataEnv& env) : env_(env), year_(YearOf(env)) { listed_.resize(kRuleCount); }

  BookCheck Run() {
    ReadChart();
    ReadPostings();
    BookCheck out;
    for (int r = 0; r < kRuleCount; ++r) {
      if (counts_[r] == 0) continue;
      BookFinding f{kRuleText[r], counts_[r], std::move(listed_[static_cast<size_t>(r)])};
      std::stable_sort(f.rows.begin(), f.rows.end(), [](const CheckedRow& a, const CheckedRow& b) {
        return std::tie(a.table, a.code, a.date, a.line) < std::tie(b.table, b.code, b.date, b.line);
      });
      out.findings.push_back(std::move(f));
    }
    const SideSums openings = tally_.Openings(), closing = tally_.Closing();
    out.trial.openingDebit = openings.debit;
    out.trial.openingCredit = openings.credit;
    out.trial.closingDebit = closing.debit;
    out.trial.closingCredit = closing.credit;
    for (size_t p = 0; p < 12; ++p) {
      const SideSums period = tally_.Period(static_cast<int>(p) + 1);
      out.trial.debit[p] = period.debit;
      out.trial.credit[p] = period.credit;
    }
    return out;
  }

 private:
  void Flag(Rule rule, const CheckedRow& row) {
    if (counts_[rule]++ < static_cast<long>(BookCheck::kListedRows))
      listed_[static_cast<size_t>(rule)].push_back(row);
  }

  // The chart: which codes exist, which have sub-accounts, and what is wrong with its own rows.
  void ReadChart() {
    std::unordered_map<std::string, int> seen;
    CVyRecordset chart(env_.Db(), {"clas"}, {}, {"kno", "na", "fzn"});
    for (chart.Open("select kno,na,clas,fzn from subt"); !chart.IsEOF(); chart.MoveNext()) {
      CheckedRow row;
      row.table = "SUBT";
      row.code = Trim(chart.GetText(0));
      row.summary = RTrim(chart.GetText(1));
      if (HasControlChar(row.code) || HasControlChar(row.summary) || HasControlChar(RTrim(chart.GetText(2))))
        Flag(kControl, row);
      if (!IsValidCode(row.code) || CodeLevel(row.code) != chart.GetLong(0) || seen[row.code]++ > 0)
        Flag(kChart, row);
      codes_.insert(row.code);
      for (size_t dash = row.code.find('-'); dash != std::string::npos; dash = row.code.find('-', dash + 1))
        parents_.insert(row.code.substr(0, dash));
    }
  }

  // The period of a date, asked once per date: 0 when no period (or no calendar day) holds it.
  int PeriodOf(const std::string& date) {
    auto known = periods_.find(date);
    if (known != periods_.end()) return known->second;
    int period = 0;
    if (date.size() == 8 && date.find_first_not_of("0123456789") == std::string::npos) {
      int y = std::atoi(date.substr(0, 4).c_str()), m = std::atoi(date.substr(4, 2).c_str());
      int d = std::atoi(date.substr(6, 2).c_str());
      if (IsCalendarDay(y, m, d)) period = PeriodOfDate(year_, date);
    }
    periods_.emplace(date, period);
    return period;
  }

  void ReadPostings() {
    CVyRecordset p0(env_.Db(), {"rn", "f"}, {"my", "nu"}, {"t", "cer", "mry", "kno", "mk", "tt"});
    std::unordered_map<std::string, long> openings;
    for (p0.Open("select t,cer,rn,mry,kno,f,my,nu,mk,tt from p0"); !p0.IsEOF(); p0.MoveNext()) {
      CheckedRow row;
      row.line = p0.GetLong(0);
      row.side = p0.GetLong(1);
      row.amount = p0.GetDouble(0);
      row.quantity = p0.GetDouble(1);
      const std::string rawDate = p0.GetText(0), cer = p0.GetText(1), mry = p0.GetText(2);
      const std::string rawCode = p0.GetText(3), mk = p0.GetText(4), tt = p0.GetText(5);
      row.date = Trim(rawDate);
      row.mark = cer == kOpeningMark ? cer : Trim(cer);
      row.summary = RTrim(mry);
      row.code = Trim(rawCode);
      row.state = Trim(mk);
      row.period = Trim(tt);
      Check(row, cer == kOpeningMark, rawDate, mry, rawCode, cer, mk, tt, openings);
    }
  }

  void Check(const CheckedRow& row, bool opening, const std::string& rawDate, const std::string& mry,
             const std::string& rawCode, const std::string& cer, const std::string& mk, const std::string& tt,
             std::unordered_map<std::string, long>& openings) {
    const bool known = codes_.count(row.code) != 0;
    if (!known) Flag(kMissingCode, row);
    if (known && parents_.count(row.code)) Flag(opening ? kParentOpening : kParentPosting, row);

    int period = PeriodOf(row.date);
    if (period == 0)
      Flag(kNoPeriod, row);
    else if (row.period != PeriodKey(period))
      Flag(kWrongPeriod, row);
    if (opening && row.date != year_.start) Flag(kOpeningDate, row);
    if (opening && ++openings[row.code] == 2) Flag(kTwoOpenings, row);

    bool marksRight = opening ? row.line == 0 && row.state == "4"
                              : row.line >= 1 && (row.mark == "0" || row.mark == "1" || row.mark == "2") &&
                                    row.state == StateOf(row.mark);
    if (!marksRight) Flag(kMarks, row);
    if (row.side != 1 && row.side != -1) Flag(kSide, row);
    if (HasControlChar(rawDate) || HasControlChar(mry) || HasControlChar(rawCode) || HasControlChar(cer) ||
        HasControlChar(mk) || HasControlChar(tt))
      Flag(kControl, row);
    if (!WithinMask(row.amount, 2) || !WithinMask(row.quantity, 4)) Flag(kAmount, row);

    if (row.state == "4") tally_.Add(row.code, static_cast<int>(row.side), row.amount, period, opening);
  }

  CVyDataEnv& env_;
  AccountingYear year_;
  std::unordered_set<std::string> codes_, parents_;
  std::unordered_map<std::string, int> periods_;
  long counts_[kRuleCount] = {};
  std::vector<std::vector<CheckedRow>> listed_;
  BookTally tally_;
};

}  // namespace

BookCheck CheckBook(CVyDataEnv& env) {
  return Checker(env).Run();
}

std::string TrialSide(int64_t debitCents, int64_t creditCents) {
  return debitCents == creditCents ? "平" : debitCents > creditCents ? "借" : "贷";
}
