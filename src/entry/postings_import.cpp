#include "entry/postings_import.h"

#include <map>
#include <memory>
#include <unordered_map>

#include "accounts/period.h"
#include "base/date.h"
#include "base/input_mask.h"
#include "base/text.h"
#include "base/validators.h"
#include "data/jet/database.h"
#include "data/vy_data_env.h"
#include "data/vy_recordset.h"
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

// What the import asks of every line again and again, asked of the file once: the chart's lowest-level
// accounts with their auxiliary accounting, each date's refusal or period, and the last line number of
// each day and account.
class PostingsImport {
 public:
  PostingsImport(CVyDataEnv& env, bool largeBook) : env_(env), year_(YearOf(env)) {
    std::unordered_map<std::string, int> count;
    CVyRecordset chart(env.Db(), {"Expr1001"}, {}, {"Expr1000"});
    for (chart.Open("select trim(kno),val(fz) from subt"); !chart.IsEOF(); chart.MoveNext()) {
      std::string code = chart.GetText(0);
      ++count[code];
      aux_[code] = chart.GetLong(0);
      for (size_t dash = code.find('-'); dash != std::string::npos; dash = code.find('-', dash + 1))
        ++count[code.substr(0, dash)];
    }
    // A code counted more than once has children, or stands twice in a damaged chart.
    for (auto& [code, n] : count)
      if (n != 1) aux_.erase(code);
    // A book larger than the file: each day and account of the file is looked up once, in the indexes;
    // else the last lines of the whole book are read at once.
    if (largeBook) {
      lastLineOf_ = env.Db()->Prepare("select max(rn) from p0 where trim(kno)=? and t=? and rn>0");
    } else {
      CVyRecordset lines(env.Db(), {"Expr1002"}, {}, {"t", "Expr1001"});
      lines.Open("select t,trim(kno),max(rn) from p0 where rn>0 group by t,trim(kno)");
      for (; !lines.IsEOF(); lines.MoveNext())
        lastLine_[lines.GetText(0) + "|" + lines.GetText(1)] = lines.GetLong(0);
    }
    insert_ = env.Db()->Prepare(kInsertPosting);
  }

  std::string Take(const CsvTable& table, const CsvRecord& r) {
    if (std::string wrong = table.RecordRefusal(r); !wrong.empty()) return wrong;
    Posting p;
    p.date = Trim(table.Field(r, "date"));
    std::string refusal = DateRefusal(p.date, p.period);
    if (!refusal.empty()) return refusal;
    p.code = Trim(table.Field(r, "account"));
    auto aux = aux_.find(p.code);
    if (p.code.empty()) return "未录入帐户代码";
    if (aux == aux_.end()) return "帐户代码不存在或非最低明细帐户";
    p.summary = table.Field(r, "summary");
    if (!MaskAdmitsTyping({"STRING NOT |[]'\"", 40}, p.summary))
      return "摘要不能超过 40 个字节，也不能含有 | [ ] ' \"";
    std::string debit = Trim(table.Field(r, "debit")), credit = Trim(table.Field(r, "credit"));
    for (const std::string* amount : {&debit, &credit})
      if (std::string wrong = AmountRefusal(*amount); !wrong.empty()) return wrong;
    if (!debit.empty() && !credit.empty() && !IsBlankAmount(CellNumber(debit)) &&
        !IsBlankAmount(CellNumber(credit)))
      return "借方金额和贷方金额只能填写一方";
    if (!SideOf(debit, credit, p.side, p.amount)) return "未录入金额";
    p.mark = Trim(table.Field(r, "mark"));
    if (p.mark.empty()) p.mark = "0";
    if (p.mark != "0" && p.mark != "1" && p.mark != "2") return "对帐标记应为 0、1 或 2";
    std::string quantity = Trim(table.Field(r, "quantity"));
    if (!quantity.empty()) {
      if (!MaskAdmitsTyping(QuantityCellMask(), quantity) || !StoresExactly(quantity, 4))
        return "数量或外币应为至多 12 位整数、4 位小数的数，且能准确保存";
      p.second = CellNumber(quantity);
      if (p.second != 0 && aux->second == 0) return "该帐户不核算数量或外币，不能录入数量或外币";
    }
    auto [last, added] = lastLine_.try_emplace(p.date + "|" + p.code, 0);
    if (added && lastLineOf_) {
      lastLineOf_->Bind(1, p.code);
      lastLineOf_->Bind(2, p.date);
      last->second = static_cast<int>(lastLineOf_->Open()->Int(0));
    }
    p.line = ++last->second;
    BindPosting(*insert_, p);
    insert_->Run();
    return {};
  }

 private:
  std::string DateRefusal(const std::string& date, int& period) {
    auto known = dates_.find(date);
    if (known == dates_.end()) {
      int y = 0, m = 0, d = 0;
      std::pair<std::string, int> fact{"日期应为 8 位数字 YYYYMMDD", 0};
      if (SplitDate(date, y, m, d)) {
        fact.first = CDateEntryDlg::DateRefusal(env_, y, m, d);
        fact.second = PeriodOfDate(year_, date);
        if (fact.first.empty() && fact.second == 0) fact.first = "日期不在本年度的任何会计期间内";
      }
      known = dates_.emplace(date, fact).first;
    }
    period = known->second.second;
    return known->second.first;
  }

  CVyDataEnv& env_;
  AccountingYear year_;
  std::unordered_map<std::string, int> aux_;  // lowest-level accounts and their FZ
  std::unordered_map<std::string, int> lastLine_;
  std::unordered_map<std::string, std::pair<std::string, int>> dates_;
  std::unique_ptr<jet::PreparedStatement> insert_, lastLineOf_;
};

}  // namespace

ImportOutcome ImportPostings(CVyDataEnv& env, CsvTable& table) {
  const std::vector<std::string> columns = {"date",   "account", "summary", "debit",
                                            "credit", "mark",    "quantity"};
  if (!table.MissingColumns(columns).empty()) return RunImport(env, table, columns, nullptr);
  // The day's last line numbers are read inside the import's write transaction, on its first record:
  // read before it, they could be another import's that commits while this one waits for the file.
  std::unique_ptr<PostingsImport> import;
  return RunImport(
      env, table, columns,
      [&](const CsvRecord& r) {
        if (!import) import = std::make_unique<PostingsImport>(env, !ImportOutgrowsTable(env, table, "p0"));
        return import->Take(table, r);
      },
      "p0");
}
