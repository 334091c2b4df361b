// Export throughput over a real document: the Pascal corpus loaded into the
// editor's line store with its ranges, exported whole to HTML and to RTF
// through the Object Pascal highlighter, as the editor's export command does.
// The input's bytes per second are the figure; run.sh sets the HTML figure
// against Debian's own exporters on the same file.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchSupport.h"
#include "editor/EditList.h"
#include "editor/HtmlExport.h"
#include "editor/RtfExport.h"
#include "highlighters/PasSyn.h"
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

BENCHMARK_TEMPLATE(BM_Export, TktHtmlExport)->Name("BM_HtmlExport")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_TEMPLATE(BM_Export, TktRtfExport)->Name("BM_RtfExport")->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  return tqbench::BenchMain(argc, argv,
                            {
                                {"html-export-mbps", "BM_HtmlExport/min_time:2.000", nullptr},
                                {"rtf-export-mbps", "BM_RtfExport/min_time:2.000", nullptr},
                            });
}
