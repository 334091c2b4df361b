// The gutter's built-in bookmark glyphs: a framed box with the bookmark's
// digit, drawn with the canvas's own calls (no bitmap to load or share).
#include "editor/CustomEditPaint.h"

#include <algorithm>
#include <string>

namespace {

constexpr TColor kGlyphFrame = clNavy;
constexpr TColor kGlyphFace = TColor(0x0080FFFF);  // a light yellow
constexpr TColor kGlyphDigit = clNavy;

// Puts back brush, pen and font whatever the glyph changed.
class TCanvasStateGuard {
public:
  explicit TCanvasStateGuard(ICanvas& canvas)
      : FCanvas(canvas),
        FBrushColor(canvas.GetBrushColor()),
        FBrushStyle(canvas.GetBrushStyle()),
        FFont(canvas.GetFont()) {}
  ~TCanvasStateGuard() {
    FCanvas.SetFont(FFont);
    FCanvas.SetBrushStyle(FBrushStyle);
    FCanvas.SetBrushColor(FBrushColor);
  }
  TCanvasStateGuard(const TCanvasStateGuard&) = delete;
  TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
  ICanvas& FCanvas;
  TColor FBrushColor;
  TBrushStyle FBrushStyle;
  TFontData FFont;
};

}  // namespace

void DrawInternalMarkGlyph(ICanvas& canvas, int glyph, int x, int y, int lineHeight) {
  if (glyph < 0 || glyph >= kMarkGlyphCount || lineHeight <= 0) return;
  int top = y + (lineHeight - kMarkGlyphHeight) / 2;
  int height = kMarkGlyphHeight;
  if (lineHeight < kMarkGlyphHeight) {
    // Only the middle of the glyph fits: the row's own height of it.
    top = y;
    height = lineHeight;
  }
  TCanvasStateGuard guard(canvas);
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(kGlyphFrame);
  canvas.FillRect(TRect(x, top, x + kMarkGlyphWidth, top + height));
  if (height > 2) {
    canvas.SetBrushColor(kGlyphFace);
    canvas.FillRect(TRect(x + 1, top + 1, x + kMarkGlyphWidth - 1, top + height - 1));
  }
  TFontData font;
  font.Name = "Tahoma";
  font.Height = -std::max(6, std::min(height, kMarkGlyphHeight) - 5);
  font.Style = TFontStyles{fsBold};
  font.Color = kGlyphDigit;
  canvas.SetFont(font);
  canvas.SetBrushStyle(bsClear);
  const std::string digit(1, char('0' + glyph));
  const TSize size = canvas.TextExtent(digit);
  canvas.TextOut(x + (kMarkGlyphWidth - size.cx) / 2, top + (height - size.cy) / 2, digit);
}
