// The ASCII table's cells and what the mouse over them shows.
#include <gtest/gtest.h>

#include "app/tools/AsciiTable.h"

namespace {

TEST(AsciiTable, CellsHoldHeadersAndCodes) {
  struct TCase {
    int Col, Row;
    std::string Text;
    int Code;
  };
  const TCase cases[] = {
      {0, 0, "", -1},  {1, 0, "0", -1}, {16, 0, "F", -1},      {0, 1, "0", -1},
      {0, 16, "F", -1}, {2, 5, "A", 65}, {16, 16, "\xFF", 255}, {1, 1, "", 0},  // NUL is no text
      {17, 1, "", -1}, {1, 17, "", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AsciiCellText(c.Col, c.Row), c.Text) << c.Col << "," << c.Row;
    EXPECT_EQ(AsciiCode(c.Col, c.Row), c.Code) << c.Col << "," << c.Row;
  }
}

TEST(AsciiTable, TheMouseShowsBodyCellsOnly) {
  const TPoint window(100, 50);
  // "A" (65) in column 2, row 5.
  TAsciiMouse m = AsciiMouseRule(60, 110, 2, 5, 425, 357, window);
  ASSERT_TRUE(m.Show);
  EXPECT_EQ(m.Magnifier, TRect(190, 225, 290, 325));  // below and right of the pointer
  EXPECT_EQ(m.Character, "A");
  EXPECT_EQ(m.Decimal, "Decimal: 65");
  EXPECT_EQ(m.Hex, "Hex: 41");
  EXPECT_EQ(m.Oem, "OEM: A");
  // From y 250 on, above the pointer.
  m = AsciiMouseRule(400, 250, 16, 13, 425, 357, window);
  ASSERT_TRUE(m.Show);
  EXPECT_EQ(m.Magnifier, TRect(530, 265, 630, 365));
  EXPECT_EQ(m.Decimal, "Decimal: 207");
  EXPECT_EQ(m.Hex, "Hex: CF");
  // The header strip: x 16..23 is still column 0, y 16..19 row 0.
  EXPECT_FALSE(AsciiMouseRule(20, 100, 0, 4, 425, 357, window).Show);
  EXPECT_FALSE(AsciiMouseRule(100, 18, 4, 0, 425, 357, window).Show);
  // Outside the grid.
  EXPECT_FALSE(AsciiMouseRule(430, 100, 16, 4, 425, 357, window).Show);
  EXPECT_FALSE(AsciiMouseRule(-1, 100, 1, 4, 425, 357, window).Show);
  // Code 0 shows, with nothing to magnify.
  m = AsciiMouseRule(30, 25, 1, 1, 425, 357, window);
  EXPECT_TRUE(m.Show);
  EXPECT_EQ(m.Decimal, "Decimal: 0");
  EXPECT_EQ(m.Oem, "OEM: ");
}

TEST(AsciiTable, CharacterSetsByName) {
  EXPECT_EQ(AsciiCharsetOfName("DEFAULT_CHARSET"), 1);
  EXPECT_EQ(AsciiCharsetOfName("SYMBOL_CHARSET"), 2);
  EXPECT_EQ(AsciiCharsetOfName("RUSSIAN_CHARSET"), 204);
  EXPECT_EQ(AsciiCharsetOfName("OEM_CHARSET"), 255);
  EXPECT_EQ(AsciiCharsetOfName("nonsense"), 1);
}

}  // namespace
