// The text drawer as the editor's painting code sees it: text written on a
// fixed character grid, in one of the style variants of a base font, every
// character advancing by the same cell width. Under Win32 the editor paints
// with the GDI drawer (editor/win/GdiTextDrawer.h); TCanvasTextDrawer
// (editor/TextDrawerCanvas.h) draws through any canvas, e.g. the recording
// one of the native painting tests. MakeTextDrawer gives the editor the
// right one without naming it.
#pragma once

#include "platform/Canvas.h"
#include "platform/SysUtils.h"

#include <cstdint>
#include <memory>
#include <string_view>

// The Windows headers make GetCharWidth a macro for their ANSI or wide
// function; undone so the drawer's method keeps its name everywhere.
#undef GetCharWidth

TQ_DECLARE_EXCEPTION(EheTextDrawerException, Exception)
TQ_DECLARE_EXCEPTION(EheFontStockException, Exception)

class ITextDrawer {
public:
  virtual ~ITextDrawer() = default;

  // Frees the advance array; the next ExtTextOut makes it again.
  virtual void ReleaseTemporaryResources() = 0;

  // The font every style variant is made from (its colour is not used: text
  // takes the fore colour). Takes the cell size of the base style, then
  // selects the font's own style.
  virtual void SetBaseFont(const TFontData& font) = 0;
  virtual const TFontData& GetBaseFont() const = 0;
  // The style whose cell is the grid. The editor sets the widest style in
  // use (bold when any highlighter attribute is bold) so no glyph overflows.
  virtual void SetBaseStyle(TFontStyles style) = 0;
  virtual TFontStyles GetBaseStyle() const = 0;
  // The style the following text is written in; the grid stays.
  virtual void SetStyle(TFontStyles style) = 0;
  virtual TFontStyles GetStyle() const = 0;

  // The grid: cell width (plus the extra spacing) and cell height in pixels.
  virtual int GetCharWidth() const = 0;
  virtual int GetCharHeight() const = 0;
  // The cell width of the base style without the extra spacing.
  virtual int GetBaseCharWidth() const = 0;
  // Extra pixels after every character.
  virtual void SetCharExtra(int extra) = 0;
  virtual int GetCharExtra() const = 0;

  // Text and background colours; applied at once while drawing. Defaults:
  // clWindowText on clWindow.
  virtual void SetForeColor(TColor color) = 0;
  virtual TColor GetForeColor() const = 0;
  virtual void SetBackColor(TColor color) = 0;
  virtual TColor GetBackColor() const = 0;

  // A drawing bracket on a canvas; brackets nest. Between them the text goes
  // through the drawer, not the canvas's own text calls (the drawer owns the
  // canvas's font and text colours until the bracket closes, and then puts
  // back what the canvas had). EndDrawing without BeginDrawing does nothing.
  virtual void BeginDrawing(ICanvas& canvas) = 0;
  virtual void EndDrawing() = 0;
  virtual bool IsDrawing() const = 0;

  // Text at (x, y) (the cell's top left) with the font's own advances.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // Text on the grid: every character advances GetCharWidth(). options are
  // etoOpaque / etoClipped on rect (which may be null without them).
  virtual void ExtTextOut(int x, int y, uint32_t options, const TRect* rect,
                          std::string_view text) = 0;
};

// How the editor makes its drawer. The Win32 layer installs the GDI drawer's
// maker once at start-up (UseGdiTextDrawer()); without one the drawer is a
// TCanvasTextDrawer measured on a recording canvas (fixed 8 x 16 cells).
using TTextDrawerMaker = std::unique_ptr<ITextDrawer> (*)(TFontStyles baseStyle,
                                                          const TFontData& baseFont);
// Returns the previous maker (null for the default).
TTextDrawerMaker SetTextDrawerMaker(TTextDrawerMaker maker);
std::unique_ptr<ITextDrawer> MakeTextDrawer(TFontStyles baseStyle, const TFontData& baseFont);
