// The balance table asks one statement per account. These benchmarks run it for every account of a large
// set, with the index support of the dialect layer and without it, and build the whole level-1 table the
// quick way (one grouped pass) and through those statements.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "base/text.h"
#include "data/database.h"
#include "data/sql_text.h"
#include "data/data_env.h"
#include "data/recordset.h"
#include "entry/book_balance.h"
#include "io/report_export.h"
#include "large_set.h"
#include "reports/balance_table.h"

namespace {

const LargeSet& Set() {
  static LargeSet set = [] {
    const char* dir = std::getenv("TAVREL_BENCH_DIR");
    std::string folder = dir ? dir : (std::filesystem::temp_directory_path() / "tavrel-bench").string();
    return MakeLargeSet(folder);
  }();
  return set;
}

std::string BalanceStatement(const std::string& code, int year) {
  std::string c = jet::SqlText(code);
  return Format(
      "select count(*),sum(f*my) from p0 where (trim(kno)='%s' or trim(kno) like '%s-*') \t\tand "
      "t<='%s' and val(tt)<=%d and mk='4'",
      c.c_str(), c.c_str(), Format("%d1231", year).c_str(), 12);
}

double RunOne(jet::Database& db, const std::string& sql, long& rows) {
  CVyRecordset rs(&db, {"Expr1000"}, {"Expr1001"}, {});
  rs.Open(sql);
  rows += rs.GetLong(0);
  return rs.GetDouble(0);
}

// Every account once per iteration.
void BM_BalanceTableAllAccounts(benchmark::State& state) {
  const LargeSet& set = Set();
  jet::Database db;
  db.Open(set.path);
  db.SetIndexSupport(state.range(0) != 0);
  long rows = 0;
  for (auto _ : state) {
    for (auto& code : set.accounts)
      benchmark::DoNotOptimize(RunOne(db, BalanceStatement(code, set.year), rows));
  }
  state.counters["accounts"] = static_cast<double>(set.accounts.size());
  state.counters["per_statement_us"] =
      benchmark::Counter(static_cast<double>(state.iterations() * set.accounts.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One statement per iteration, cycling through the accounts: the fair unit to compare the two modes.
void BM_BalanceStatement(benchmark::State& state) {
  const LargeSet& set = Set();
  jet::Database db;
  db.Open(set.path);
  db.SetIndexSupport(state.range(0) != 0);
  long rows = 0;
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunOne(db, BalanceStatement(set.accounts[i], set.year), rows));
    i = (i + 37) % set.accounts.size();
  }
}

// The level-1 balance table to the end of November, written out as text (what `tavrel-cli report balance`
// does).
void BM_LevelOneBalanceTable(benchmark::State& state) {
  const LargeSet& set = Set();
  CVyDataEnv env;
  if (!env.Open(set.path, "", 0)) {
    state.SkipWithError("the large set does not open");
    return;
  }
  CBalanceDateDlg dlg(env);
  dlg.OnInitDialog("", Format("%d1130", set.year));
  if (!dlg.OnOK()) {
    state.SkipWithError("the dialog refuses the date");
    return;
  }
  for (auto _ : state) {
    CHobdzb5 view;
    view.SetDataEnv(&env);
    view.InitForm();
    view.UseDocumentedStatements(state.range(0) != 0);
    view.SetParameters(dlg);
    view.Build();
    benchmark::DoNotOptimize(ReportAsText(view, false));
  }
}

// What the main window's status bar reads after every save and the trial balance reads once (every reviewed
// row, added up by level-1 account and period), against one statement summing the same rows.
void BM_BookBalance(benchmark::State& state) {
  CVyDataEnv env;
  if (!env.Open(Set().path, "", 0)) {
    state.SkipWithError("the large set does not open");
    return;
  }
  for (auto _ : state) {
    if (state.range(0) == 0)
      benchmark::DoNotOptimize(env.QueryLong("select count(*),sum(f*my) from p0 where mk='4'"));
    else
      benchmark::DoNotOptimize(ReadBookTally(env).Closing());
  }
}

}  // namespace

BENCHMARK(BM_BookBalance)->Arg(0)->Arg(1)->ArgNames({"tally"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LevelOneBalanceTable)->Arg(0)->Arg(1)->ArgNames({"documented"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BalanceTableAllAccounts)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BalanceStatement)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

BENCHMARK_MAIN();
