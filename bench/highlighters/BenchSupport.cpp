// BenchSupport: corpus loading and the figure-printing main.
#include "BenchSupport.h"

#include <array>

#include "editor/Highlighter.h"
#include "highlighters/KeywordTable.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace tqbench {

namespace {

std::string& CorpusDirRef() {
  static std::string dir = ".";
  return dir;
}

// Keeps the console output on stderr and remembers every run's figures.
class TCollector : public benchmark::ConsoleReporter {
public:
  TCollector() : ConsoleReporter(OO_Defaults) { SetOutputStream(&std::cerr); SetErrorStream(&std::cerr); }

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration) continue;
      auto& values = Values[r.benchmark_name()];
      // The reported counters are already finished (rates per second).
      for (const auto& [name, counter] : r.counters) values[name] = counter.value;
    }
  }

  std::map<std::string, std::map<std::string, double>> Values;
};

}  // namespace

const std::string& CorpusDir() { return CorpusDirRef(); }

std::vector<std::string> LoadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read the corpus file %s\n", path.c_str());
    std::exit(2);
  }
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string text = ss.str();
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.emplace_back(text, start, i - start);
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text, start);
  return lines;
}

size_t TotalBytes(const std::vector<std::string>& lines) {
  size_t n = 0;
  for (const std::string& l : lines) n += l.size();
  return n;
}

int BenchMain(int argc, char** argv, const std::vector<TFigure>& figures,
              void (*extra)(std::vector<std::pair<std::string, double>>& values)) {
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--corpus=", 9) == 0) CorpusDirRef() = argv[i] + 9;
    else args.push_back(argv[i]);
  }
  int n = static_cast<int>(args.size());
  benchmark::Initialize(&n, args.data());
  TCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  std::vector<std::pair<std::string, double>> values;
  for (const TFigure& f : figures) {
    auto run = collector.Values.find(f.Run);
    if (run == collector.Values.end()) continue;
    const char* counter = f.Counter ? f.Counter : "bytes_per_second";
    auto c = run->second.find(counter);
    if (c == run->second.end()) continue;
    const double v = f.Counter ? c->second : c->second / 1e6;
    values.emplace_back(f.Name, v);
  }
  if (extra) extra(values);
  for (const auto& [name, v] : values) std::printf("%s: %.3f\n", name.c_str(), v);
  benchmark::Shutdown();
  return 0;
}

void ScanLines(benchmark::State& state, TktCustomHighLighter& hl,
               const std::vector<std::string>& lines) {
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
                          static_cast<int64_t>(TotalBytes(lines)));
  state.counters["Mtokens_per_s"] =
      benchmark::Counter(static_cast<double>(tokens) / 1e6, benchmark::Counter::kIsRate);
}

void ByteLoop(benchmark::State& state, const TCharTables& tables,
              const std::vector<std::string>& lines) {
  std::array<uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<size_t>(c)] = tables.Ident[static_cast<size_t>(c)];
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
                          static_cast<int64_t>(TotalBytes(lines)));
}

const std::vector<std::string>& GeneratedWebPage() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> v;
    size_t bytes = 0;
    for (int i = 0; bytes < 4u << 20; ++i) {
      const std::string n = std::to_string(i);
      const std::string block[] = {
          "<html><head><title>Page " + n + "</title></head>",
          "<body bgcolor=\"#FFFFFF\" text=\"#000000\">",
          "<script language=\"JavaScript\">",
          "  function show" + n + "(x) { document.write('<p>' + x + '</p>'); }",
          "</script>",
          "<p>Some text with <b>bold</b> and <a href=\"page" + n + ".asp\">a link</a>.</p>",
          "<table border=\"0\"><tr><td><% Response.Write(\"cell " + n + "\") %></td></tr></table>",
          "<script language=\"VBScript\">",
          "  Sub Click" + n + "() MsgBox \"clicked\" End Sub",
          "</Script>",
          "<p>More text, more text, more text, more text, more text, more text.</p>",
          "</body></html>",
      };
      for (const std::string& l : block) {
        v.push_back(l);
        bytes += l.size();
      }
    }
    return v;
  }();
  return lines;
}

}  // namespace tqbench
