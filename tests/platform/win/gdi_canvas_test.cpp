// The GDI canvas drawing into a DIB: pixels are read back and checked.
#include "platform/win/GdiCanvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr TColor kInkThreshold = 0x80;

bool IsInk(TColor c) { return ColorRed(c) < kInkThreshold && ColorGreen(c) < kInkThreshold; }

// Columns of [x0, x1) that hold dark pixels in rows [y0, y1).
std::vector<int> InkColumns(const TBitmap& b, int x0, int x1, int y0, int y1) {
  std::vector<int> cols;
  for (int x = x0; x < x1; ++x)
    for (int y = y0; y < y1; ++y)
      if (IsInk(b.Pixel(x, y))) {
        cols.push_back(x);
        break;
      }
  return cols;
}

TFontData MonoFont(TFontStyles style = {}) {
  TFontData f;
  f.Name = "Courier New";  // Liberation Mono in the test prefix
  f.Height = -13;
  f.Style = style;
  f.Color = clBlack;
  return f;
}

}  // namespace

TEST(GdiCanvas, FillRectAndLinesColourExactlyTheirPixels) {
  TBitmap bmp(100, 50);
  TCanvas& c = bmp.Canvas();
  c.SetBrushColor(clWhite);
  c.FillRect(TRect(0, 0, 100, 50));
  c.SetBrushColor(clRed);
  c.FillRect(TRect(10, 10, 20, 20));
  EXPECT_EQ(bmp.Pixel(10, 10), clRed);
  EXPECT_EQ(bmp.Pixel(19, 19), clRed);
  EXPECT_EQ(bmp.Pixel(20, 20), clWhite);  // right and bottom edges are outside
  EXPECT_EQ(bmp.Pixel(9, 10), clWhite);

  c.SetPenColor(clBlue);
  c.MoveTo(50, 0);
  c.LineTo(50, 40);
  EXPECT_EQ(bmp.Pixel(50, 0), clBlue);
  EXPECT_EQ(bmp.Pixel(50, 39), clBlue);
  EXPECT_EQ(bmp.Pixel(50, 40), clWhite);  // the end point is not drawn
  EXPECT_EQ(c.GetPenPos(), TPoint(50, 40));

  c.SetBrushStyle(bsClear);
  c.FillRect(TRect(0, 0, 100, 50));  // a clear brush fills nothing
  EXPECT_EQ(bmp.Pixel(10, 10), clRed);
}

TEST(GdiCanvas, ExtTextOutPutsEachCharacterAtItsAdvance) {
  for (TFontStyles style : {TFontStyles{}, TFontStyles{fsBold}}) {
    TBitmap bmp(200, 30);
    TCanvas& c = bmp.Canvas();
    c.SetBrushColor(clWhite);
    c.FillRect(TRect(0, 0, 200, 30));
    c.SetFont(MonoFont(style));
    const int adv[] = {30, 30, 30, 30};
    c.ExtTextOut(10, 5, 0, nullptr, "IIII", adv);
    // Every glyph's ink lies inside its own 30-pixel cell and is never empty.
    for (int i = 0; i < 4; ++i) {
      int cell = 10 + 30 * i;
      std::vector<int> ink = InkColumns(bmp, cell, cell + 30, 0, 30);
      ASSERT_FALSE(ink.empty()) << "character " << i;
      EXPECT_LT(ink.back() - ink.front(), 15) << "character " << i;
      if (i > 0) {
        std::vector<int> first = InkColumns(bmp, 10, 40, 0, 30);
        EXPECT_EQ(ink.front() - first.front(), 30 * i) << "character " << i;
      }
    }
  }
}

TEST(GdiCanvas, OpaqueClippedTextFillsItsRectangleAndStaysInside) {
  TBitmap bmp(120, 30);
  TCanvas& c = bmp.Canvas();
  c.SetBrushColor(clWhite);
  c.FillRect(TRect(0, 0, 120, 30));
  c.SetFont(MonoFont());
  c.SetBrushColor(clYellow);
  TRect rect(10, 2, 40, 25);
  const int adv[] = {10, 10, 10, 10, 10, 10, 10, 10};
  c.ExtTextOut(10, 5, etoOpaque | etoClipped, &rect, "MMMMMMMM", adv);
  EXPECT_EQ(bmp.Pixel(10, 2), clYellow);    // background of the rectangle
  EXPECT_EQ(bmp.Pixel(39, 24), clYellow);
  EXPECT_EQ(bmp.Pixel(9, 10), clWhite);     // outside it nothing changed
  EXPECT_FALSE(InkColumns(bmp, 10, 40, 2, 25).empty());
  EXPECT_TRUE(InkColumns(bmp, 40, 120, 0, 30).empty());  // clipped away
}

TEST(GdiCanvas, TextColoursComeFromFontAndBrushUnlessTheBrushIsClear) {
  TBitmap bmp(60, 30);
  TCanvas& c = bmp.Canvas();
  c.SetBrushColor(clLime);
  c.FillRect(TRect(0, 0, 60, 30));
  TFontData f = MonoFont();
  f.Color = clRed;
  c.SetFont(f);
  c.SetBrushColor(clBlue);
  c.TextOut(2, 2, " ");  // a blank paints only its background
  EXPECT_EQ(bmp.Pixel(3, 4), clBlue);
  c.SetBrushStyle(bsClear);
  c.TextOut(30, 2, " ");
  EXPECT_EQ(bmp.Pixel(31, 4), clLime);
  c.SetBrushStyle(bsSolid);
  c.TextOut(30, 2, "M");
  bool red = false;
  for (int x = 30; x < 45; ++x)
    for (int y = 2; y < 20; ++y) red = red || bmp.Pixel(x, y) == clRed;
  EXPECT_TRUE(red);
}

TEST(GdiCanvas, MetricsOfAFixedPitchFont) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.SetFont(MonoFont());
  TTextMetrics m = c.GetTextMetrics();
  EXPECT_TRUE(m.FixedPitch);
  EXPECT_FALSE(m.DoubleByte);
  EXPECT_EQ(m.Height, m.Ascent + m.Descent);
  TABCWidths abc;
  ASSERT_TRUE(c.GetCharABCWidths('M', abc));
  int cell = abc.A + abc.B + abc.C;
  EXPECT_GT(cell, 4);
  EXPECT_EQ(c.TextWidth("M"), cell);
  EXPECT_EQ(c.TextWidth("Mi.W"), 4 * cell);
  EXPECT_EQ(c.TextHeight("M"), m.Height);
  c.SetTextCharExtra(3);
  EXPECT_EQ(c.TextWidth("Mi.W"), 4 * (cell + 3));
  c.SetFontStyle(TFontStyles{fsBold});
  c.SetTextCharExtra(0);
  EXPECT_GE(c.TextWidth("MMMM"), 4 * cell);
}

TEST(GdiCanvas, SystemColoursAreTheSystemsOwn) {
  TBitmap bmp(10, 10);
  EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clWindow)), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clBtnFace)), ::GetSysColor(COLOR_BTNFACE));
  bmp.Canvas().SetBrushColor(clHighlight);
  bmp.Canvas().FillRect(TRect(0, 0, 10, 10));
  EXPECT_EQ(static_cast<COLORREF>(bmp.Pixel(5, 5)), ::GetSysColor(COLOR_HIGHLIGHT));
}

TEST(GdiCanvas, FontsAreSharedAndTheContextIsLeftAsFound) {
  TFontData f = MonoFont();
  auto a = AcquireFont(f);
  f.Color = clRed;  // colour is not part of a font
  auto b = AcquireFont(f);
  EXPECT_EQ(a->Get(), b->Get());
  f.Style = TFontStyles{fsItalic};
  EXPECT_NE(AcquireFont(f)->Get(), a->Get());

  TMemoryDC dc;
  HGDIOBJ fontBefore = ::GetCurrentObject(dc.Get(), OBJ_FONT);
  HGDIOBJ brushBefore = ::GetCurrentObject(dc.Get(), OBJ_BRUSH);
  HGDIOBJ penBefore = ::GetCurrentObject(dc.Get(), OBJ_PEN);
  {
    TCanvas c(dc.Get());
    c.SetFont(MonoFont());
    c.SetBrushColor(clRed);
    c.SetPenColor(clBlue);
    c.TextOut(0, 0, "x");
    c.FillRect(TRect(0, 0, 1, 1));
    c.LineTo(1, 1);
    EXPECT_NE(::GetCurrentObject(dc.Get(), OBJ_FONT), fontBefore);
  }
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), fontBefore);
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BRUSH), brushBefore);
  EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_PEN), penBefore);
}
