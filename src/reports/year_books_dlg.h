#pragma once
// 打印全部帐页: at the year's end the bookkeeper prints and binds every account's ledger. This decides which
// ledgers there are and in what order, builds them one account at a time and hands each finished view to
// whoever prints it (the window's printer, a PDF folder); a view is dropped before the next one is built, so
// a whole year's pages are never held at once.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_env.h"

class CVyReportView;

enum class BookKind { kThreeColumn, kMultiColumn, kQuantity, kCurrency, kBalance };

// The kinds of pages asked for; the command line names them ledger, multi, quantity, currency, balance.
struct BookKinds {
  bool ledger = true, multi = true, quantity = true, currency = true, balance = true;
  bool Any() const { return ledger || multi || quantity || currency || balance; }
  bool Has(BookKind kind) const;
};
// "ledger,multi,…" as kinds; false with a message naming the first unknown word.
bool ParseBookKinds(const std::string& text, BookKinds& kinds, std::string& error);

struct BookEntry {
  std::string code;  // empty for the balance table
  BookKind kind;
};

// The dialog of 打印全部帐页: the months and the kinds of pages.
class CYearBooksDlg {
 public:
  explicit CYearBooksDlg(CVyDataEnv& env) : year(env.year), env_(env) {}

  int year;  // shown only
  std::string startMonth = "1", endMonth = "12";
  BookKinds kinds;

  // The months' checks of the ledgers' dialogs, then at least one kind ("请至少选择一种帐页。"). A kind whose
  // ledger window the operator has no right to open is taken out of kinds and named in withheld; when none
  // is left, that is the refusal.
  bool Confirm();
  std::string focus;     // "start", "end" or "kinds" after a refusal
  std::string withheld;  // the kinds left out and why, "" when none was
  int start = 1, end = 12;
  std::string periodText;

 private:
  CVyDataEnv& env_;
};

// The ledgers to print, in the order of the codes (each level compared as a number), the balance table last.
// An account has a ledger when it is a lowest-level account with a reviewed posting or an opening balance up
// to the end period: its quantity-amount or multi-currency ledger when it is kept so, else its three-column
// ledger. An account marked for the multi-column ledger gets that ledger before its sub-accounts' own.
std::vector<BookEntry> PlanYearBooks(CVyDataEnv& env, const BookKinds& kinds, int endPeriod);

// The view of one entry, its rows built for months start..end; nullptr when there is nothing to print.
std::unique_ptr<CVyReportView> BuildBookView(CVyDataEnv& env, const BookEntry& entry, int start, int end);

// The code order of the chart: level by level, each level's part compared as a number.
bool CodeOrderLess(const std::string& a, const std::string& b);

enum class BooksOutcome { kDone, kCancelled, kFailed };

// Builds and hands on every entry of the plan in turn; progress "%3d％" goes to the progress sink. cancelled
// is asked between accounts. A sink returning false ends the run as failed.
using BookSink = std::function<bool(CVyReportView& view, const BookEntry& entry)>;
BooksOutcome PrintYearBooks(CVyDataEnv& env, const CYearBooksDlg& dialog, const BookSink& sink,
                            const std::function<bool()>& cancelled = {});
