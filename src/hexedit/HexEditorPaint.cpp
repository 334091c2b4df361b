// THexEditor: painting the cells on the canvas interface.
#include <algorithm>
#include <cmath>

#include "hexedit/HexEditor.h"

void THexEditor::Paint(ICanvas& canvas) {
  canvas.SetFont(FFont);
  const TRect clip = canvas.GetClipRect();
  const int top = FGrid.GetTopRow();
  const int rows = std::min(FGrid.VisibleRowCount() + 1, FGrid.GetRowCount() - top);
  for (int i = 0; i < rows; ++i) {
    const int row = top + i;
    const int y = i * FGrid.GetRowHeight();
    if (y >= clip.Bottom) break;
    if (y + FGrid.GetRowHeight() <= clip.Top) continue;
    auto paint = [&](int col) {
      const TRect r = FGrid.CellRect(col, row);
      if (r.IsEmpty() || r.Left >= clip.Right || r.Right <= clip.Left) return false;
      DrawCell(canvas, col, row, r);
      return true;
    };
    for (int col = 0; col < FGrid.GetFixedCols(); ++col) paint(col);
    for (int col = FGrid.GetLeftCol(); col < FGrid.GetColCount(); ++col) {
      const TRect r = FGrid.CellRect(col, row);
      if (r.Left >= clip.Right) break;
      paint(col);
    }
  }
  // What lies right of and below the cells.
  canvas.SetBrushColor(FColors->GetBackground());
  const TRect last = FGrid.CellRect(FGrid.GetColCount() - 1, top);
  if (!last.IsEmpty() && last.Right < clip.Right)
    canvas.FillRect(TRect(last.Right, clip.Top, clip.Right, clip.Bottom));
  const int bottom = rows * FGrid.GetRowHeight();
  if (bottom < clip.Bottom) canvas.FillRect(TRect(clip.Left, bottom, clip.Right, clip.Bottom));
}

void THexEditor::DrawCell(ICanvas& canvas, int col, int row, const TRect& rect) {
  const TColors& colors = *FColors;
  auto text = [&](std::string_view s, TColor background, TColor color) {
    canvas.SetBrushStyle(bsSolid);
    canvas.SetBrushColor(background);
    canvas.SetFontColor(color);
    canvas.ExtTextOut(rect.Left, rect.Top, etoOpaque | etoClipped, &rect, s, nullptr);
  };
  const int size = GetDataSize();
  const bool focused = FHost && FHost->Focused();

  if (size == 0 && row == 0) {
    std::string s = "   ";
    if (col == 0) {
      const std::string sep(1, FOffsetSeparator);
      switch (FOffsetDisplay) {
        case odHex: s = "0x0" + sep; break;
        case odDec: s = "0" + sep; break;
        case odOctal: s = "o 0" + sep; break;
        case odNone: break;
      }
    }
    text(s, colors.GetBackground(), colors.GetOffset());
    if (col == 2 && focused) FHost->SetCaretPos(rect.Left, rect.Top);
    return;
  }
  if (col == 0) {
    text(OffsetText(row), colors.GetBackground(), colors.GetOffset());
    return;
  }
  if (col == 1) {
    const auto marker = std::find(FMarkers.begin(), FMarkers.end(), row);
    if (marker == FMarkers.end() || row < 0) {
      text(" ", colors.GetBackground(), FFont.Color);
      return;
    }
    const TFontData font = canvas.GetFont();
    TFontData small = font;
    small.Name = "Arial";
    small.Height = FontSizeToHeight(int(std::lround(0.75 * GetFontSize())), canvas.GetPixelsPerInch());
    canvas.SetFont(small);
    text(std::string(1, char('0' + (marker - FMarkers.begin()))), colors.GetPositionBackground(),
         colors.GetPositionText());
    canvas.SetFont(font);
    return;
  }
  const int p = CellOffset(col, row);
  if (col == FHexCellsPerLine + 2 || p >= size) {
    text(" ", colors.GetBackground(), FFont.Color);
    return;
  }

  if (p < FCacheStart || FCacheStart < 0 || p >= FCacheStart + kCacheSize) FillCache(row * FBytesPerLine);
  const uint8_t b = CachedByte(p);
  const bool hex = !IsCharColumn(col);
  char ch;
  TColor background = colors.GetBackground(), color;
  const bool changed = !InsertActive() && IsChanged(p);
  const int group = (col - 2) / FDigitsPerGroup;
  if (hex) {
    const bool low = ((col - 2) % 2 != 0) != FSwapNibbles;
    ch = "0123456789ABCDEF"[low ? b & 0x0F : b >> 4];
    color = group % 2 == 0 ? colors.GetOddColumn() : colors.GetEvenColumn();
  } else {
    ch = HexDisplayChar(b, FTranslation, FMaskChar);
    color = FFont.Color;
  }
  if (changed) {
    background = colors.GetChangedBackground();
    color = colors.GetChangedText();
  }
  if (HasSelection() && p >= FSelFirst && p <= FSelLast) {
    std::swap(background, color);
    if (hex && !changed)
      color = group % 2 == 0 ? colors.GetOddColumnInverted() : colors.GetEvenColumnInverted();
  }
  text(std::string_view(&ch, 1), background, color);

  if (!focused) return;
  if (col == FCol && row == FRow) {
    FHost->SetCaretPos(rect.Left, rect.Top);
  } else if (row == FRow && col == MirrorCol(FCol) &&
             (IsCharColumn(col) || (col - 2) % 2 == 0)) {
    const TRect frame(rect.Left, rect.Top, rect.Left + FCharWidth, rect.Bottom);
    if (FFocusFrame) {
      // A dotted focus rectangle: drawn as the window system's focus frame.
      canvas.SetBrushStyle(bsClear);
      canvas.SetPenColor(FFont.Color);
      canvas.SetPenStyle(psDot);
    } else {
      canvas.SetBrushStyle(bsClear);
      canvas.SetPenColor(colors.GetCursorFrame());
      canvas.SetPenStyle(psSolid);
    }
    canvas.MoveTo(frame.Left, frame.Top);
    canvas.LineTo(frame.Right - 1, frame.Top);
    canvas.LineTo(frame.Right - 1, frame.Bottom - 1);
    canvas.LineTo(frame.Left, frame.Bottom - 1);
    canvas.LineTo(frame.Left, frame.Top);
    canvas.SetPenStyle(psSolid);
    canvas.SetBrushStyle(bsSolid);
  }
}
