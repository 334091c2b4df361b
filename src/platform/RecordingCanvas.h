// A canvas that draws nothing and remembers every drawing call together with
// the pen, brush and font it was made with, so tests can check what painting
// code decided. Its font is a fixed grid: every character is CharWidth pixels
// wide (plus the text character extra) and CharHeight pixels high,
// whatever the font name or style, so positions in tests are easy to compute.
#pragma once

#include "platform/Canvas.h"

#include <vector>

enum TCanvasOpKind { coFillRect, coMoveTo, coLineTo, coTextOut, coExtTextOut, coFocusRect };

struct TCanvasOp {
  TCanvasOpKind Kind = coFillRect;
  TRect Rect;              // FillRect, DrawFocusRect; ExtTextOut's rectangle when HasRect
  bool HasRect = false;
  TPoint From;             // LineTo: the pen position before the call
  TPoint Pos;              // MoveTo/LineTo end point; text origin
  uint32_t Options = 0;    // ExtTextOut options
  std::string Text;
  std::vector<int> Advances;  // ExtTextOut's per-character advances, when given
  // State the call was made with.
  TFontData Font;
  TColor BrushColor = clWhite;
  TBrushStyle BrushStyle = bsSolid;
  TColor PenColor = clBlack;
  int PenWidth = 1;
  TPenStyle PenStyle = psSolid;
  int CharExtra = 0;
};

class TRecordingCanvas : public ICanvas {
public:
  explicit TRecordingCanvas(TRect clipRect = TRect(0, 0, 640, 480), int charWidth = 8,
                            int charHeight = 16);

  const std::vector<TCanvasOp>& Ops() const { return FOps; }
  void ClearOps() { FOps.clear(); }
  // The drawing calls of one kind, in order.
  std::vector<TCanvasOp> OpsOf(TCanvasOpKind kind) const;
  void SetClipRect(const TRect& r) { FClip = r; }
  int CharWidth() const { return FCharWidth; }
  int CharHeight() const { return FCharHeight; }
  // Makes GetTextMetrics report a double-byte font (for the code that
  // measures double-byte characters).
  void SetDoubleByte(bool value) { FDoubleByte = value; }

  const TFontData& GetFont() const override { return FFont; }
  void SetFont(const TFontData& font) override { FFont = font; }
  TColor GetBrushColor() const override { return FBrushColor; }
  void SetBrushColor(TColor color) override { FBrushColor = color; }
  TBrushStyle GetBrushStyle() const override { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle style) override { FBrushStyle = style; }
  TColor GetPenColor() const override { return FPenColor; }
  void SetPenColor(TColor color) override { FPenColor = color; }
  int GetPenWidth() const override { return FPenWidth; }
  void SetPenWidth(int width) override { FPenWidth = width; }
  TPenStyle GetPenStyle() const override { return FPenStyle; }
  void SetPenStyle(TPenStyle style) override { FPenStyle = style; }
  int GetTextCharExtra() const override { return FCharExtra; }
  void SetTextCharExtra(int extra) override { FCharExtra = extra; }

  void FillRect(const TRect& rect) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  TPoint GetPenPos() const override { return FPenPos; }
  void TextOut(int x, int y, std::string_view text) override;
  void ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::string_view text,
                  const int* advances) override;
  void DrawFocusRect(const TRect& rect) override;

  TSize TextExtent(std::string_view text) override;
  TTextMetrics GetTextMetrics() override;
  bool GetCharABCWidths(unsigned charCode, TABCWidths& widths) override;
  TRect GetClipRect() const override { return FClip; }
  int GetPixelsPerInch() const override { return 96; }

private:
  TCanvasOp NewOp(TCanvasOpKind kind) const;

  std::vector<TCanvasOp> FOps;
  TRect FClip;
  int FCharWidth;
  int FCharHeight;
  bool FDoubleByte = false;
  TFontData FFont;
  TColor FBrushColor = clWhite;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FPenColor = clBlack;
  int FPenWidth = 1;
  TPenStyle FPenStyle = psSolid;
  int FCharExtra = 0;
  TPoint FPenPos;
};
