#include "ftp/FtpCache.h"
#include "ftp/FtpData.h"
#include "ftp/FtpMisc.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

constexpr int kEntries = 100000;

std::vector<std::string> RandomNames() {
  std::mt19937 rng(42);
  std::vector<std::string> names;
  names.reserve(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    std::string n;
    int len = 6 + static_cast<int>(rng() % 14);
    for (int k = 0; k < len; ++k) n += static_cast<char>((rng() % 2 ? 'a' : 'A') + rng() % 26);
    names.push_back(n + ".txt");
  }
  return names;
}

TMFtpFileInfoList ListOf(const std::vector<std::string>& names) {
  TMFtpFileInfoList list;
  for (size_t i = 0; i < names.size(); ++i)
    list.AddEntry(names[i], "-rw-r--r--", "1/2/03 4:05", std::to_string(i * 37), "", "", "ftp", "ftp");
  return list;
}

void SortByName(benchmark::State& state) {
  auto names = RandomNames();
  TMFtpFileInfoList list;
  for (auto _ : state) {
    state.PauseTiming();
    list = ListOf(names);
    state.ResumeTiming();
    list.Sort(5, true);
    benchmark::DoNotOptimize(list.Name(0));
  }
}
BENCHMARK(SortByName)->Unit(benchmark::kMillisecond);

void SortNamesOnly(benchmark::State& state) {
  auto names = RandomNames();
  std::vector<std::string> copy;
  for (auto _ : state) {
    state.PauseTiming();
    copy = names;
    state.ResumeTiming();
    std::sort(copy.begin(), copy.end(),
              [](const std::string& a, const std::string& b) { return CompareTextLocale(a, b) < 0; });
    benchmark::DoNotOptimize(copy.front());
  }
}
BENCHMARK(SortNamesOnly)->Unit(benchmark::kMillisecond);

std::string CachePath() {
  static const std::string path = (std::filesystem::temp_directory_path() / "tq-ftp-bench.ELP").string();
  return path;
}

void CacheSaveAndLoad(benchmark::State& state) {
  TMFtpFileInfoList list = ListOf(RandomNames()), back;
  for (auto _ : state) {
    SaveCacheFile(CachePath(), list);
    LoadCacheFile(CachePath(), back);
    benchmark::DoNotOptimize(back.GetCount());
  }
}
BENCHMARK(CacheSaveAndLoad)->Unit(benchmark::kMillisecond);

// The plain limit: read the same file and split it into lines.
void ReadAndSplit(benchmark::State& state) {
  SaveCacheFile(CachePath(), ListOf(RandomNames()));
  for (auto _ : state) {
    std::string text;
    ReadWholeFile(CachePath(), text);
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', start)) {
      lines.emplace_back(text.data() + start, i - start);
      start = i + 1;
    }
    benchmark::DoNotOptimize(lines.size());
  }
}
BENCHMARK(ReadAndSplit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
