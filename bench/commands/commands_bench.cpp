// The editing control's commands on the C/C++ corpus, loaded with the
// trivial highlighter and shown in a window that does nothing (every host
// call still made):
// - BM_Keystroke: typing a character on the first line of the 100 MB text,
//   and taking it away again, one keystroke per iteration; no range changes.
// - BM_ReplaceAll: SearchReplace replacing every "return" by "yield" (case-
//   sensitive, the whole text), on the 12 MB and the 100 MB text; each run
//   on a freshly loaded text.
// - BM_ReplaceLoop: the plain limit: building a new std::string from the
//   text (lines joined by CR LF) with the same replacements.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchCommon.h"
#include "TrivialHighlighter.h"
#include "editor/CustomEdit.h"
#include "editor/EditHost.h"

namespace {

const char* kCorpora[] = {"cxx12-headers.txt", "cxx12-headers-100mb.txt"};
const char* kWord = "return";
const char* kReplacement = "yield";

// A visible, focused window of 800 x 600 pixels that does nothing.
class TQuietHost : public IktEditHost {
public:
  bool HandleAllocated() const override { return true; }
  bool IsVisible() const override { return true; }
  bool Focused() const override { return true; }
  void SetFocus() override {}
  int GetClientWidth() const override { return 800; }
  int GetClientHeight() const override { return 600; }
  void InvalidateRect(const TRect&) override {}
  void Update() override {}
  void ScrollWindow(int, int) override {}
  void RecreateWindow() override {}
  bool HasPopupMenu() const override { return false; }
  void DragAcceptFiles(bool) override {}
  void SetScrollBar(TktScrollBar, int, int, int, int) override {}
  void CreateCaret(int, int) override {}
  void DestroyCaret() override {}
  void SetCaretPos(int, int) override {}
  void ShowCaret() override {}
  void HideCaret() override {}
  void SetImeCompositionPos(int, int) override {}
  void SetCapture() override {}
  void ReleaseCapture() override {}
  bool HasCapture() const override { return false; }
  void BeginDrag() override {}
  void StartTimer(int, int) override {}
  void StopTimer(int) override {}
  bool ClipboardHasFormat(TktClipboardFormat) const override { return false; }
  bool GetClipboardData(TktClipboardFormat, std::string&) override { return false; }
  bool SetClipboardData(std::string_view, std::string_view) override { return true; }
  bool AskYesNo(const std::string&) override { return false; }
  void ShowMessage(const std::string&) override {}
  void ShowScrollHint(const std::string&, TPoint) override {}
  void HideScrollHint() override {}
  TSize GetDragThreshold() const override { return TSize(4, 4); }
  int GetWheelScrollLines() const override { return 3; }
};

const std::string& Corpus(int index) {
  static std::string texts[2];
  if (texts[index].empty()) texts[index] = bench::ReadFile(bench::CorpusPath(kCorpora[index]));
  return texts[index];
}

// An editor holding a corpus, highlighted, in the quiet window.
struct TDocument {
  TQuietHost Host;
  TTrivialHighlighter Highlighter;
  std::unique_ptr<TktCustomEdit> Edit;

  explicit TDocument(int corpus) {
    Edit = std::make_unique<TktCustomEdit>(nullptr);
    Edit->SetHost(&Host);
    Edit->HandleCreated();
    Edit->SizeChanged();
    Edit->SetText(Corpus(corpus));
    Edit->SetHighLighter(&Highlighter);
  }
  ~TDocument() { Edit->SetHighLighter(nullptr); }
};

void BM_Keystroke(benchmark::State& state) {
  static TDocument doc(1);
  TktCustomEdit& edit = *doc.Edit;
  edit.SetCaretXY(TPoint(1, 1));
  const std::string first(edit.LineText(1));
  const TktRange second = edit.GetLines()->GetRange(1);
  bool typed = false;
  for (auto _ : state) {
    if (typed)
      edit.ExecuteCommand(ecDeleteLastChar, '\0', nullptr);
    else
      edit.ExecuteCommand(ecChar, 'x', nullptr);
    typed = !typed;
  }
  if (edit.LineText(1) != (typed ? "x" + first : first)) state.SkipWithError("not typed");
  if (edit.GetLines()->GetRange(1) != second) state.SkipWithError("a range changed");
}

// How many times the word stands in a corpus.
int Occurrences(int corpus) {
  const std::string& text = Corpus(corpus);
  int n = 0;
  for (size_t p = text.find(kWord); p != std::string::npos; p = text.find(kWord, p + 1)) ++n;
  return n;
}

void BM_ReplaceAll(benchmark::State& state) {
  const int corpus = int(state.range(0));
  int replaced = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = std::make_unique<TDocument>(corpus);
    state.ResumeTiming();
    replaced = doc->Edit->SearchReplace(
        kWord, kReplacement, ktsoMatchCase | ktsoReplace | ktsoReplaceAll | ktsoEntireScope);
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  if (replaced != Occurrences(corpus)) state.SkipWithError("not every word replaced");
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Corpus(corpus).size()));
}

void BM_ReplaceLoop(benchmark::State& state) {
  const int corpus = int(state.range(0));
  // The text as the editor holds it: lines joined by CR LF.
  static std::string joined[2];
  if (joined[corpus].empty()) {
    TktEditList lines;
    lines.SetText(Corpus(corpus));
    joined[corpus] = lines.GetText();
  }
  const std::string& text = joined[corpus];
  const std::string word = kWord;
  int replaced = 0;
  for (auto _ : state) {
    std::string out;
    out.reserve(text.size());
    replaced = 0;
    size_t from = 0;
    for (size_t p = text.find(word); p != std::string::npos; p = text.find(word, from)) {
      out.append(text, from, p - from).append(kReplacement);
      from = p + word.size();
      ++replaced;
    }
    out.append(text, from, std::string::npos);
    benchmark::DoNotOptimize(out.data());
  }
  if (replaced != Occurrences(corpus)) state.SkipWithError("not every word replaced");
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Corpus(corpus).size()));
}

BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplaceAll)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReplaceLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
