// One screen of a draw grid painted through the recording canvas: a grid of
// 10,000,000 rows scrolled to its middle beside one of 100 rows. The model
// keeps nothing per row, so both should cost the same.
#include <benchmark/benchmark.h>

#include "platform/Grids.h"
#include "platform/RecordingCanvas.h"

namespace {

void PaintScreen(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  TDrawGrid grid;
  grid.SetColCount(51);  // a hex view's 16 bytes per line
  grid.SetFixedCols(2);
  grid.SetFixedRows(0);
  grid.SetDefaultColWidth(9);
  grid.SetDefaultRowHeight(16);
  grid.SetGridLineWidth(0);
  grid.SetRowCount(rows);
  grid.SetClientSize(800, 1600);  // 100 rows a screen
  grid.SetTopRow(rows / 2);
  grid.OnDrawCell = [](ICanvas& c, int, int, const TRect& r, TGridDrawState) {
    c.ExtTextOut(r.Left, r.Top, etoOpaque, &r, "A", nullptr);
  };
  TRecordingCanvas canvas(TRect(0, 0, 800, 1600));
  for (auto _ : state) {
    canvas.ClearOps();
    grid.Paint(canvas);
    benchmark::DoNotOptimize(canvas.Ops().data());
  }
}
BENCHMARK(PaintScreen)->Arg(100)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
