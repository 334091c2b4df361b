// Token throughput of the Object Pascal highlighter over a real corpus, the
// way the editor scans a document: every line from the range the previous
// one ended with, every token walked and its kind, position and attribute
// read. Compared with a plain byte loop over the same lines (one table
// lookup per byte), the least any per-character scanner has to do.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "highlighters/PasSyn.h"

namespace {

const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines =
      tqbench::LoadLines(tqbench::CorpusDir() + "/fpc-compiler.pas");
  return lines;
}

void BM_PascalScan(benchmark::State& state) {
  const auto& lines = Lines();
  TktPasSyn hl(nullptr);
  int64_t tokens = 0;
  uintptr_t sink = 0;
  for (auto _ : state) {
    hl.ResetRange();
    TktRange range = hl.GetRange();
    int lineNo = 0;
    for (const std::string& line : lines) {
      hl.SetRange(range);
      hl.SetLine(line, ++lineNo);
      while (!hl.AtLineEnd()) {
        sink += reinterpret_cast<uintptr_t>(hl.GetTokenAttribute());
        sink += static_cast<uintptr_t>(hl.GetTokenKind() + hl.GetTokenPos());
        ++tokens;
        hl.Next();
      }
      range = hl.GetRange();
    }
  }
  benchmark::DoNotOptimize(sink);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(tqbench::TotalBytes(lines)));
  state.counters["Mtokens_per_s"] =
      benchmark::Counter(static_cast<double>(tokens) / 1e6, benchmark::Counter::kIsRate);
}

void BM_ByteLoop(benchmark::State& state) {
  const auto& lines = Lines();
  // Counts identifier characters: one table lookup and one add per byte.
  std::array<uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<size_t>(c)] = TktPasSyn::CharTables().Ident[static_cast<size_t>(c)];
  uint64_t sink = 0;
  for (auto _ : state) {
    for (const std::string& line : lines) {
      uint64_t n = 0;
      for (unsigned char c : line) n += table[c];
      sink += n;
    }
  }
  benchmark::DoNotOptimize(sink);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(tqbench::TotalBytes(lines)));
}

BENCHMARK(BM_PascalScan)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ByteLoop)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void AddRatio(std::vector<std::pair<std::string, double>>& values) {
  double scan = 0, loop = 0;
  for (const auto& [name, v] : values) {
    if (name == "pascal-scan-mbps") scan = v;
    if (name == "pascal-byteloop-mbps") loop = v;
  }
  if (scan > 0 && loop > 0) values.emplace_back("pascal-scan-byteloop-ratio", scan / loop);
}

}  // namespace

int main(int argc, char** argv) {
  return tqbench::BenchMain(argc, argv,
                            {
                                {"pascal-scan-mbps", "BM_PascalScan/min_time:2.000", nullptr},
                                {"pascal-scan-mtokens-per-s", "BM_PascalScan/min_time:2.000",
                                 "Mtokens_per_s"},
                                {"pascal-byteloop-mbps", "BM_ByteLoop/min_time:1.000", nullptr},
                            },
                            &AddRatio);
}
