// THexEditor: settings, layout, geometry, the caret and the state message.
#include "hexedit/HexEditor.h"

#include <algorithm>

#include "hexedit/HexSystem.h"
#include "platform/TypInfo.h"

namespace {
// Length of the octal text of value with its leading "0".
int OctalLength(int value) {
  int n = 1;
  for (unsigned v = unsigned(value); v != 0; v >>= 3) ++n;
  return n;
}
}  // namespace

THexEditor::THexEditor(TComponent* owner) : TComponent(owner) {
  FColors = std::make_unique<TColors>(this);
  FReadCache.resize(kCacheSize);
  FMarkers.fill(-1);
  FFont.Name = "Courier";
  FFont.Height = FontSizeToHeight(12, 96);
  FFont.Pitch = fpFixed;
  // No working copy yet: the first load or write claims one. Every document
  // tab has a hex view that is seldom shown, and a file made and deleted
  // for each cost opening and closing many tabs more than the view itself.
  ResetUndo();
  Relayout();
}

THexEditor::~THexEditor() {
  CloseDataStream();
  FUndoStream.reset();
  if (!FWorkFileName.empty() && FileExists(FWorkFileName)) FileDelete(FWorkFileName);
}

// --- the window ----------------------------------------------------------------

void THexEditor::SetHost(IHexEditorHost* host) {
  FHost = host;
  if (FHost) Resized();
}

void THexEditor::HandleCreated() {
  if (FFileName == "---") NewDocument();
  Relayout();
}

void THexEditor::Resized() {
  if (FHost) FGrid.SetClientSize(FHost->GetClientWidth(), FHost->GetClientHeight());
  UpdateScrollBars();
  PlaceCaret();
}

void THexEditor::FocusChanged(bool focused) {
  if (!FHost) return;
  if (focused) {
    RebuildCaret();
    FHost->SetCaretPos(-50, -50);
    FHost->ShowCaret();
    PlaceCaret();
  } else {
    FHost->HideCaret();
    FHost->DestroyCaret();
    FSelecting = false;
  }
  InvalidateAll();
}

void THexEditor::StateChangedMessage() {
  if (OnStateChanged) OnStateChanged(this);
}

void THexEditor::PostStateChange() {
  if (FHost && FHost->HandleAllocated()) FHost->PostStateChange();
}

void THexEditor::SetTextMeasure(TTextMeasure measure) {
  FMeasure = std::move(measure);
  Relayout();
}

TSize THexEditor::Measure(std::string_view text) const {
  if (FMeasure) return FMeasure(FFont, text);
  return TSize(8 * int(text.size()), 16);
}

// --- properties ----------------------------------------------------------------

void THexEditor::SetShowMarkerColumn(bool value) {
  if (FShowMarkerColumn == value) return;
  FShowMarkerColumn = value;
  Relayout();
}

void THexEditor::SetBytesPerColumn(int value) {
  // A group of no bytes would divide the columns by zero: one is the least.
  const int digits = 2 * std::max(value, 1);
  if (FDigitsPerGroup == digits) return;
  FDigitsPerGroup = digits;
  Relayout();
}

void THexEditor::SetTranslation(TTranslationType value) {
  if (FTranslation == value) return;
  FTranslation = value;
  InvalidateAll();
}

void THexEditor::SetOffsetDisplay(TOffsetDisplayStyle value) {
  if (FOffsetDisplay == value) return;
  FOffsetDisplay = value;
  UpdateColumnWidths();
  InvalidateAll();
}

void THexEditor::SetBytesPerLine(int value) {
  if (value < 1 || value > 256) throw EHexEditor("Invalid BytesPerLine argument");
  if (value == FBytesPerLine) return;
  if (FHost) FHost->LockUpdates(true);
  const int first = FSelFirst, last = FSelLast, anchor = FSelAnchor;
  const bool charPane = CaretInCharPane();
  const int caret = CellOffset(FCol, FRow);
  FBytesPerLine = value;
  FHexCellsPerLine = 2 * value;
  Relayout();
  int col, row;
  OffsetToCell(caret, charPane, col, row);
  SetCaretCell(col, row);
  FSelFirst = first;
  FSelLast = last;
  FSelAnchor = anchor;
  InvalidateAll();
  if (FHost) FHost->LockUpdates(false);
}

void THexEditor::SetCaretStyle(TCaretStyle value) {
  if (FCaretStyle == value) return;
  FCaretStyle = value;
  if (FHost && FHost->Focused()) {
    RebuildCaret();
    FHost->ShowCaret();
    PlaceCaret();
  }
}

void THexEditor::SetFocusFrame(bool value) {
  if (FFocusFrame == value) return;
  FFocusFrame = value;
  InvalidateAll();
}

void THexEditor::SetOffsetSeparator(char value) {
  if (FOffsetSeparator == value) return;
  FOffsetSeparator = value;
  InvalidateAll();
}

void THexEditor::SetSwapNibbles(bool value) {
  if (FSwapNibbles == value) return;
  FSwapNibbles = value;
  InvalidateAll();
}

void THexEditor::SetMaskWhiteSpaces(bool value) {
  if (FMaskWhiteSpaces == value) return;
  FMaskWhiteSpaces = value;
  InvalidateAll();
}

void THexEditor::SetMaskChar(char value) {
  if (FMaskChar == value) return;
  FMaskChar = value;
  InvalidateAll();
}

void THexEditor::SetNoSizeChange(bool value) {
  FNoSizeChange = value;
  SetAllowInsertMode(FAllowInsertMode);
}

void THexEditor::SetAllowInsertMode(bool value) {
  FAllowInsertMode = FNoSizeChange ? false : value;
  PostStateChange();
}

void THexEditor::SetAutoCaretMode(bool value) {
  FAutoCaretMode = value;
  if (value) SetCaretStyle(InsertActive() ? csLeftLine : csFull);
}

void THexEditor::SetInsertMode(bool value) {
  if (FInsertMode == value) return;
  FInsertMode = value;
  if (FAutoCaretMode) SetCaretStyle(InsertActive() ? csLeftLine : csFull);
  ClearChanged();
  InvalidateAll();
  PostStateChange();
}

void THexEditor::SetFont(const TFontData& font) {
  if (FFont == font) return;
  FFont = font;
  Relayout();
  if (FHost && FHost->Focused()) {
    RebuildCaret();
    FHost->ShowCaret();
    PlaceCaret();
  }
}

int THexEditor::GetFontSize() const { return FontHeightToSize(FFont.Height, 96); }

void THexEditor::ColorsChanged() { InvalidateAll(); }

int THexEditor::GetMarker(int index) const {
  if (index < 0 || index > 9) throw EHexEditor("SetMarker : Invalid marker index");
  return FMarkers[index];
}

void THexEditor::SetMarker(int index, int row) {
  if (index < 0 || index > 9) throw EHexEditor("SetMarker : Invalid marker index");
  if (FMarkers[index] == row) return;
  const int old = FMarkers[index];
  FMarkers[index] = row;
  if (old >= 0) InvalidateCell(1, old);
  if (row >= 0) InvalidateCell(1, row);
}

// --- layout --------------------------------------------------------------------

void THexEditor::Relayout() {
  FDataSizeCache = -1;
  const int size = GetDataSize();
  const size_t words = (size_t(size) + 63) / 64;
  if (FChanged.size() > words) {
    FChanged.resize(words);
    if (size % 64 != 0 && !FChanged.empty()) FChanged.back() &= (uint64_t(1) << (size % 64)) - 1;
  }
  FGrid.SetRowCount(std::max((int64_t(size) + FBytesPerLine - 1) / FBytesPerLine, int64_t(1)));
  EmptyCache();
  UpdateColumnWidths();
}

void THexEditor::UpdateColumnWidths() {
  FCharWidth = Measure("w").cx;
  FCharHeight = Measure("yY").cy + 2;
  const int lastRowStart = (FGrid.GetRowCount() - 1) * FBytesPerLine;
  switch (FOffsetDisplay) {
    case odNone: FOffsetDigits = 0; break;
    case odHex: FOffsetDigits = int(IntToHex(lastRowStart, 0).size()) + 3; break;
    case odDec: FOffsetDigits = int(IntToStr(lastRowStart).size()) + 1; break;
    case odOctal: FOffsetDigits = OctalLength(lastRowStart) + 3; break;
  }
  std::vector<int> widths(size_t(3 * FBytesPerLine + 3), FCharWidth);
  widths[0] = FOffsetDigits * FCharWidth;
  widths[1] = FShowMarkerColumn ? FCharWidth : 0;
  for (int c = 2; c < FHexCellsPerLine + 2; ++c)
    if (c % FDigitsPerGroup == 1) widths[c] = 2 * FCharWidth;
  FGrid.SetColumns(std::move(widths), 2);
  FGrid.SetRowHeight(FCharHeight);
  if (FCol >= FGrid.GetColCount() || FRow >= FGrid.GetRowCount()) {
    int col = std::min(FCol, FGrid.GetColCount() - 1), row = std::min(FRow, FGrid.GetRowCount() - 1);
    SelectCell(col, row);
    FCol = col;
    FRow = row;
  }
  UpdateScrollBars();
  InvalidateAll();
}

void THexEditor::UpdateScrollBars() {
  if (!FHost || !FHost->HandleAllocated()) return;
  FHost->SetScrollBar(hsbVertical, FGrid.GetRowCount() - 1, FGrid.VisibleRowCount(),
                      FGrid.GetTopRow());
  const int scrollCols = FGrid.GetColCount() - FGrid.GetFixedCols();
  FHost->SetScrollBar(hsbHorizontal, scrollCols - 1, FGrid.VisibleColCount(),
                      FGrid.GetLeftCol() - FGrid.GetFixedCols());
}

// --- geometry ------------------------------------------------------------------

int THexEditor::CellOffset(int col, int row) const {
  int64_t offset;
  if (IsCharColumn(col))
    offset = int64_t(row) * FBytesPerLine + col - (FHexCellsPerLine + 3);
  else
    offset = int64_t(row) * FBytesPerLine + (col - 2) / 2;
  return int(std::clamp<int64_t>(offset, 0, kMaxDataSize));
}

void THexEditor::OffsetToCell(int offset, bool charPane, int& col, int& row) const {
  if (offset < 0) {
    col = 2;
    row = 0;
    return;
  }
  row = offset / FBytesPerLine;
  col = charPane ? FHexCellsPerLine + 3 + offset % FBytesPerLine : 2 + 2 * (offset % FBytesPerLine);
}

int THexEditor::MirrorCol(int col) const {
  if (IsCharColumn(col)) return 2 + 2 * (col - (FHexCellsPerLine + 3));
  return FHexCellsPerLine + 3 + (col - 2) / 2;
}

std::string THexEditor::OffsetText(int row) const {
  const int start = row * FBytesPerLine;
  const std::string sep(1, FOffsetSeparator);
  switch (FOffsetDisplay) {
    case odHex: return "0x" + IntToHex(start, FOffsetDigits - 3) + sep;
    case odDec: {
      std::string digits = IntToStr(start);
      const int width = FOffsetDigits - 1;
      if (int(digits.size()) < width) digits.insert(0, size_t(width - int(digits.size())), ' ');
      return digits + sep;
    }
    case odOctal: {
      std::string digits = Format("0%o", unsigned(start));
      if (start == 0) digits = "0";
      const int width = FOffsetDigits - 3;
      if (int(digits.size()) < width) digits.insert(0, size_t(width - int(digits.size())), '0');
      return "o " + digits + sep;
    }
    case odNone: return " ";
  }
  return std::string();
}

// --- invalidation and caret ------------------------------------------------------

void THexEditor::InvalidateAll() {
  if (FHost && FHost->HandleAllocated()) FHost->InvalidateAll();
}

void THexEditor::InvalidateCell(int col, int row) {
  if (!FHost || !FHost->HandleAllocated()) return;
  const TRect r = FGrid.CellRect(col, row);
  if (!r.IsEmpty()) FHost->InvalidateRect(r);
}

void THexEditor::InvalidateByte(int offset) {
  int col, row;
  OffsetToCell(offset, false, col, row);
  InvalidateCell(col, row);
  InvalidateCell(col + 1, row);
  OffsetToCell(offset, true, col, row);
  InvalidateCell(col, row);
}

void THexEditor::PlaceCaret() {
  if (!FHost || !FHost->Focused()) return;
  const TRect r = FGrid.CellRect(FCol, FRow);
  if (r.IsEmpty() || !FGrid.IsCellVisible(FCol, FRow))
    FHost->SetCaretPos(-50, -50);
  else
    FHost->SetCaretPos(r.Left, r.Top);
}

void THexEditor::RebuildCaret() {
  if (!FHost) return;
  THexCaretShape shape;
  shape.Width = FCharWidth;
  shape.Height = std::max(FCharHeight - 2, 1);
  switch (FCaretStyle) {
    case csFull: shape.Fill = TRect(0, 0, shape.Width, shape.Height); break;
    case csLeftLine: shape.Fill = TRect(0, 0, 2, shape.Height); break;
    case csBottomLine: shape.Fill = TRect(0, shape.Height - 2, shape.Width, shape.Height); break;
  }
  // Drawn inverted on black, the caret shows the frame colour over the
  // window's white.
  shape.FillColor = TColors::Invert(FColors->GetCursorFrame());
  FHost->CreateCaret(shape);
}

// --- published properties ----------------------------------------------------------

const TClassInfo& THexEditor::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("THexEditor", &TComponent::StaticClassInfo())
      .Bool("ShowMarkerColumn", &THexEditor::GetShowMarkerColumn, &THexEditor::SetShowMarkerColumn)
      .Integer("BytesPerColumn", &THexEditor::GetBytesPerColumn, &THexEditor::SetBytesPerColumn)
      .Enum("Translation", {"ttAnsi", "ttDos8", "ttASCII", "ttMac", "ttEBCDIC"},
            &THexEditor::GetTranslation, &THexEditor::SetTranslation)
      .Bool("CreateBackup", &THexEditor::GetCreateBackup, &THexEditor::SetCreateBackup)
      .String("BackupExtension", &THexEditor::GetBackupExtension, &THexEditor::SetBackupExtension)
      .Enum("OffsetDisplay", {"odHex", "odDec", "odOctal", "odNone"}, &THexEditor::GetOffsetDisplay,
            &THexEditor::SetOffsetDisplay)
      .Integer("BytesPerLine", &THexEditor::GetBytesPerLine, &THexEditor::SetBytesPerLine)
      .Enum("CaretStyle", {"csFull", "csLeftLine", "csBottomLine"}, &THexEditor::GetCaretStyle,
            &THexEditor::SetCaretStyle)
      .Object("Colors", &THexEditor::GetColors)
      .Bool("FocusFrame", &THexEditor::GetFocusFrame, &THexEditor::SetFocusFrame)
      .Char("OffsetSeparator", &THexEditor::GetOffsetSeparator, &THexEditor::SetOffsetSeparator)
      .Bool("SwapNibbles", &THexEditor::GetSwapNibbles, &THexEditor::SetSwapNibbles)
      .Bool("MaskWhiteSpaces", &THexEditor::GetMaskWhiteSpaces, &THexEditor::SetMaskWhiteSpaces)
      .Char("MaskChar", &THexEditor::GetMaskChar, &THexEditor::SetMaskChar)
      .Bool("NoSizeChange", &THexEditor::GetNoSizeChange, &THexEditor::SetNoSizeChange)
      .Bool("AllowInsertMode", &THexEditor::GetAllowInsertMode, &THexEditor::SetAllowInsertMode)
      .Bool("AutoCaretMode", &THexEditor::GetAutoCaretMode, &THexEditor::SetAutoCaretMode)
      .Bool("WantTabs", &THexEditor::GetWantTabs, &THexEditor::SetWantTabs)
      .Bool("ReadOnlyView", &THexEditor::GetReadOnlyView, &THexEditor::SetReadOnlyView);
  return info;
}

const TClassInfo* THexEditor::ClassInfo() const { return &StaticClassInfo(); }
