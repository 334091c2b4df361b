// Search in all open documents over the 100 MB C/C++ corpus cut at line ends
// into 50 editor documents, result lines built, against a plain
// std::string::find loop over the same 50 texts (lines joined by CR LF),
// which for the case-insensitive figures searches lower-cased copies made
// before timing: for a frequent word and a rare one, with case and without.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "app/search/FindInDocuments.h"
#include "editor/CharClasses.h"
#include "editor/CustomEdit.h"
#include "editor/RecordingEditHost.h"

namespace {

constexpr int kDocuments = 50;
const char* kWords[] = {"return", "Mersenne"};  // frequent, rare

struct TCorpus {
  TktRecordingEditHost Host;
  std::vector<std::unique_ptr<TktCustomEdit>> Edits;
  std::vector<TSearchDocument> Documents;
  std::vector<std::string> Texts, Lowered;
};

std::string Lowered(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = char(CharClasses().Lower[uint8_t(c)]);
  return r;
}

const TCorpus& Corpus() {
  static const TCorpus* corpus = [] {
    auto* c = new TCorpus;
    const std::string text = bench::ReadFile(bench::CorpusPath("cxx12-headers-100mb.txt"));
    size_t from = 0;
    for (int d = 0; d < kDocuments; ++d) {
      size_t to = d + 1 == kDocuments ? text.size() : text.size() / kDocuments * size_t(d + 1);
      while (to < text.size() && text[to - 1] != '\n') ++to;
      auto edit = std::make_unique<TktCustomEdit>(nullptr);
      edit->SetHost(&c->Host);
      edit->SetText(text.substr(from, to - from));
      c->Texts.push_back(edit->GetText());
      c->Lowered.push_back(Lowered(c->Texts.back()));
      c->Documents.push_back({d, "C:\\src\\part" + std::to_string(d) + ".h", edit->GetLines()});
      c->Edits.push_back(std::move(edit));
      from = to;
    }
    return c;
  }();
  return *corpus;
}

void BM_FindInDocuments(benchmark::State& state) {
  const std::string word = kWords[state.range(0)];
  const bool sensitive = state.range(1) != 0;
  const TCorpus& corpus = Corpus();  // made before timing
  size_t lines = 0;
  for (auto _ : state) {
    const std::vector<TFindResult> found = FindInDocuments(corpus.Documents, word, sensitive, false);
    lines = found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["hits"] = double(lines);  // lines listed
}

void BM_FindLoop(benchmark::State& state) {
  const bool sensitive = state.range(1) != 0;
  const std::string word = sensitive ? kWords[state.range(0)] : Lowered(kWords[state.range(0)]);
  const std::vector<std::string>& texts = sensitive ? Corpus().Texts : Corpus().Lowered;
  std::vector<size_t> hits;
  for (auto _ : state) {
    hits.clear();
    for (const std::string& text : texts)
      for (size_t p = text.find(word); p != std::string::npos; p = text.find(word, p + word.size()))
        hits.push_back(p);
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["hits"] = double(hits.size());  // every hit
}

// Args: word index (0 frequent, 1 rare), case-sensitive (1) or not (0).
BENCHMARK(BM_FindInDocuments)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FindLoop)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
