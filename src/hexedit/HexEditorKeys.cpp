// THexEditor: caret, selection, keys, typing and the mouse.
#include <algorithm>

#include "editor/KeyCodes.h"
#include "hexedit/HexEditor.h"

// --- caret and selection ----------------------------------------------------------

// Corrects a cell the caret is to move to: on empty data only the first hex
// cell; a cell past the last byte gives the last byte in the same pane; the
// gap and the fixed columns are refused (false).
bool THexEditor::SelectCell(int& col, int& row) const {
  const int size = GetDataSize();
  if (size == 0) {
    col = 2;
    row = 0;
    return true;
  }
  if (col == FHexCellsPerLine + 2) {
    if (!FMouseDown) return false;
    --col;  // dragging over the gap keeps to the hex pane
  }
  if (col < 2 || col >= FGrid.GetColCount() || row < 0) return false;
  if (CellOffset(col, row) >= size) OffsetToCell(size - 1, IsCharColumn(col), col, row);
  return true;
}

void THexEditor::SetCell(int col, int row) {
  if (col != FCol || row != FRow) {
    InvalidateCell(FCol, FRow);
    InvalidateCell(MirrorCol(FCol), FRow);
    FCol = col;
    FRow = row;
    InvalidateCell(FCol, FRow);
    InvalidateCell(MirrorCol(FCol), FRow);
  }
  ScrollInView(FCol, FRow);
  PlaceCaret();
}

// A move of the caret by the keyboard, the mouse or an operation: extends
// the selection while selecting, else clears it.
void THexEditor::SetCaretCell(int col, int row) {
  if (!SelectCell(col, row)) return;
  const int p = CellOffset(col, row);
  if (FSelecting)
    ExtendSelection(p);
  else
    ClearSelection();
  SetCell(col, row);
}

void THexEditor::InvalidateSelection(int first, int last) {
  if (first < 0 || !FHost || !FHost->HandleAllocated()) return;
  // Only the rows in view matter.
  const int top = FGrid.GetTopRow() * FBytesPerLine;
  const int bottom = (FGrid.GetTopRow() + FGrid.VisibleRowCount() + 1) * FBytesPerLine;
  for (int p = std::max(first, top); p <= std::min(last, bottom); ++p) InvalidateByte(p);
}

void THexEditor::SetSelection(int first, int last, int anchor) {
  if (first == FSelFirst && last == FSelLast && anchor == FSelAnchor) return;
  InvalidateSelection(FSelFirst, FSelLast);
  FSelFirst = first;
  FSelLast = last;
  FSelAnchor = anchor;
  if (first > last) FSelFirst = FSelLast = FSelAnchor = -1;
  InvalidateSelection(FSelFirst, FSelLast);
  PostStateChange();
}

void THexEditor::ClearSelection() {
  FSelecting = FSelecting && FMouseDown;
  if (!HasSelection()) return;
  SetSelection(-1, -1, -1);
}

void THexEditor::ExtendSelection(int p) {
  const bool insert = InsertActive();
  int anchor = FSelAnchor;
  if (!HasSelection()) {
    anchor = CellOffset(FCol, FRow);
    // The caret stands before a byte in insert mode: going back selects
    // from the byte before it.
    if (insert && p < anchor) {
      SetSelection(p, anchor - 1, anchor - 1);
      return;
    }
  }
  if (p >= anchor) {
    const int last = insert ? p - 1 : p;
    if (last < anchor)
      SetSelection(-1, -1, -1);
    else
      SetSelection(anchor, last, anchor);
  } else {
    SetSelection(p, anchor, anchor);
  }
}

void THexEditor::ScrollInView(int col, int row) {
  const int oldLeft = FGrid.GetLeftCol();
  if (col >= FGrid.GetFixedCols()) {
    if (col < FGrid.GetLeftCol())
      FGrid.SetLeftCol(col);
    else
      while (col > FGrid.GetLeftCol() && !FGrid.IsCellVisible(col, FGrid.GetTopRow()) &&
             FGrid.GetLeftCol() < FGrid.GetMaxLeftCol())
        FGrid.SetLeftCol(FGrid.GetLeftCol() + 1);
  }
  if (oldLeft != FGrid.GetLeftCol()) {
    // Columns are of different widths: a sideways move paints everything.
    InvalidateAll();
    UpdateScrollBars();
  }
  if (row < FGrid.GetTopRow())
    ScrollTopRow(row);
  else if (row >= FGrid.GetTopRow() + FGrid.VisibleRowCount())
    ScrollTopRow(row - FGrid.VisibleRowCount() + 1);
}

// The rows still in view after a vertical move keep their pixels (the
// window scrolls them); only the rows uncovered are painted again. When
// most of the view is new, as after a page move, moving the few rows left
// costs more than painting them.
void THexEditor::ScrollTopRow(int row) {
  const int old = FGrid.GetTopRow();
  if (FGrid.SetTopRow(row) == old) return;
  if (FHost && FHost->HandleAllocated()) {
    const int dy = (old - FGrid.GetTopRow()) * FGrid.GetRowHeight();
    if (2 * std::abs(dy) <= FHost->GetClientHeight())
      FHost->ScrollWindow(0, dy);
    else
      FHost->InvalidateAll();
  }
  UpdateScrollBars();
}

void THexEditor::ScrollToRow(int row) {
  ScrollTopRow(row);
  PlaceCaret();
}

void THexEditor::ScrollToCol(int col) {
  const int old = FGrid.GetLeftCol();
  if (FGrid.SetLeftCol(col) == old) return;
  InvalidateAll();
  UpdateScrollBars();
  PlaceCaret();
}

void THexEditor::MoveToCell(int col, int row) { SetCaretCell(col, row); }

void THexEditor::SetSelStart(int offset) {
  if (offset < 0 || offset >= GetDataSize()) throw EHexEditor("Invalid SelStart");
  FSelecting = false;
  ClearSelection();
  int col, row;
  OffsetToCell(offset, CaretInCharPane(), col, row);
  SetCell(col, row);
}

void THexEditor::SetSelEnd(int offset) {
  if (offset < 0 || offset >= GetDataSize()) throw EHexEditor("Invalid SelEnd");
  ClearSelection();
  const int caret = CellOffset(FCol, FRow);
  SetSelection(std::min(caret, offset), std::max(caret, offset), caret);
  int col, row;
  OffsetToCell(offset, CaretInCharPane(), col, row);
  SetCell(col, row);
}

void THexEditor::MoveRight() {
  const int size = GetDataSize();
  int col = FCol, row = FRow;
  const int p = CellOffset(col, row);
  if (IsCharColumn(col)) {
    if (p + 1 >= size) return;
    OffsetToCell(p + 1, true, col, row);
  } else if ((col - 2) % 2 == 0) {
    ++col;
  } else {
    if (p + 1 >= size) return;
    OffsetToCell(p + 1, false, col, row);
  }
  SetCaretCell(col, row);
}

void THexEditor::MoveLeft() {
  int col = FCol, row = FRow;
  const int p = CellOffset(col, row);
  if (IsCharColumn(col)) {
    if (p == 0) return;
    OffsetToCell(p - 1, true, col, row);
  } else if ((col - 2) % 2 == 1) {
    --col;
  } else {
    if (p == 0) return;
    OffsetToCell(p - 1, false, col, row);
    ++col;
  }
  SetCaretCell(col, row);
}

// --- keys --------------------------------------------------------------------

bool THexEditor::KeyDown(uint16_t key, TShiftState shift) {
  const bool ctrl = shift.Contains(ssCtrl);
  if (key == vkShift) {
    if (!FSelecting) ClearSelection();
    FSelecting = true;
    return false;
  }
  if (shift.Empty() && !InsertActive()) ClearSelection();
  FSelecting = shift.Contains(ssShift) || FMouseDown;

  switch (key) {
    case vkInsert:
      if (shift.Empty()) {
        SetInsertMode(!FInsertMode);
        return true;
      }
      return false;
    case vkBack:
      if (InsertActive() && !FReadOnlyView) {
        // With a selection only the selection goes, as one record.
        if (HasSelection()) {
          DeleteSelection();
        } else {
          const int p = CellOffset(FCol, FRow);
          if (p > 0) {
            DeleteBytes(p - 1, 1);
            if (GetDataSize() > 0) Seek(p - 1, 0, false);
          }
        }
        return true;
      }
      MoveLeft();
      return true;
    case vkDelete:
      if (FReadOnlyView) return true;
      if (ctrl) {
        DeleteSelection();
      } else if (InsertActive()) {
        if (HasSelection())
          DeleteSelection();
        else if (CellOffset(FCol, FRow) < GetDataSize())
          DeleteBytes(CellOffset(FCol, FRow), 1);
      }
      return true;
    default:
      return NavigationKey(key, shift);
  }
}

void THexEditor::KeyUp(uint16_t key, TShiftState shift) {
  if (key == vkShift && !FMouseDown) FSelecting = false;
  // Alt released after digits on the keypad: the character that follows is
  // an OEM code.
  if (key == vkMenu) FAltEntry = true;
}

bool THexEditor::NavigationKey(uint16_t key, TShiftState shift) {
  const bool ctrl = shift.Contains(ssCtrl);
  const int size = GetDataSize();
  const bool charPane = CaretInCharPane();
  const int rows = FGrid.VisibleRowCount();
  int col = FCol, row = FRow;
  switch (key) {
    case vkPrior:
      if (ctrl) {
        row = FGrid.GetTopRow();
      } else {
        const int step = std::min(std::max(rows - 1, 1), row);
        row -= step;
        ScrollTopRow(FGrid.GetTopRow() - step);
      }
      SetCaretCell(col, row);
      return true;
    case vkNext:
      if (ctrl) {
        row = std::min(FGrid.GetTopRow() + rows - 1, FGrid.GetRowCount() - 1);
      } else {
        const int step = std::min(std::max(rows - 1, 1), FGrid.GetRowCount() - 1 - row);
        row += step;
        ScrollTopRow(FGrid.GetTopRow() + step);
      }
      SetCaretCell(col, row);
      return true;
    case vkHome:
      if (ctrl) row = 0;
      OffsetToCell(row * FBytesPerLine, charPane, col, row);
      SetCaretCell(col, row);
      return true;
    case vkEnd: {
      int p = ctrl ? size - 1 : std::min((row + 1) * FBytesPerLine - 1, size - 1);
      OffsetToCell(std::max(p, 0), charPane, col, row);
      SetCaretCell(col, row);
      return true;
    }
    case vkLeft:
      if (ctrl) return false;
      MoveLeft();
      return true;
    case vkRight:
      if (ctrl) {
        SetCaretCell(FGrid.GetColCount() - 1, row);
        return true;
      }
      MoveRight();
      return true;
    case vkUp:
      if (row > 0) SetCaretCell(col, row - 1);
      return true;
    case vkDown:
      if (row < FGrid.GetRowCount() - 1) SetCaretCell(col, row + 1);
      return true;
    case vkTab:
      if (!FWantTabs || ctrl) return false;
      [[fallthrough]];
    case 'T':
      if (key == 'T' && !ctrl) return false;
      if (size > 0) {
        FSelecting = false;
        SetCaretCell(MirrorCol(FCol), FRow);
      }
      return true;
    default:
      break;
  }
  if (ctrl && key >= vk0 && key <= vk0 + 9) {
    const int index = key - vk0;
    if (shift.Contains(ssShift)) {
      SetMarker(index, FRow);
    } else {
      FSelecting = false;
      ClearSelection();
      const int markerRow = FMarkers[size_t(index)];
      if (markerRow >= FGrid.GetRowCount()) {
        // The row went with the bytes that were deleted: the marker goes too.
        SetMarker(index, -1);
      } else if (markerRow >= 0) {
        SetCaretCell(2, markerRow);
      }
    }
    return true;
  }
  return false;
}

// --- typing ------------------------------------------------------------------

void THexEditor::KeyPress(char key) {
  if (OnKeyPress) OnKeyPress(this, key);
  if (key == 0 || FReadOnlyView) return;
  const int p = CellOffset(FCol, FRow);
  if (p >= GetDataSize() && !InsertActive()) return;
  if (CaretInCharPane()) {
    TypeChar(uint8_t(key));
    return;
  }
  static const char kDigits[] = "0123456789abcdef0123456789ABCDEF";
  for (int i = 0; i < 32; ++i)
    if (kDigits[i] == key) {
      TypeHexDigit(i % 16);
      return;
    }
}

void THexEditor::TypeChar(uint8_t ch) {
  uint8_t b;
  if (FAltEntry) {
    FAltEntry = false;
    b = OemTables().ToOem[ch];
  } else {
    b = HexTypedByte(ch, FTranslation);
    if (b < 32) return;
  }
  const int p = CellOffset(FCol, FRow);
  if (!InsertActive()) {
    ClearSelection();
    ChangeByte(p, GetByte(p), b);
  } else if (HasSelection()) {
    ReplaceSelection(reinterpret_cast<const char*>(&b), 1);
  } else {
    InsertBuffer(reinterpret_cast<const char*>(&b), 1, p);
  }
  AfterTyping();
}

// The caret goes on past what was typed. Bytes inserted at the caret are
// selected with the caret on the first; a replacement that left the caret
// after its bytes has already moved it. Nothing stays selected, so the next
// key never takes the typed bytes with it.
void THexEditor::AfterTyping() {
  FSelecting = false;
  if (!InsertActive() || HasSelection()) MoveRight();
  ClearSelection();
}

void THexEditor::TypeHexDigit(int value) {
  const bool insert = InsertActive();
  if (!insert) ClearSelection();
  const int p = CellOffset(FCol, FRow);
  const int size = GetDataSize();
  const uint8_t old = p < size ? GetByte(p) : 0;
  const bool secondCell = (FCol - 2) % 2 == 1;
  const bool lowCell = secondCell != FSwapNibbles;
  if (insert && (!secondCell || HasSelection())) {
    const char b = char(FSwapNibbles ? value : value << 4);
    if (size == 0)
      AppendBuffer(&b, 1);
    else if (HasSelection())
      ReplaceSelection(&b, 1);
    else
      InsertBuffer(&b, 1, p);
    AfterTyping();
    return;
  }
  const uint8_t nb = lowCell && !HasSelection() ? uint8_t((old & 0xF0) | value)
                                                : uint8_t((old & 0x0F) | (value << 4));
  ChangeByte(p, old, nb);
  FSelecting = false;
  if (insert && p == GetDataSize() - 1) {
    // A zero byte after the last one is how typing goes on at the end.
    const char zero = 0;
    AppendBuffer(&zero, 1);
  } else {
    MoveRight();
  }
}

// --- the mouse -------------------------------------------------------------------

void THexEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft) return;
  ClearSelection();
  FMouseDown = !shift.Contains(ssDouble);
  FSelecting = FMouseDown;
  int col, row;
  if (FGrid.MouseToCell(x, y, col, row)) {
    // A press starts a new selection from its cell.
    const bool selecting = FSelecting;
    FSelecting = false;
    SetCaretCell(col, row);
    FSelecting = selecting;
  }
  if (FHost && FMouseDown) FHost->SetCapture();
}

void THexEditor::MouseMove(TShiftState shift, int x, int y) {
  if (!FMouseDown) return;
  int col, row;
  if (!FGrid.MouseToCell(std::max(x, 0), std::max(y, 0), col, row)) {
    // Beyond the last row or column: the nearest cell.
    row = std::min(FGrid.GetTopRow() + std::max(y, 0) / FGrid.GetRowHeight(), FGrid.GetRowCount() - 1);
    if (!FGrid.MouseToCell(std::max(x, 0), 0, col, row)) col = FGrid.GetColCount() - 1;
    row = std::min(FGrid.GetTopRow() + std::max(y, 0) / FGrid.GetRowHeight(), FGrid.GetRowCount() - 1);
  }
  if (col == FCol && row == FRow) return;
  // The mouse stays in the pane the press was in.
  if (IsCharColumn(FCol) != IsCharColumn(col)) return;
  SetCaretCell(col, row);
}

void THexEditor::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft) return;
  FMouseDown = false;
  FSelecting = false;
  if (FHost) FHost->ReleaseCapture();
}
