// Loading a 100 MB text into the line store against the plain limit: an
// ifstream read line by line into a vector of strings. Also editing in the
// middle of that text. With "--memory <baseline|editlist> <file>" the program
// instead loads the file once with one variant and prints the memory it
// took ("rss <bytes> heap <bytes>"), so each variant is measured in a
// process of its own.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "editor/EditList.h"

namespace {

const char* kBigCorpus = "cxx12-headers-100mb.txt";

std::unique_ptr<std::vector<std::string>> LoadBaseline(const std::string& path) {
  auto lines = std::make_unique<std::vector<std::string>>();
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines->push_back(line);
  return lines;
}

std::unique_ptr<TktEditList> LoadEditList(const std::string& path) {
  auto list = std::make_unique<TktEditList>();
  list->LoadFromFile(path);
  return list;
}

template <class Load>
void RunLoad(benchmark::State& state, Load load) {
  const std::string path = bench::CorpusPath(kBigCorpus);
  size_t lines = 0;
  for (auto _ : state) {
    auto result = load(path);
    state.PauseTiming();
    lines = result->size();
    result.reset();
    state.ResumeTiming();
  }
  state.counters["lines"] = double(lines);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bench::ReadFile(path).size()));
}

struct TSize {
  template <class T> static size_t Of(const T& v) { return v.size(); }
};

void BM_Load_Baseline(benchmark::State& state) {
  RunLoad(state, [](const std::string& p) {
    struct R {
      std::unique_ptr<std::vector<std::string>> v;
      size_t size() const { return v ? v->size() : 0; }
      void reset() { v.reset(); }
    };
    return std::make_unique<R>(R{LoadBaseline(p)});
  });
}

void BM_Load_EditList(benchmark::State& state) {
  RunLoad(state, [](const std::string& p) {
    struct R {
      std::unique_ptr<TktEditList> v;
      size_t size() const { return v ? size_t(v->GetCount()) : 0; }
      void reset() { v.reset(); }
    };
    return std::make_unique<R>(R{LoadEditList(p)});
  });
}

// Typing Enter and joining the line again in the middle of 100 MB.
void BM_InsertDeleteMiddle(benchmark::State& state) {
  auto list = LoadEditList(bench::CorpusPath(kBigCorpus));
  const int middle = list->GetCount() / 2;
  for (auto _ : state) {
    list->Insert(middle, "new line");
    list->Delete(middle);
  }
}

// Far-apart edits: every insert moves the gap half the document away.
void BM_InsertDeleteFarApart(benchmark::State& state) {
  auto list = LoadEditList(bench::CorpusPath(kBigCorpus));
  const int count = list->GetCount();
  int where = 0;
  for (auto _ : state) {
    where = where == 0 ? count - 1 : 0;
    list->Insert(where, "new line");
    list->Delete(where);
  }
}

BENCHMARK(BM_Load_Baseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Load_EditList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_InsertDeleteMiddle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertDeleteFarApart)->Unit(benchmark::kMicrosecond);

int MeasureMemory(const char* variant, const char* file) {
  const size_t rssBefore = bench::CurrentRss();
  bench::ResetHeapPeak();
  const size_t heapBefore = bench::HeapInUse();
  size_t lines = 0;
  if (std::strcmp(variant, "baseline") == 0) {
    auto v = LoadBaseline(file);
    lines = v->size();
  } else if (std::strcmp(variant, "editlist") == 0) {
    auto v = LoadEditList(file);
    lines = size_t(v->GetCount());
  } else {
    std::fprintf(stderr, "unknown variant %s\n", variant);
    return 2;
  }
  std::printf("rss %zu heap %zu lines %zu\n", bench::PeakRss() - rssBefore,
              bench::HeapPeak() - heapBefore, lines);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--memory") == 0) return MeasureMemory(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
