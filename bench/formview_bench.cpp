// The form engine's own cost: drawing one screen page of a large form, and laying out every printed page
// of 10,000 rows. The device context measures with fixed metrics and draws nothing, so the figures are the
// engine's (layout, cell texts, cutting, rules), not a painter's.
#include <benchmark/benchmark.h>

#include "base/text.h"
#include "support/sample_form_view.h"

namespace {

// Counts what would be drawn, so that the work cannot be optimised away.
class CountingDC : public VyMeasureDC {
 public:
  explicit CountingDC(bool printing) : VyMeasureDC(printing) {}
  void TextOut(int, int, std::string_view text) override { bytes += text.size(); }
  void Line(int, int, int, int, uint32_t) override { ++lines; }
  size_t bytes = 0, lines = 0;
};

void MakeRows(SampleFormView& view, int rows) {
  std::vector<std::vector<std::string>> data;
  data.reserve(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r)
    data.push_back({"第" + std::to_string(r + 1) + "笔业务的摘要，较长的文字会被截断",
                    FormatAmount(r * 12.5, 0, 2, 2), std::to_string(r % 100),
                    r % 3 ? "" : FormatAmount(r * 7.25, 0, 2, 2), "备注"});
  view.SetRows(std::move(data));
}

void BM_DrawScreenPage(benchmark::State& state) {
  SampleFormView view;
  view.totals = false;
  CountingDC screen(false);
  view.SetScreenDC(&screen);
  view.InitForm();
  view.OnSize(1000, 800);
  MakeRows(view, 10000);
  view.OnVScroll(VyScroll::Thumb, 5000);
  for (auto _ : state) view.DrawPage(screen);
  state.counters["rows_per_page"] = view.RowsPerPage(false);
  benchmark::DoNotOptimize(screen.bytes);
}
BENCHMARK(BM_DrawScreenPage)->Unit(benchmark::kMicrosecond);

void BM_Paginate10000Rows(benchmark::State& state) {
  SampleFormView view;
  view.totals = false;
  view.InitForm();
  view.OnSize(1000, 800);
  view.SetPrintResolution(600);
  MakeRows(view, 10000);
  CountingDC paper(true);
  int pages = 0;
  for (auto _ : state) {
    pages = view.PageCount(true);
    for (int p = 1; p <= pages; ++p) view.DrawPrintPage(paper, p);
  }
  state.counters["pages"] = pages;
  benchmark::DoNotOptimize(paper.lines);
}
BENCHMARK(BM_Paginate10000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
