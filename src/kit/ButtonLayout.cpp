#include "kit/ButtonLayout.h"

#include <algorithm>

TButtonLayoutResult CalcButtonLayout(const TRect& client, TSize glyph, TSize text,
                                     TButtonLayout layout, int margin, int spacing,
                                     bool dropDownMark) {
  TButtonLayoutResult r;
  TRect face = client;
  if (dropDownMark) {
    face.Right -= kDropDownMarkWidth + kDropDownMarkSpace;
    const int top = face.Top + (face.Height() - 3) / 2;
    r.MarkBounds = TRect(face.Right + kDropDownMarkSpace / 2, top,
                         face.Right + kDropDownMarkSpace / 2 + kDropDownMarkWidth, top + 3);
  }
  const bool hasGlyph = glyph.cx > 0 && glyph.cy > 0;
  const bool hasText = text.cx > 0 && text.cy > 0;
  if (!hasGlyph) glyph = TSize{0, 0};
  if (!hasText) text = TSize{0, 0};
  // Without both parts there is nothing to space apart.
  if (!hasGlyph || !hasText) spacing = 0;

  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  const int room = across ? face.Width() : face.Height();
  const int glyphLen = across ? glyph.cx : glyph.cy;
  const int textLen = across ? text.cx : text.cy;

  if (margin == -1) {
    if (spacing == -1) {
      const int total = glyphLen + textLen;
      margin = (room - total) / 3;
      spacing = margin;
    } else {
      const int total = glyphLen + spacing + textLen;
      margin = (room - total) / 2;
    }
  } else if (spacing == -1) {
    const int total = room - (margin + glyphLen);
    spacing = (total - textLen) / 2;
  }
  margin = std::max(margin, 0);

  // Centre each part across the other axis.
  const int glyphCross = across ? face.Top + (face.Height() - glyph.cy + 1) / 2
                                : face.Left + (face.Width() - glyph.cx + 1) / 2;
  const int textCross = across ? face.Top + (face.Height() - text.cy + 1) / 2
                               : face.Left + (face.Width() - text.cx + 1) / 2;
  int glyphAt = 0, textAt = 0;
  const int start = across ? face.Left : face.Top;
  const int end = across ? face.Right : face.Bottom;
  switch (layout) {
    case blGlyphLeft:
    case blGlyphTop:
      glyphAt = start + margin;
      textAt = glyphAt + glyphLen + spacing;
      break;
    case blGlyphRight:
    case blGlyphBottom:
      glyphAt = end - margin - glyphLen;
      textAt = glyphAt - spacing - textLen;
      break;
  }
  if (across) {
    r.GlyphPos = TPoint(glyphAt, glyphCross);
    r.TextBounds = TRect(textAt, textCross, textAt + text.cx, textCross + text.cy);
  } else {
    r.GlyphPos = TPoint(glyphCross, glyphAt);
    r.TextBounds = TRect(textCross, textAt, textCross + text.cx, textAt + text.cy);
  }
  return r;
}

TColor GrayedPixel(TColor pixel, TColor transparent, TColor face) {
  if (pixel == transparent || pixel == face) return pixel;
  const unsigned red = pixel & 0xFF, green = (pixel >> 8) & 0xFF, blue = (pixel >> 16) & 0xFF;
  const unsigned level = (77 * red + 150 * green + 29 * blue) >> 8;
  return static_cast<TColor>(level | level << 8 | level << 16);
}

TReleaseOutcome ButtonRelease(int groupIndex, bool down, bool allowAllUp, bool inside,
                              bool menuOpened) {
  TReleaseOutcome r;
  r.Down = down;
  if (!inside || menuOpened) return r;
  if (groupIndex == 0) {
    r.Click = true;
    return r;
  }
  if (!down) {
    r.Down = true;
    r.Click = true;
  } else if (allowAllUp) {
    r.Down = false;
  }
  return r;
}

TPoint DropDownMenuPoint(TRxDropDownMenuPos pos, TMenuAlignment alignment, int width, int height) {
  if (pos == dmpBottom) {
    switch (alignment) {
      case maLeft: return TPoint(-1, height);
      case maRight: return TPoint(width + 1, height);
      case maCenter: return TPoint(width / 2, height);
    }
  } else {
    switch (alignment) {
      case maLeft: return TPoint(width, -1);
      case maRight: return TPoint(-1, -1);
      case maCenter: return TPoint(width / 2, height);
    }
  }
  return TPoint(0, height);
}
