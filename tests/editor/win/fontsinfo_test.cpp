// Font records shared between drawers: the key, counting, and freeing with
// the fonts when the last user goes.
#include "editor/win/FontsInfoManager.h"
#include "editor/win/GdiTextDrawer.h"

#include "DrawerFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

TheSharedFontsInfo* InfoOf(TheTextDrawer& d) { return d.GetFontStock().GetFontsInfo(); }

// Makes every variant of the drawer's record and returns their handles.
std::vector<HFONT> AllVariants(TheTextDrawer& d) {
  std::vector<HFONT> handles;
  for (int slot = 0; slot < kFontStyleSlots; ++slot) {
    d.SetStyle(FontSlotStyle(slot));
    handles.push_back(d.GetCurrentFont());
  }
  return handles;
}

}  // namespace

TEST(FontsInfo, KeyIgnoresStyleBytesAndFaceNameTail) {
  LOGFONTA lf{};
  lf.lfHeight = -13;
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = 1;
  lf.lfUnderline = 1;
  lf.lfStrikeOut = 1;
  std::memset(lf.lfFaceName, 'x', LF_FACESIZE);
  std::strcpy(lf.lfFaceName, "Courier New");
  TFontObject font(::CreateFontIndirectA(&lf));
  LOGFONTA key = FontsInfoKey(font.Get());
  EXPECT_EQ(key.lfItalic, 0);
  EXPECT_EQ(key.lfUnderline, 0);
  EXPECT_EQ(key.lfStrikeOut, 0);
  EXPECT_EQ(key.lfWeight, FW_BOLD);
  EXPECT_EQ(key.lfHeight, -13);
  EXPECT_STREQ(key.lfFaceName, "Courier New");
  for (size_t i = std::strlen("Courier New"); i < LF_FACESIZE; ++i)
    EXPECT_EQ(key.lfFaceName[i], 0) << i;
}

TEST(FontsInfo, DrawersOfOneFontShareARecord) {
  TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
  const int before = manager.GetCount();
  TFontData font = FontOf("Courier New", -17);

  TheTextDrawer a({}, font);
  EXPECT_EQ(manager.GetCount(), before + 1);
  EXPECT_EQ(InfoOf(a)->RefCount, 1);

  // Colour and the italic, underline and strikeout styles are not part of
  // the key; face, size and weight are.
  TFontData variant = font;
  variant.Color = clRed;
  variant.Style = {fsItalic, fsUnderline, fsStrikeOut};
  TheTextDrawer b({fsBold}, variant);
  EXPECT_EQ(InfoOf(b), InfoOf(a));
  EXPECT_EQ(InfoOf(a)->RefCount, 2);
  EXPECT_EQ(manager.GetCount(), before + 1);
  // Both see the variants made by either.
  b.SetStyle({fsBold});
  a.SetStyle({fsBold});
  EXPECT_EQ(a.GetCurrentFont(), b.GetCurrentFont());

  struct Case { const char* what; TFontData font; };
  const Case others[] = {
      {"bold", FontOf("Courier New", -17, {fsBold})},
      {"size", FontOf("Courier New", -18)},
      {"face", FontOf("Arial", -17)},
  };
  for (const Case& c : others) {
    TheTextDrawer other({}, c.font);
    EXPECT_NE(InfoOf(other), InfoOf(a)) << c.what;
    EXPECT_EQ(manager.GetCount(), before + 2) << c.what;
  }
  EXPECT_EQ(manager.GetCount(), before + 1);
}

TEST(FontsInfo, ChangingOneDrawersFontLeavesTheOthersAlone) {
  TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
  const int before = manager.GetCount();
  TFontData font = FontOf("Courier New", -16);
  TheTextDrawer a({}, font);
  TheTextDrawer b({}, font);
  TheSharedFontsInfo* shared = InfoOf(a);
  std::vector<HFONT> handles = AllVariants(a);

  b.SetBaseFont(FontOf("Courier New", -27));
  EXPECT_NE(InfoOf(b), shared);
  EXPECT_EQ(shared->RefCount, 1);
  EXPECT_EQ(manager.GetCount(), before + 2);
  for (HFONT h : handles) EXPECT_EQ(::GetObjectType(h), DWORD(OBJ_FONT));

  // a still draws with its fonts.
  TBitmap bmp(40, 20);
  Paint(bmp, clWhite);
  a.BeginDrawing(bmp.Canvas());
  a.SetForeColor(clBlack);
  a.SetBackColor(clWhite);
  a.SetStyle({});
  a.ExtTextOut(0, 0, 0, nullptr, "M");
  a.EndDrawing();
  EXPECT_FALSE(InkColumns(bmp, 0, 40, 0, 20, clWhite).empty());

  // Setting the font a drawer already has keeps its record and variants.
  a.SetBaseFont(font);
  EXPECT_EQ(InfoOf(a), shared);
  EXPECT_EQ(shared->RefCount, 1);
  a.SetStyle({fsItalic});
  EXPECT_EQ(a.GetCurrentFont(), handles[FontStyleSlot({fsItalic})]);
}

TEST(FontsInfo, LastUserFreesTheRecordAndItsFonts) {
  TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
  const int before = manager.GetCount();
  TFontData font = FontOf("Courier New", -15);
  auto a = std::make_unique<TheTextDrawer>(TFontStyles{}, font);
  auto b = std::make_unique<TheTextDrawer>(TFontStyles{}, font);
  std::vector<HFONT> handles = AllVariants(*a);
  ASSERT_EQ(handles.size(), 16u);

  a.reset();
  EXPECT_EQ(manager.GetCount(), before + 1);
  EXPECT_EQ(InfoOf(*b)->RefCount, 1);
  for (HFONT h : handles) EXPECT_EQ(::GetObjectType(h), DWORD(OBJ_FONT));

  b.reset();
  EXPECT_EQ(manager.GetCount(), before);
  for (HFONT h : handles) EXPECT_EQ(::GetObjectType(h), 0u);
}

// Each variant stays selected in a true-colour context while its record
// lives, so the renderer keeps its glyphs between paints of other fonts.
TEST(FontsInfo, VariantsStaySelectedInATrueColourContext) {
  TheTextDrawer d(TFontStyles{}, FontOf("Courier New", -17));
  const std::vector<HFONT> handles = AllVariants(d);
  TheSharedFontsInfo* info = InfoOf(d);
  for (int slot = 0; slot < kFontStyleSlots; ++slot) {
    SCOPED_TRACE(slot);
    const TheFontData& data = info->FontsData[slot];
    ASSERT_NE(data.Pin, nullptr);
    EXPECT_EQ(::GetCurrentObject(data.Pin->GetDC(), OBJ_FONT), handles[slot]);
    BITMAP bm{};
    ASSERT_NE(::GetObjectA(::GetCurrentObject(data.Pin->GetDC(), OBJ_BITMAP), sizeof(bm), &bm), 0);
    EXPECT_EQ(bm.bmBitsPixel, 32);
  }
}

TEST(FontsInfo, SwitchingFontsReleasesTheRecordLeft) {
  TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
  const int before = manager.GetCount();
  TheTextDrawer d({}, FontOf("Courier New", -14));
  HFONT first = d.GetCurrentFont();
  d.SetBaseFont(FontOf("Courier New", -26));
  d.SetBaseFont(FontOf("Courier New", -25));
  EXPECT_EQ(manager.GetCount(), before + 1);
  EXPECT_EQ(InfoOf(d)->RefCount, 1);
  EXPECT_EQ(::GetObjectType(first), 0u);
  EXPECT_EQ(InfoOf(d)->BaseLF.lfHeight, -25);
}
