// The balance table asks one statement per account. These benchmarks run it for every account of a large
// set, with the index support of the dialect layer and without it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "base/text.h"
#include "data/jet/database.h"
#include "data/jet/sql_text.h"
#include "data/vy_recordset.h"
#include "large_set.h"

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

}  // namespace

BENCHMARK(BM_BalanceTableAllAccounts)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BalanceStatement)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

BENCHMARK_MAIN();
