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
  TktPasSyn hl(nullptr);
  tqbench::ScanLines(state, hl, Lines());
}

void BM_ByteLoop(benchmark::State& state) {
  tqbench::ByteLoop(state, TktPasSyn::CharTables(), Lines());
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
