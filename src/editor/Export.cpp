// The exporter base: the export loop over a document's lines, header and
// footer around the result, saving it and handing it to the clipboard.
#include "editor/Export.h"

#include <algorithm>
#include <climits>

#include "editor/EditFiles.h"
#include "editor/EditList.h"
#include "editor/ExportClipboard.h"
#include "editor/Highlighter.h"
#include "platform/SysUtils.h"

namespace {

// Takes the tokens of a line the export covers only in part: the whole line
// is scanned (so every token has the colours it has in the editor), and only
// the pieces inside columns [from, to) (0-based) reach the real exporter.
class TktClippedExport : public TktCustomExport {
public:
  TktClippedExport(TktCustomExport& target, TktCustomHighLighter& highlighter)
      : TktCustomExport(nullptr), FTarget(target), FHighlighter(highlighter) {}

  void SetWindow(size_t from, size_t to) {
    FFrom = from;
    FTo = to;
  }

  void FormatToken(std::string_view token, TktHighLightAttributes* attribute, bool escape,
                   bool space) override {
    if (FHighlighter.AtLineEnd()) {
      FTarget.FormatToken(token, attribute, escape, space);
      return;
    }
    const size_t start = size_t(std::max(FHighlighter.GetTokenPos(), 0));
    const size_t from = std::max(start, FFrom);
    const size_t to = std::min(start + token.size(), FTo);
    if (from >= to) return;
    FTarget.FormatToken(token.substr(from - start, to - from), attribute, escape, space);
  }
  std::string GetExporterName() const override { return FTarget.GetExporterName(); }

private:
  TktCustomExport& FTarget;
  TktCustomHighLighter& FHighlighter;
  size_t FFrom = 0;
  size_t FTo = 0;
};

// Points the highlighter at an exporter for the length of an export and back
// at whatever it fed before the export began, also when the export fails.
class TExporterSwap {
public:
  TExporterSwap(TktCustomHighLighter& highlighter, TktCustomExport* exporter,
                TktCustomExport* previous)
      : FHighlighter(highlighter), FPrevious(previous) {
    FHighlighter.SetExporter(exporter);
  }
  ~TExporterSwap() { FHighlighter.SetExporter(FPrevious); }
  TExporterSwap(const TExporterSwap&) = delete;
  TExporterSwap& operator=(const TExporterSwap&) = delete;

private:
  TktCustomHighLighter& FHighlighter;
  TktCustomExport* FPrevious;
};

void ExportLine(TktCustomHighLighter& highlighter, std::string_view text) {
  highlighter.SetLineForExport(text);
  while (!highlighter.AtLineEnd()) highlighter.ExportNextToken();
}

}  // namespace

TktCustomExport::TktCustomExport(TComponent* owner) : TComponent(owner) {}

TktCustomExport::~TktCustomExport() = default;

std::string TktCustomExport::GetBufferString() const { return std::string(FBuffer.View()); }

void TktCustomExport::Init(const TktExportDocument& document, TktCustomHighLighter* highlighter,
                           int sizeHint) {
  if (!document.Lines || !highlighter) throw Exception("Invalid Parameter");
  highlighter->SetExporter(this);
  FDocument = document;
  // Not Clear: a clipboard export sets its format before the loop runs.
  FBuffer.Clear();
  ForgetLastAttribute();
  if (sizeHint > 0) FBuffer.SetCapacity(size_t(sizeHint) * 100);
}

std::string TktCustomExport::GetHeader() const { return std::string(); }
std::string TktCustomExport::GetFooter() const { return std::string(); }
unsigned TktCustomExport::GetClipboardFormat() const { return 1; }
std::string TktCustomExport::GetDefaultFilter() const { return FDefaultFilter; }

void TktCustomExport::SetDefaultFilter(const std::string& value) {
  if (FDefaultFilter != value) FDefaultFilter = value;
}

void TktCustomExport::Clear() {
  FBuffer.Clear();
  FClipboardFormatInProgress = 0;
  ForgetLastAttribute();
}

void TktCustomExport::ExportRange(TPoint start, TPoint end, TktCustomHighLighter* highlighter,
                                  const TktExportDocument& document) {
  if (start == end) Abort();
  TktCustomExport* const previous = highlighter ? highlighter->GetExporter() : nullptr;
  // Sized by the lines that exist: a request may reach far past the text
  // (lines outside it are left out), and its span may not even fit an int.
  const int64_t existing = document.Lines ? document.Lines->GetCount() : 0;
  const int64_t spanFirst = std::max<int64_t>(start.Y, 1);
  const int64_t spanLast = std::min<int64_t>(end.Y, existing);
  Init(document, highlighter, spanFirst <= spanLast ? int(spanLast - spanFirst + 1) : 0);
  // A highlighter that cannot feed an exporter (the multi-language one)
  // says so in its capabilities; calling on would reach routines it lacks.
  if (!(highlighter->GetCapability() & hcExport)) throw EAbstractError("Abstract Error");
  TExporterSwap swap(*highlighter, this, previous);

  const TktEditList& lines = *document.Lines;
  const int first = std::max(start.Y, 1);
  const int last = std::min(end.Y, lines.GetCount());
  if (first <= last) {
    highlighter->SetRange(lines.GetRange(first - 1));
    TktClippedExport clipped(*this, *highlighter);
    for (int line = first; line <= last; ++line) {
      const std::string_view text = lines.GetView(line - 1);
      size_t from = 0, to = text.size();
      if (line == start.Y && start.X > 1) from = std::min(size_t(start.X - 1), text.size());
      if (line == end.Y) to = std::clamp<size_t>(size_t(std::max(end.X, 1) - 1), from, text.size());
      if (from == 0 && to == text.size()) {
        ExportLine(*highlighter, text);
      } else {
        clipped.SetWindow(from, to);
        highlighter->SetExporter(&clipped);
        ExportLine(*highlighter, text);
        highlighter->SetExporter(this);
      }
    }
  }
  Finish();
}

void TktCustomExport::ExportLines(int first, int last, TktCustomHighLighter* highlighter,
                                  const TktExportDocument& document) {
  ExportRange(TPoint(1, first), TPoint(INT_MAX, last), highlighter, document);
}

void TktCustomExport::ExportSelection(const TktExportDocument& document,
                                      TktCustomHighLighter* highlighter) {
  ExportRange(document.BlockBegin, document.BlockEnd, highlighter, document);
}

void TktCustomExport::Finish() {
  FlushPending();
  // The header comes last because it may list what the body used (the RTF
  // colour table).
  const std::string header = GetHeader();
  const std::string footer = GetFooter();
  FBuffer.Prepend(header);
  FBuffer.Append(footer);
}

void TktCustomExport::SaveToFile(const std::string& fileName) const {
  SafeSaveFile(fileName, 0, [this](TStream& stream) {
    stream.WriteBuffer(FBuffer.Data(), int64_t(FBuffer.Size()));
  });
}

void TktCustomExport::CopyToClipboardFormat(const TktExportDocument& document,
                                            TktCustomHighLighter* highlighter, unsigned format) {
  FClipboardFormatInProgress = format;
  try {
    ExportSelection(document, highlighter);
    FBuffer.Append('\0');
    ExportClipboard().SetData(format, FBuffer.Data(), FBuffer.Size());
  } catch (...) {
    Clear();
    throw;
  }
  Clear();
}

void TktCustomExport::CopyToClipboard(const TktExportDocument& document,
                                      TktCustomHighLighter* highlighter) {
  CopyToClipboardFormat(document, highlighter, GetClipboardFormat());
}

void TktCustomExport::SetTitle(const std::string& value) {
  FTitle = value.empty() ? "(Untitled)" : value;
}
