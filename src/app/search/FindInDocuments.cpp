// Search in all open documents. Loaded text lies in the line store's load
// buffer with a NUL after each line, so the search runs over long stretches
// of it at once rather than starting again on every line; edited lines,
// which have storage of their own, are searched one at a time. A pattern
// holds no NUL, so no hit can reach over a line's end, and a NUL is no
// letter or digit, so whole words end at line ends as they do line by line.
#include "app/search/FindInDocuments.h"

#include <algorithm>

#include "editor/CharClasses.h"
#include "editor/CustomEdit.h"
#include "editor/EditList.h"
#include "editor/EditSearch.h"
#include "platform/SysUtils.h"

namespace {

// The most NUL bytes that may lie between two lines of one stretch (a line
// end of CR LF leaves two); anything wider ends the stretch.
constexpr std::ptrdiff_t kMaxGap = 16;

class TDocumentSearch {
public:
  TDocumentSearch(TktEditSearch& engine, const TSearchDocument& doc, std::vector<TFindResult>& out)
      : FEngine(engine), FDoc(doc), FLines(*doc.Lines), FOut(out),
        FName(ExtractFileName(doc.FileName)) {}

  void Run(bool stretches) {
    const int count = FLines.GetCount();
    int i = 0;
    while (i < count) {
      if (!stretches || !FLines.IsInLoadBuffer(i)) {
        const std::string_view line = FLines.GetView(i);
        if (const int hit = FEngine.FindFirst(line)) Add(i, hit);
        ++i;
        continue;
      }
      i = SearchStretch(i, StretchEnd(i));
    }
  }

private:
  // The last line of the stretch that starts at line first.
  int StretchEnd(int first) const {
    const int count = FLines.GetCount();
    const std::string_view v = FLines.LoadBufferView(first);
    const char* end = v.data() + v.size();
    int last = first;
    while (last + 1 < count && FLines.IsInLoadBuffer(last + 1)) {
      // Both lines lie in the one load buffer, so their places compare.
      const std::string_view next = FLines.LoadBufferView(last + 1);
      const std::ptrdiff_t gap = next.data() - end;
      if (gap < 1 || gap > kMaxGap) break;
      if (std::find_if(end, end + gap, [](char c) { return c != 0; }) != end + gap) break;
      end = next.data() + next.size();
      ++last;
    }
    return last;
  }

  // Searches lines first to last as one text; returns the line after them.
  int SearchStretch(int first, int last) {
    const char* base = FLines.LoadBufferView(first).data();
    const std::string_view lastView = FLines.LoadBufferView(last);
    const std::string_view text(base, size_t(lastView.data() + lastView.size() - base));
    int line = first;
    std::ptrdiff_t from = 0;
    while (line <= last) {
      const int hit = FEngine.FindFirst(text.substr(size_t(from)));
      if (hit == 0) break;
      const std::ptrdiff_t at = from + hit - 1;
      // The line the hit lies in: the first whose end lies beyond it.
      std::string_view v = FLines.LoadBufferView(line);
      while (v.data() + v.size() - base <= at) v = FLines.LoadBufferView(++line);
      Add(line, int(at - (v.data() - base)) + 1);
      // A line is listed once: go on at the next line's start.
      if (++line > last) break;
      from = FLines.LoadBufferView(line).data() - base;
    }
    return last + 1;
  }

  void Add(int index, int column) {
    FOut.push_back(TFindResult{FDoc.Number, index + 1, column,
                               FindResultText(FDoc.Number, FName, index + 1, FLines.GetView(index))});
  }

  TktEditSearch& FEngine;
  const TSearchDocument& FDoc;
  const TktEditList& FLines;
  std::vector<TFindResult>& FOut;
  std::string FName;
};

}  // namespace

std::string FindResultText(int document, const std::string& fileName, int line,
                           std::string_view lineText) {
  std::string s = "[" + std::to_string(document) + "]" + fileName + " (" + std::to_string(line) + "): ";
  s += lineText;
  return s;
}

std::vector<TFindResult> FindInDocuments(const std::vector<TSearchDocument>& documents,
                                         const std::string& text, bool matchCase, bool wholeWords) {
  std::vector<TFindResult> out;
  if (text.empty()) return out;
  TktEditSearch engine;
  engine.SetPattern(text);
  engine.SetSensitive(matchCase);
  engine.Whole = wholeWords;
  // A pattern with a NUL could reach over line ends inside a stretch.
  const bool stretches = text.find('\0') == std::string::npos;

  std::vector<const TSearchDocument*> order;
  for (const TSearchDocument& d : documents)
    if (d.Lines) order.push_back(&d);
  std::stable_sort(order.begin(), order.end(),
                   [](const TSearchDocument* a, const TSearchDocument* b) { return a->Number < b->Number; });
  for (const TSearchDocument* d : order) TDocumentSearch(engine, *d, out).Run(stretches);
  return out;
}

void ShowFindResult(TktCustomEdit& edit, int line, int column, const std::string& searchText) {
  const int count = edit.GetLines()->GetCount();
  line = std::clamp(line, 1, std::max(1, count));
  const std::string_view s = line <= count ? edit.GetLines()->GetView(line - 1) : std::string_view();
  const uint8_t* lower = CharClasses().Lower;
  bool there = column >= 1 && !searchText.empty() && size_t(column - 1) + searchText.size() <= s.size();
  for (size_t k = 0; there && k < searchText.size(); ++k)
    there = lower[uint8_t(s[size_t(column - 1) + k])] == lower[uint8_t(searchText[k])];
  edit.BeginUpdate();
  try {
    if (there) {
      edit.SetCaretXY(TPoint(column + int(searchText.size()), line));
      edit.SetBlockBegin(TPoint(column, line));
      edit.SetBlockEnd(TPoint(column + int(searchText.size()), line));
    } else {
      edit.SetCaretXY(TPoint(1, line));
      edit.SetBlockBegin(TPoint(1, line));
    }
    edit.SetTopLine(line);
  } catch (...) {
    edit.EndUpdate();
    throw;
  }
  edit.EndUpdate();
}
