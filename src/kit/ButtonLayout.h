// The speed button's decisions that need no window: where the glyph, the
// caption and the drop-down mark go, the colours of the derived glyph
// images, what a release does to a button of a group, and where its
// drop-down menu opens.
#pragma once

#include "platform/Graphics.h"
#include "platform/Types.h"

#include <cstdint>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TRxDropDownMenuPos { dmpBottom, dmpRight };
// The menu's alignment, in the order the pop-up menu numbers it.
enum TMenuAlignment { maLeft, maRight, maCenter };

// Width of the drop-down mark and the gap before it.
constexpr int kDropDownMarkWidth = 5;
constexpr int kDropDownMarkSpace = 4;

struct TButtonLayoutResult {
  TPoint GlyphPos;
  TRect TextBounds;
  TRect MarkBounds;  // empty without a mark
};

// client: the button's face; glyph and text: their sizes (either may be
// empty); margin -1 centres the glyph and caption, spacing -1 spreads them
// evenly; a drop-down mark takes its room at the right first.
TButtonLayoutResult CalcButtonLayout(const TRect& client, TSize glyph, TSize text,
                                     TButtonLayout layout, int margin, int spacing,
                                     bool dropDownMark);

// A pixel of the inactive image: the transparent and the face colour stay,
// any other colour becomes its gray level (77 R + 150 G + 29 B) >> 8.
TColor GrayedPixel(TColor pixel, TColor transparent, TColor face);

// A release of the mouse: inside says whether it came inside the button,
// menuOpened whether the press opened the drop-down menu.
struct TReleaseOutcome {
  bool Down = false;
  bool Click = false;
};
TReleaseOutcome ButtonRelease(int groupIndex, bool down, bool allowAllUp, bool inside,
                              bool menuOpened);

// Where the drop-down menu opens, in button coordinates.
TPoint DropDownMenuPoint(TRxDropDownMenuPos pos, TMenuAlignment alignment, int width, int height);
