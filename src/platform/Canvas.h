// The canvas interface: everything our painting code may ask of a drawing
// surface. The GDI implementation (platform/win/GdiCanvas.h) draws on a
// window or bitmap; the recording one (platform/RecordingCanvas.h) keeps the
// calls so painting decisions can be tested without a window.
//
// Colour model, as the window system's own canvas has it: text is drawn in
// the font colour; opaque text and FillRect use the brush colour as
// background; with brush style bsClear text is drawn transparent.
#pragma once

#include "platform/Graphics.h"
#include "platform/Types.h"

#include <cstdint>
#include <string>
#include <string_view>

// Some of the names below are also macros of the Windows headers (which map
// them to their ANSI or wide functions). Undo them so the interface has one
// set of names in every translation unit; Windows code calls the API's
// explicit ...A functions.
#undef TextOut
#undef ExtTextOut
#undef GetTextMetrics
#undef GetCharABCWidths

enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TBrushStyle { bsSolid, bsClear };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

// Character sets used by the fonts (the window system's numbers).
constexpr int ANSI_CHARSET_ID = 0;
constexpr int DEFAULT_CHARSET_ID = 1;
constexpr int SHIFTJIS_CHARSET_ID = 128;

// A font as painting code describes it. Height < 0 is the character height in
// pixels, > 0 the cell height, 0 the default size (the logical-font rule).
struct TFontData {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  TFontStyles Style;
  TColor Color = clWindowText;
  int CharSet = DEFAULT_CHARSET_ID;
  TFontPitch Pitch = fpDefault;
  bool operator==(const TFontData&) const = default;
};

// Point size <-> pixel height at a resolution, rounded as the window system's
// MulDiv rounds (half away from zero).
int FontSizeToHeight(int size, int pixelsPerInch);
int FontHeightToSize(int height, int pixelsPerInch);

// What painting code needs to know of the selected font.
struct TTextMetrics {
  int Height = 0;        // cell height (ascent + descent)
  int Ascent = 0;
  int Descent = 0;
  int InternalLeading = 0;
  int ExternalLeading = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
  int Overhang = 0;      // extra width of synthesised bold or italic
  int CharSet = 0;
  bool FixedPitch = false;
  bool DoubleByte = false;  // the font reports double-byte character support
};

// Widths of one character: A spacing before, B the glyph, C spacing after.
struct TABCWidths {
  int A = 0;
  int B = 0;
  int C = 0;
};

// ExtTextOut options; the values are the window system's.
enum : uint32_t {
  etoOpaque = 0x0002,   // fill the rectangle with the brush colour first
  etoClipped = 0x0004,  // clip the text to the rectangle
};

class ICanvas {
public:
  virtual ~ICanvas() = default;

  // Font.
  virtual const TFontData& GetFont() const = 0;
  virtual void SetFont(const TFontData& font) = 0;
  void SetFontName(const std::string& name) { Change(&TFontData::Name, name); }
  void SetFontHeight(int height) { Change(&TFontData::Height, height); }
  void SetFontSize(int size) { SetFontHeight(FontSizeToHeight(size, GetPixelsPerInch())); }
  int GetFontSize() const { return FontHeightToSize(GetFont().Height, GetPixelsPerInch()); }
  void SetFontStyle(TFontStyles style) { Change(&TFontData::Style, style); }
  void SetFontColor(TColor color) { Change(&TFontData::Color, color); }
  void SetFontCharSet(int charSet) { Change(&TFontData::CharSet, charSet); }

  // Brush (fills and text background).
  virtual TColor GetBrushColor() const = 0;
  virtual void SetBrushColor(TColor color) = 0;
  virtual TBrushStyle GetBrushStyle() const = 0;
  virtual void SetBrushStyle(TBrushStyle style) = 0;

  // Pen (lines).
  virtual TColor GetPenColor() const = 0;
  virtual void SetPenColor(TColor color) = 0;
  virtual int GetPenWidth() const = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual TPenStyle GetPenStyle() const = 0;
  virtual void SetPenStyle(TPenStyle style) = 0;

  // Extra pixels added after every character of text output and measuring.
  virtual int GetTextCharExtra() const = 0;
  virtual void SetTextCharExtra(int extra) = 0;

  // Drawing.
  virtual void FillRect(const TRect& rect) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;  // the end point itself is not drawn
  virtual TPoint GetPenPos() const = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // rect may be null (no clipping, nothing filled); advances, when given,
  // holds one horizontal advance per byte of text.
  virtual void ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::string_view text,
                          const int* advances) = 0;
  // The window system's focus rectangle: a dotted frame drawn by inverting
  // what lies under it, so drawing it again takes it away.
  virtual void DrawFocusRect(const TRect& rect) = 0;

  // Measuring with the current font.
  virtual TSize TextExtent(std::string_view text) = 0;
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }
  virtual TTextMetrics GetTextMetrics() = 0;
  // False when the font has no such widths (the caller falls back to the
  // average character width).
  virtual bool GetCharABCWidths(unsigned charCode, TABCWidths& widths) = 0;

  // The area that needs painting, in the canvas's coordinates.
  virtual TRect GetClipRect() const = 0;
  virtual int GetPixelsPerInch() const = 0;

private:
  template <typename T, typename V>
  void Change(T TFontData::*field, const V& value) {
    if (GetFont().*field == value) return;
    TFontData f = GetFont();
    f.*field = value;
    SetFont(f);
  }
};
