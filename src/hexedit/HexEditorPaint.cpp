// THexEditor: painting the cells on the canvas interface.
//
// A page holds thousands of cells, and a text call per cell is what made
// paging slow. So a row is painted as a whole: each cell first becomes the
// glyph it shows (character, text and background colour); then one fill
// lays the row's background, the cells of another background get a fill per
// run, and every text colour of the row is drawn in one transparent call
// whose advances place each character in its own cell. What a cell shows is
// decided cell by cell; only the number of calls is per row.
#include <algorithm>
#include <cmath>

#include "hexedit/HexEditor.h"

// One character of a row as it will be drawn. Colours are kept with the
// RGB they paint, which is what runs compare: clWindowText and clBlack, say,
// share one call when the system gives them the same value.
struct THexEditor::TGlyph {
  int X;
  int Width;
  char Ch;
  TColor Text;
  TColor Back;
  TColor TextRGB;
  TColor BackRGB;
};

// A system colour's RGB is asked of the system; a paint uses a handful of
// colours thousands of times, so each is asked once.
TColor THexEditor::TRgbCache::Get(TColor color) {
  for (int i = 0; i < FCount; ++i)
    if (FFrom[size_t(i)] == color) return FTo[size_t(i)];
  const TColor rgb = ColorToRGB(color);
  if (FCount < int(FFrom.size())) {
    FFrom[size_t(FCount)] = color;
    FTo[size_t(FCount)] = rgb;
    ++FCount;
  }
  return rgb;
}

void THexEditor::Paint(ICanvas& canvas) {
  canvas.SetFont(FFont);
  const TRect clip = canvas.GetClipRect();
  const int top = FGrid.GetTopRow();
  const int height = FGrid.GetRowHeight();
  const int rows = std::min(FGrid.VisibleRowCount() + 1, FGrid.GetRowCount() - top);
  std::vector<TGlyph> glyphs;
  glyphs.reserve(size_t(4 * FBytesPerLine + 32));
  FRgb = TRgbCache();
  int i = 0;
  for (; i < rows; ++i) {
    const int y = i * height;
    if (y >= clip.Bottom) break;
    if (y + height <= clip.Top) continue;
    PaintRow(canvas, top + i, y, clip, glyphs);
  }
  // What lies below the rows.
  const int bottom = i * height;
  if (bottom < clip.Bottom) {
    canvas.SetBrushStyle(bsSolid);
    canvas.SetBrushColor(FColors->GetBackground());
    canvas.FillRect(TRect(clip.Left, std::max(bottom, clip.Top), clip.Right, clip.Bottom));
  }
}

// The glyphs of one cell at x: the offset column's text, one character of
// a data cell, or nothing for a cell that shows only background (the gap,
// cells past the last byte, the marker column -- a marker digit is drawn
// apart, in its own font).
void THexEditor::CellGlyphs(int col, int row, int x, std::vector<TGlyph>& glyphs) {
  const TColors& colors = *FColors;
  const int size = GetDataSize();
  if (col == 0) {
    std::string text;
    if (size > 0) {
      text = OffsetText(row);
    } else {
      const std::string sep(1, FOffsetSeparator);
      switch (FOffsetDisplay) {
        case odHex: text = "0x0" + sep; break;
        case odDec: text = "0" + sep; break;
        case odOctal: text = "o 0" + sep; break;
        case odNone: break;
      }
    }
    for (size_t k = 0; k < text.size(); ++k)
      AddGlyph(glyphs, x + int(k) * FCharWidth, FCharWidth, text[k], colors.GetOffset(),
               colors.GetBackground());
    return;
  }
  if (col == 1 || size == 0 || col == FHexCellsPerLine + 2) return;
  const int p = CellOffset(col, row);
  if (p >= size) return;

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
  AddGlyph(glyphs, x, FGrid.GetColWidth(col), ch, color, background);
}

void THexEditor::AddGlyph(std::vector<TGlyph>& glyphs, int x, int width, char ch, TColor text,
                          TColor back) {
  glyphs.push_back({x, width, ch, text, back, FRgb.Get(text), FRgb.Get(back)});
}

void THexEditor::PaintRow(ICanvas& canvas, int row, int y, const TRect& clip,
                          std::vector<TGlyph>& glyphs) {
  const TColor background = FColors->GetBackground();
  const TColor backgroundRGB = FRgb.Get(background);
  const int height = FGrid.GetRowHeight();
  const TRect rowRect(clip.Left, y, clip.Right, y + height);
  const int size = GetDataSize();

  // The row's cells, fixed columns first, then from the left column on;
  // the read window is filled for the row's start before any byte is read.
  if (size > 0) FillCache(row * FBytesPerLine);
  glyphs.clear();
  TRect markerRect, mirrorRect, caretRect;
  const int mirrorCol = MirrorCol(FCol);
  auto visit = [&](int col, int x) {
    const int width = FGrid.GetColWidth(col);
    if (width <= 0 || x + width <= clip.Left || x >= clip.Right) return;
    const TRect cell(x, y, x + width, y + height);
    if (col == 1 && size > 0 && std::find(FMarkers.begin(), FMarkers.end(), row) != FMarkers.end())
      markerRect = cell;
    if (size == 0 ? row == 0 && col == 2 : row == FRow && col == FCol) caretRect = cell;
    if (size > 0 && row == FRow && col == mirrorCol && (IsCharColumn(col) || (col - 2) % 2 == 0))
      mirrorRect = cell;
    CellGlyphs(col, row, x, glyphs);
  };
  int x = 0;
  for (int col = 0; col < FGrid.GetFixedCols(); ++col) {
    visit(col, x);
    x += FGrid.GetColWidth(col);
  }
  for (int col = FGrid.GetLeftCol(); col < FGrid.GetColCount() && x < clip.Right; ++col) {
    visit(col, x);
    x += FGrid.GetColWidth(col);
  }

  // Backgrounds. When every cell is on the row's colour, the first text
  // call lays it; otherwise one fill, then a fill per run of another colour.
  const bool mixed = std::any_of(glyphs.begin(), glyphs.end(),
                                 [&](const TGlyph& g) { return g.BackRGB != backgroundRGB; });
  bool filled = false;
  if (mixed || glyphs.empty()) {
    canvas.SetBrushStyle(bsSolid);
    canvas.SetBrushColor(background);
    canvas.FillRect(rowRect);
    filled = true;
    for (size_t k = 0; k < glyphs.size();) {
      const TColor back = glyphs[k].BackRGB;
      size_t end = k + 1;
      while (end < glyphs.size() && glyphs[end].BackRGB == back &&
             glyphs[end].X == glyphs[end - 1].X + glyphs[end - 1].Width)
        ++end;
      if (back != backgroundRGB) {
        canvas.SetBrushColor(glyphs[k].Back);
        canvas.FillRect(TRect(glyphs[k].X, y, glyphs[end - 1].X + glyphs[end - 1].Width, y + height));
      }
      k = end;
    }
  }

  // Texts: one transparent call per colour, its advances putting each
  // character on its own cell.
  std::string text;
  std::vector<int> advances;
  std::vector<bool> done(glyphs.size(), false);
  canvas.SetBrushStyle(bsClear);
  canvas.SetBrushColor(background);
  for (size_t k = 0; k < glyphs.size(); ++k) {
    if (done[k]) continue;
    const TColor color = glyphs[k].Text, rgb = glyphs[k].TextRGB;
    text.clear();
    advances.clear();
    int startX = 0, lastX = 0;
    for (size_t j = k; j < glyphs.size(); ++j) {
      if (done[j] || glyphs[j].TextRGB != rgb) continue;
      done[j] = true;
      if (text.empty())
        startX = glyphs[j].X;
      else
        advances.push_back(glyphs[j].X - lastX);
      text += glyphs[j].Ch;
      lastX = glyphs[j].X;
    }
    advances.push_back(FCharWidth);  // the last character's own cell
    canvas.SetFontColor(color);
    canvas.ExtTextOut(startX, y, filled ? etoClipped : etoOpaque | etoClipped, &rowRect, text,
                      advances.data());
    filled = true;
  }
  canvas.SetBrushStyle(bsSolid);

  if (!markerRect.IsEmpty()) PaintMarker(canvas, row, markerRect);
  if (!FHost || !FHost->Focused()) return;
  if (!caretRect.IsEmpty()) FHost->SetCaretPos(caretRect.Left, caretRect.Top);
  if (!mirrorRect.IsEmpty()) PaintMirrorFrame(canvas, mirrorRect);
}

// The marker digit of a row: the lowest marker index holding it, in Arial
// at three quarters of the control's font size.
void THexEditor::PaintMarker(ICanvas& canvas, int row, const TRect& rect) {
  const auto marker = std::find(FMarkers.begin(), FMarkers.end(), row);
  const TFontData font = canvas.GetFont();
  TFontData small = font;
  small.Name = "Arial";
  small.Height = FontSizeToHeight(int(std::lround(0.75 * GetFontSize())), canvas.GetPixelsPerInch());
  small.Color = FColors->GetPositionText();
  canvas.SetFont(small);
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(FColors->GetPositionBackground());
  const char digit = char('0' + (marker - FMarkers.begin()));
  canvas.ExtTextOut(rect.Left, rect.Top, etoOpaque | etoClipped, &rect, std::string_view(&digit, 1),
                    nullptr);
  canvas.SetFont(font);
}

// The frame over the caret's mirror cell, one character wide: the window
// system's focus rectangle, or a plain frame in CursorFrame.
void THexEditor::PaintMirrorFrame(ICanvas& canvas, const TRect& rect) {
  const TRect frame(rect.Left, rect.Top, rect.Left + FCharWidth, rect.Bottom);
  if (FFocusFrame) {
    canvas.DrawFocusRect(frame);
    return;
  }
  canvas.SetBrushStyle(bsClear);
  canvas.SetPenColor(FColors->GetCursorFrame());
  canvas.SetPenStyle(psSolid);
  canvas.MoveTo(frame.Left, frame.Top);
  canvas.LineTo(frame.Right - 1, frame.Top);
  canvas.LineTo(frame.Right - 1, frame.Bottom - 1);
  canvas.LineTo(frame.Left, frame.Bottom - 1);
  canvas.LineTo(frame.Left, frame.Top);
  canvas.SetBrushStyle(bsSolid);
}
