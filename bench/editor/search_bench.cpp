// TktEditSearch.FindAll over the whole C/C++ corpus as one text, against a
// plain std::string::find loop finding the same hits: for a frequent word
// and a rare one, case-sensitive and not. The case-insensitive loop searches
// a lower-cased copy of the text (made before timing) for the lower-cased
// word, which is what a plain search for those hits costs at best.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchCommon.h"
#include "editor/CharClasses.h"
#include "editor/EditSearch.h"

namespace {

const char* kCorpus = "cxx12-headers.txt";
const char* kWords[] = {"return", "Mersenne"};  // frequent, rare

const std::string& Text() {
  static const std::string text = bench::ReadFile(bench::CorpusPath(kCorpus));
  return text;
}

std::string Lowered(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = char(CharClasses().Lower[uint8_t(c)]);
  return r;
}

const std::string& LoweredText() {
  static const std::string text = Lowered(Text());
  return text;
}

void BM_FindAll(benchmark::State& state) {
  const std::string word = kWords[state.range(0)];
  const bool sensitive = state.range(1) != 0;
  TktEditSearch search;
  search.SetSensitive(sensitive);
  search.SetPattern(word);
  int hits = 0;
  for (auto _ : state) hits = search.FindAll(Text());
  state.counters["hits"] = hits;
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Text().size()));
}

void BM_FindLoop(benchmark::State& state) {
  const bool sensitive = state.range(1) != 0;
  const std::string word = sensitive ? kWords[state.range(0)] : Lowered(kWords[state.range(0)]);
  const std::string& text = sensitive ? Text() : LoweredText();
  std::vector<int> hits;
  for (auto _ : state) {
    hits.clear();
    for (size_t p = text.find(word); p != std::string::npos; p = text.find(word, p + word.size()))
      hits.push_back(int(p + 1));
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["hits"] = double(hits.size());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// Args: word index (0 frequent, 1 rare), case-sensitive (1) or not (0).
BENCHMARK(BM_FindAll)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FindLoop)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
