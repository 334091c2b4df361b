// Token throughput of the C++, ADSP-21xx, SQL, Perl, Java and JavaScript
// highlighters, each over a real corpus of its language, scanned the way
// the editor scans a document (as PasSynBench does the Pascal one, which
// runs here too so every ratio compares figures of the same run); each
// against a plain byte loop over the same lines. And the HTML export of the
// C/C++ corpus through the C++ highlighter.
#include <benchmark/benchmark.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "editor/EditList.h"
#include "editor/HtmlExport.h"
#include "highlighters/ADSP21xxSyn.h"
#include "highlighters/CppSyn.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/JavaSyn.h"
#include "highlighters/PasSyn.h"
#include "highlighters/PerlSyn.h"
#include "highlighters/SqlSyn.h"

namespace {

const std::vector<std::string>& Lines(const std::string& file) {
  static std::map<std::string, std::vector<std::string>> cache;
  auto it = cache.find(file);
  if (it == cache.end())
    it = cache.emplace(file, tqbench::LoadLines(tqbench::CorpusDir() + "/" + file)).first;
  return it->second;
}

template <class THighlighter>
void Scan(benchmark::State& state, const char* file) {
  THighlighter hl(nullptr);
  tqbench::ScanLines(state, hl, Lines(file));
}

// The identifier table of the C++ highlighter: the same loop for every corpus.
void ByteLoop(benchmark::State& state, const char* file) {
  tqbench::ByteLoop(state, TDcjCppSyn::CharTables(), Lines(file));
}

// The whole C/C++ corpus exported as an HTML file's text, as the editor's
// export does it: lines with their stored ranges, every token through the
// exporter.
void HtmlExportCpp(benchmark::State& state) {
  const auto& lines = Lines("cxx12-headers.txt");
  TktEditList list;
  for (const std::string& l : lines) list.Add(l);
  TDcjCppSyn hl(nullptr);
  list.RescanAll(hl);
  TktExportDocument document;
  document.Lines = &list;
  TktHtmlExport html(nullptr);
  size_t out = 0;
  for (auto _ : state) {
    html.ExportLines(1, list.GetCount(), &hl, document);
    out += html.GetBufferString().size();
    html.Clear();
  }
  benchmark::DoNotOptimize(out);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(tqbench::TotalBytes(lines)));
}

struct TLanguage {
  const char* Name;
  const char* File;
};
constexpr TLanguage kLanguages[] = {
    {"cpp", "cxx12-headers.txt"}, {"adsp", "adsp.dsp"},        {"sql", "postgis.sql"},
    {"perl", "perl-modules.pm"},  {"java", "java-util.java"}, {"javascript", "typescript.js"},
};

void RegisterAll() {
  benchmark::RegisterBenchmark("pascal-scan", Scan<TktPasSyn>, "fpc-compiler.pas")
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2.0);
  benchmark::RegisterBenchmark("cpp-scan", Scan<TDcjCppSyn>, kLanguages[0].File)
      ->Unit(benchmark::kMillisecond)->MinTime(2.0);
  benchmark::RegisterBenchmark("adsp-scan", Scan<TwbADSP21xxSyn>, kLanguages[1].File)
      ->Unit(benchmark::kMillisecond)->MinTime(2.0);
  benchmark::RegisterBenchmark("sql-scan", Scan<TrvSQLSyn>, kLanguages[2].File)
      ->Unit(benchmark::kMillisecond)->MinTime(2.0);
  benchmark::RegisterBenchmark("perl-scan", Scan<TDcjPerlSyn>, kLanguages[3].File)
      ->Unit(benchmark::kMillisecond)->MinTime(2.0);
  benchmark::RegisterBenchmark("java-scan", Scan<TDcjJavaSyn>, kLanguages[4].File)
      ->Unit(benchmark::kMillisecond)->MinTime(2.0);
  benchmark::RegisterBenchmark("javascript-scan", Scan<TktJScriptSyn>, kLanguages[5].File)
      ->Unit(benchmark::kMillisecond)->MinTime(2.0);
  for (const TLanguage& l : kLanguages)
    benchmark::RegisterBenchmark((std::string(l.Name) + "-byteloop").c_str(), ByteLoop, l.File)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
  benchmark::RegisterBenchmark("html-export-cpp", HtmlExportCpp)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2.0);
}

void AddRatios(std::vector<std::pair<std::string, double>>& values) {
  std::map<std::string, double> v(values.begin(), values.end());
  const double pascal = v["pascal-scan-mbps"];
  for (const TLanguage& l : kLanguages) {
    const std::string name = l.Name;
    const double scan = v[name + "-scan-mbps"], loop = v[name + "-byteloop-mbps"];
    if (scan > 0 && loop > 0) values.emplace_back(name + "-scan-byteloop-ratio", scan / loop);
    if (scan > 0 && pascal > 0) values.emplace_back(name + "-scan-pascal-ratio", scan / pascal);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  std::vector<tqbench::TFigure> figures = {
      {"pascal-scan-mbps", "pascal-scan/min_time:2.000", nullptr},
      {"html-export-cpp-mbps", "html-export-cpp/min_time:2.000", nullptr},
  };
  // The names must outlive the run: kept in one static list.
  static std::vector<std::string> names;
  names.reserve(3 * std::size(kLanguages));
  for (const TLanguage& l : kLanguages) {
    names.push_back(std::string(l.Name) + "-scan-mbps");
    names.push_back(std::string(l.Name) + "-scan/min_time:2.000");
    figures.push_back({nullptr, nullptr, nullptr});
    names.push_back(std::string(l.Name) + "-byteloop-mbps");
    names.push_back(std::string(l.Name) + "-byteloop/min_time:1.000");
    figures.push_back({nullptr, nullptr, nullptr});
  }
  for (size_t i = 0, f = 2; f < figures.size(); ++f, i += 2)
    figures[f] = {names[i].c_str(), names[i + 1].c_str(), nullptr};
  return tqbench::BenchMain(argc, argv, figures, &AddRatios);
}
