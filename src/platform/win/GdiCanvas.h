// The canvas interface over a GDI device context, and a 32-bit DIB bitmap
// with its own canvas (for off-screen drawing and reading pixels back).
// Fonts, brushes and pens are made only when a drawing call needs them and
// are owned by RAII holders; fonts are shared through a process-wide cache so
// painting only selects handles.
#pragma once

#include "platform/Canvas.h"
#include "platform/win/WinHandles.h"

#include <memory>

// Makes ColorToRGB answer system colours with GetSysColor. Idempotent; the
// canvas and the application install it.
void UseWindowsSystemColors();

// The font handle for a font description (colour ignored), shared with every
// other user of the same description.
std::shared_ptr<const TFontObject> AcquireFont(const TFontData& font);

// Canvas over a device context owned by someone else, who keeps it alive
// longer than the canvas. The context's state is saved on construction and
// restored on destruction, so nothing we selected stays in it.
// GDI's text metrics in the portable form (the double-byte flag needs the
// DC and is left to the caller).
TTextMetrics TextMetricsFromGdi(const TEXTMETRICA& tm);

class TCanvas : public ICanvas {
public:
  explicit TCanvas(HDC dc);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return FDC; }
  // Selects the current font, brush, pen and colours into the context now,
  // for code that goes on with raw GDI calls on Handle().
  void RequireState();
  COLORREF GetPixel(int x, int y) const;

  const TFontData& GetFont() const override { return FFont; }
  void SetFont(const TFontData& font) override;
  TColor GetBrushColor() const override { return FBrushColor; }
  void SetBrushColor(TColor color) override;
  TBrushStyle GetBrushStyle() const override { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle style) override;
  TColor GetPenColor() const override { return FPenColor; }
  void SetPenColor(TColor color) override;
  int GetPenWidth() const override { return FPenWidth; }
  void SetPenWidth(int width) override;
  TPenStyle GetPenStyle() const override { return FPenStyle; }
  void SetPenStyle(TPenStyle style) override;
  int GetTextCharExtra() const override { return FCharExtra; }
  void SetTextCharExtra(int extra) override;

  void FillRect(const TRect& rect) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  TPoint GetPenPos() const override;
  void TextOut(int x, int y, std::string_view text) override;
  void ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::string_view text,
                  const int* advances) override;
  void DrawFocusRect(const TRect& rect) override;

  TSize TextExtent(std::string_view text) override;
  TTextMetrics GetTextMetrics() override;
  bool GetCharABCWidths(unsigned charCode, TABCWidths& widths) override;
  TRect GetClipRect() const override;
  int GetPixelsPerInch() const override;

private:
  void RequireFont();
  void RequireTextColors();
  void RequireBrush();
  void RequirePen();

  HDC FDC;
  int FSavedState;
  TFontData FFont;
  TColor FBrushColor = clWhite;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FPenColor = clBlack;
  int FPenWidth = 1;
  TPenStyle FPenStyle = psSolid;
  int FCharExtra = 0;
  bool FFontValid = false;
  bool FTextColorsValid = false;
  bool FBrushValid = false;
  bool FPenValid = false;
  // Declared after the state so they are released after the context has been
  // restored (which deselects them).
  std::shared_ptr<const TFontObject> FFontObject;
  TBrushObject FBrushObject;
  TPenObject FPenObject;
};

// A top-down 32-bit DIB section selected into its own memory context.
class TBitmap {
public:
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  HDC DC() const { return FDC.Get(); }
  HBITMAP Handle() const { return FBitmap.Get(); }
  TCanvas& Canvas() { return *FCanvas; }
  // The pixel as a TColor (0x00BBGGRR), read from the bits after flushing
  // GDI's queue; clNone outside the bitmap.
  TColor Pixel(int x, int y) const;

private:
  int FWidth;
  int FHeight;
  TMemoryDC FDC;
  TBitmapObject FBitmap;
  void* FBits = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};
