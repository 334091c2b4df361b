// How the editing control answers its line store: range rescans after each
// structural change, and the rows that need painting. While the list reports
// a change in progress, or while a scroll waits for the end of the paint
// lock, every invalidation is merged into one pending rectangle, painted when
// the change (or the lock) ends.
#include "editor/CustomEdit.h"

#include <algorithm>

#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

// --- invalidation -------------------------------------------------------------

void TktCustomEdit::InvalidateRectangle(const TRect& rect) {
  if (rect.IsEmpty() || !HandleAllocated()) return;
  if (FStateFlags & (sfLinesChanging | sfScrollPending))
    UnionRect(FInvalidateRect, FInvalidateRect, rect);
  else
    FHost->InvalidateRect(rect);
}

TRect TktCustomEdit::LinesRect(int first, int last, int left, int right) const {
  if (first > last) std::swap(first, last);
  first = std::max(first, FTopLine);
  last = std::min(last, FTopLine + FLinesInWindow);
  if (last < first) return TRect();
  return TRect(left, (first - FTopLine) * FLineHeight, right, (last - FTopLine + 1) * FLineHeight);
}

void TktCustomEdit::Invalidate() {
  if (HandleAllocated()) InvalidateRectangle(TRect(0, 0, GetClientWidth(), GetClientHeight()));
}

void TktCustomEdit::InvalidateLines(int first, int last) {
  if (!HandleAllocated() || !FHost->IsVisible()) return;
  if (first == -1 && last == -1)
    InvalidateRectangle(TRect(FGutterWidth, 0, GetClientWidth(), GetClientHeight()));
  else
    InvalidateRectangle(LinesRect(first, last, FGutterWidth, GetClientWidth()));
}

void TktCustomEdit::InvalidateGutterLines(int first, int last) {
  if (!HandleAllocated() || !FHost->IsVisible()) return;
  if (first == -1 && last == -1)
    InvalidateRectangle(TRect(0, 0, FGutterWidth, GetClientHeight()));
  else
    InvalidateRectangle(LinesRect(first, last, 0, FGutterWidth));
}

void TktCustomEdit::InvalidateLine(int line) {
  if (!HandleAllocated() || !FHost->IsVisible()) return;
  InvalidateRectangle(LinesRect(line, line, 0, GetClientWidth()));
}

// --- the line store's callbacks -------------------------------------------------

void TktCustomEdit::ListAdded() {
  if (FHighLighter) FLines->RescanAfterAdd(*FHighLighter);
  const int line = FLines->GetCount();
  if (line >= FTopLine && line <= FTopLine + FLinesInWindow) InvalidateLine(line);
}

void TktCustomEdit::ListCleared() {
  FInvalidateRect = TRect();
  Invalidate();
  SetBlockBegin(TPoint(1, 1));
  SetCaretXY(TPoint(1, 1));
  SetTopLine(1);
  SetLeftChar(1);
}

void TktCustomEdit::ListDeleted(int index) {
  if (FHighLighter && FLines->GetCount() >= 1) FLines->RescanAfterDelete(*FHighLighter, index);
  // The rows below move up: repaint them down to the window's bottom.
  InvalidateLines(index + 1, FTopLine + FLinesInWindow);
  InvalidateGutterLines(index + 1, FTopLine + FLinesInWindow);
}

void TktCustomEdit::ListInserted(int index) {
  if (FHighLighter && FLines->GetCount() >= 1) FLines->RescanAfterInsert(*FHighLighter, index);
  InvalidateLines(index + 1, FTopLine + FLinesInWindow);
  InvalidateGutterLines(index + 1, FTopLine + FLinesInWindow);
}

void TktCustomEdit::ListLineReplaced(int index) {
  int last = index;
  if (FHighLighter) last = FLines->RescanAfterPut(*FHighLighter, index);
  InvalidateLines(index + 1, last + 1);
}

void TktCustomEdit::ListTextSet() {
  if (FLines->GetCount() == 0) FLines->Add(std::string());
  FUndoList.ClearList();
  FRedoList.ClearList();
}

void TktCustomEdit::ListScanRanges() {
  if (FHighLighter) FLines->RescanAll(*FHighLighter);
  // Lines arrived in bulk, without a notice each.
  Invalidate();
}

void TktCustomEdit::ListChanging() { FStateFlags |= sfLinesChanging; }

void TktCustomEdit::ListChanged() {
  FStateFlags &= uint16_t(~sfLinesChanging);
  UpdateScrollBars();
  // Lines taken away under the caret leave it on the last line.
  if (FCaretY > FLines->GetCount()) SetCaretXY(GetCaretXY());
  SetBlockBegin(GetCaretXY());
  // With a scroll still waiting, the rows wait for it (they are in the new
  // top line's terms).
  if (!(FStateFlags & sfScrollPending)) {
    if (HandleAllocated() && !FInvalidateRect.IsEmpty()) FHost->InvalidateRect(FInvalidateRect);
    FInvalidateRect = TRect();
  }
  if (FGutter->GetShowLineNumbers() && FGutter->GetAutoSize())
    FGutter->AutoSizeDigitCount(FLines->GetCount());
}
