// TRxMemoryData on 100,000 records: SortOnFields("Name") beside std::sort of
// the same texts with the same locale comparison, and 100 Locate calls
// beside std::find_if (Locate is a forward scan), with a binary search on
// the sorted texts for scale.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "kit/RxMemDS.h"

namespace {

constexpr int kRecords = 100000;
constexpr int kLocates = 100;

// File-like names in a shuffled order, the same in every run.
const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    std::mt19937 rng(12345);
    const char* exts[] = {"txt", "pas", "cpp", "h", "html", "ini"};
    for (int i = 0; i < kRecords; ++i)
      v.push_back("file_" + std::to_string(rng() % 1000000) + "_" + std::to_string(i) + "." + exts[rng() % 6]);
    return v;
  }();
  return names;
}

std::vector<std::string> LocateKeys() {
  std::vector<std::string> keys;
  std::mt19937 rng(777);
  for (int i = 0; i < kLocates; ++i) keys.push_back(Names()[rng() % kRecords]);
  return keys;
}

struct BenchTable {
  TRxMemoryData t{nullptr};
  BenchTable() {
    t.GetFieldDefs().Add("Name", ftString, 255);
    t.GetFieldDefs().Add("Order", ftInteger);
    t.Open();
    for (int i = 0; i < kRecords; ++i) {
      t.Append();
      t.FieldByName("Name")->SetAsString(Names()[static_cast<size_t>(i)]);
      t.FieldByName("Order")->SetAsInteger(i);
      t.Post();
    }
  }
};

BenchTable& Table() {
  static BenchTable table;
  return table;
}

void MemTableSort(benchmark::State& state) {
  TRxMemoryData& t = Table().t;
  for (auto _ : state) {
    state.PauseTiming();
    t.SortOnFields("Order");  // back to the shuffled order
    state.ResumeTiming();
    t.SortOnFields("Name");
  }
}
BENCHMARK(MemTableSort)->Unit(benchmark::kMillisecond);

void PlainSort(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> v = Names();
    state.ResumeTiming();
    std::sort(v.begin(), v.end(),
              [](const std::string& a, const std::string& b) { return LocaleCompare(a, b, false) < 0; });
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(PlainSort)->Unit(benchmark::kMillisecond);

void MemTableLocate(benchmark::State& state) {
  TRxMemoryData& t = Table().t;
  t.SortOnFields("Order");
  const std::vector<std::string> keys = LocateKeys();
  for (auto _ : state)
    for (const std::string& k : keys) {
      if (!t.Locate("Name", {k}, 0)) state.SkipWithError("not found");
    }
}
BENCHMARK(MemTableLocate)->Unit(benchmark::kMillisecond);

void PlainFind(benchmark::State& state) {
  const std::vector<std::string>& v = Names();
  const std::vector<std::string> keys = LocateKeys();
  for (auto _ : state)
    for (const std::string& k : keys) {
      auto it = std::find_if(v.begin(), v.end(), [&](const std::string& s) { return LocaleCompare(s, k, false) == 0; });
      benchmark::DoNotOptimize(it);
    }
}
BENCHMARK(PlainFind)->Unit(benchmark::kMillisecond);

void LowerBound(benchmark::State& state) {
  std::vector<std::string> v = Names();
  std::sort(v.begin(), v.end());
  const std::vector<std::string> keys = LocateKeys();
  for (auto _ : state)
    for (const std::string& k : keys) benchmark::DoNotOptimize(std::lower_bound(v.begin(), v.end(), k));
}
BENCHMARK(LowerBound)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
