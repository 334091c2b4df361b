// Shared pieces of the text drawer tests: the editor's default font and a
// look at the pixels a drawer left in a bitmap.
#pragma once

#include "platform/win/GdiCanvas.h"

#include <vector>

// "Courier New", 10 points, default character set: the editor's font.
inline TFontData EditorDefaultFont() {
  TFontData f;
  f.Name = "Courier New";
  TWindowDC screen(nullptr);
  f.Height = FontSizeToHeight(10, ::GetDeviceCaps(screen.Get(), LOGPIXELSY));
  f.CharSet = DEFAULT_CHARSET_ID;
  f.Color = clWindowText;
  return f;
}

inline TFontData FontOf(const char* name, int height, TFontStyles style = {}) {
  TFontData f;
  f.Name = name;
  f.Height = height;
  f.Style = style;
  return f;
}

// Columns of a band of rows that hold a pixel other than `paper`.
inline std::vector<int> InkColumns(const TBitmap& bmp, int left, int right, int top, int bottom,
                                   TColor paper) {
  std::vector<int> cols;
  for (int x = left; x < right; ++x)
    for (int y = top; y < bottom; ++y)
      if (bmp.Pixel(x, y) != paper) {
        cols.push_back(x);
        break;
      }
  return cols;
}

inline bool AnyPixelIs(const TBitmap& bmp, const TRect& r, TColor color) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (bmp.Pixel(x, y) == color) return true;
  return false;
}

inline bool AllPixelsAre(const TBitmap& bmp, const TRect& r, TColor color) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (bmp.Pixel(x, y) != color) return false;
  return true;
}

inline void Paint(TBitmap& bmp, TColor color) {
  bmp.Canvas().SetBrushStyle(bsSolid);
  bmp.Canvas().SetBrushColor(color);
  bmp.Canvas().FillRect(TRect(0, 0, bmp.Width(), bmp.Height()));
}
