// Regular-expression engine throughput on the work the multi-language
// highlighter gives it: every line searched for every scheme's start and end
// marker, each expression run again after each match, as that highlighter's
// marker scan does. Measured on the Object Pascal corpus (markers absent:
// pure search speed) and on a generated HTML page with scripts (markers
// present), plus one expression that needs the general backtracking path.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "highlighters/RegExpr.h"

namespace {

// The start and end expressions of the application's multi-language
// highlighter instance, in scheme order.
const char* const kMarkerExpressions[] = {
    "<script language=\"JavaScript\">", "</script>", "=\"JScript\">",  "</script>",
    "=\"JavaScript\">",                 "</script>", "= \"JavaScript\">", "</script>",
    "=\"JScript\">",                    "</script>", "<script language=\"VBScript\">", "</script>",
    "=\"VBScript\">",                   "</Script>", "= \"VBScript\">", "</Script>",
    "<%",                               "%>",
};

const std::vector<std::string>& PascalLines() {
  static const std::vector<std::string> lines =
      tqbench::LoadLines(tqbench::CorpusDir() + "/fpc-compiler.pas");
  return lines;
}

const std::vector<std::string>& HtmlLines() { return tqbench::GeneratedWebPage(); }

// The marker scan of one line with one expression: search, then search the
// rest after the match (one character more than the match, as the
// multi-language highlighter cuts it).
int ScanMarkers(TRegExpr& re, const std::string& line) {
  int found = 0;
  std::string_view rest(line);
  while (!rest.empty()) {
    if (!re.Exec(rest)) break;
    ++found;
    const size_t cut = static_cast<size_t>(re.MatchPos(0) + re.MatchLen(0));
    rest.remove_prefix(std::min(cut, rest.size()));
  }
  return found;
}

void RunMarkerScan(benchmark::State& state, const std::vector<std::string>& lines) {
  std::vector<std::unique_ptr<TRegExpr>> exprs;
  for (const char* e : kMarkerExpressions) {
    exprs.push_back(std::make_unique<TRegExpr>());
    exprs.back()->SetExpression(e);
  }
  int64_t found = 0;
  for (auto _ : state) {
    for (const std::string& line : lines)
      for (auto& re : exprs) found += ScanMarkers(*re, line);
  }
  benchmark::DoNotOptimize(found);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(tqbench::TotalBytes(lines)));
  state.counters["markers"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_MarkersPascal(benchmark::State& state) { RunMarkerScan(state, PascalLines()); }
void BM_MarkersHtml(benchmark::State& state) { RunMarkerScan(state, HtmlLines()); }

// An expression that starts with a class: every position is a try.
void BM_GeneralPascal(benchmark::State& state) {
  TRegExpr re;
  re.SetExpression("\\w+ *:= *[0-9]+;");
  const auto& lines = PascalLines();
  int64_t found = 0;
  for (auto _ : state)
    for (const std::string& line : lines) found += re.Exec(line) ? 1 : 0;
  benchmark::DoNotOptimize(found);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(tqbench::TotalBytes(lines)));
}

BENCHMARK(BM_MarkersPascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkersHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneralPascal)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tqbench::BenchMain(argc, argv,
                            {
                                // MB of text searched for all 18 marker expressions per second
                                {"regex-markers-pascal-mbps", "BM_MarkersPascal", nullptr},
                                {"regex-markers-html-mbps", "BM_MarkersHtml", nullptr},
                                {"regex-general-pascal-mbps", "BM_GeneralPascal", nullptr},
                            });
}
