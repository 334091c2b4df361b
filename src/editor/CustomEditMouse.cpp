// The mouse: placing the caret, selecting by dragging (scrolling on a timer
// while the mouse is outside the text), double-click word selection, gutter
// presses (handled on a timer once the press is over), and dragging the
// selection. No handler here waits or pumps messages: a timer tick is just
// another entry point.
#include "editor/CustomEdit.h"

#include <cstdlib>

#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

bool TktCustomEdit::IsInTextArea(int x, int y) const {
  return x >= FGutterWidth && x < GetClientWidth() && y >= 0 && y < GetClientHeight();
}

void TktCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FLastMouse = TPoint(x, y);
  const TShiftState buttons = shift * TShiftState{ssLeft, ssRight, ssMiddle};
  if (button == mbRight && buttons == TShiftState{ssRight} && FHost && FHost->HasPopupMenu())
    return;
  if (x < FGutterWidth) {
    FStateFlags |= sfGutterClick;
    FGutterClickPoint = TPoint(x, y);
    FGutterClickShift = shift;
    FGutterClickPending = true;
    if (FHost) FHost->StartTimer(kGutterClickTimer, 0);
    return;
  }
  if (button == mbLeft && shift.Contains(ssDouble)) return;
  FStateFlags &= uint16_t(~sfWaitForDragging);
  const bool hadSelection = SelAvail();
  if (button == mbLeft && hadSelection) {
    FDragSelStart = GetBlockBegin();
    FDragSelEnd = GetBlockEnd();
    FMouseDownX = x;
    FMouseDownY = y;
  }
  FMBCSStepAside = false;
  SetCaretXY(PixelsToRowColumn(x, y));
  if (button == mbLeft) {
    if (FHost) FHost->SetCapture();
    // A press inside the selection may start dragging it: the selection stays.
    if (hadSelection && FOptions.Contains(kteoDragDropEditing) && x >= FGutterWidth + 2 &&
        IsPointInSelection(GetCaretXY()))
      FStateFlags |= sfWaitForDragging;
  }
  if (!(FStateFlags & (sfWaitForDragging | sfDblClicked))) {
    if (shift.Contains(ssShift))
      SetBlockEnd(GetCaretXY());
    else
      SetBlockBegin(GetCaretXY());
  }
  if (FHost) FHost->SetFocus();
}

void TktCustomEdit::MouseMove(TShiftState shift, int x, int y) {
  FLastMouse = TPoint(x, y);
  if (FStateFlags & sfGutterClick) return;
  const bool captured = FHost && FHost->HasCapture();
  if (captured && (FStateFlags & sfWaitForDragging)) {
    // The selection stays as it is until the mouse leaves the drag
    // rectangle; then the platform's drag takes over.
    const TSize drag = FHost->GetDragThreshold();
    const bool left = std::abs(x - FMouseDownX) * 2 > drag.cx || std::abs(y - FMouseDownY) * 2 > drag.cy;
    if (left && !GetReadOnly()) {
      FStateFlags &= uint16_t(~sfWaitForDragging);
      FHost->BeginDrag();
    }
    return;
  }
  if (!shift.Contains(ssLeft) || !captured) return;
  if (IsInTextArea(x, y)) {
    StopAutoScroll();
    SetCaretXY(PixelsToRowColumn(x, y));
    SetBlockEnd(GetCaretXY());
  } else if (!(FStateFlags & sfInScrollLoop)) {
    FStateFlags |= sfInScrollLoop;
    AutoScrollStep();
  }
}

void TktCustomEdit::StopAutoScroll() {
  if (!(FStateFlags & sfInScrollLoop) && FAutoScrollInterval == 0) return;
  FStateFlags &= uint16_t(~sfInScrollLoop);
  if (FAutoScrollInterval > 0 && FHost) FHost->StopTimer(kAutoScrollTimer);
  FAutoScrollInterval = 0;
}

// One step of selecting beyond the window's edge, from the last mouse
// position: further out scrolls faster, and far out drops the pause.
void TktCustomEdit::AutoScrollStep() {
  const int x = FLastMouse.X;
  const int y = FLastMouse.Y;
  if (!FHost || !FHost->HasCapture() || IsInTextArea(x, y)) {
    StopAutoScroll();
    return;
  }
  int delay = kAutoScrollDelay;
  {
    TPaintLockGuard lock(*this);
    const int width = GetClientWidth();
    const int height = GetClientHeight();
    if (x < FGutterWidth) {
      const int d = FGutterWidth - x;
      SetLeftChar(FLeftChar - (d < 10 ? 1 : 8));
      if (d >= 42) delay = kAutoScrollFastDelay;
      SetCaretXY(TPoint(FLeftChar, PixelsToRowColumn(x, y).Y));
      SetBlockEnd(GetCaretXY());
    } else if (x >= width) {
      const int d = x - width;
      SetLeftChar(FLeftChar + (d < 10 ? 1 : 8));
      if (d >= 42) delay = kAutoScrollFastDelay;
      SetCaretXY(TPoint(FLeftChar + FCharsInWindow, PixelsToRowColumn(x, y).Y));
      SetBlockEnd(GetCaretXY());
    }
    if (y < 0) {
      SetTopLine(FTopLine - (y > -10 ? 1 : FLinesInWindow));
      if (y < -41) delay = kAutoScrollFastDelay;
      SetCaretXY(TPoint(PixelsToRowColumn(x, y).X, FTopLine));
      SetBlockEnd(GetCaretXY());
    } else if (y >= height) {
      const int d = y - height;
      SetTopLine(FTopLine + (d < 10 ? 1 : FLinesInWindow));
      if (d >= 42) delay = kAutoScrollFastDelay;
      SetCaretXY(TPoint(PixelsToRowColumn(x, y).X, FTopLine + FLinesInWindow - 1));
      SetBlockEnd(GetCaretXY());
    }
  }
  FHost->Update();
  if (delay != FAutoScrollInterval) {
    FAutoScrollInterval = delay;
    FHost->StartTimer(kAutoScrollTimer, delay);
  }
}

void TktCustomEdit::TimerTick(int id) {
  if (id == kAutoScrollTimer) {
    if (FStateFlags & sfInScrollLoop)
      AutoScrollStep();
    else
      StopAutoScroll();
  } else if (id == kGutterClickTimer) {
    if (FHost) FHost->StopTimer(kGutterClickTimer);
    if (!FGutterClickPending) return;
    FGutterClickPending = false;
    DoGutterClick(FGutterClickPoint.X, FGutterClickPoint.Y, FGutterClickShift);
  }
}

void TktCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  FLastMouse = TPoint(x, y);
  const TShiftState buttons = shift * TShiftState{ssLeft, ssRight, ssMiddle};
  if (button == mbRight && buttons.Empty() && FHost && FHost->HasPopupMenu()) return;
  if (FHost && FHost->HasCapture()) FHost->ReleaseCapture();
  StopAutoScroll();
  if (!(FStateFlags & sfGutterClick) && (FStateFlags & sfWaitForDragging) &&
      !(FStateFlags & sfDblClicked)) {
    SetCaretXY(PixelsToRowColumn(x, y));
    SetBlockBegin(GetCaretXY());
  }
  FStateFlags &= uint16_t(~(sfWaitForDragging | sfDblClicked | sfGutterClick));
}

void TktCustomEdit::DblClick(int x, int y) {
  if (x < FGutterWidth + 2) return;
  SetWordBlock(GetCaretXY());
  FStateFlags |= sfDblClicked;
  if (FHost && FHost->HasCapture()) FHost->ReleaseCapture();
}

TktCursorKind TktCustomEdit::GetCursorAt(int x, int y) const {
  if (x < FGutterWidth) return kcGutter;
  if (FOptions.Contains(kteoDragDropEditing) && IsPointInSelection(PixelsToRowColumn(x, y)))
    return kcArrow;
  return kcIBeam;
}

bool TktCustomEdit::DragOver(int x, int y, TktDragState state, TShiftState shift,
                             TktCursorKind& cursor) {
  if (!FOptions.Contains(kteoDragDropEditing)) return false;
  cursor = shift.Contains(ssCtrl) ? kcMultiDrag : kcDrag;
  if (state == kdsDragLeave)
    SetCaretXY(PixelsToRowColumn(FMouseDownX, FMouseDownY));
  else
    SetCaretXY(PixelsToRowColumn(x, y));
  return true;
}

void TktCustomEdit::DragDrop(int x, int y, TShiftState shift) {
  if (!FOptions.Contains(kteoDragDropEditing)) return;
  DropSelection(PixelsToRowColumn(x, y), shift.Contains(ssCtrl));
}
