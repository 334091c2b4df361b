// Token throughput of the x86, Visual Basic, VBScript, batch, Fortran, INI,
// form-definition and HTML highlighters and of the multi-language one, each
// scanned the way the editor scans a document (every line from the range
// the previous one ended with, every token walked and its kind, position
// and attribute read), as PasSynBench does for Pascal. Each scan is set
// against a plain byte loop over the same lines and against the Pascal
// highlighter on its corpus in the same run.
//
// x86, Fortran and HTML scan real corpora (see make-corpus.sh); the others
// have none worth the name and scan their own golden inputs repeated to
// 10 MB. The multi-language highlighter runs the application's nine schemes
// over the HTML corpus and over the generated page, where markers abound.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "highlighters/AsmSyn.h"
#include "highlighters/BatSyn.h"
#include "highlighters/DfmSyn.h"
#include "highlighters/FortranSyn.h"
#include "highlighters/HTMLSyn.h"
#include "highlighters/IniSyn.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/MultiSyn.h"
#include "highlighters/PasSyn.h"
#include "highlighters/VbsSyn.h"
#include "highlighters/VisualBasicSyn.h"

namespace {

using TLines = std::vector<std::string>;
using TFactory = std::function<std::unique_ptr<TktCustomHighLighter>()>;

// The input lines of a golden file: "> " and the line quoted, with '"' and
// '\' escaped and other bytes as \xNN.
void AddGoldenInputs(const std::string& path, TLines& lines) {
  std::ifstream in(path, std::ios::binary);
  std::string l;
  while (std::getline(in, l)) {
    if (l.rfind("> \"", 0) != 0 || l.size() < 4) continue;
    std::string text;
    for (size_t i = 3; i + 1 < l.size(); ++i) {
      if (l[i] != '\\') {
        text += l[i];
      } else if (l[i + 1] == 'x') {
        text += static_cast<char>(std::stoi(l.substr(i + 2, 2), nullptr, 16));
        i += 3;
      } else {
        text += l[++i];
      }
    }
    lines.push_back(std::move(text));
  }
}

// The golden inputs of one language, repeated to 10 MB.
TLines GoldenCorpus(const std::string& language) {
  const std::string dir = std::string(TQ_GOLDEN_DIR) + "/" + language;
  std::vector<std::string> files;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name.size() > 7 && name.compare(name.size() - 7, 7, ".golden") == 0) files.push_back(name);
    }
    closedir(d);
  }
  std::sort(files.begin(), files.end());
  TLines inputs;
  for (const std::string& f : files) AddGoldenInputs(dir + "/" + f, inputs);
  if (inputs.empty()) {
    std::fprintf(stderr, "no golden inputs in %s\n", dir.c_str());
    std::exit(1);
  }
  TLines lines;
  size_t bytes = 0;
  while (bytes < 10u << 20)
    for (const std::string& l : inputs) {
      lines.push_back(l);
      bytes += l.size() + 1;  // empty lines count as their line end
    }
  return lines;
}

// The application's instance: HTML with the nine schemes.
std::unique_ptr<TktCustomHighLighter> MakeAppMulti() {
  auto multi = std::make_unique<TrvMultiSyn>(nullptr);
  SetApplicationSchemes(*multi, new TejHTMLSyn(multi.get()), new TktJScriptSyn(multi.get()),
                        new TyfVbsSyn(multi.get()), new TpsVisualBasicSyn(multi.get()));
  return multi;
}

template <class T>
TFactory Make() {
  return [] { return std::make_unique<T>(nullptr); };
}

struct TLanguage {
  const char* Name;
  TFactory Factory;
  std::function<TLines()> Load;
};

const std::vector<TLanguage>& Languages() {
  static const std::vector<TLanguage> languages = {
      {"pascal", Make<TktPasSyn>(), [] { return tqbench::LoadLines(tqbench::CorpusDir() + "/fpc-compiler.pas"); }},
      {"x86", Make<TgxAsmSyn>(), [] { return tqbench::LoadLines(tqbench::CorpusDir() + "/glibc-x86.S"); }},
      {"fortran", Make<TktFortranSyn>(), [] { return tqbench::LoadLines(tqbench::CorpusDir() + "/gfortran-dg.f"); }},
      {"html", Make<TejHTMLSyn>(), [] { return tqbench::LoadLines(tqbench::CorpusDir() + "/python-doc.html"); }},
      {"vb", Make<TpsVisualBasicSyn>(), [] { return GoldenCorpus("vb"); }},
      {"vbscript", Make<TyfVbsSyn>(), [] { return GoldenCorpus("vbscript"); }},
      {"batch", Make<TuxBatSyn>(), [] { return GoldenCorpus("batch"); }},
      {"ini", Make<TqaIniSyn>(), [] { return GoldenCorpus("ini"); }},
      {"dfm", Make<TuxDfmSyn>(), [] { return GoldenCorpus("dfm"); }},
      {"multi", &MakeAppMulti, [] { return tqbench::LoadLines(tqbench::CorpusDir() + "/python-doc.html"); }},
      {"multi-page", &MakeAppMulti, [] { return tqbench::GeneratedWebPage(); }},
  };
  return languages;
}

// Corpora are loaded once, when a benchmark first needs them.
const TLines& Corpus(const TLanguage& language) {
  static std::map<std::string, TLines> loaded;
  auto it = loaded.find(language.Name);
  if (it == loaded.end()) it = loaded.emplace(language.Name, language.Load()).first;
  return it->second;
}

void Scan(benchmark::State& state, const TLanguage& language) {
  auto hl = language.Factory();
  tqbench::ScanLines(state, *hl, Corpus(language));
}

void ByteLoop(benchmark::State& state, const TLanguage& language) {
  tqbench::ByteLoop(state, TktPasSyn::CharTables(), Corpus(language));
}

constexpr double kMinTime = 0.5;

std::string RunName(const std::string& name) { return name + "/min_time:0.500"; }

void Register() {
  for (const TLanguage& language : Languages()) {
    const std::string name = language.Name;
    benchmark::RegisterBenchmark((name + "_scan").c_str(), Scan, language)
        ->Unit(benchmark::kMillisecond)->MinTime(kMinTime);
    if (name.rfind("multi", 0) != 0)
      benchmark::RegisterBenchmark((name + "_byteloop").c_str(), ByteLoop, language)
          ->Unit(benchmark::kMillisecond)->MinTime(kMinTime);
  }
}

const char* const kRatioLanguages[] = {"x86", "vb", "vbscript", "batch", "fortran", "ini", "dfm", "html"};

// The ratios; the helper figures they come from are dropped (the Pascal
// figure proper is PasSynBench's).
void AddRatios(std::vector<std::pair<std::string, double>>& values) {
  std::map<std::string, double> v(values.begin(), values.end());
  std::vector<std::pair<std::string, double>> out;
  const double pascal = v["pascal-scan-mbps"];
  for (const char* name : kRatioLanguages) {
    const std::string n = name;
    const double scan = v[n + "-scan-mbps"];
    out.emplace_back(n + "-scan-mbps", scan);
    if (v[n + "-byteloop-mbps"] > 0) out.emplace_back(n + "-scan-byteloop-ratio", scan / v[n + "-byteloop-mbps"]);
    if (pascal > 0) out.emplace_back(n + "-scan-pascal-ratio", scan / pascal);
  }
  out.emplace_back("multi-scan-mbps", v["multi-scan-mbps"]);
  if (v["html-scan-mbps"] > 0)
    out.emplace_back("multi-scan-html-ratio", v["multi-scan-mbps"] / v["html-scan-mbps"]);
  out.emplace_back("multi-scan-page-mbps", v["multi-page-scan-mbps"]);
  values = out;
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  static std::vector<std::string> names;  // the figures' texts outlive BenchMain
  std::vector<tqbench::TFigure> figures;
  for (const TLanguage& language : Languages()) {
    const std::string n = language.Name;
    names.push_back(n + "-scan-mbps");
    names.push_back(RunName(n + "_scan"));
    if (n.rfind("multi", 0) != 0) {
      names.push_back(n + "-byteloop-mbps");
      names.push_back(RunName(n + "_byteloop"));
    }
  }
  for (size_t i = 0; i + 1 < names.size(); i += 2)
    figures.push_back({names[i].c_str(), names[i + 1].c_str(), nullptr});
  return tqbench::BenchMain(argc, argv, figures, &AddRatios);
}
