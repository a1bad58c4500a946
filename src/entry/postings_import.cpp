#include "entry/postings_import.h"

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "accounts/period.h"
#include "base/date.h"
#include "base/input_mask.h"
#include "base/text.h"
#include "base/validators.h"
#include "data/database.h"
#include "data/data_env.h"
#include "data/recordset.h"
#include "entry/book_balance.h"
#include "entry/date_entry_dlg.h"
#include "entry/posting.h"

namespace {

// An amount as the entry window's cell would take it: no sign (the column gives the side), at most twelve
// integer digits and two decimals. Empty is no amount.
std::string AmountRefusal(const std::string& amount) {
  if (amount.empty()) return "";
  if (amount.find('-') != std::string::npos || !IsNumberText(amount, 0, 0) ||
      amount.find_first_of("0123456789") == std::string::npos)
    return "金额应为不带负号的数";
  FieldMask mask = AmountCellMask();
  if (!IsNumberText(amount, mask.maxLength, 0)) return Format("金额的整数部分超过 %d 位", mask.maxLength);
  if (!IsNumberText(amount, 0, mask.decimals)) return Format("金额最多 %d 位小数", mask.decimals);
  return "";
}

// What the import asks of every line again and again, asked of the file once: the columns' places, the
// chart's lowest-level accounts with their auxiliary accounting, each date's refusal or period, and the last
// line number of each day and account (a row per day met, a slot per account of the chart: the room it
// takes is bounded by the chart and the year's days, whatever the file's length).
class PostingsImport {
 public:
  PostingsImport(CVyDataEnv& env, const CsvTable& table, bool largeBook)
      : env_(env),
        year_(YearOf(env)),
        date_(table.Column("date")),
        account_(table.Column("account")),
        summary_(table.Column("summary")),
        debit_(table.Column("debit")),
        credit_(table.Column("credit")),
        mark_(table.Column("mark")),
        quantity_(table.Column("quantity")) {
    std::unordered_map<std::string, int> count;
    uint32_t place = 0;
    CVyRecordset chart(env.Db(), {"Expr1001"}, {}, {"Expr1000"});
    for (chart.Open("select trim(kno),val(fz) from subt"); !chart.IsEOF(); chart.MoveNext()) {
      std::string code = chart.GetText(0);
      ++count[code];
      accounts_[code] = {chart.GetLong(0), place++};
      for (size_t dash = code.find('-'); dash != std::string::npos; dash = code.find('-', dash + 1))
        ++count[code.substr(0, dash)];
    }
    places_ = place;
    // A code counted more than once has children, or stands twice in a damaged chart.
    for (auto& [code, n] : count)
      if (n != 1) accounts_.erase(code);
    // A book larger than the file: each day and account of the file is looked up once, in the indexes;
    // else the last lines of the whole book are read at once.
    if (largeBook) {
      lastLineOf_ = env.Db()->Prepare("select max(rn) from p0 where trim(kno)=? and t=? and rn>0");
    } else {
      CVyRecordset lines(env.Db(), {"Expr1002"}, {}, {"t", "Expr1001"});
      lines.Open("select t,trim(kno),max(rn) from p0 where rn>0 group by t,trim(kno)");
      for (; !lines.IsEOF(); lines.MoveNext()) {
        auto account = accounts_.find(lines.GetText(1));
        uint32_t day = DayNumber(lines.GetText(0));
        // Only a lowest-level account of a well-formed day can take an imported line.
        if (account != accounts_.end() && day) LastLine(day, account->second.place) = lines.GetLong(0);
      }
    }
    insert_ = env.Db()->Prepare(kInsertPosting);
  }

  std::string Take(const CsvTable& table, const CsvRecord& r) {
    if (std::string wrong = table.RecordRefusal(r); !wrong.empty()) return wrong;
    Posting p;
    p.date = Trim(CsvTable::Field(r, date_));
    const DateFact* day = Day(p.date);
    if (!day->refusal.empty()) return day->refusal;
    p.period = day->period;
    p.code = Trim(CsvTable::Field(r, account_));
    auto account = accounts_.find(p.code);
    if (p.code.empty()) return "未录入帐户代码";
    if (account == accounts_.end()) return "帐户代码不存在或非最低明细帐户";
    p.summary = CsvTable::Field(r, summary_);
    if (!MaskAdmitsTyping({"STRING NOT |[]'\"", 40}, p.summary))
      return "摘要不能超过 40 个字节，也不能含有空格和 | [ ] ' \"";
    std::string debit = Trim(CsvTable::Field(r, debit_)), credit = Trim(CsvTable::Field(r, credit_));
    for (const std::string* amount : {&debit, &credit})
      if (std::string wrong = AmountRefusal(*amount); !wrong.empty()) return wrong;
    if (!debit.empty() && !credit.empty() && !IsBlankAmount(CellNumber(debit)) &&
        !IsBlankAmount(CellNumber(credit)))
      return "借方金额和贷方金额只能填写一方";
    if (!SideOf(debit, credit, p.side, p.amount)) return "未录入金额";
    p.mark = Trim(CsvTable::Field(r, mark_));
    if (p.mark.empty()) p.mark = "0";
    if (p.mark != "0" && p.mark != "1" && p.mark != "2") return "对帐标记应为 0、1 或 2";
    std::string quantity = Trim(CsvTable::Field(r, quantity_));
    if (!quantity.empty()) {
      if (!MaskAdmitsTyping(QuantityCellMask(), quantity) || !StoresExactly(quantity, 4))
        return "数量或外币应为至多 12 位整数、4 位小数的数，且能准确保存";
      p.second = CellNumber(quantity);
      if (p.second != 0 && account->second.fz == 0) return "该帐户不核算数量或外币，不能录入数量或外币";
    }
    int& last = LastLine(day->number, account->second.place);
    if (last == kNotLookedUp) {
      lastLineOf_->Bind(1, p.code);
      lastLineOf_->Bind(2, p.date);
      last = static_cast<int>(lastLineOf_->Open()->Int(0));
    }
    p.line = ++last;
    BindPosting(*insert_, p);
    insert_->Queue(r.line);
    days_.push_back(p.date);
    return {};
  }

  // The days lines were written on (repeated as often as lines were).
  const std::vector<std::string>& Days() const { return days_; }

 private:
  struct Account {
    long fz;         // the auxiliary accounting: quantities or a foreign currency when not 0
    uint32_t place;  // its place in the chart as read
  };
  struct DateFact {
    std::string refusal;  // empty: the date is taken
    int period = 0;
    uint32_t number = 0;  // YYYYMMDD as a number
  };

  static uint32_t DayNumber(const std::string& date) {
    int y = 0, m = 0, d = 0;
    return SplitDate(date, y, m, d) ? static_cast<uint32_t>(y * 10000 + m * 100 + d) : 0;
  }
  // The slot of a day and account; in a large book a day's slots start as not looked up yet.
  static constexpr int kNotLookedUp = -1;
  int& LastLine(uint32_t day, uint32_t place) {
    std::vector<int>& slots = lastLine_[day];
    if (slots.empty()) slots.assign(places_, lastLineOf_ ? kNotLookedUp : 0);
    return slots[place];
  }

  const DateFact* Day(const std::string& date) {
    auto known = dates_.find(date);
    if (known == dates_.end()) {
      int y = 0, m = 0, d = 0;
      DateFact fact{"日期应为 8 位数字 YYYYMMDD"};
      if (SplitDate(date, y, m, d)) {
        fact.refusal = CDateEntryDlg::DateRefusal(env_, y, m, d);
        fact.period = PeriodOfDate(year_, date);
        fact.number = DayNumber(date);
        if (fact.refusal.empty() && fact.period == 0) fact.refusal = "日期不在本年度的任何会计期间内";
      }
      known = dates_.emplace(date, fact).first;
    }
    return &known->second;
  }

  CVyDataEnv& env_;
  AccountingYear year_;
  const int date_, account_, summary_, debit_, credit_, mark_, quantity_;
  std::unordered_map<std::string, Account> accounts_;  // the lowest-level accounts
  uint32_t places_ = 0;                                       // the chart's accounts, as read
  std::unordered_map<uint32_t, std::vector<int>> lastLine_;  // by the day's number YYYYMMDD
  std::unordered_map<std::string, DateFact> dates_;
  std::unique_ptr<jet::PreparedStatement> insert_, lastLineOf_;
  std::vector<std::string> days_;
};

}  // namespace

ImportOutcome ImportPostings(CVyDataEnv& env, CsvTable& table, bool balanced) {
  const std::vector<std::string> columns = {"date",   "account", "summary", "debit",
                                            "credit", "mark",    "quantity"};
  if (!table.MissingColumns(columns).empty()) return RunImport(env, table, columns, nullptr);
  // The day's last line numbers are read inside the import's write transaction, on its first record:
  // read before it, they could be another import's that commits while this one waits for the file.
  std::unique_ptr<PostingsImport> import;
  return RunImport(
      env, table, columns,
      [&](const CsvRecord& r) {
        if (!import) import = std::make_unique<PostingsImport>(env, table, !ImportOutgrowsTable(env, table, "p0"));
        return import->Take(table, r);
      },
      "p0", [&] { import.reset(); },
      [&](ImportOutcome& out) {
        if (!import) return;
        std::vector<std::string> lines;
        for (const DaySums& day : UnbalancedDays(env, import->Days()))
          lines.push_back(Format("%s 借贷不平衡：", day.date.c_str()) + SidesText(day.sums));
        if (lines.empty()) return;
        if (!balanced) {
          out.notes = std::move(lines);
          return;
        }
        out.refused.push_back(Format("有 %zu 天借贷不平衡（--balanced），整个文件未导入：", lines.size()));
        out.refused.insert(out.refused.end(), lines.begin(), lines.end());
      });
}
