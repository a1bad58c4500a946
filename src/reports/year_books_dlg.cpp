#include "reports/year_books_dlg.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "accounts/account_code.h"
#include "accounts/period.h"
#include "app/command_table.h"
#include "app/login_rules.h"
#include "base/platform.h"
#include "base/text.h"
#include "ledgers/ledger_line.h"
#include "ledgers/ledger_period_dlg.h"
#include "ledgers/multi_column_ledger.h"
#include "ledgers/quantity_currency_ledger.h"
#include "ledgers/three_column_ledger.h"
#include "reports/balance_date_dlg.h"
#include "reports/balance_table.h"
#include "reports/report_progress.h"

namespace {

struct KindName {
  const char* name;
  bool BookKinds::*flag;
  int command;  // the menu command of the kind's window, whose right the kind needs
};
constexpr KindName kKindNames[] = {{"ledger", &BookKinds::ledger, cmd::kThreeColumn},
                                   {"multi", &BookKinds::multi, cmd::kMultiColumn},
                                   {"quantity", &BookKinds::quantity, cmd::kQuantityLedger},
                                   {"currency", &BookKinds::currency, cmd::kCurrencyLedger},
                                   {"balance", &BookKinds::balance, cmd::kBalanceTable}};

template <class View>
std::unique_ptr<View> NewView(CVyDataEnv& env, View* view) {
  std::unique_ptr<View> owned(view);
  owned->SetDataEnv(&env);
  owned->InitForm();
  return owned;
}

struct ChartAccount {
  std::string fz, dl;
  bool lowest = true;
};

}  // namespace

bool BookKinds::Has(BookKind kind) const {
  switch (kind) {
    case BookKind::kThreeColumn:
      return ledger;
    case BookKind::kMultiColumn:
      return multi;
    case BookKind::kQuantity:
      return quantity;
    case BookKind::kCurrency:
      return currency;
    case BookKind::kBalance:
      return balance;
  }
  return false;
}

bool ParseBookKinds(const std::string& text, BookKinds& kinds, std::string& error) {
  BookKinds parsed{false, false, false, false, false};
  size_t from = 0;
  while (from <= text.size()) {
    size_t comma = text.find(',', from);
    std::string word = Trim(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
    auto it = std::find_if(std::begin(kKindNames), std::end(kKindNames),
                           [&](const KindName& k) { return word == k.name; });
    if (it == std::end(kKindNames)) {
      error = "帐页种类“" + word + "”不认识：应为 ledger、multi、quantity、currency 或 balance。";
      return false;
    }
    parsed.*(it->flag) = true;
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  kinds = parsed;
  return true;
}

bool CYearBooksDlg::Confirm() {
  if (!CheckMonths(startMonth, endMonth, start, end, focus)) return false;
  if (!kinds.Any()) {
    focus = "kinds";
    ShowMessage("请至少选择一种帐页。", MsgIcon::Stop);
    return false;
  }
  // Each kind of page is what one ledger window shows: the operator prints only the kinds whose window the
  // operator may open.
  std::string names, rights;
  for (const KindName& k : kKindNames) {
    const CommandInfo* command = FindCommand(k.command);
    if (!(kinds.*(k.flag)) || !command || RightRefusal(env_, k.command).empty()) continue;
    kinds.*(k.flag) = false;
    names += (names.empty() ? "" : "、") + PlainMenuText(command->text);
    rights += (rights.empty() ? "" : "、") + std::string(command->right);
  }
  withheld = names.empty()
                 ? std::string()
                 : "没有打印" + names + "：操作员" + env_.opno + "没有查看这些帐页的权限（" + rights + "）。";
  if (!kinds.Any()) {
    focus = "kinds";
    ShowMessage(withheld, MsgIcon::Stop);
    return false;
  }
  periodText = LedgerPeriodText(env_.year, start, end);
  focus.clear();
  return true;
}

bool CodeOrderLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    size_t ie = std::min(a.find('-', i), a.size()), je = std::min(b.find('-', j), b.size());
    std::string_view pa(a.data() + i, ie - i), pb(b.data() + j, je - j);
    if (pa.size() != pb.size()) return pa.size() < pb.size();
    if (pa != pb) return pa < pb;
    i = ie + 1;
    j = je + 1;
  }
  // One is the other's ancestor (or they are equal): the shorter comes first.
  return a.size() < b.size();
}

std::vector<BookEntry> PlanYearBooks(CVyDataEnv& env, const BookKinds& kinds, int endPeriod) {
  std::map<std::string, ChartAccount> chart;
  for (auto c = env.Db()->Query("select trim(kno),trim(fz),trim(dl) from subt"); !c->AtEnd(); c->Next())
    chart[c->Text(0)] = {c->Text(1), c->Text(2)};
  for (const auto& [code, account] : chart) {
    std::string parent = ParentCode(code);
    if (!parent.empty()) {
      auto it = chart.find(parent);
      if (it != chart.end()) it->second.lowest = false;
    }
  }
  // One pass over the year's rows: the accounts with a reviewed posting or an opening balance.
  std::set<std::string> booked;
  for (auto c = env.Db()->Query(
           Format("select distinct trim(kno) from p0 where mk='4' and val(tt)<=%d", endPeriod));
       !c->AtEnd(); c->Next())
    booked.insert(c->Text(0));

  std::vector<BookEntry> plan;
  for (const auto& [code, account] : chart) {
    if (!account.lowest) {
      if (account.dl != "1" || !kinds.multi) continue;
      // A multi-column ledger only when one of its sub-accounts has something to show.
      auto it = booked.lower_bound(code + "-");
      if (it != booked.end() && it->compare(0, code.size() + 1, code + "-") == 0)
        plan.push_back({code, BookKind::kMultiColumn});
      continue;
    }
    if (!booked.count(code)) continue;
    BookKind kind = account.fz == "1"   ? BookKind::kQuantity
                    : account.fz == "2" ? BookKind::kCurrency
                                        : BookKind::kThreeColumn;
    if (kinds.Has(kind)) plan.push_back({code, kind});
  }
  std::stable_sort(plan.begin(), plan.end(),
                   [](const BookEntry& a, const BookEntry& b) { return CodeOrderLess(a.code, b.code); });
  if (kinds.balance) plan.push_back({"", BookKind::kBalance});
  return plan;
}

std::unique_ptr<CVyReportView> BuildBookView(CVyDataEnv& env, const BookEntry& entry, int start, int end) {
  const std::string startKey = MonthKey(env.year, start), endKey = MonthKey(env.year, end);
  const std::string period = LedgerPeriodText(env.year, start, end);
  std::unique_ptr<CVyReportView> view;
  switch (entry.kind) {
    case BookKind::kThreeColumn: {
      auto ledger = NewView(env, new CQirnzb1);
      ledger->code = entry.code;
      ledger->startMonth = startKey;
      ledger->endMonth = endKey;
      ledger->periodText = period;
      ledger->Build();
      view = std::move(ledger);
      break;
    }
    case BookKind::kMultiColumn: {
      auto ledger = NewView(env, new CQirnzb2);
      ledger->Open(entry.code, startKey, endKey, period);
      view = std::move(ledger);
      break;
    }
    case BookKind::kQuantity:
    case BookKind::kCurrency: {
      auto ledger = NewView(env, new CQirnzb3(entry.kind == BookKind::kQuantity ? 0 : 1));
      ledger->Open(entry.code, startKey, endKey, period);
      view = std::move(ledger);
      break;
    }
    case BookKind::kBalance: {
      CBalanceDateDlg dialog(env);
      dialog.OnInitDialog("", AccountingPeriod(YearOf(env), end).last);
      if (!dialog.OnOK()) return nullptr;
      auto table = NewView(env, new CHobdzb5);
      table->SetParameters(dialog);
      table->Build();
      view = std::move(table);
      break;
    }
  }
  if (view->ReportRowCount() == 0) return nullptr;
  return view;
}

BooksOutcome PrintYearBooks(CVyDataEnv& env, const CYearBooksDlg& dialog, const BookSink& sink,
                            const std::function<bool()>& cancelled) {
  std::vector<BookEntry> plan = PlanYearBooks(env, dialog.kinds, dialog.end);
  std::optional<ReportProgress> progress(std::in_place, static_cast<long>(plan.size()));
  for (const BookEntry& entry : plan) {
    if (cancelled && cancelled()) return BooksOutcome::kCancelled;
    // The balance table shows its own progress while it adds up the accounts.
    if (entry.kind == BookKind::kBalance) progress.reset();
    std::unique_ptr<CVyReportView> view = BuildBookView(env, entry, dialog.start, dialog.end);
    if (view && !sink(*view, entry)) return BooksOutcome::kFailed;
    if (progress) progress->Step();
  }
  return BooksOutcome::kDone;
}
