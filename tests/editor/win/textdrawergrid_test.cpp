// The drawers' device-free rules: style slots, cells from metrics, the
// double-byte cell and the advance array.
#include "editor/TextDrawerGrid.h"

#include <gtest/gtest.h>

TEST(TextDrawerGrid, StyleSlotsAreTheStyleBits) {
  EXPECT_EQ(FontStyleSlot({}), 0);
  EXPECT_EQ(FontStyleSlot({fsBold}), 1);
  EXPECT_EQ(FontStyleSlot({fsItalic}), 2);
  EXPECT_EQ(FontStyleSlot({fsUnderline}), 4);
  EXPECT_EQ(FontStyleSlot({fsStrikeOut}), 8);
  EXPECT_EQ(FontStyleSlot({fsBold, fsItalic, fsUnderline, fsStrikeOut}), 15);
  for (int slot = 0; slot < kFontStyleSlots; ++slot)
    EXPECT_EQ(FontStyleSlot(FontSlotStyle(slot)), slot);
}

TEST(TextDrawerGrid, CellComesFromTheWidthsOfM) {
  TTextMetrics tm;
  tm.Height = 15;
  tm.AveCharWidth = 7;
  tm.Overhang = 1;
  TABCWidths m{-1, 8, 2};
  TTextCell cell = MeasureTextCell(tm, &m);
  EXPECT_EQ(cell.CharWidth, 10);  // A + B + C + overhang
  EXPECT_EQ(cell.CharHeight, 15);
  EXPECT_EQ(cell.DBCharWidth, kNoDBCharWidth);

  // Without ABC widths: the average width, no overhang.
  cell = MeasureTextCell(tm, nullptr);
  EXPECT_EQ(cell.CharWidth, 7);

  tm.Height = -12;
  EXPECT_EQ(MeasureTextCell(tm, &m).CharHeight, 12);
}

TEST(TextDrawerGrid, DoubleByteCellOnlyForShiftJisFontsWithEqualWideProbes) {
  TABCWidths wide{0, 16, 0}, wide2{1, 14, 1}, narrow{0, 12, 0}, other{0, 18, 0};
  struct Case {
    const char* what;
    bool dbcs;
    int charSet;
    const TABCWidths* p1;
    const TABCWidths* p2;
    int expected;
  };
  const Case cases[] = {
      {"Shift-JIS, equal wide probes", true, SHIFTJIS_CHARSET_ID, &wide, &wide2, 16},
      {"not a double-byte font", false, SHIFTJIS_CHARSET_ID, &wide, &wide, kNoDBCharWidth},
      {"another character set", true, ANSI_CHARSET_ID, &wide, &wide, kNoDBCharWidth},
      {"first probe unreadable", true, SHIFTJIS_CHARSET_ID, nullptr, &wide, kNoDBCharWidth},
      {"second probe unreadable", true, SHIFTJIS_CHARSET_ID, &wide, nullptr, kNoDBCharWidth},
      {"exactly 1.5 cells is not wider", true, SHIFTJIS_CHARSET_ID, &narrow, &narrow,
       kNoDBCharWidth},
      {"probes differ", true, SHIFTJIS_CHARSET_ID, &wide, &other, kNoDBCharWidth},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DoubleByteCellWidth(c.dbcs, c.charSet, 8, c.p1, c.p2), c.expected) << c.what;
}

TEST(TextDrawerGrid, AdvancesGrowToTheNextBlockAboveTheLength) {
  struct Case { size_t length; size_t size; };
  const Case cases[] = {{0, 0}, {1, 64}, {63, 64}, {64, 128}, {65, 128}, {200, 256}};
  for (const Case& c : cases) {
    TTextAdvances a;
    a.Get(c.length, 8);
    EXPECT_EQ(a.Size(), c.size) << c.length;
  }
  TTextAdvances a;
  a.Get(65, 8);
  a.Get(3, 8);
  EXPECT_EQ(a.Size(), 128u);  // never shrinks
  a.Release();
  EXPECT_EQ(a.Size(), 0u);
}

TEST(TextDrawerGrid, AdvancesFollowAChangedCell) {
  TTextAdvances a;
  const int* p = a.Get(10, 8);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(p[i], 8);
  p = a.Get(100, 11);  // e.g. extra spacing of 3 set between two rows
  for (int i = 0; i < 128; ++i) ASSERT_EQ(p[i], 11) << i;
}
