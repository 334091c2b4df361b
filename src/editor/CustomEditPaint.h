// The glyphs the editing control's gutter draws for marks: an image list set
// as the bookmark options' BookmarkImages (any component that implements
// IktMarkImages), or the control's own strip of ten bookmark glyphs, drawn
// with plain canvas calls so painting stays testable on a recording canvas.
#pragma once

#include "platform/Canvas.h"

// An image list the gutter can draw mark glyphs from.
class IktMarkImages {
public:
  virtual ~IktMarkImages() = default;
  virtual int GetImageCount() const = 0;
  // Image index at (x, y), its top left corner.
  virtual void DrawImage(ICanvas& canvas, int index, int x, int y) = 0;
};

// The built-in strip: glyph 0..9 (the bookmark's number) is a framed box
// with the digit in it.
constexpr int kMarkGlyphCount = 10;
constexpr int kMarkGlyphWidth = 11;
constexpr int kMarkGlyphHeight = 14;

// Draws glyph (nothing outside 0..9) at x, centred in a row of lineHeight
// pixels starting at y; a row lower than the glyph shows the glyph's middle
// part, lineHeight pixels high, from y. The canvas's brush, pen and font are
// as they were afterwards.
void DrawInternalMarkGlyph(ICanvas& canvas, int glyph, int x, int y, int lineHeight);
