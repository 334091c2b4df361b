// Export throughput over a real document: the Pascal corpus loaded into the
// editor's line store with its ranges, exported whole to HTML and to RTF
// through the Object Pascal highlighter, as the editor's export command does.
// The input's bytes per second are the figure; run.sh sets the HTML figure
// against Debian's own exporters on the same file. The HTML preview's text
// for the browser, made from the same lines, is set against the HTML export.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchSupport.h"
#include "editor/EditList.h"
#include "editor/HtmlExport.h"
#include "editor/RtfExport.h"
#include "highlighters/PasSyn.h"
#include "kit/WebBrowserRules.h"
#include "platform/Streams.h"

namespace {

struct TDocument {
  TktPasSyn Pas{nullptr};
  TktEditList Lines;
  TktExportDocument Doc;
  int64_t Bytes = 0;
  TDocument() {
    TFileStream file(tqbench::CorpusDir() + "/fpc-compiler.pas", fmOpenRead);
    Bytes = file.GetSize();
    Lines.LoadFromStream(file);
    // Colours as a user's settings give them, so tags and control words are written.
    Pas.GetKeyAttri()->SetForeground(clNavy);
    Pas.GetKeyAttri()->SetStyle({fsBold});
    Pas.GetCommentAttri()->SetForeground(clGreen);
    Pas.GetCommentAttri()->SetStyle({fsItalic});
    Pas.GetStringAttri()->SetForeground(clRed);
    Pas.GetNumberAttri()->SetForeground(clPurple);
    Pas.GetSymbolAttri()->SetForeground(clMaroon);
    Lines.RescanAll(Pas);
    Doc.Lines = &Lines;
  }
};

TDocument& Document() {
  static TDocument document;
  return document;
}

template <class TExport>
void BM_Export(benchmark::State& state) {
  TDocument& d = Document();
  TExport exporter(nullptr);
  size_t out = 0;
  for (auto _ : state) {
    exporter.ExportLines(1, d.Lines.GetCount(), &d.Pas, d.Doc);
    out = exporter.GetBufferCapacity();
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(state.iterations() * d.Bytes);
}

// The text the HTML preview hands the browser: every line with CR LF, in
// one buffer.
void BM_PreviewText(benchmark::State& state) {
  TDocument& d = Document();
  size_t out = 0;
  for (auto _ : state) {
    TBrowserText text = TBrowserText::FromLines(d.Lines);
    out += text.Size();
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(state.iterations() * d.Bytes);
}

// The preview text's time for the whole corpus in milliseconds, and its
// share of the HTML export's time for the same lines in the same run.
void PreviewFigures(std::vector<std::pair<std::string, double>>& values) {
  double preview = 0, html = 0;
  for (auto it = values.begin(); it != values.end();) {
    if (it->first == "html-export-mbps") html = it->second;
    if (it->first == "preview-text-mbps") {
      preview = it->second;
      it = values.erase(it);
    } else {
      ++it;
    }
  }
  if (preview <= 0 || html <= 0) return;
  const double megabytes = double(Document().Bytes) / 1e6;
  values.emplace_back("preview-text-10mb-ms", megabytes / preview * 1000);
  values.emplace_back("preview-text-html-export-ratio", html / preview);
}

BENCHMARK(BM_PreviewText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_TEMPLATE(BM_Export, TktHtmlExport)->Name("BM_HtmlExport")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_TEMPLATE(BM_Export, TktRtfExport)->Name("BM_RtfExport")->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  return tqbench::BenchMain(argc, argv,
                            {
                                {"html-export-mbps", "BM_HtmlExport/min_time:2.000", nullptr},
                                {"rtf-export-mbps", "BM_RtfExport/min_time:2.000", nullptr},
                                {"preview-text-mbps", "BM_PreviewText/min_time:2.000", nullptr},
                            },
                            &PreviewFigures);
}
