// BenchSupport: what the highlighter benchmarks share: the corpus folder
// given on the command line, corpus files split into lines, and a main that
// runs the benchmarks and then prints each figure as "name: value".
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

class TktCustomHighLighter;
struct TCharTables;

namespace tqbench {

// The folder given as --corpus=DIR (default "."), read by BenchMain.
const std::string& CorpusDir();

// The file's lines without their CR/LF ends; exits with a message when the
// file cannot be read.
std::vector<std::string> LoadLines(const std::string& path);
size_t TotalBytes(const std::vector<std::string>& lines);

// The lines scanned the way the editor scans a document: every line from
// the range the previous one ended with, every token walked and its kind,
// position and attribute read. Sets the bytes processed and the counter
// Mtokens_per_s.
void ScanLines(benchmark::State& state, TktCustomHighLighter& hl,
               const std::vector<std::string>& lines);
// One table lookup (the identifier table) and one add per byte: the least
// any per-character scanner has to do.
void ByteLoop(benchmark::State& state, const TCharTables& tables,
              const std::vector<std::string>& lines);

// A web page of about 4 MB: markup, JavaScript and VBScript blocks, and
// server-side "<% %>" stretches, all repeated with small variations.
const std::vector<std::string>& GeneratedWebPage();

// A figure: the benchmark run whose name is Run, read as MB/s (from its
// bytes per second) or as the named user counter.
struct TFigure {
  const char* Name;
  const char* Run;
  const char* Counter;  // nullptr: bytes per second in MB/s
};

// Runs the registered benchmarks (console output on stderr) and prints the
// figures on stdout. Ratio figures are computed by the caller through
// FigureValue after the run.
int BenchMain(int argc, char** argv, const std::vector<TFigure>& figures,
              void (*extra)(std::vector<std::pair<std::string, double>>& values) = nullptr);

}  // namespace tqbench
