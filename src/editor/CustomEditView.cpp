// Caret and view: where the caret may stand, keeping it in view, the top
// line and left column, the scroll bars (scaled for texts of more than 32767
// lines), the screen caret, the scroll-bar and wheel messages, focus and size.
// Nothing here looks at more than the caret's line: these run on every key.
#include "editor/CustomEdit.h"

#include <algorithm>
#include <cmath>

#include "editor/CustomEditInternal.h"
#include "editor/LocalStr.h"

using namespace tq_edit_detail;

namespace {

constexpr int kScrollBarMax = 32767;

int RoundHalfAway(double f) { return int(f < 0 ? -std::floor(-f + 0.5) : std::floor(f + 0.5)); }

}  // namespace

// --- caret ------------------------------------------------------------------------

int TktCustomEdit::MaxColumnOf(int line) const {
  const int length = LineLength(line);
  // MaxLeftChar bounds only the blank space past a line's end; a longer line
  // stays reachable to its end.
  return std::max(FMaxLeftChar, length + 1);
}

void TktCustomEdit::SetCaretXY(TPoint value) {
  int y = std::min(value.Y, FLines->GetCount());
  if (y < 1) y = 1;
  const int length = LineLength(y);
  const int limit = FOptions.Contains(kteoScrollPastEol) ? std::max(FMaxLeftChar, length) : length;
  const int x = std::clamp(value.X, 1, limit + 1);
  if (x == FCaretX && y == FCaretY) return;
  {
    TPaintLockGuard lock(*this);
    TktStatusChanges changes;
    if (x != FCaretX) changes.Include(scCaretX);
    if (y != FCaretY) changes.Include(scCaretY);
    FCaretX = x;
    FCaretY = y;
    StatusChanged(changes);
    // Both parts are in place first, so the history never holds a half-moved caret.
    FCaretHistory.Record(GetCaretXY());
    EnsureCursorPosVisible();
    FStateFlags |= sfCaretChanged | sfScrollbarChanged;
  }
  DoSelectionChange();
}

void TktCustomEdit::EnsureCursorPosVisible() {
  TPaintLockGuard lock(*this);
  // A window too small for one cell still keeps the caret's cell in view.
  const int chars = std::max(1, FCharsInWindow);
  if (FCaretX < FLeftChar)
    SetLeftChar(FCaretX);
  else if (FCaretX >= FLeftChar + chars)
    SetLeftChar(FCaretX - chars + 1);
  const int lines = std::max(1, FLinesInWindow);
  if (FCaretY < FTopLine)
    SetTopLine(FCaretY);
  else if (FCaretY > FTopLine + lines - 1)
    SetTopLine(FCaretY - lines + 1);
}

// --- view ---------------------------------------------------------------------------

int TktCustomEdit::GetMaxScrollWidth() const {
  return std::max({FMaxLeftChar, LineLength(FCaretY) + 1, FCaretX});
}

void TktCustomEdit::SetLeftChar(int value) {
  const int maxLeft = std::max(1, GetMaxScrollWidth() - FCharsInWindow + 1);
  value = std::clamp(value, 1, maxLeft);
  if (value == FLeftChar) return;
  FLeftChar = value;
  UpdateScrollBars();
  InvalidateLines(-1, -1);
  StatusChanged({scLeftChar});
  UpdateCaret();
}

void TktCustomEdit::SetTopLine(int value) {
  value = std::clamp(value, 1, std::max(1, FLines->GetCount()));
  if (value == FTopLine) return;
  const int delta = value - FTopLine;
  FTopLine = value;
  UpdateScrollBars();
  if (HandleAllocated()) {
    // Rows waiting to be painted are kept in the new top line's terms.
    if (!FInvalidateRect.IsEmpty()) FInvalidateRect.Offset(0, -delta * FLineHeight);
    if (FPaintLock > 0) {
      // A replace-all moves the top line for hit after hit; scrolling the
      // window each time costs far more than the edit (and much more again
      // inside nested windows). The window scrolls once, when the lock ends.
      if (!(FStateFlags & sfScrollPending)) {
        FStateFlags |= sfScrollPending;
        FScrollFromTop = FTopLine - delta;
      }
    } else if (std::abs(delta) < FLinesInWindow) {
      FHost->ScrollWindow(0, -delta * FLineHeight);
    } else {
      Invalidate();
    }
  }
  StatusChanged({scTopLine});
  UpdateCaret();
}

void TktCustomEdit::FlushPendingScroll() {
  if (!(FStateFlags & sfScrollPending)) return;
  FStateFlags &= uint16_t(~sfScrollPending);
  if (!HandleAllocated()) return;
  const int delta = FTopLine - FScrollFromTop;
  if (delta != 0 && std::abs(delta) < FLinesInWindow) {
    FHost->ScrollWindow(0, -delta * FLineHeight);
  } else if (delta != 0) {
    // The whole window repaints: what was waiting is inside it.
    if (!(FStateFlags & sfLinesChanging)) FInvalidateRect = TRect();
    Invalidate();
  }
  // Rows invalidated while the scroll waited are in the new top line's
  // terms, so they go to the window only after its pixels moved.
  if (!(FStateFlags & sfLinesChanging) && !FInvalidateRect.IsEmpty()) {
    FHost->InvalidateRect(FInvalidateRect);
    FInvalidateRect = TRect();
  }
}

void TktCustomEdit::SetMaxLeftChar(int value) {
  value = std::clamp(value, 1, 32767);
  if (value == FMaxLeftChar) return;
  FMaxLeftChar = value;
  SetLeftChar(FLeftChar);
  UpdateScrollBars();
}

void TktCustomEdit::UpdateScrollBars(bool force) {
  if (!HandleAllocated()) return;
  if (FPaintLock > 0 && !force) {
    FStateFlags |= sfScrollbarChanged;
    return;
  }
  FStateFlags &= uint16_t(~sfScrollbarChanged);
  if (FScrollBars == kssNone) return;
  if (FScrollBars == kssHorizontal || FScrollBars == kssBoth)
    FHost->SetScrollBar(ksbHorizontal, 1, GetMaxScrollWidth(), FCharsInWindow, FLeftChar);
  if (FScrollBars == kssVertical || FScrollBars == kssBoth) {
    const int n = FLines->GetCount() + FLinesInWindow - 1;
    if (n > kScrollBarMax)
      FHost->SetScrollBar(ksbVertical, 0, kScrollBarMax, MulDiv(kScrollBarMax, FLinesInWindow, n),
                          MulDiv(kScrollBarMax, FTopLine, n));
    else
      FHost->SetScrollBar(ksbVertical, 1, std::max(1, n), FLinesInWindow, FTopLine);
  }
}

// --- coordinates ------------------------------------------------------------------

TPoint TktCustomEdit::PixelsToRowColumn(int x, int y) const {
  const double f = double(FLeftChar * FCharWidth + x - FGutterWidth - 2) / FCharWidth;
  int column = RoundHalfAway(f);
  const int line = FTopLine + y / FLineHeight;
  if (line >= 1 && line <= FLines->GetCount() && column >= 1) {
    const std::string_view text = LineText(line);
    if (column <= int(text.size()) && IsTrailByte(text, size_t(column - 1)))
      column += (f - std::floor(f)) >= 0.5 ? -1 : 1;
  }
  return TPoint(column, line);
}

TPoint TktCustomEdit::RowColumnToPixels(TPoint rowColumn) const {
  return TPoint((rowColumn.X - 1) * FCharWidth + GetTextOffset(),
                (rowColumn.Y - FTopLine) * FLineHeight + 1);
}

// --- the screen caret ---------------------------------------------------------------

void TktCustomEdit::InitializeCaret() {
  if (!HandleAllocated() || !Focused()) return;
  const TCaretType type = FInsertMode ? FInsertCaret : FOverwriteCaret;
  const int w = FCharWidth;
  const int h = FLineHeight;
  int cw = 0, ch = 0;
  switch (type) {
    case ctVerticalLine:
      cw = 2, ch = h - 2, FCaretOffset = TPoint(-1, 0);
      break;
    case ctHorizontalLine:
      cw = w, ch = 2, FCaretOffset = TPoint(0, h - 2);
      break;
    case ctHalfBlock:
      cw = w, ch = (h - 2) / 2, FCaretOffset = TPoint(0, (h - 2) / 2);
      break;
    case ctBlock:
      cw = w, ch = h - 2, FCaretOffset = TPoint(0, 0);
      break;
  }
  FHost->CreateCaret(cw, std::max(1, ch));
  FStateFlags &= uint16_t(~sfCaretVisible);
  UpdateCaret();
}

void TktCustomEdit::UpdateCaret() {
  if (FPaintLock > 0 || !HandleAllocated() || !Focused()) {
    FStateFlags |= sfCaretChanged;
    return;
  }
  FStateFlags &= uint16_t(~sfCaretChanged);
  const TPoint p = RowColumnToPixels(GetCaretXY());
  const int x = p.X + FCaretOffset.X;
  const int y = p.Y + FCaretOffset.Y;
  const bool outside =
      x < FGutterWidth || x >= GetClientWidth() || y < 0 || y >= GetClientHeight();
  if (outside || FOptions.Contains(kteoNoCaret)) HideCaret();
  FHost->SetCaretPos(x, y);
  if (!outside && !FOptions.Contains(kteoNoCaret) && !(FStateFlags & sfCaretVisible)) {
    FHost->ShowCaret();
    FStateFlags |= sfCaretVisible;
  }
  FHost->SetImeCompositionPos(x, y);
}

void TktCustomEdit::HideCaret() {
  if (!(FStateFlags & sfCaretVisible)) return;
  FStateFlags &= uint16_t(~sfCaretVisible);
  if (HandleAllocated()) FHost->HideCaret();
}

// --- messages -----------------------------------------------------------------------

void TktCustomEdit::HScroll(TktScrollCode code, int pos) {
  FStateFlags |= sfInScrollLoop;
  switch (code) {
    case kscLineUp: SetLeftChar(FLeftChar - 1); break;
    case kscLineDown: SetLeftChar(FLeftChar + 1); break;
    case kscPageUp: SetLeftChar(FLeftChar - FCharsInWindow); break;
    case kscPageDown: SetLeftChar(FLeftChar + FCharsInWindow); break;
    case kscThumbPosition:
    case kscThumbTrack: SetLeftChar(pos); break;
    case kscTop: SetLeftChar(1); break;
    case kscBottom: SetLeftChar(FMaxLeftChar); break;
    case kscEndScroll: FStateFlags &= uint16_t(~sfInScrollLoop); break;
  }
}

void TktCustomEdit::VScroll(TktScrollCode code, int pos) {
  FStateFlags |= sfInScrollLoop;
  switch (code) {
    case kscLineUp: SetTopLine(FTopLine - 1); break;
    case kscLineDown: SetTopLine(FTopLine + 1); break;
    case kscPageUp: SetTopLine(FTopLine - FLinesInWindow); break;
    case kscPageDown: SetTopLine(FTopLine + FLinesInWindow); break;
    case kscThumbPosition:
    case kscThumbTrack: {
      // Scaled back exactly when the bar was scaled (see UpdateScrollBars).
      const int n = FLines->GetCount() + FLinesInWindow - 1;
      SetTopLine(n > kScrollBarMax ? MulDiv(n, pos, kScrollBarMax) : pos);
      if (code == kscThumbTrack && FOptions.Contains(kteoShowScrollHint) && HandleAllocated())
        FHost->ShowScrollHint(Format(STopLineHint, FTopLine), TPoint(GetClientWidth() - 4, 10));
      break;
    }
    case kscTop: SetTopLine(1); break;
    case kscBottom: SetTopLine(FLines->GetCount()); break;
    case kscEndScroll:
      FStateFlags &= uint16_t(~sfInScrollLoop);
      if (FOptions.Contains(kteoShowScrollHint) && HandleAllocated()) FHost->HideScrollHint();
      break;
  }
  if (HandleAllocated()) FHost->Update();
}

bool TktCustomEdit::MouseWheel(int delta, TShiftState shift) {
  if (GetComponentState().Contains(csDesigning)) return false;
  int step;
  if (shift.Contains(ssCtrl)) {
    step = FLinesInWindow;
    if (FOptions.Contains(kteoHalfPageScroll)) step /= 2;
  } else {
    step = FHost ? FHost->GetWheelScrollLines() : 3;
  }
  FMouseWheelAccumulator += delta;
  const int notches = FMouseWheelAccumulator / 120;
  FMouseWheelAccumulator %= 120;
  if (step == -1 || step > FLinesInWindow) step = FLinesInWindow;
  SetTopLine(FTopLine - step * notches);
  if (HandleAllocated()) FHost->Update();
  return true;
}

void TktCustomEdit::SizeChanged() {
  if (!HandleAllocated()) return;
  ComputeWindowSizes();
  UpdateScrollBars();
  SetLeftChar(FLeftChar);
}

void TktCustomEdit::FocusEnter() {
  InitializeCaret();
  if (FHideSelection && SelAvail()) Invalidate();
}

void TktCustomEdit::FocusExit() {
  HideCaret();
  if (HandleAllocated()) FHost->DestroyCaret();
  FStateFlags &= uint16_t(~sfCaretVisible);
  if (FHideSelection && SelAvail()) Invalidate();
}
