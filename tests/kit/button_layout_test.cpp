// The speed button's portable rules: placement of glyph, caption and mark,
// the grayed image's colours, group releases and the menu position.
#include "kit/ButtonLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(ButtonLayout, CentredGlyphAndCaption) {
  // 100 x 40 face, 16 x 16 glyph, 30 x 13 text, spacing 1.
  auto r = CalcButtonLayout(TRect(0, 0, 100, 40), TSize{16, 16}, TSize{30, 13}, blGlyphLeft, -1, 1,
                            false);
  EXPECT_EQ(r.GlyphPos, TPoint(26, 12));  // (100 - 47) / 2
  EXPECT_EQ(r.TextBounds, TRect(43, 14, 73, 27));
  EXPECT_TRUE(r.MarkBounds.IsEmpty());

  r = CalcButtonLayout(TRect(0, 0, 100, 40), TSize{16, 16}, TSize{30, 13}, blGlyphRight, -1, 1,
                       false);
  EXPECT_EQ(r.GlyphPos.X, 100 - 26 - 16);
  EXPECT_EQ(r.TextBounds.Right, r.GlyphPos.X - 1);

  r = CalcButtonLayout(TRect(0, 0, 60, 60), TSize{16, 16}, TSize{30, 13}, blGlyphTop, -1, 1, false);
  EXPECT_EQ(r.GlyphPos, TPoint(22, 15));  // (60 - 30) / 2 from the top
  EXPECT_EQ(r.TextBounds.Top, 32);

  r = CalcButtonLayout(TRect(0, 0, 60, 60), TSize{16, 16}, TSize{30, 13}, blGlyphBottom, 4, 2,
                       false);
  EXPECT_EQ(r.GlyphPos.Y, 60 - 4 - 16);
  EXPECT_EQ(r.TextBounds.Bottom, r.GlyphPos.Y - 2);
}

TEST(ButtonLayout, MarginAndEvenSpacing) {
  auto r = CalcButtonLayout(TRect(0, 0, 100, 20), TSize{16, 16}, TSize{30, 13}, blGlyphLeft, 5, 1,
                            false);
  EXPECT_EQ(r.GlyphPos.X, 5);
  // Spacing -1 spreads the room left over in three equal parts.
  r = CalcButtonLayout(TRect(0, 0, 100, 20), TSize{16, 16}, TSize{30, 13}, blGlyphLeft, -1, -1,
                       false);
  EXPECT_EQ(r.GlyphPos.X, 18);
  EXPECT_EQ(r.TextBounds.Left, 18 + 16 + 18);
  // A glyph alone is centred without spacing.
  r = CalcButtonLayout(TRect(0, 0, 25, 25), TSize{16, 16}, TSize{0, 0}, blGlyphLeft, -1, 4, false);
  EXPECT_EQ(r.GlyphPos, TPoint(4, 5));
}

TEST(ButtonLayout, DropDownMarkTakesRoomAtTheRight) {
  auto r = CalcButtonLayout(TRect(0, 0, 36, 13), TSize{0, 0}, TSize{0, 0}, blGlyphTop, -1, 1, true);
  EXPECT_EQ(r.MarkBounds.Width(), kDropDownMarkWidth);
  EXPECT_LE(r.MarkBounds.Right, 36);
  auto plain = CalcButtonLayout(TRect(0, 0, 36, 20), TSize{16, 16}, TSize{}, blGlyphTop, -1, 1, false);
  auto marked = CalcButtonLayout(TRect(0, 0, 36, 20), TSize{16, 16}, TSize{}, blGlyphTop, -1, 1, true);
  EXPECT_LT(marked.GlyphPos.X, plain.GlyphPos.X);
  EXPECT_LE(marked.GlyphPos.X + 16, marked.MarkBounds.Left);
}

TEST(ButtonLayout, GrayedPixel) {
  const TColor transparent = 0x00FF00FF, face = 0x00C0C0C0;
  EXPECT_EQ(GrayedPixel(transparent, transparent, face), transparent);
  EXPECT_EQ(GrayedPixel(face, transparent, face), face);
  // Pure red: 77 * 255 >> 8 = 76; green 149; blue 28; white stays 255 (254.x rounds down).
  EXPECT_EQ(GrayedPixel(0x0000FF, transparent, face), 0x4C4C4C);
  EXPECT_EQ(GrayedPixel(0x00FF00, transparent, face), 0x959595);
  EXPECT_EQ(GrayedPixel(0xFF0000, transparent, face), 0x1C1C1C);
  EXPECT_EQ(GrayedPixel(0xFFFFFF, transparent, face), 0xFFFFFF);
  EXPECT_EQ(GrayedPixel(0x000000, transparent, face), 0x000000);
}

TEST(ButtonLayout, ReleaseRules) {
  struct C {
    int group;
    bool down, allowAllUp, inside, menu;
    bool newDown, click;
  } cases[] = {
      {0, false, false, true, false, false, true},
      {0, false, false, false, false, false, false},
      {0, false, false, true, true, false, false},   // the press opened the menu
      {1, false, false, true, false, true, true},
      {1, true, false, true, false, true, false},     // stays down without AllowAllUp
      {1, true, true, true, false, false, false},    // goes up, no click
      {1, false, false, false, false, false, false},
  };
  for (const auto& c : cases) {
    const auto r = ButtonRelease(c.group, c.down, c.allowAllUp, c.inside, c.menu);
    EXPECT_EQ(r.Down, c.newDown);
    EXPECT_EQ(r.Click, c.click);
  }
}

TEST(ButtonLayout, MenuPoint) {
  EXPECT_EQ(DropDownMenuPoint(dmpBottom, maLeft, 36, 13), TPoint(-1, 13));
  EXPECT_EQ(DropDownMenuPoint(dmpBottom, maRight, 36, 13), TPoint(37, 13));
  EXPECT_EQ(DropDownMenuPoint(dmpBottom, maCenter, 36, 13), TPoint(18, 13));
  EXPECT_EQ(DropDownMenuPoint(dmpRight, maLeft, 36, 13), TPoint(36, -1));
  EXPECT_EQ(DropDownMenuPoint(dmpRight, maRight, 36, 13), TPoint(-1, -1));
  EXPECT_EQ(DropDownMenuPoint(dmpRight, maCenter, 36, 13), TPoint(18, 13));
}

}  // namespace
