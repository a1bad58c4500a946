// The detail ledger of a level-1 account with all its sub-accounts on the large set: built from the year
// file, written out as text (what `tavrel-cli report ledger --mode detail` does), and its printed copy with
// the carry lines; its lines made the quick way and from the statements' composed rows. The whole-process
// comparison with `ledger` is made with hyperfine (see the README).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "data/data_env.h"
#include "io/report_export.h"
#include "large_set.h"
#include "ledgers/three_column_ledger.h"

namespace {

const LargeSet& LedgerSet() {
  static LargeSet set = [] {
    const char* dir = std::getenv("TAVREL_BENCH_DIR");
    std::string folder = dir ? dir : (std::filesystem::temp_directory_path() / "tavrel-bench").string();
    return MakeLargeSet(folder);
  }();
  return set;
}

void BM_DetailLedgerOfALevelOneAccount(benchmark::State& state) {
  const LargeSet& set = LedgerSet();
  CVyDataEnv env;
  if (!env.Open(set.path, "", 0)) {
    state.SkipWithError("the large set does not open");
    return;
  }
  std::string code = set.accounts.front();
  size_t lines = 0;
  for (auto _ : state) {
    CQirnzb1 view;
    view.SetDataEnv(&env);
    view.InitForm();
    view.outputMode = 1;
    view.UseDocumentedStatements(state.range(1) != 0);
    view.Open(code);
    std::string text = ReportAsText(view, false);
    if (state.range(0)) {
      view.OnBeginPrinting();
      benchmark::DoNotOptimize(view.PageCount(true));
      view.OnEndPrinting();
    }
    lines = view.Lines().size();
    benchmark::DoNotOptimize(text);
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_DetailLedgerOfALevelOneAccount)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->ArgNames({"printed", "composed"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
