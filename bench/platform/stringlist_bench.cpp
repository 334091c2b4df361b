// TStringList on a 100 MB text: load from file, text join and save, each
// beside the plain limit of the same work without a list.
//
// The corpus is real source text: every file under /usr/include/c++/12 in
// sorted path order, repeated to 100 MB ($TQ_CORPUS/cxx12-headers-100mb.txt
// when the editor benchmarks' run.sh made it, else built here in the
// temporary folder on first use).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Classes.h"
#include "platform/Streams.h"
#include "platform/TextLines.h"

namespace {

namespace fs = std::filesystem;
constexpr size_t kCorpusSize = 100u << 20;

std::string CorpusFile() {
  if (const char* dir = std::getenv("TQ_CORPUS")) {
    std::string p = std::string(dir) + "/cxx12-headers-100mb.txt";
    if (fs::exists(p) && fs::file_size(p) == kCorpusSize) return p;
  }
  std::string p = (fs::temp_directory_path() / "tq-platform-bench-100mb.txt").string();
  if (fs::exists(p) && fs::file_size(p) == kCorpusSize) return p;
  std::vector<fs::path> files;
  for (auto& e : fs::recursive_directory_iterator("/usr/include/c++/12"))
    if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  std::string once;
  for (auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    once += ss.str();
  }
  if (once.empty()) once = "int main() { return 0; }\n";
  std::string all;
  all.reserve(kCorpusSize + once.size());
  while (all.size() < kCorpusSize) all += once;
  all.resize(kCorpusSize);
  std::ofstream(p, std::ios::binary).write(all.data(), static_cast<std::streamsize>(all.size()));
  return p;
}

const std::string& Corpus() {
  static const std::string name = CorpusFile();
  return name;
}

std::string ReadWhole(const std::string& name) {
  TFileStream f(name, fmOpenRead);
  return f.ReadRemaining();
}

// Plain limit, part 1: the file into one string.
void BM_ReadFile(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadWhole(Corpus()));
  state.SetBytesProcessed(state.iterations() * int64_t(kCorpusSize));
}

// Plain limit: the file read and its lines found (no copies of them).
void BM_ReadAndSplit(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = ReadWhole(Corpus());
    size_t lines = 0, bytes = 0;
    SplitTextLines(text, [&](size_t, size_t len) {
      ++lines;
      bytes += len;
    });
    benchmark::DoNotOptimize(lines + bytes);
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kCorpusSize));
}

// The plain limit with each line copied into a vector of strings: what any
// list of separate strings must at least pay.
void BM_ReadSplitAndCopy(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = ReadWhole(Corpus());
    std::vector<std::string> lines;
    lines.reserve(CountTextLines(text));
    SplitTextLines(text, [&](size_t start, size_t len) { lines.emplace_back(text, start, len); });
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kCorpusSize));
}

void BM_StringListLoadFromFile(benchmark::State& state) {
  for (auto _ : state) {
    TStringList list;
    list.LoadFromFile(Corpus());
    benchmark::DoNotOptimize(list.GetCount());
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kCorpusSize));
}

void BM_StringListGetText(benchmark::State& state) {
  TStringList list;
  list.LoadFromFile(Corpus());
  for (auto _ : state) benchmark::DoNotOptimize(list.GetText());
  state.SetBytesProcessed(state.iterations() * int64_t(kCorpusSize));
}

void BM_StringListSaveToFile(benchmark::State& state) {
  TStringList list;
  list.LoadFromFile(Corpus());
  std::string out = (fs::temp_directory_path() / "tq-platform-bench-save.txt").string();
  for (auto _ : state) list.SaveToFile(out);
  fs::remove(out);
  state.SetBytesProcessed(state.iterations() * int64_t(kCorpusSize));
}

BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSplitAndCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringListLoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringListGetText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringListSaveToFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
