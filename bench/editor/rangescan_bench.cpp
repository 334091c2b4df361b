// The forward range rescan: a full scan of the C/C++ corpus through a
// trivial highlighter (the store's overhead around a highlighter), and the
// rescan after replacing one line that keeps its end state.
#include <benchmark/benchmark.h>

#include "BenchCommon.h"
#include "TrivialHighlighter.h"
#include "editor/EditList.h"

namespace {

const char* kCorpus = "cxx12-headers.txt";

void BM_RangeScanFull(benchmark::State& state) {
  TktEditList list;
  const std::string text = bench::ReadFile(bench::CorpusPath(kCorpus));
  list.SetText(text);
  TTrivialHighlighter hl;
  for (auto _ : state) list.RescanAll(hl);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_RescanAfterPut(benchmark::State& state) {
  TktEditList list;
  list.SetText(bench::ReadFile(bench::CorpusPath(kCorpus)));
  TTrivialHighlighter hl;
  list.RescanAll(hl);
  list.OnLinePut = [&](int i) { list.RescanAfterPut(hl, i); };
  const int middle = list.GetCount() / 2;
  const std::string original = list.Get(middle);
  bool flip = false;
  for (auto _ : state) {
    list.Put(middle, flip ? original : original + " x");
    flip = !flip;
  }
}

BENCHMARK(BM_RangeScanFull)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RescanAfterPut)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
